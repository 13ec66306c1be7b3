#include "exportengine.h"

#include "app/applocale.h"
#include "app/datalocations.h"
#include "app/textutils.h"
#include "datetimepicture.h"
#include "distinctrows.h"
#include "exportpieces.h"
#include "exportrows.h"
#include "exportwriter.h"
#include "reporting/reportdata.h"
#include "reporting/reportline.h"
#include "reporting/reportlines.h"
#include "storage/adminsettings.h"
#include "storage/calendardates.h"
#include "storage/converterror.h"
#include "storage/day.h"
#include "storage/ioerror.h"
#include "storage/timevalues.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

QString FormatValue(const TExportItem& column, const TReportLine& line) {
    const QString& format = column.FieldFormat;
    switch (column.Field) {
    case efUser:
        return FormatTextValue(line.User, format);
    case efDate:
        return FormatDateValue(line.Date, format);
    case efClient:
    case efClientList:
        return FormatTextValue(line.Client, format);
    case efProject:
    case efProjectList:
        return FormatTextValue(line.Project, format);
    case efCategory:
    case efCategoryList:
        return FormatTextValue(line.Category, format);
    case efActivity:
    case efActivityList:
        return FormatTextValue(line.Activity, format);
    case efRemarks:
        return FormatTextValue(OneLine(line.Remarks), format);
    case efStartTime:
        return FormatTimeValue(line.StartTime, format);
    case efEndTime:
        return FormatTimeValue(line.EndTime, format);
    case efDuration:
        return FormatNumberValue(line.TotalHours(), format);
    case efIsOvertime:
        return FormatTrueFalseValue(line.OvertimeHours != 0, format);
    case efIsReportable:
        return FormatTrueFalseValue(true, format);
    case efIsChargeable:
        return FormatTrueFalseValue(line.Chargeable, format);
    case efChargeType:
        return FormatTextValue(line.BillingCode, format);
    case efChargeRate:
        return FormatCurrencyValue(line.RateValue(), format);
    case efTotalCharge:
        return FormatCurrencyValue(line.Amount, format);
    default:
        return FormatTextValue(column.FieldValue, format);
    }
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

TDateRange PeriodDates(int period, QDate date, int firstDayOfWeek) {
    TDateRange range;
    switch (period) {
    case 1:
        range = WeekRange(firstDayOfWeek, date.addDays(-7));
        break;
    case 2:
        range = ThisMonthRange(date);
        break;
    case 3:
        range = LastMonthRange(date);
        break;
    case 4:
        range = ThisYearRange(date);
        break;
    default:
        range = WeekRange(firstDayOfWeek, date);
    }
    return range;
}

namespace {
// One row as the rules describe it, value by value.
QString PlainRow(const TExportFormat& format, const TExportFormat::TItems& columns,
                 const TReportLine& line) {
    QString row;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const TExportItem& column = *columns[i];
        const QString value = FormatValue(column, line);
        if (column.FieldMergeFollowing) {
            row += ReplaceDelimiter(format, value + column.FieldSeparator);
        } else {
            row += ReplaceDelimiter(format, value);
            if (i + 1 < columns.size())
                row += QChar(char32_t(format.Delimiter));
        }
    }
    return row;
}

// The rows of one group with its heading line on top when headings are on; nothing when the
// group is skipped.
std::optional<QStringList> PlainGroupLines(const TExportFormat& format, int area,
                                           const std::vector<TReportLine>& lines) {
    const TExportFormat::TItems& columns = format.Items(area);
    QStringList rows;
    if (area == eaData) {
        for (const TReportLine& line : lines)
            if (QString row = PlainRow(format, columns, line); !row.isEmpty())
                rows.append(std::move(row));
    } else {
        TDistinctRows distinct;
        for (const TReportLine& line : lines)
            distinct.Add(PlainRow(format, columns, line));
        rows = distinct.Sorted();
    }
    if (format.SkipEmptyGroups && rows.isEmpty())
        return std::nullopt;
    if (format.Headings)
        rows.prepend(lines.empty() ? QString() : HeadingLine(format, columns));
    return rows;
}
} // namespace

QStringList ExportLines(const TExportFormat& format, const std::vector<TReportLine>& lines) {
    QStringList output;
    bool anyTaken = false;
    for (const int area : format.GroupOrder()) {
        if (area == eaNone)
            continue;
        const std::optional<QStringList> group = PlainGroupLines(format, area, lines);
        if (!group)
            continue;
        if (anyTaken)
            for (int i = 0; i < format.BlankRows; ++i)
                output.append(QString());
        output += *group;
        anyTaken = true;
    }
    return output;
}

namespace {
// No list when the format names only the current user: that user's own data is read.
std::optional<QStringList> SourceFolders(const QStringList& users) {
    if (users.size() == 1 && users.first() == CurrentUserName())
        return std::nullopt;
    bool useLocal = false;
    QStringList folders;
    for (const QString& user : users)
        folders.append(DataPath(useLocal) + user + QLatin1Char('/'));
    return folders;
}

TLineOptions ExportLineOptions(const TExportFormat& format) {
    TLineOptions options;
    options.WithUser = true;
    options.ClientFilter = format.Client;
    options.ProjectFilter = format.Project;
    options.Consolidate = false;
    options.Charging = format.Charging;
    options.ExcludeOvertime = !format.Overtime;
    options.OvertimeOnly = false;
    options.WithBillingCode = true;
    return options;
}
} // namespace

QString ExportData(const TExportFormat& format, QDate start, QDate end, QDate today) {
    if (!start.isValid() || !end.isValid()) {
        const TDateRange period = PeriodDates(format.Period, today, AdminSettings().FirstDayOfWeek);
        start = period.Start;
        end = period.End;
    } else if (start > end) {
        std::swap(start, end);
    }
    std::vector<TExportPiece> pieces;
    try {
        pieces = MakeExportPieces(format, start, end, SourceFolders(format.Users),
                                  ExportLineOptions(format));
    } catch (const EInOutError& error) {
        return error.Text();
    }
    const QString path = format.FileDir + format.FileName;
    switch (TExportWriter::WriteFile(format, std::move(pieces), path)) {
    case TExportWriter::TResult::Written:
        return {};
    case TExportWriter::TResult::NothingToExport:
        return NothingToExportText;
    case TExportWriter::TResult::Failed:
        break;
    }
    return QStringLiteral("Unable to create \"") + path + QLatin1Char('"');
}
