#include "timetexts.h"

#include "base/applocale.h"
#include "storage/values/timevalues.h"

#include <algorithm>
#include <cmath>

#include <QTime>

namespace {
QString DecimalDurationText(double hours) {
    const double rounded = std::round(hours * 100) / 100;
    QString number = QString::number(rounded, 'g', 15);
    number.replace(QLatin1Char('.'), LocaleDecimalSeparator());
    return number + QLatin1Char(' ') + HoursWord(hours);
}

QString HoursAndMinutesText(double hours) {
    double wholeHours = 0;
    const double fraction = std::modf(hours, &wholeHours);
    long long h = static_cast<long long>(wholeHours);
    long long m = std::llround(fraction * 60);
    if (m >= 60) {
        m -= 60;
        h += 1;
    }
    QString text;
    if (h > 0)
        text = QString::number(h) + QLatin1Char(' ') + HoursWord(static_cast<double>(h));
    if (m > 0) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QString::number(m) + QLatin1Char(' ') + MinutesWord(static_cast<int>(m));
    }
    return text;
}
} // namespace

QString HoursWord(double hours) {
    return hours == 1 ? QStringLiteral("hr") : QStringLiteral("hrs");
}

QString MinutesWord(int minutes) {
    return minutes == 1 ? QStringLiteral("min") : QStringLiteral("mins");
}

QString DurationText(bool decimal, double hours) {
    if (hours == 0)
        return {};
    return decimal ? DecimalDurationText(hours) : HoursAndMinutesText(hours);
}

QString ClockText(int hhmm) {
    if (hhmm < 0)
        hhmm = 0;
    int hour = hhmm / 100;
    if (hour > 23)
        hour = 0;
    const int minute = std::min(hhmm % 100, 59);
    return LocaleTimeText(QTime(hour, minute));
}

QString TimeText(int t) {
    return ClockText(TimeToClock(t));
}

QString PadNumber(int n, int width) {
    QString text = QString::number(n);
    if (text.size() < width)
        text.prepend(QString(width - text.size(), QLatin1Char('0')));
    return text;
}
