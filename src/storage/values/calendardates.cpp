#include "calendardates.h"

#include <array>

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int ClampDay(int year, int month, int day) {
    const int length = DaysInMonth(year, month);
    return day > 0 && day < length ? day : length;
}

int WeekDayNumber(QDate date) {
    return date.dayOfWeek();
}

TDateRange WeekRange(int firstDay, QDate date) {
    const int weekDay = WeekDayNumber(date);
    const int back = weekDay >= firstDay ? weekDay - firstDay : weekDay + 7 - firstDay;
    const QDate start = date.addDays(-back);
    return {start, start.addDays(6)};
}

TDateRange ThisMonthRange(QDate date) {
    const QDate first(date.year(), date.month(), 1);
    return {first, first.addDays(date.daysInMonth() - 1)};
}

TDateRange LastMonthRange(QDate date) {
    return ThisMonthRange(QDate(date.year(), date.month(), 1).addMonths(-1));
}

TDateRange ThisYearRange(QDate date) {
    return {QDate(date.year(), 1, 1), QDate(date.year(), 12, 31)};
}

TDateRange LastYearRange(QDate date) {
    return ThisYearRange(QDate(date.year(), 1, 1).addYears(-1));
}

int DayDifference(const TMoment& a, const TMoment& b) {
    return static_cast<int>(b.Date().daysTo(a.Date()));
}

int MonthDifference(QDate a, QDate b) {
    return (a.year() * 12 + a.month()) - (b.year() * 12 + b.month());
}
