#include "reporting/isoweeks.h"

#include <gtest/gtest.h>

TEST(IsoWeeks, WeeksAroundTheTurnOfTheYear) {
    EXPECT_EQ(IsoWeek(QDate(2005, 1, 1)), (TIsoWeek{53, 2004}));  // a Saturday
    EXPECT_EQ(IsoWeek(QDate(2007, 12, 31)), (TIsoWeek{1, 2008})); // a Monday
    EXPECT_EQ(IsoWeek(QDate(2010, 1, 4)), (TIsoWeek{1, 2010}));
    EXPECT_EQ(IsoWeek(QDate(2010, 1, 3)), (TIsoWeek{53, 2009}));
    EXPECT_EQ(IsoWeek(QDate(2021, 1, 1)), (TIsoWeek{53, 2020})); // a Friday
    EXPECT_EQ(IsoWeek(QDate(2015, 1, 1)), (TIsoWeek{1, 2015}));  // a Thursday
    EXPECT_EQ(IsoWeek(QDate(2024, 12, 30)), (TIsoWeek{1, 2025}));
    EXPECT_EQ(IsoWeek(QDate(2003, 2, 12)), (TIsoWeek{7, 2003}));
    EXPECT_EQ(IsoWeeksInYear(2004), 53);
    EXPECT_EQ(IsoWeeksInYear(2003), 52);
    EXPECT_EQ(IsoWeeksInYear(2020), 53);
    EXPECT_EQ(IsoWeeksInYear(2021), 52);
}

TEST(IsoWeeks, WeekDatesAndWeekNumbersAgree) {
    for (int year = 1995; year <= 2035; ++year) {
        const int weeks = IsoWeeksInYear(year);
        for (int week = 1; week <= weeks; ++week) {
            const TDateRange dates = IsoWeekDates(week, year);
            ASSERT_EQ(dates.Start.dayOfWeek(), Qt::Monday) << year << " W" << week;
            ASSERT_EQ(dates.Start.daysTo(dates.End), 6);
            ASSERT_EQ(IsoWeek(dates.Start), (TIsoWeek{week, year}));
            ASSERT_EQ(IsoWeek(dates.End), (TIsoWeek{week, year}));
        }
        // The week after the last is the next year's first.
        EXPECT_EQ(IsoWeekDates(weeks, year).End.addDays(1), IsoWeekDates(1, year + 1).Start);
    }
    EXPECT_EQ(IsoWeekDates(1, 2005), (TDateRange{QDate(2005, 1, 3), QDate(2005, 1, 9)}));
    EXPECT_EQ(IsoWeekDates(1, 2008), (TDateRange{QDate(2007, 12, 31), QDate(2008, 1, 6)}));
}

TEST(IsoWeeks, DayOfYear) {
    EXPECT_EQ(DayOfYearNumber(QDate(2023, 1, 1)), 1);
    EXPECT_EQ(DayOfYearNumber(QDate(2023, 3, 1)), 60);
    EXPECT_EQ(DayOfYearNumber(QDate(2024, 3, 1)), 61);
    EXPECT_EQ(DayOfYearNumber(QDate(2024, 12, 31)), 366);
}

TEST(IsoWeeks, WholeWeeks) {
    EXPECT_TRUE(IsWholeWeek(QDate(2003, 3, 3), QDate(2003, 3, 9)));
    EXPECT_TRUE(IsWholeWeek(QDate(2003, 3, 9), QDate(2003, 3, 3))); // either order
    EXPECT_FALSE(IsWholeWeek(QDate(2003, 3, 4), QDate(2003, 3, 10)));
    EXPECT_FALSE(IsWholeWeek(QDate(2003, 3, 3), QDate(2003, 3, 8)));
    EXPECT_FALSE(IsWholeWeek(QDate(2003, 3, 3), QDate(2003, 3, 16)));
    EXPECT_FALSE(IsWholeWeek(QDate(), QDate(2003, 3, 9)));
}

TEST(IsoWeeks, WeekNumberText) {
    EXPECT_EQ(WeekNumberText(7, 2003), QStringLiteral("2003-W7"));
    EXPECT_EQ(WeekNumberText(53, 2004), QStringLiteral("2004-W53"));
}
