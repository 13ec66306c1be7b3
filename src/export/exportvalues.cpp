#include "exportvalues.h"

#include "base/applocale.h"
#include "base/textutils.h"
#include "datetimepicture.h"
#include "exportformat.h"
#include "exportitem.h"
#include "storage/values/timevalues.h"

#include <algorithm>
#include <cmath>

namespace {
const QString LocalSettings = QStringLiteral("Local Settings");

// Fixed-point text with halves away from zero; written digit by digit because an export writes
// a number for every line.
QString FixedPoint(double value, int decimals) {
    static constexpr double Scales[] = {1.0, 10.0, 100.0};
    const long long scaled = std::llround(value * Scales[decimals]);
    unsigned long long magnitude = scaled < 0 ? 0ULL - static_cast<unsigned long long>(scaled)
                                              : static_cast<unsigned long long>(scaled);
    char16_t buffer[32];
    int at = 32;
    for (int digit = 0; digit < decimals; ++digit) {
        buffer[--at] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    }
    if (decimals > 0)
        buffer[--at] = LocaleDecimalSeparator().at(0).unicode();
    do {
        buffer[--at] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (scaled < 0)
        buffer[--at] = u'-';
    return QString(reinterpret_cast<const QChar*>(buffer + at), 32 - at);
}

// Remarks on one line; most have no line break or tab and pass as they are.
QString OneLine(const QString& text) {
    for (const QChar ch : text)
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QLatin1Char('\t'))
            return SingleLine(text);
    return text;
}

QString AsciiUpper(QString text) {
    for (QChar& ch : text)
        if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z'))
            ch = QChar(ch.unicode() - 'a' + 'A');
    return text;
}

QString AsciiLower(QString text) {
    for (QChar& ch : text)
        if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
            ch = QChar(ch.unicode() - 'A' + 'a');
    return text;
}
} // namespace

QString FormatTextValue(const QString& text, const QString& format) {
    if (format == QLatin1String("Upper case"))
        return AsciiUpper(text);
    if (format == QLatin1String("Lower case"))
        return AsciiLower(text);
    return text;
}

QString FormatNumberValue(double value, const QString& format) {
    if (format == QLatin1String("n"))
        return FixedPoint(value, 0);
    if (format == QLatin1String("n.n"))
        return FixedPoint(value, 1);
    return FixedPoint(value, 2);
}

QString FormatTrueFalseValue(bool value, const QString& format) {
    if (format == QLatin1String("True/False"))
        return value ? QStringLiteral("True") : QStringLiteral("False");
    if (format == QLatin1String("Yes/No"))
        return YesNoWord(value);
    if (format == QLatin1String("Y/N"))
        return YesNoLetter(value);
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString FormatCurrencyValue(TMoney amount, const QString& format) {
    const QString text = FormatMoney(amount);
    return format.size() > 4 ? LocaleCurrencySymbol() + text : text;
}

QString FormatDateValue(QDate date, const QString& format) {
    return FormatDatePicture(date, format == LocalSettings ? LocalShortDatePicture() : format);
}

// As the clock texts of the program: an hour above 23 counts as 0, its minutes stay.
int ExportClock(int time) {
    const int clock = std::max(0, TimeToClock(time));
    const int hour = clock / 100 > 23 ? 0 : clock / 100;
    return hour * 100 + std::min(clock % 100, 59);
}

QString FormatTimeValue(int time, const QString& format) {
    const int clock = ExportClock(time);
    return FormatTimePicture(QTime(clock / 100, clock % 100),
                             format == LocalSettings ? LocalTimePicture() : format);
}

TLineSource LineSourceOf(TExportField field) {
    switch (field) {
    case TExportField::User:
        return {TLineValue::Text, &TReportLine::User};
    case TExportField::Date:
        return {TLineValue::Date};
    case TExportField::Client:
    case TExportField::ClientList:
        return {TLineValue::Text, &TReportLine::Client};
    case TExportField::Project:
    case TExportField::ProjectList:
        return {TLineValue::Text, &TReportLine::Project};
    case TExportField::Category:
    case TExportField::CategoryList:
        return {TLineValue::Text, &TReportLine::Category};
    case TExportField::Activity:
    case TExportField::ActivityList:
        return {TLineValue::Text, &TReportLine::Activity};
    case TExportField::Remarks:
        return {TLineValue::Remarks, &TReportLine::Remarks};
    case TExportField::StartTime:
        return {TLineValue::Time, nullptr, &TReportLine::StartTime};
    case TExportField::EndTime:
        return {TLineValue::Time, nullptr, &TReportLine::EndTime};
    case TExportField::Duration:
        return {TLineValue::Duration};
    case TExportField::IsOvertime:
        return {TLineValue::Overtime};
    case TExportField::IsChargeable:
        return {TLineValue::Chargeable};
    case TExportField::ChargeType:
        return {TLineValue::Text, &TReportLine::BillingCode};
    case TExportField::ChargeRate:
        return {TLineValue::Rate, &TReportLine::RateText};
    case TExportField::TotalCharge:
        return {TLineValue::Amount};
    case TExportField::IsReportable:
        return {TLineValue::Reportable};
    case TExportField::UserDefined:
        break;
    }
    return {TLineValue::Constant};
}

QString FormatValue(const TExportItem& column, const TReportLine& line) {
    const QString& format = column.FieldFormat;
    const TLineSource source = LineSourceOf(column.Field);
    switch (source.Kind) {
    case TLineValue::Text:
        return FormatTextValue(line.*source.Text, format);
    case TLineValue::Remarks:
        return FormatTextValue(OneLine(line.*source.Text), format);
    case TLineValue::Date:
        return FormatDateValue(line.Date, format);
    case TLineValue::Time:
        return FormatTimeValue(line.*source.Time, format);
    case TLineValue::Duration:
        return FormatNumberValue(line.TotalHours(), format);
    case TLineValue::Overtime:
        return FormatTrueFalseValue(line.OvertimeHours != 0, format);
    case TLineValue::Chargeable:
        return FormatTrueFalseValue(line.Chargeable, format);
    case TLineValue::Reportable:
        return FormatTrueFalseValue(true, format);
    case TLineValue::Rate:
        return FormatCurrencyValue(line.RateValue(), format);
    case TLineValue::Amount:
        return FormatCurrencyValue(line.Amount, format);
    case TLineValue::Constant:
        break;
    }
    return FormatTextValue(column.FieldValue, format);
}

// A text without the delimiter is passed on as it is, without a copy.
QString ReplaceDelimiter(const TExportFormat& format, const QString& text) {
    const QChar delimiter(char32_t(format.Delimiter));
    const QChar lower = delimiter.toLower();
    const QChar upper = delimiter.toUpper();
    const auto isDelimiter = [&](QChar ch) { return ch == lower || ch == upper; };
    if (std::none_of(text.cbegin(), text.cend(), isDelimiter))
        return text;
    QString result = text;
    std::replace_if(result.begin(), result.end(), isDelimiter,
                    QChar(char32_t(format.DelimiterReplace)));
    return result;
}
