#include "base/applocale.h"
#include "storage/values/money.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

TEST(Money, FormatHasTwoDecimalsAndNoGrouping) {
    SetAppLocale(QLocale::c());
    EXPECT_EQ(FormatMoney(1234.5), QStringLiteral("1234.50"));
    EXPECT_EQ(FormatMoney(TMoney::FromUnits(12345678900000)), QStringLiteral("1234567890.00"));
    EXPECT_EQ(FormatMoney(TMoney()), QStringLiteral("0.00"));
    EXPECT_EQ(FormatMoney(-0.05), QStringLiteral("-0.05"));
    SetAppLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatMoney(1234.5), QStringLiteral("1234,50"));
    SetAppLocale(QLocale::c());
}

TEST(Money, FormatRoundsHalvesAwayFromZero) {
    SetAppLocale(QLocale::c());
    EXPECT_EQ(FormatMoney(TMoney::FromUnits(12345)), QStringLiteral("1.23"));
    EXPECT_EQ(FormatMoney(TMoney::FromUnits(12350)), QStringLiteral("1.24"));
    EXPECT_EQ(FormatMoney(TMoney::FromUnits(-12350)), QStringLiteral("-1.24"));
    EXPECT_EQ(FormatMoney(TMoney::FromUnits(-49)), QStringLiteral("0.00"));
}

TEST(Money, AdditionIsExact) {
    TMoney sum;
    for (int i = 0; i < 1000; ++i)
        sum += TMoney::FromDouble(0.1);
    EXPECT_EQ(sum, TMoney::FromUnits(1000000));
    EXPECT_EQ(TMoney::FromDouble(1.23456).Units(), 12346); // nearest ten-thousandth
}

namespace {
// The amount read from text, as units, or -1 when the text was refused.
std::int64_t Parsed(const QString& text) {
    TMoney amount = TMoney::FromUnits(-1);
    return ParseAmount(text, amount) ? amount.Units() : -1;
}
} // namespace

TEST(Money, ParseAmountCutsToHundredthsTowardZero) {
    SetAppLocale(QLocale::c());
    EXPECT_EQ(Parsed(QStringLiteral("45.5")), 455000);
    EXPECT_EQ(Parsed(QStringLiteral("45.999")), 459900);   // cut, not rounded
    EXPECT_EQ(Parsed(QStringLiteral("-45.999")), -459900); // toward zero
    EXPECT_EQ(Parsed(QStringLiteral("45.99995")), 460000); // ten-thousandths first
    EXPECT_EQ(Parsed(QStringLiteral("45.99994")), 459900);
    EXPECT_EQ(Parsed(QStringLiteral("0.1")), 1000); // exact, no binary fraction
    EXPECT_EQ(Parsed(QStringLiteral("  12 ")), 120000);
    EXPECT_EQ(Parsed(QStringLiteral(".5")), 5000);
    EXPECT_EQ(Parsed(QStringLiteral("1e2")), 1000000);
    EXPECT_EQ(Parsed(QStringLiteral("922337203685477")), -1); // too large to hold
}

TEST(Money, ParseAmountRefusesWhatIsNoNumber) {
    SetAppLocale(QLocale::c());
    EXPECT_EQ(Parsed(QString()), -1);
    EXPECT_EQ(Parsed(QStringLiteral("abc")), -1);
    EXPECT_EQ(Parsed(QStringLiteral("1,000.00")), -1); // no grouping
    EXPECT_EQ(Parsed(QStringLiteral("12.5x")), -1);
    EXPECT_EQ(Parsed(QStringLiteral("$12")), -1);
}

TEST(Money, ParseAmountUsesTheLocaleSeparator) {
    SetAppLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Parsed(QStringLiteral("45,5")), 455000);
    EXPECT_EQ(Parsed(QStringLiteral("45.5")), -1);
    EXPECT_EQ(Parsed(QStringLiteral("-0,019")), -100);
    SetAppLocale(QLocale::c());
}

TEST(Money, ParseAmountWithSymbolRemovesItsFirstOccurrence) {
    SetAppLocale(QLocale::c());
    TMoney amount;
    ASSERT_TRUE(ParseAmountWithSymbol(QStringLiteral("$45.50"), QStringLiteral("$"), amount));
    EXPECT_EQ(amount, TMoney::FromUnits(455000));
    ASSERT_TRUE(
        ParseAmountWithSymbol(QStringLiteral(" 45.50 EUR "), QStringLiteral("EUR"), amount));
    EXPECT_EQ(amount, TMoney::FromUnits(455000));
    ASSERT_TRUE(ParseAmountWithSymbol(QStringLiteral("7"), QString(), amount));
    EXPECT_EQ(amount, TMoney::FromUnits(70000));
    EXPECT_FALSE(ParseAmountWithSymbol(QStringLiteral("$$45"), QStringLiteral("$"), amount));
    EXPECT_FALSE(ParseAmountWithSymbol(QStringLiteral("45 $"), QStringLiteral("\u20ac"), amount));
}

TEST(Money, HourlyChargeRoundsHalvesToEven) {
    const TMoney forty = TMoney::FromUnits(400000);
    EXPECT_EQ(HourlyCharge(1.5, forty), TMoney::FromUnits(600000));
    EXPECT_EQ(HourlyCharge(20.0 / 60, forty), TMoney::FromUnits(133333)); // 13.33333...
    EXPECT_EQ(HourlyCharge(40.0 / 60, forty), TMoney::FromUnits(266667)); // 26.66666...
    // One minute at 0.0030 and 0.0090 an hour: exactly half a unit each time.
    EXPECT_EQ(HourlyCharge(1.0 / 60, TMoney::FromUnits(30)), TMoney::FromUnits(0));
    EXPECT_EQ(HourlyCharge(1.0 / 60, TMoney::FromUnits(90)), TMoney::FromUnits(2));
    EXPECT_EQ(HourlyCharge(1.0 / 60, TMoney::FromUnits(-90)), TMoney::FromUnits(-2));
    EXPECT_EQ(HourlyCharge(0, forty), TMoney());
    EXPECT_EQ(HourlyCharge(0.001, TMoney::FromUnits(2500000)), TMoney::FromUnits(2500));
}

// Report lines charge whole minutes without going through real hours: the amounts must be
// those of the hours, halves, signs, products too large for integers and all.
TEST(Money, HourlyChargeOfMinutesIsThatOfTheirHours) {
    const std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    for (const std::int64_t rate : {std::int64_t{400000}, std::int64_t{30}, std::int64_t{90},
                                    std::int64_t{-90}, std::int64_t{1}, largest / 1000, largest})
        for (const std::int32_t minutes :
             {0, 1, -1, 20, 40, 90, 1439, -1439, 1000000, std::numeric_limits<std::int32_t>::max(),
              std::numeric_limits<std::int32_t>::max() - 1,
              std::numeric_limits<std::int32_t>::min()})
            EXPECT_EQ(HourlyChargeOfMinutes(minutes, TMoney::FromUnits(rate)),
                      HourlyCharge(minutes / 60.0, TMoney::FromUnits(rate)))
                << minutes << " minutes at " << rate;
    EXPECT_EQ(HourlyChargeOfMinutes(1, TMoney::FromUnits(90)), TMoney::FromUnits(2));
}
