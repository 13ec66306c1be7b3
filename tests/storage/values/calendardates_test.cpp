#include "storage/values/calendardates.h"

#include <gtest/gtest.h>

TEST(CalendarDates, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
    for (int year : {1900, 2000, 2023, 2024})
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(DaysInMonth(year, month), QDate(year, month, 1).daysInMonth());
}

TEST(CalendarDates, ClampDay) {
    EXPECT_EQ(ClampDay(2024, 2, 31), 29);
    EXPECT_EQ(ClampDay(2023, 2, 0), 28);
    EXPECT_EQ(ClampDay(2023, 2, 1000), 28);
    EXPECT_EQ(ClampDay(2023, 2, -3), 28);
    EXPECT_EQ(ClampDay(2023, 3, 15), 15);
    EXPECT_EQ(ClampDay(2023, 3, 31), 31);
}

TEST(CalendarDates, WeekRanges) {
    const QDate sunday(2024, 3, 10);
    EXPECT_EQ(WeekDayNumber(sunday), 7);
    EXPECT_EQ(WeekDayNumber(QDate(2024, 3, 4)), 1);
    EXPECT_EQ(WeekRange(1, sunday), (TDateRange{QDate(2024, 3, 4), QDate(2024, 3, 10)}));
    EXPECT_EQ(WeekRange(7, sunday), (TDateRange{sunday, QDate(2024, 3, 16)}));
    // A week starting on Wednesday, asked on a Tuesday, reaches back six days.
    EXPECT_EQ(WeekRange(3, QDate(2024, 3, 5)), (TDateRange{QDate(2024, 2, 28), QDate(2024, 3, 5)}));
    for (int first = 1; first <= 7; ++first)
        for (QDate date(2024, 12, 20); date < QDate(2025, 1, 10); date = date.addDays(1)) {
            const TDateRange week = WeekRange(first, date);
            EXPECT_EQ(WeekDayNumber(week.Start), first);
            EXPECT_LE(week.Start, date);
            EXPECT_GE(week.End, date);
            EXPECT_EQ(week.Start.daysTo(week.End), 6);
        }
}

TEST(CalendarDates, MonthAndYearRanges) {
    EXPECT_EQ(ThisMonthRange(QDate(2024, 2, 14)),
              (TDateRange{QDate(2024, 2, 1), QDate(2024, 2, 29)}));
    EXPECT_EQ(LastMonthRange(QDate(2024, 3, 31)),
              (TDateRange{QDate(2024, 2, 1), QDate(2024, 2, 29)}));
    EXPECT_EQ(LastMonthRange(QDate(2024, 1, 15)),
              (TDateRange{QDate(2023, 12, 1), QDate(2023, 12, 31)}));
    EXPECT_EQ(ThisYearRange(QDate(2024, 6, 1)),
              (TDateRange{QDate(2024, 1, 1), QDate(2024, 12, 31)}));
    EXPECT_EQ(LastYearRange(QDate(2024, 6, 1)),
              (TDateRange{QDate(2023, 1, 1), QDate(2023, 12, 31)}));
}

TEST(CalendarDates, DayAndMonthDifferences) {
    const TMoment lateEvening(QDate(2024, 3, 2), QTime(23, 59));
    const TMoment earlyMorning(QDate(2024, 3, 1), QTime(0, 1));
    EXPECT_EQ(DayDifference(lateEvening, earlyMorning), 1);
    EXPECT_EQ(DayDifference(earlyMorning, lateEvening), -1);
    EXPECT_EQ(DayDifference(TMoment(QDate(2024, 3, 1), QTime(23, 0)), TMoment(QDate(2024, 3, 1))),
              0);
    EXPECT_EQ(DayDifference(TMoment(QDate(1899, 12, 29), QTime(18, 0)), TMoment()), -1);
    EXPECT_EQ(MonthDifference(QDate(2024, 1, 31), QDate(2023, 12, 1)), 1);
    EXPECT_EQ(MonthDifference(QDate(2023, 12, 1), QDate(2024, 1, 31)), -1);
    EXPECT_EQ(MonthDifference(QDate(2024, 5, 1), QDate(2022, 5, 31)), 24);
}
