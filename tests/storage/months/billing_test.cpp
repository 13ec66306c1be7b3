#include "localepin.h"
#include "storage/months/billing.h"
#include "storage/months/billinginfo.h"

#include <gtest/gtest.h>

namespace {
TMoney Amount(double value) {
    return TMoney::FromDouble(value);
}

struct TParsed {
    bool Ok;
    int Code;
    int Source;
    TMoney Rate;
};

TParsed Parse(const QString& text) {
    std::uint8_t code = 99;
    std::uint8_t source = 99;
    TMoney rate = TMoney::FromUnits(-1);
    const bool ok = ParseBillingText(text, code, source, rate);
    return {ok, code, source, rate};
}
} // namespace

TEST(Billing, CodeAndSourceTexts) {
    const char* const texts[] = {"Y", "N", "HRA", "FPR", "CON", "FOC"};
    const char* const names[] = {"Chargeable",  "Not Chargeable", "Hourly Rate",
                                 "Fixed Price", "Contract",       "Free of Charge"};
    for (int code = 0; code <= 5; ++code) {
        EXPECT_EQ(BillingCodeText(code), QString::fromLatin1(texts[code]));
        EXPECT_EQ(BillingCodeName(code), QString::fromLatin1(names[code]));
    }
    EXPECT_EQ(BillingCodeText(6), QStringLiteral("FOC"));
    EXPECT_EQ(BillingCodeName(200), QStringLiteral("Free of Charge"));
    EXPECT_EQ(SourceText(0), QStringLiteral("CAS"));
    EXPECT_EQ(SourceText(1), QStringLiteral("USR"));
    EXPECT_EQ(SourceText(2), QStringLiteral("CLI"));
    EXPECT_EQ(SourceText(3), QStringLiteral("PRO"));
    EXPECT_EQ(SourceText(9), QStringLiteral("PRO"));
}

TEST(Billing, BillingTextOnlyForCodesWithBillingData) {
    EXPECT_EQ(BillingText(TBillingInfo(bcHourlyRate, rsUser, Amount(45))),
              QStringLiteral("HRAUSR45.00"));
    EXPECT_EQ(BillingText(TBillingInfo(bcFixedPrice, rsUser, Amount(250))),
              QStringLiteral("FPRUSR250.00"));
    EXPECT_EQ(BillingText(TBillingInfo(bcContract, rsClient, TMoney())),
              QStringLiteral("CONCLI0.00"));
    EXPECT_EQ(BillingText(TBillingInfo(bcFreeOfCharge, rsProject, TMoney())),
              QStringLiteral("FOCPRO0.00"));
    EXPECT_EQ(BillingText(TBillingInfo(bcChargeable, rsUser, Amount(45))), QString());
    EXPECT_EQ(BillingText(TBillingInfo(bcNotChargeable, rsUser, Amount(45))), QString());
    TLocalePin pin(QStringLiteral("de_DE"));
    EXPECT_EQ(BillingText(TBillingInfo(bcHourlyRate, rsUser, Amount(45.5))),
              QStringLiteral("HRAUSR45,50"));
}

TEST(Billing, ShortBillingText) {
    EXPECT_EQ(ShortBillingText(TBillingInfo(bcHourlyRate, rsUser, Amount(45)), QStringLiteral("$")),
              QStringLiteral("$45.00 HRA"));
    EXPECT_EQ(ShortBillingText(TBillingInfo(bcFreeOfCharge, rsUser, TMoney()), QString()),
              QStringLiteral("0.00 FOC"));
}

TEST(Billing, ParseBillingText) {
    TParsed p = Parse(QStringLiteral("hrausr45.5"));
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Code, bcHourlyRate);
    EXPECT_EQ(p.Source, rsUser);
    EXPECT_EQ(p.Rate, Amount(45.5));
    EXPECT_EQ(Parse(QStringLiteral("HRAUSR45.999")).Rate, Amount(45.99)); // cut, not rounded
    p = Parse(QStringLiteral("  FPRPRO250.00 "));
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Code, bcFixedPrice);
    EXPECT_EQ(p.Source, rsProject);
    p = Parse(QStringLiteral("FOCCAS0"));
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Code, bcFreeOfCharge);
    EXPECT_EQ(p.Source, rsCase);
}

TEST(Billing, ParseBillingTextYesNoIgnoresTheRest) {
    TParsed p = Parse(QStringLiteral("YES"));
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Code, bcChargeable);
    EXPECT_EQ(p.Rate, TMoney());
    p = Parse(QStringLiteral("nUSR45.00"));
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Code, bcNotChargeable);
    EXPECT_EQ(p.Source, rsCase);
    EXPECT_EQ(p.Rate, TMoney());
}

TEST(Billing, ParseBillingTextFailuresLeaveValuesAlone) {
    for (const char* text :
         {"", "   ", "HRA", "HRAUSR", "XYZUSR10", "HRAXYZ10", "HRAUSRabc", "HRAUSR1,000.00"}) {
        const TParsed p = Parse(QString::fromLatin1(text));
        EXPECT_FALSE(p.Ok) << text;
        EXPECT_EQ(p.Code, 99) << text;
        EXPECT_EQ(p.Rate, TMoney::FromUnits(-1)) << text;
    }
}

// A work group shares list files written under different locales: a rate written with the
// other decimal separator is still the same rate, not a lost billing object.
TEST(Billing, ParseBillingTextReadsTheOtherDecimalSeparator) {
    EXPECT_EQ(Parse(QStringLiteral("HRAUSR45,50")).Rate, Amount(45.5));
    TLocalePin pin(QStringLiteral("de_DE"));
    EXPECT_EQ(Parse(QStringLiteral("HRAUSR45,50")).Rate, Amount(45.5));
    EXPECT_EQ(Parse(QStringLiteral("HRAUSR45.50")).Rate, Amount(45.5));
    EXPECT_FALSE(Parse(QStringLiteral("HRAUSR1.000,50")).Ok);
}

TEST(Billing, BillingTextRoundTrip) {
    for (const char* name : {"C", "en_US", "de_DE"}) {
        TLocalePin pin(QString::fromLatin1(name));
        for (int code = bcHourlyRate; code <= bcFreeOfCharge; ++code) {
            const TBillingInfo info(static_cast<std::uint8_t>(code), rsClient, Amount(1234.56));
            const auto read = TBillingInfo::CreateFromText(BillingText(info));
            ASSERT_TRUE(read) << name << code;
            EXPECT_EQ(*read, info) << name << code;
        }
    }
}

TEST(Billing, CreateFromUnreadableTextGivesNone) {
    EXPECT_EQ(TBillingInfo::CreateFromText(QStringLiteral("HRA")), nullptr);
    const auto info = TBillingInfo::CreateFromText(QStringLiteral("CONUSR0.00"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Code, bcContract);
}

TEST(Billing, ValuesAndChargeableFlag) {
    TBillingInfo info(bcHourlyRate, rsUser, Amount(45));
    EXPECT_TRUE(info.IsChargeable());
    info.SetValues(bcFreeOfCharge, rsClient, TMoney());
    EXPECT_EQ(info, TBillingInfo(bcFreeOfCharge, rsClient, TMoney()));
    EXPECT_FALSE(info.IsChargeable());
    info.SetValues(bcNotChargeable, rsUser, TMoney());
    EXPECT_FALSE(info.IsChargeable());
    EXPECT_TRUE(TBillingInfo(bcContract, rsUser, TMoney()).IsChargeable());
    EXPECT_NE(TBillingInfo(bcHourlyRate, rsUser, Amount(45)),
              TBillingInfo(bcHourlyRate, rsUser, Amount(46)));
}

TEST(Billing, CheckRateText) {
    QString rate = QStringLiteral("$45.50");
    EXPECT_TRUE(CheckRateText(bcHourlyRate, QStringLiteral("$"), rate));
    EXPECT_EQ(rate, QStringLiteral("$45.50"));
    rate = QStringLiteral("lots");
    EXPECT_FALSE(CheckRateText(bcFixedPrice, QStringLiteral("$"), rate));
    EXPECT_EQ(rate, QStringLiteral("0"));
    for (int code : {bcChargeable, bcNotChargeable, bcContract, bcFreeOfCharge}) {
        rate = QStringLiteral("99.00");
        EXPECT_TRUE(CheckRateText(code, QStringLiteral("$"), rate));
        EXPECT_EQ(rate, QStringLiteral("0"));
    }
}

TEST(Billing, QueriesWithoutBillingObjectFollowTheChargeableFlag) {
    EXPECT_EQ(BlockCode(nullptr, true), bcChargeable);
    EXPECT_EQ(BlockCode(nullptr, false), bcNotChargeable);
    EXPECT_EQ(BlockCodeText(nullptr, true), QStringLiteral("Y"));
    EXPECT_EQ(BlockCodeText(nullptr, false), QStringLiteral("N"));
    EXPECT_EQ(BlockRate(nullptr), TMoney());
    EXPECT_FALSE(HasRate(nullptr));
    EXPECT_EQ(BlockRateText(nullptr, true, QStringLiteral("$")), QStringLiteral("--"));
    EXPECT_EQ(Charge(nullptr, 2), TMoney());
}

TEST(Billing, QueriesWithBillingObject) {
    const TBillingInfo hourly(bcHourlyRate, rsUser, Amount(40));
    const TBillingInfo fixed(bcFixedPrice, rsUser, Amount(250));
    const TBillingInfo contract(bcContract, rsUser, TMoney());
    const TBillingInfo free(bcFreeOfCharge, rsUser, TMoney());
    EXPECT_EQ(BlockCode(&free, true), bcFreeOfCharge); // the object wins over the flag
    EXPECT_EQ(BlockCodeText(&fixed, false), QStringLiteral("FPR"));
    EXPECT_EQ(BlockRate(&fixed), Amount(250));
    EXPECT_TRUE(HasRate(&hourly));
    EXPECT_TRUE(HasRate(&fixed));
    EXPECT_TRUE(HasRate(&free));
    EXPECT_FALSE(HasRate(&contract));
    EXPECT_EQ(BlockRateText(&contract, false, QStringLiteral("$")), QStringLiteral("--"));
    EXPECT_EQ(BlockRateText(&free, false, QStringLiteral("$")), QStringLiteral("0.00"));
    EXPECT_EQ(BlockRateText(&hourly, true, QStringLiteral("$")), QStringLiteral("$40.00"));
    EXPECT_EQ(Charge(&hourly, 1.5), Amount(60));
    EXPECT_EQ(Charge(&fixed, 0.25), Amount(250));
    EXPECT_EQ(Charge(&fixed, 8), Amount(250));
    EXPECT_EQ(Charge(&free, 3), TMoney());
    EXPECT_EQ(Charge(&contract, 3), TMoney());
    // A hand-made file may give free time a rate: it is still never charged.
    const TBillingInfo freeWithRate(bcFreeOfCharge, rsUser, Amount(75));
    EXPECT_EQ(Charge(&freeWithRate, 2), TMoney());
    EXPECT_EQ(MinutesCharge(&freeWithRate, 120), TMoney());
}
