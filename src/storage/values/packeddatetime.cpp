#include "packeddatetime.h"

namespace {
constexpr int FirstYear = 1980;
constexpr int EndYear = 2100;
} // namespace

TPackedDateTime PackDateTime(const TMoment& moment) {
    const QDate date = moment.Date();
    if (date.year() < FirstYear || date.year() >= EndYear)
        return 0;
    const QTime time = moment.Time();
    const auto packedDate =
        static_cast<quint32>(((date.year() - FirstYear) << 9) | (date.month() << 5) | date.day());
    const auto packedTime =
        static_cast<quint32>((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
    return (packedDate << 16) | packedTime;
}

TMoment UnpackDateTime(TPackedDateTime packed) {
    const quint32 high = packed >> 16;
    const quint32 low = packed & 0xFFFF;
    const QDate date(FirstYear + static_cast<int>(high >> 9), static_cast<int>((high >> 5) & 0xF),
                     static_cast<int>(high & 0x1F));
    const int hour = static_cast<int>(low >> 11);
    const int minute = static_cast<int>((low >> 5) & 0x3F);
    const int second = static_cast<int>(low & 0x1F) * 2;
    if (packed == 0 || !date.isValid() || !QTime::isValid(hour, minute, second))
        return {};
    return TMoment(date, QTime(hour, minute, second));
}
