#include "app/applocale.h"
#include "storage/money.h"

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
