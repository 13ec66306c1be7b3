#pragma once

// moc reads this through the window headers and cannot parse this compiler's <compare>.
#ifndef Q_MOC_RUN
#include <compare>
#endif

#include <QDate>
#include <QDateTime>
#include <QTime>

// A date with a time of day, to the millisecond, free of time zones. Also readable as the
// traditional real number of days since 30 December 1899 whose fraction is the time of day
// (before that day the whole part counts back and the fraction still runs forward).
class TMoment {
public:
    // 30 December 1899 at 00:00, the moment 0.
    TMoment();
    explicit TMoment(QDate date, int msecsOfDay = 0);
    TMoment(QDate date, QTime time);

    static TMoment FromDays(double days);
    static TMoment FromDateTime(const QDateTime& dateTime);

    double ToDays() const;
    QDateTime ToDateTime() const;
    QDate Date() const { return FDate; }
    QTime Time() const { return QTime::fromMSecsSinceStartOfDay(FMSecs); }
    int MSecsOfDay() const { return FMSecs; }

    bool operator==(const TMoment& other) const {
        return FDate == other.FDate && FMSecs == other.FMSecs;
    }
    std::strong_ordering operator<=>(const TMoment& other) const;

private:
    QDate FDate;
    int FMSecs = 0;
};
