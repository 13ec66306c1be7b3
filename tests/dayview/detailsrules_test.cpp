#include "base/datalocations.h"
#include "base/ioerror.h"
#include "dayview/detailsrules.h"
#include "dayview/loadedmonth.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "testsupport.h"

#include <algorithm>

#include <gtest/gtest.h>

TEST(DetailsRules, BillingCodesOfferedForABlock) {
    const QList<int> billing{bcHourlyRate, bcFixedPrice, bcContract, bcFreeOfCharge};
    EXPECT_EQ(BillingCodeItems(bcFixedPrice), billing);
    EXPECT_EQ(BillingCodeItems(bcFreeOfCharge), billing);
    EXPECT_EQ(BillingCodeItems(bcChargeable).front(), int(bcChargeable));
    EXPECT_EQ(BillingCodeItems(bcNotChargeable),
              QList<int>({bcNotChargeable, bcHourlyRate, bcFixedPrice, bcContract,
                          bcFreeOfCharge}));
}

TEST(DetailsRules, RateTextFollowsTheCode) {
    const TMoney rate = TMoney::FromUnits(455000);
    const QString dollar = QStringLiteral("$");
    EXPECT_EQ(RateTextForCode(bcHourlyRate, QStringLiteral("12"), rate, dollar),
              QStringLiteral("45.50"));
    // A fixed price keeps an amount already typed, written as money, and drops anything else.
    EXPECT_EQ(RateTextForCode(bcFixedPrice, QStringLiteral("$80.5"), rate, dollar),
              QStringLiteral("80.50"));
    EXPECT_EQ(RateTextForCode(bcFixedPrice, QStringLiteral("No rate"), rate, dollar), QString());
    EXPECT_EQ(RateTextForCode(bcFreeOfCharge, {}, rate, dollar), QStringLiteral("0.00"));
    for (int code : {bcChargeable, bcNotChargeable, bcContract})
        EXPECT_EQ(RateTextForCode(code, QStringLiteral("9"), rate, dollar),
                  QStringLiteral("No rate"));

    TBlock block(900, 1000);
    EXPECT_EQ(RateTextOfBlock(block), QStringLiteral("No rate"));
    block.BillingInfo = std::make_unique<TBillingInfo>(bcHourlyRate, rsClient, rate);
    EXPECT_EQ(RateTextOfBlock(block), QStringLiteral("45.50"));
    block.BillingInfo->Code = bcFreeOfCharge;
    EXPECT_EQ(RateTextOfBlock(block), QStringLiteral("0.00"));
}

TEST(DetailsRules, ExtendedChargeOfWholeMinutes) {
    const QString euro = QStringLiteral("€");
    EXPECT_EQ(ExtendedChargeText(bcHourlyRate, QStringLiteral("50"), 10, euro),
              QStringLiteral("€8.33"));
    EXPECT_EQ(ExtendedChargeText(bcHourlyRate, QStringLiteral("0.50"), 1, euro),
              QStringLiteral("€0.01"));
    EXPECT_EQ(ExtendedChargeText(bcFixedPrice, QStringLiteral("€200"), 90, euro),
              QStringLiteral("€200.00"));
    EXPECT_EQ(ExtendedChargeText(bcFreeOfCharge, QStringLiteral("0.00"), 90, euro),
              QStringLiteral("€0.00"));
    EXPECT_TRUE(ExtendedChargeText(bcContract, QStringLiteral("No rate"), 90, euro).isEmpty());
    EXPECT_TRUE(ExtendedChargeText(bcChargeable, QStringLiteral("10"), 90, euro).isEmpty());
    EXPECT_TRUE(ExtendedChargeText(bcHourlyRate, QStringLiteral("ten"), 90, euro).isEmpty());
}

TEST(DetailsRules, MessagesAndListOrder) {
    EXPECT_EQ(MissingInformationText(false),
              QStringLiteral("The task you were editing has missing information (Client, "
                             "Project, Category or Activity)."));
    EXPECT_EQ(IncompleteOnCloseQuestion(true),
              QStringLiteral("The task you were editing has missing information (Client, "
                             "Project, Category, Activity or Billing).\t\rYou can delete it "
                             "and leave, or return to the application to complete it.\t\r\t\r"
                             "Click [OK] to delete the task and leave, or [CANCEL] to return "
                             "to the application."));
    QStringList names{QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("alpha"),
                      QStringLiteral("Gamma")};
    std::sort(names.begin(), names.end(), ListNameLess);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Alpha"), QStringLiteral("alpha"),
                                  QStringLiteral("beta"), QStringLiteral("Gamma")}));
}

class LoadedMonthTest : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Env.Args = {Env.Program, QStringLiteral("/datadir"), MakeFolder(QStringLiteral("local"))};
        ApplyEnvironment();
        ResolveDataLocations();
        ASSERT_TRUE(CheckDataFolders());
    }
    TLoadedMonth Loaded;
};

TEST_F(LoadedMonthTest, ADayOfTheSameMonthKeepsTheMonthAndAChangedMonthIsNeverDropped) {
    ASSERT_TRUE(Loaded.ShowDate(QDate(2024, 1, 31)));
    TMonth* january = Loaded.Month();
    Loaded.Day()->AddBlock(900, 1000);
    ASSERT_TRUE(Loaded.ShowDate(QDate(2024, 1, 3)));
    EXPECT_EQ(Loaded.Month(), january);
    EXPECT_EQ(Loaded.Day()->Date, QDate(2024, 1, 3));

    // The block makes the month differ from its file, marked or not.
    EXPECT_TRUE(Loaded.Modified());
    EXPECT_FALSE(Loaded.ShowDate(QDate(2024, 2, 1)));
    EXPECT_EQ(Loaded.Month(), january);
    EXPECT_EQ(Loaded.Day()->Date, QDate(2024, 1, 3));

    ASSERT_TRUE(Loaded.SaveIfModified());
    EXPECT_TRUE(Loaded.InUseListsStale);
    ASSERT_TRUE(Loaded.ShowDate(QDate(2024, 2, 1)));
    EXPECT_EQ(Loaded.Month()->Month, 2);
    EXPECT_FALSE(Loaded.Modified());
    // January was written whole and reads back.
    TMonth again(2024, 1);
    EXPECT_EQ(again.DayByNumber(31)->Blocks.size(), 1u);
}

TEST_F(LoadedMonthTest, AnUnreadableMonthIsReportedAndNothingIsLoaded) {
    WriteFile(LocalDataPath() + QStringLiteral("2024-05.txt"),
              "01 May 2024\tnine\t1000\tAcme\tWeb\tDev\tCode\t \tN\tY\tY\t \r\n");
    EXPECT_THROW(Loaded.ShowDate(QDate(2024, 5, 1)), EInOutError);
    EXPECT_FALSE(Loaded.IsLoaded());
    EXPECT_EQ(Loaded.Day(), nullptr);
    EXPECT_TRUE(Loaded.SaveIfModified()); // nothing to write
    EXPECT_TRUE(Messages->Shown.empty());
}
