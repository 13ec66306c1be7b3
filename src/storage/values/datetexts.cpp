#include "datetexts.h"

#include "base/applocale.h"
#include "base/converterror.h"
#include "base/textutils.h"
#include "storage/values/timetexts.h"

#include <array>

namespace {
constexpr std::array<const char*, 12> MonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> DayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                 "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> MonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Sunday = 1 ... Saturday = 7.
int SundayFirstDayNumber(QDate date) {
    return date.dayOfWeek() % 7 + 1;
}

// Year range of the dates the program accepts (four-digit years, no year 0).
bool IsRealDate(QDate date) {
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

int DigitValue(QChar ch) {
    const char16_t code = ch.unicode();
    return code >= u'0' && code <= u'9' ? code - u'0' : -1;
}

// The value of count ASCII digits from start, or -1 when one of them is not a digit.
int DigitsValue(QStringView s, qsizetype start, qsizetype count) {
    int value = 0;
    for (qsizetype i = start; i < start + count; ++i) {
        const int digit = DigitValue(s.at(i));
        if (digit < 0)
            return -1;
        value = value * 10 + digit;
    }
    return value;
}

int AbbreviationMonth(QStringView text) {
    for (int month = 1; month <= 12; ++month)
        if (text == QLatin1String(MonthAbbreviations[month - 1]))
            return month;
    return 0;
}

QDate ReadDayMonthYear(const QString& s) {
    QString rest = s;
    const QString dayText = NextToken(rest, u" ");
    const QString monthText = NextToken(rest, u" ");
    const QString yearText = NextToken(rest, u" ");
    int day = 0;
    int year = 0;
    if (!rest.trimmed().isEmpty() || !TryInteger(dayText, day) || !TryInteger(yearText, year))
        return {}; // nothing may follow the year
    const QDate date(year, MonthFromText(monthText), day);
    return IsRealDate(date) ? date : QDate();
}
} // namespace

QString MonthName(int month) {
    if (month < 1 || month > 12)
        month = 12;
    return QLatin1String(MonthNames[month - 1]);
}

QString DayName(QDate date) {
    return QLatin1String(DayNames[SundayFirstDayNumber(date) - 1]);
}

QString ShortDayName(int dayNumber) {
    if (dayNumber < 1 || dayNumber > 6)
        dayNumber = 7;
    return QString(QLatin1String(DayNames[dayNumber - 1])).left(3);
}

QString DateText(QDate date) {
    return PadNumber(date.day(), 2) + QLatin1Char(' ') + MonthName(date.month()).left(3) +
           QLatin1Char(' ') + PadNumber(date.year(), 4);
}

int MonthFromText(const QString& s) {
    static const QString months = QStringLiteral("JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC");
    const QString key = s.left(3).toUpper().trimmed();
    const int position = static_cast<int>(months.indexOf(key)) + 1; // 1-based, 0 when absent
    return position / 3 + 1;
}

bool TryFixedDateText(QStringView s, QDate& date) {
    if (s.size() != 11 || s.at(2) != QLatin1Char(' ') || s.at(6) != QLatin1Char(' '))
        return false;
    const int day = DigitsValue(s, 0, 2);
    const int month = AbbreviationMonth(s.mid(3, 3));
    const int year = DigitsValue(s, 7, 4);
    if (day < 0 || month == 0 || year < 0 || !LocaleShortDateKeepsFixedForm())
        return false;
    const QDate result(year, month, day);
    if (!IsRealDate(result))
        return false;
    date = result;
    return true;
}

QDate ParseDateTextByRule(const QString& s) {
    QDate date = ReadLocaleShortDate(s);
    if (IsRealDate(date))
        return date;
    date = ReadDayMonthYear(s);
    if (!date.isValid())
        throw EConvertError(QuotedText(s) + QStringLiteral(" is not a valid date"), s);
    return date;
}

QDate ParseDateText(const QString& s) {
    QDate date;
    if (TryFixedDateText(s, date))
        return date;
    return ParseDateTextByRule(s);
}
