#include "localepin.h"
#include "reporting/valuetexts.h"

#include <gtest/gtest.h>

TEST(ValueTexts, FixedAndHoursTexts) {
    EXPECT_EQ(FixedText(7.5), QStringLiteral("7.50"));
    EXPECT_EQ(FixedText(0), QStringLiteral("0.00"));
    EXPECT_EQ(FixedText(20.0 / 60.0), QStringLiteral("0.33"));
    EXPECT_EQ(FixedText(-1.236), QStringLiteral("-1.24"));
    EXPECT_EQ(FixedText(-0.001), QStringLiteral("0.00")); // no "-0.00"
    EXPECT_EQ(FixedText(1234567.891), QStringLiteral("1234567.89"));
    EXPECT_EQ(HoursText(0), QStringLiteral("--"));
    EXPECT_EQ(HoursText(1.5), QStringLiteral("1.50"));
    EXPECT_EQ(HoursText(-0.5), QStringLiteral("-0.50"));
    EXPECT_EQ(HoursText(0.001), QStringLiteral("0.00")); // only exactly 0 is "--"
    TLocalePin pin(QStringLiteral("de_DE"));
    EXPECT_EQ(FixedText(1234.5), QStringLiteral("1234,50"));
    EXPECT_EQ(HoursText(1.5), QStringLiteral("1,50"));
}

TEST(ValueTexts, FlagsAndMoney) {
    EXPECT_EQ(FlagLetter(true), QStringLiteral("Y"));
    EXPECT_EQ(FlagLetter(false), QStringLiteral("N"));
    EXPECT_EQ(MoneyText(QStringLiteral("$"), TMoney::FromDouble(12.5)), QStringLiteral("$12.50"));
    EXPECT_EQ(MoneyText({}, TMoney::FromDouble(-0.05)), QStringLiteral("-0.05"));
    EXPECT_EQ(MoneyText({}, TMoney::FromDouble(1234567.5)), QStringLiteral("1234567.50"));
}
