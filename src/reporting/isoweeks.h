#pragma once

#include "storage/values/calendardates.h"

#include <QDate>
#include <QString>

// Weeks as ISO 8601 counts them: they start on Monday, and week 1 is the week that holds the
// year's first Thursday. Report periods are chosen and captioned with them.

struct TIsoWeek {
    int Week = 0;
    int Year = 0;
    bool operator==(const TIsoWeek&) const = default;
};

// 1 ... 366.
int DayOfYearNumber(QDate date);
// The week the date belongs to, with the year that week is counted in (1 January 2005 is in
// week 53 of 2004).
TIsoWeek IsoWeek(QDate date);
// Monday (Start) and Sunday (End) of the week.
TDateRange IsoWeekDates(int week, int year);
// 52 or 53.
int IsoWeeksInYear(int year);
// True when the two dates, in either order, are a Monday and the Sunday after it.
bool IsWholeWeek(QDate from, QDate to);
// "2003-W7".
QString WeekNumberText(int week, int year);
