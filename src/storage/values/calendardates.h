#pragma once

#include "storage/values/moment.h"

#include <QDate>

// A period of whole days, both ends included.
struct TDateRange {
    QDate Start;
    QDate End;
    bool operator==(const TDateRange&) const = default;
};

bool IsLeapYear(int year);
// Days of month 1..12 (February 29 in a leap year); 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// day when 0 < day < DaysInMonth, else the month's last day: with a huge day it gives the
// month's length, with 0 its last day.
int ClampDay(int year, int month, int day);

// The program's own week numbering: Monday = 1 ... Sunday = 7.
int WeekDayNumber(QDate date);

// The seven days from the last firstDay (Monday = 1 ... Sunday = 7) on or before date.
TDateRange WeekRange(int firstDay, QDate date);
TDateRange ThisMonthRange(QDate date);
TDateRange LastMonthRange(QDate date);
TDateRange ThisYearRange(QDate date);
TDateRange LastYearRange(QDate date);

// Whole days between the dates of two moments (a - b), the times of day ignored.
int DayDifference(const TMoment& a, const TMoment& b);
// Months between two dates (a - b), the days ignored.
int MonthDifference(QDate a, QDate b);
