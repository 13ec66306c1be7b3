#include "base/inifile.h"
#include "localepin.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/blockcreateerror.h"
#include "storage/values/timevalues.h"

#include <gtest/gtest.h>

namespace {
const QString Favourite = QStringLiteral("Favourite Activity");

TMoney Amount(double value) {
    return TMoney::FromDouble(value);
}

TIniFile Section(const QString& lines) {
    TIniFile ini;
    ini.LoadFromText(QStringLiteral("[Favourite Activity]\r\n") + lines);
    return ini;
}

QString CreateError(const TIniFile& ini) {
    try {
        TBlock::CreateFromSection(ini, Favourite);
    } catch (const EBlockCreateError& error) {
        return error.Message();
    }
    return {};
}

std::unique_ptr<TBlock> Described(int start, int end) {
    auto block = std::make_unique<TBlock>(start, end);
    block->SetFields(QStringLiteral("mary"), QStringLiteral("Acme"), QStringLiteral("Web"),
                     QStringLiteral("Dev"), QStringLiteral("Coding"), QStringLiteral("notes"),
                     false, true, true, nullptr);
    return block;
}
} // namespace

TEST(Block, SectionTimesMustBeASpanWithinTheDay) {
    EXPECT_EQ(CreateError(TIniFile()), QStringLiteral("No block data"));
    EXPECT_EQ(CreateError(Section(QStringLiteral("StartTime=600\r\nEndTime=600\r\n"))),
              QStringLiteral("Block time data corrupt"));
    EXPECT_EQ(CreateError(Section(QStringLiteral("StartTime=600\r\nEndTime=2425\r\n"))),
              QStringLiteral("Block time data corrupt"));
    EXPECT_EQ(CreateError(Section(QStringLiteral("StartTime=-25\r\nEndTime=100\r\n"))),
              QStringLiteral("Block time data corrupt"));
    EXPECT_EQ(CreateError(Section(QStringLiteral("Client=Acme\r\n"))),
              QStringLiteral("Block time data corrupt"));
    const auto block = TBlock::CreateFromSection(
        Section(QStringLiteral("StartTime=600\r\nEndTime=2400\r\n")), Favourite);
    EXPECT_EQ(block->StartTime, 600);
    EXPECT_EQ(block->EndTime, 2400);
}

TEST(Block, SectionDefaultsAndUnreadableBilling) {
    const TIniFile bare = Section(QStringLiteral("StartTime=900\r\nEndTime=925\r\n"));
    auto block = TBlock::CreateFromSection(bare, Favourite);
    EXPECT_TRUE(block->Reportable);
    EXPECT_FALSE(block->OverTime);
    EXPECT_TRUE(block->Chargeable); // the personal setting's default
    EXPECT_FALSE(TBlock::CreateFromSection(bare, Favourite, false)->Chargeable);
    EXPECT_TRUE(block->IsBlank());
    EXPECT_EQ(CreateError(Section(QStringLiteral("StartTime=900\r\nEndTime=925\r\n"
                                                 "BillingInfo=XYZUSR10\r\n"))),
              QStringLiteral("Block billing data corrupt"));
    // A billing object decides the chargeable flag, whatever the key says.
    block = TBlock::CreateFromSection(
        Section(QStringLiteral("StartTime=900\r\nEndTime=925\r\nChargeable=1\r\n"
                               "BillingInfo=FOCUSR0.00\r\n")),
        Favourite);
    ASSERT_TRUE(block->BillingInfo);
    EXPECT_EQ(block->BillingInfo->Code, bcFreeOfCharge);
    EXPECT_FALSE(block->Chargeable);
}

TEST(Block, SectionRecordRoundTripsAwkwardContent) {
    auto block = Described(830, 1015);
    block->Remarks = QStringLiteral("line one\r\nline\ttwo 100%\n%%~ kept\rend");
    block->OverTime = true;
    block->Reportable = false;
    block->BillingInfo = std::make_unique<TBillingInfo>(bcHourlyRate, rsClient, Amount(45.5));
    TIniFile ini;
    block->WriteToSection(ini, Favourite);
    EXPECT_EQ(ini.Keys(Favourite),
              QStringList({"StartTime", "EndTime", "Client", "Project", "Category", "Activity",
                           "Remarks", "OverTime", "Reportable", "Chargeable", "BillingInfo"}));
    EXPECT_EQ(ini.ReadRaw(Favourite, QStringLiteral("StartTime")), QStringLiteral("830"));
    EXPECT_EQ(ini.ReadRaw(Favourite, QStringLiteral("BillingInfo")), QStringLiteral("HRACLI45.50"));
    TIniFile reread;
    reread.LoadFromText(ini.ToText());
    const auto back = TBlock::CreateFromSection(reread, Favourite);
    block->UserName.clear(); // the record does not keep the user
    EXPECT_EQ(back->Remarks, QStringLiteral("line one\r\nline\ttwo 100%\r\n%%~ kept\r\nend"));
    block->Remarks = back->Remarks;
    EXPECT_TRUE(back->Equals(*block));
}

TEST(Block, SectionWithoutBillingLosesTheKeyAndWritesSpacesForEmptyTexts) {
    TIniFile ini;
    ini.WriteString(Favourite, QStringLiteral("BillingInfo"), QStringLiteral("HRAUSR1.00"));
    TBlock(100, 200).WriteToSection(ini, Favourite);
    EXPECT_FALSE(ini.ValueExists(Favourite, QStringLiteral("BillingInfo")));
    EXPECT_EQ(ini.ReadRaw(Favourite, QStringLiteral("Client")), QStringLiteral(" "));
    EXPECT_EQ(ini.ReadRaw(Favourite, QStringLiteral("Remarks")), QStringLiteral(" "));
    // A name with a line break would break the record into two lines.
    auto block = Described(100, 200);
    block->Client = QStringLiteral("Two\nLines");
    block->WriteToSection(ini, Favourite);
    EXPECT_EQ(ini.ReadRaw(Favourite, QStringLiteral("Client")), QStringLiteral("Two Lines"));
}

TEST(Block, NewBlocksFollowTheirCode) {
    EXPECT_FALSE(TBlock::CreateNew(900, 925, bcNotChargeable, rsUser, {}, false)->Chargeable);
    const auto chargeable = TBlock::CreateNew(900, 925, bcChargeable, rsUser, {}, false);
    EXPECT_TRUE(chargeable->Chargeable);
    EXPECT_TRUE(chargeable->Reportable);
    EXPECT_FALSE(chargeable->OverTime);
    EXPECT_FALSE(chargeable->BillingInfo);
    const auto free = TBlock::CreateNew(900, 925, bcFreeOfCharge, rsUser, {}, true);
    EXPECT_FALSE(free->Chargeable);
    ASSERT_TRUE(free->BillingInfo);
    EXPECT_EQ(free->BillingInfo->Code, bcFreeOfCharge);
    const auto hourly = TBlock::CreateNew(900, 925, bcHourlyRate, rsUser, Amount(60), true);
    EXPECT_EQ(*hourly->BillingInfo, TBillingInfo(bcHourlyRate, rsUser, Amount(60)));
}

TEST(Block, SetFieldsTrimsAndLetsBillingDecideChargeable) {
    TBlock block(0, 100);
    EXPECT_TRUE(block.SetFields(QStringLiteral(" mary "), QStringLiteral("\tAcme \x01"),
                                QStringLiteral("Web"), QStringLiteral("Dev"),
                                QStringLiteral("Coding\r\n"), QStringLiteral("  "), false, true,
                                false, nullptr));
    EXPECT_EQ(block.UserName, QStringLiteral("mary"));
    EXPECT_EQ(block.Client, QStringLiteral("Acme"));
    EXPECT_EQ(block.Activity, QStringLiteral("Coding"));
    EXPECT_TRUE(block.Remarks.isEmpty());
    EXPECT_FALSE(block.Chargeable);
    block.SetFields({}, {}, {}, {}, {}, {}, false, true, false,
                    std::make_unique<TBillingInfo>(bcHourlyRate, rsUser, Amount(10)));
    EXPECT_TRUE(block.Chargeable);
    EXPECT_TRUE(block.IsBlank());
    // Without a new billing object the old one stays, and the flag is taken as given.
    EXPECT_FALSE(
        block.SetFields({}, QStringLiteral("Acme"), {}, {}, {}, {}, false, true, false, nullptr));
    EXPECT_TRUE(block.BillingInfo);
    EXPECT_FALSE(block.Chargeable);
    EXPECT_FALSE(block.IsBlank());
    EXPECT_FALSE(block.IsComplete());
}

TEST(Block, UpdateFromEntryChecksTheRate) {
    TBlock block(900, 1000);
    EXPECT_TRUE(block.UpdateFromEntry({}, QStringLiteral("Acme"), QStringLiteral("Web"),
                                      QStringLiteral("Dev"), QStringLiteral("Coding"), {}, false,
                                      true, false, true, bcHourlyRate, rsUser,
                                      QStringLiteral("$45.50"), QStringLiteral("$")));
    ASSERT_TRUE(block.BillingInfo);
    EXPECT_EQ(block.BillingInfo->Rate, Amount(45.5));
    EXPECT_TRUE(block.Chargeable);
    // An unreadable rate: still updated, rate 0, reported through the result.
    EXPECT_FALSE(block.UpdateFromEntry({}, QStringLiteral("Acme"), QStringLiteral("Web"),
                                       QStringLiteral("Dev"), QStringLiteral("Coding"),
                                       QStringLiteral("new"), false, true, true, true, bcFixedPrice,
                                       rsUser, QStringLiteral("lots")));
    EXPECT_EQ(*block.BillingInfo, TBillingInfo(bcFixedPrice, rsUser, TMoney()));
    EXPECT_EQ(block.Remarks, QStringLiteral("new"));
    // Codes without an editable rate always get 0.
    block.UpdateFromEntry({}, {}, {}, {}, {}, {}, false, true, true, true, bcContract, rsUser,
                          QStringLiteral("99"));
    EXPECT_EQ(block.BillingInfo->Rate, TMoney());
    // With billing switched off the billing object is left as it is.
    block.UpdateFromEntry({}, {}, {}, {}, {}, {}, false, true, false, false, bcHourlyRate, rsUser,
                          QStringLiteral("5"));
    EXPECT_EQ(block.BillingInfo->Code, bcContract);
    EXPECT_FALSE(block.Chargeable);
}

TEST(Block, CopiesAndEquality) {
    auto plain = Described(900, 1000);
    plain->Chargeable = false;
    const auto copy = TBlock::CreateCopy(*plain);
    EXPECT_FALSE(copy->BillingInfo);
    EXPECT_FALSE(copy->Chargeable);
    EXPECT_TRUE(copy->Equals(*plain));

    auto a = Described(900, 1000);
    auto b = Described(900, 1000);
    EXPECT_TRUE(a->Equals(*b));
    a->BillingInfo = std::make_unique<TBillingInfo>(bcHourlyRate, rsUser, Amount(40));
    EXPECT_FALSE(a->Equals(*b));
    b->BillingInfo = std::make_unique<TBillingInfo>(bcHourlyRate, rsUser, Amount(45));
    EXPECT_FALSE(a->Equals(*b));
    b->BillingInfo->Rate = Amount(40);
    EXPECT_TRUE(a->Equals(*b));
    b->Client = QStringLiteral("acme");
    EXPECT_FALSE(a->Equals(*b)); // letter case counts

    // A user's copy keeps rates of hourly and fixed prices to the cent, and gives the other
    // codes the rate 0; a duplicate keeps everything.
    a->BillingInfo = std::make_unique<TBillingInfo>(bcFixedPrice, rsProject, Amount(250.25));
    EXPECT_TRUE(TBlock::CreateCopy(*a)->Equals(*a));
    a->BillingInfo = std::make_unique<TBillingInfo>(bcFreeOfCharge, rsUser, Amount(10));
    const auto userCopy = TBlock::CreateCopy(*a);
    EXPECT_EQ(userCopy->BillingInfo->Rate, TMoney());
    EXPECT_FALSE(userCopy->Chargeable);
    EXPECT_TRUE(TBlock::CreateDuplicate(*a)->Equals(*a));
    EXPECT_NE(TBlock::CreateDuplicate(*a)->BillingInfo.get(), a->BillingInfo.get());

    // Assign takes the times too; AssignContent does not, and drops billing the other lacks.
    TBlock target(0, 50);
    target.BillingInfo = std::make_unique<TBillingInfo>(bcHourlyRate, rsUser, Amount(1));
    target.AssignContent(*plain);
    EXPECT_EQ(target.StartTime, 0);
    EXPECT_FALSE(target.BillingInfo);
    target.Assign(*plain);
    EXPECT_TRUE(target.Equals(*plain));
}

TEST(Block, SnapTimesAndTexts) {
    SetTimeStep(25);
    TBlock block(912, 1040);
    EXPECT_TRUE(block.Snap());
    EXPECT_EQ(block.StartTime, 900);
    EXPECT_EQ(block.EndTime, 1050);
    EXPECT_FALSE(block.Snap());
    EXPECT_EQ(block.Duration(), 150);
    EXPECT_DOUBLE_EQ(block.Hours(), 1.5);
    EXPECT_EQ(block.DurationText(true), QStringLiteral("1.5 hrs"));
    EXPECT_EQ(block.DurationText(false), QStringLiteral("1 hr 30 mins"));
    TLocalePin pin(QStringLiteral("en_GB"));
    EXPECT_EQ(block.TimeRangeText(), QStringLiteral("09:00 - 10:30"));
    EXPECT_EQ(TBlock(-50, 2500).TimeRangeText(), QStringLiteral("00:00 - 00:00"));
}

TEST(Block, SummaryLinesJoinedByLineFeedAndReturn) {
    TBlock block(900, 1000);
    block.Client = QStringLiteral("Acme");
    block.Reportable = false;
    block.Chargeable = true;
    EXPECT_EQ(block.SummaryText(QStringLiteral("$")),
              QStringLiteral("Client: Acme\n\rNot reported\n\rChargeable"));
    block.Chargeable = false;
    block.Reportable = true;
    block.OverTime = true;
    block.Remarks = QStringLiteral("call back");
    EXPECT_EQ(block.SummaryText(QStringLiteral("$")),
              QStringLiteral("Client: Acme\n\rRemarks: call back\n\rOvertime\n\rNot chargeable"));
    block.BillingInfo = std::make_unique<TBillingInfo>(bcHourlyRate, rsUser, Amount(45));
    EXPECT_TRUE(block.SummaryText(QStringLiteral("€")).endsWith(QStringLiteral("\n\r€45.00 HRA")));
}

TEST(Block, BillingQueriesOnABlock) {
    TBlock block(900, 1050);
    EXPECT_EQ(BlockCode(block), bcNotChargeable);
    EXPECT_EQ(BlockCodeText(block), QStringLiteral("N"));
    block.Chargeable = true;
    EXPECT_EQ(BlockCodeText(block), QStringLiteral("Y"));
    EXPECT_EQ(Charge(block), TMoney());
    block.BillingInfo = std::make_unique<TBillingInfo>(bcHourlyRate, rsUser, Amount(40));
    EXPECT_EQ(Charge(block), Amount(60));
    EXPECT_EQ(BlockRate(block), Amount(40));
    EXPECT_TRUE(HasRate(block));
    EXPECT_EQ(BlockRateText(block, true, QStringLiteral("$")), QStringLiteral("$40.00"));
    block.BillingInfo->Code = bcContract;
    EXPECT_EQ(BlockRateText(block, false, {}), QStringLiteral("--"));
    EXPECT_EQ(BlockCodeText(block), QStringLiteral("CON"));
}
