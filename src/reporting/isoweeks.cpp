#include "isoweeks.h"

#include <algorithm>

namespace {
constexpr int DaysPerWeek = 7;
constexpr int LastDayOfWeekOne = 4; // 4 January always lies in week 1
} // namespace

int DayOfYearNumber(QDate date) {
    return date.dayOfYear();
}

TIsoWeek IsoWeek(QDate date) {
    TIsoWeek week;
    week.Week = date.weekNumber(&week.Year);
    return week;
}

TDateRange IsoWeekDates(int week, int year) {
    const QDate fourth(year, 1, LastDayOfWeekOne);
    const QDate monday = fourth.addDays(1 - fourth.dayOfWeek() + (week - 1) * DaysPerWeek);
    return {monday, monday.addDays(DaysPerWeek - 1)};
}

int IsoWeeksInYear(int year) {
    return IsoWeek(QDate(year, 12, 28)).Week;
}

bool IsWholeWeek(QDate from, QDate to) {
    if (!from.isValid() || !to.isValid())
        return false;
    if (from > to)
        std::swap(from, to);
    return from.dayOfWeek() == Qt::Monday && from.daysTo(to) == DaysPerWeek - 1;
}

QString WeekNumberText(int week, int year) {
    return QString::number(year) + QStringLiteral("-W") + QString::number(week);
}
