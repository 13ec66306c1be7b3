#pragma once

#include <QDate>
#include <QString>

// English names, independent of the locale: "January" ... "December" for 1..11, "December"
// for any other value.
QString MonthName(int month);
// "Sunday" ... "Saturday" of the date.
QString DayName(QDate date);
// "Sun", "Mon", ... for dayNumber 1..6 counted from Sunday = 1; "Sat" otherwise.
QString ShortDayName(int dayNumber);

// The date form of every data file: two-digit day, English month abbreviation and four-digit
// year, e.g. "05 Jan 2024".
QString DateText(QDate date);

// The month of an English month abbreviation at the start of s, letter case ignored; 1
// (January) for a text that is none.
int MonthFromText(const QString& s);

// Reads a date: the locale's short date form first, then the data files' form (day, month
// text and year separated by spaces). Throws EConvertError when neither gives a real date.
QDate ParseDateText(const QString& s);
// The same rule without the fast path for the data files' own form; ParseDateText always
// returns what this returns.
QDate ParseDateTextByRule(const QString& s);
// The fast path ParseDateText tries first: only exactly the form DateText writes (e.g.
// "05 Jan 2024") and only while the locale's short date form cannot read such a text to
// another date. False when it does not apply.
bool TryFixedDateText(QStringView s, QDate& date);
