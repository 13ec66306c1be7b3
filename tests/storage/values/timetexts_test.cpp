#include "localepin.h"
#include "storage/values/timetexts.h"

#include <gtest/gtest.h>

TEST(TimeTexts, Words) {
    EXPECT_EQ(HoursWord(1), QStringLiteral("hr"));
    EXPECT_EQ(HoursWord(1.5), QStringLiteral("hrs"));
    EXPECT_EQ(HoursWord(0), QStringLiteral("hrs"));
    EXPECT_EQ(MinutesWord(1), QStringLiteral("min"));
    EXPECT_EQ(MinutesWord(2), QStringLiteral("mins"));
}

TEST(TimeTexts, DurationInHoursAndMinutes) {
    EXPECT_EQ(DurationText(false, 0), QString());
    EXPECT_EQ(DurationText(false, 1.5), QStringLiteral("1 hr 30 mins"));
    EXPECT_EQ(DurationText(false, 0.75), QStringLiteral("45 mins"));
    EXPECT_EQ(DurationText(false, 2), QStringLiteral("2 hrs"));
    EXPECT_EQ(DurationText(false, 1.0 / 60), QStringLiteral("1 min"));
    EXPECT_EQ(DurationText(false, 0.999), QStringLiteral("1 hr")); // minutes carry
    EXPECT_EQ(DurationText(false, 25.0 + 1.0 / 60), QStringLiteral("25 hrs 1 min"));
    EXPECT_EQ(DurationText(false, 0.001), QString()); // rounds to no minutes at all
}

TEST(TimeTexts, DurationInDecimalHours) {
    EXPECT_EQ(DurationText(true, 1), QStringLiteral("1 hr"));
    EXPECT_EQ(DurationText(true, 1.5), QStringLiteral("1.5 hrs"));
    EXPECT_EQ(DurationText(true, 0.25), QStringLiteral("0.25 hrs"));
    EXPECT_EQ(DurationText(true, 1.0 / 3), QStringLiteral("0.33 hrs"));
    EXPECT_EQ(DurationText(true, 1234.5), QStringLiteral("1234.5 hrs")); // no grouping
    // The word follows the unrounded hours.
    EXPECT_EQ(DurationText(true, 1.001), QStringLiteral("1 hrs"));
    TLocalePin pin(QStringLiteral("de_DE"));
    EXPECT_EQ(DurationText(true, 1.5), QStringLiteral("1,5 hrs"));
    EXPECT_EQ(DurationText(true, 1234.75), QStringLiteral("1234,75 hrs"));
}

TEST(TimeTexts, ClockTextFollowsTheLocale) {
    {
        TLocalePin pin(QStringLiteral("C"));
        EXPECT_EQ(ClockText(930), QStringLiteral("09:30"));
        EXPECT_EQ(ClockText(2400), QStringLiteral("00:00")); // midnight
        EXPECT_EQ(ClockText(-15), QStringLiteral("00:00"));
        EXPECT_EQ(TimeText(950), QStringLiteral("09:30"));
    }
    {
        TLocalePin pin(QStringLiteral("en_US"));
        EXPECT_EQ(ClockText(930), QStringLiteral("9:30 AM"));
        EXPECT_EQ(ClockText(1745), QStringLiteral("5:45 PM"));
        EXPECT_EQ(ClockText(2400), QStringLiteral("12:00 AM"));
        EXPECT_EQ(ClockText(1075), QStringLiteral("10:59 AM")); // impossible minutes clamp
    }
}

TEST(TimeTexts, PadNumber) {
    EXPECT_EQ(PadNumber(5, 2), QStringLiteral("05"));
    EXPECT_EQ(PadNumber(24, 4), QStringLiteral("0024"));
    EXPECT_EQ(PadNumber(12345, 4), QStringLiteral("12345"));
    EXPECT_EQ(PadNumber(7, 0), QStringLiteral("7"));
}
