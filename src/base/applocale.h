#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The one locale the program formats and parses with: the system locale in the program,
// a pinned one in tests. Every locale-dependent text goes through the functions below; the
// fixed forms of the data files (dates such as "05 Jan 2024", clock values, English names)
// never do.
const QLocale& AppLocale();
void SetAppLocale(const QLocale& locale);

// The short date picture (Qt picture letters), e.g. "M/d/yy" or "dd.MM.yy".
QString LocaleShortDateFormat();
QString LocaleShortDateText(QDate date);
// Reads text in the short date form; an invalid date when it is not one. A two-digit year
// means 1950..2049, so that a date the locale wrote today reads back as today.
QDate ReadLocaleShortDate(const QString& text);
// True when reading a text of the data files' date form ("05 Jan 2024") in the short date
// form either fails or gives the same date as the data files' own rule. Date reading may then
// take the data-file form on its own, without asking the locale first.
bool LocaleShortDateKeepsFixedForm();

// The time-of-day picture without seconds, e.g. "h:mm AP" or "HH:mm".
QString LocaleTimeFormat();
QString LocaleTimeText(QTime time);

QString LocaleDecimalSeparator();
// The locale's currency symbol; "$" where the locale has none.
QString LocaleCurrencySymbol();
// Monday = 1 ... Sunday = 7.
int LocaleFirstDayOfWeek();
// Names as the locale writes them on their own (calendar titles, column heads):
// weekDay Monday = 1 ... Sunday = 7, month 1..12; an empty text outside those ranges.
QString LocaleDayName(int weekDay, QLocale::FormatType format = QLocale::LongFormat);
QString LocaleMonthName(int month, QLocale::FormatType format = QLocale::LongFormat);
