#include "moment.h"

#include <cmath>

namespace {
constexpr int MSecsPerDay = 24 * 60 * 60 * 1000;

QDate DayZero() {
    return QDate(1899, 12, 30);
}

int ClampedMSecs(int msecs) {
    return msecs < 0 ? 0 : (msecs >= MSecsPerDay ? MSecsPerDay - 1 : msecs);
}
} // namespace

TMoment::TMoment() : FDate(DayZero()) {}

TMoment::TMoment(QDate date, int msecsOfDay) : FDate(date), FMSecs(ClampedMSecs(msecsOfDay)) {}

TMoment::TMoment(QDate date, QTime time)
    : TMoment(date, time.isValid() ? time.msecsSinceStartOfDay() : 0) {}

TMoment TMoment::FromDays(double days) {
    const double wholeDays = std::trunc(days);
    const double fraction = std::fabs(days - wholeDays);
    const auto msecs = static_cast<int>(std::llround(fraction * MSecsPerDay));
    return TMoment(DayZero().addDays(static_cast<qint64>(wholeDays)), msecs);
}

TMoment TMoment::FromDateTime(const QDateTime& dateTime) {
    return TMoment(dateTime.date(), dateTime.time());
}

double TMoment::ToDays() const {
    const auto wholeDays = static_cast<double>(DayZero().daysTo(FDate));
    const double fraction = static_cast<double>(FMSecs) / MSecsPerDay;
    return wholeDays >= 0 ? wholeDays + fraction : wholeDays - fraction;
}

QDateTime TMoment::ToDateTime() const {
    return QDateTime(FDate, Time());
}

std::strong_ordering TMoment::operator<=>(const TMoment& other) const {
    if (const auto byDay = FDate.toJulianDay() <=> other.FDate.toJulianDay(); byDay != 0)
        return byDay;
    return FMSecs <=> other.FMSecs;
}
