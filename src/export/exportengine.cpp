#include "exportengine.h"

#include "app/applocale.h"
#include "app/datalocations.h"
#include "app/textutils.h"
#include "datetimepicture.h"
#include "reporting/reportdata.h"
#include "reporting/reportline.h"
#include "reporting/reportlines.h"
#include "storage/adminsettings.h"
#include "storage/calendardates.h"
#include "storage/converterror.h"
#include "storage/ioerror.h"
#include "storage/textfile.h"
#include "storage/timevalues.h"

#include <QCollator>

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace {
const QString LocalSettings = QStringLiteral("Local Settings");

QString FixedPoint(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const long long scaled = std::llround(value * scale);
    const unsigned long long magnitude =
        scaled < 0 ? 0ULL - static_cast<unsigned long long>(scaled) : static_cast<unsigned long long>(scaled);
    const auto divisor = static_cast<unsigned long long>(scale);
    QString text = QString::number(magnitude / divisor);
    if (decimals > 0)
        text += LocaleDecimalSeparator() +
                QStringLiteral("%1").arg(magnitude % divisor, decimals, 10, QLatin1Char('0'));
    return scaled < 0 ? QLatin1Char('-') + text : text;
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

QString FormatTimeValue(int time, const QString& format) {
    const int clock = std::max(0, TimeToClock(time));
    int hour = clock / 100;
    const int minute = std::min(clock % 100, 59);
    if (hour > 23)
        hour = 0;
    return FormatTimePicture(QTime(hour, minute), format == LocalSettings ? LocalTimePicture() : format);
}

QString FormatValue(const TExportItem& column, const TReportLine& line) {
    const QString& format = column.FieldFormat;
    switch (column.Field) {
    case efUser: return FormatTextValue(line.User, format);
    case efDate: return FormatDateValue(line.Date, format);
    case efClient:
    case efClientList: return FormatTextValue(line.Client, format);
    case efProject:
    case efProjectList: return FormatTextValue(line.Project, format);
    case efCategory:
    case efCategoryList: return FormatTextValue(line.Category, format);
    case efActivity:
    case efActivityList: return FormatTextValue(line.Activity, format);
    case efRemarks: return FormatTextValue(SingleLine(line.Remarks), format);
    case efStartTime: return FormatTimeValue(line.StartTime, format);
    case efEndTime: return FormatTimeValue(line.EndTime, format);
    case efDuration: return FormatNumberValue(line.TotalHours(), format);
    case efIsOvertime: return FormatTrueFalseValue(line.OvertimeHours != 0, format);
    case efIsReportable: return FormatTrueFalseValue(true, format);
    case efIsChargeable: return FormatTrueFalseValue(line.Chargeable, format);
    case efChargeType: return FormatTextValue(line.BillingCode, format);
    case efChargeRate: return FormatCurrencyValue(line.RateValue(), format);
    case efTotalCharge: return FormatCurrencyValue(line.Amount, format);
    default: return FormatTextValue(column.FieldValue, format);
    }
}

QString ReplaceDelimiter(const TExportFormat& format, const QString& text) {
    const QChar delimiter(char32_t(format.Delimiter));
    const QChar replacement(char32_t(format.DelimiterReplace));
    QString result = text;
    for (QChar& ch : result)
        if (ch == delimiter || ch.toCaseFolded() == delimiter.toCaseFolded())
            ch = replacement;
    return result;
}

TDateRange PeriodDates(int period, QDate date, int firstDayOfWeek) {
    TDateRange range;
    switch (period) {
    case 1: range = WeekRange(firstDayOfWeek, date.addDays(-7)); break;
    case 2: range = ThisMonthRange(date); break;
    case 3: range = LastMonthRange(date); break;
    case 4: range = ThisYearRange(date); break;
    default: range = WeekRange(firstDayOfWeek, date);
    }
    return range;
}

namespace {
// The rows of one group, with its heading line at the top when headings are on; Skipped when
// the group is left out entirely.
struct TGroupRows {
    QStringList Lines;
    bool Skipped = false;
};

// Builds the row of one report line from an area's columns; the first line's call also builds
// the heading line when headingPending is set.
QString BuildRow(const TExportFormat& format, const TExportFormat::TItems& columns,
                 const TReportLine& line, bool headingPending, QString& heading) {
    const QChar delimiter(char32_t(format.Delimiter));
    QString row;
    int headings = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const TExportItem& column = *columns[i];
        const bool previousMerging = i > 0 && columns[i - 1]->FieldMergeFollowing;
        if (headingPending && !previousMerging) {
            if (headings++ > 0)
                heading += delimiter;
            heading += ReplaceDelimiter(format, column.FieldHeading);
        }
        const QString value = FormatValue(column, line);
        if (column.FieldMergeFollowing) {
            row += ReplaceDelimiter(format, value + column.FieldSeparator);
        } else {
            row += ReplaceDelimiter(format, value);
            if (i + 1 < columns.size())
                row += delimiter;
        }
    }
    return row;
}

// Client and Category rows are kept once each, letter case ignored, and sorted by the
// locale's collation without regard to case; Time rows keep the order of the lines.
void SortDistinct(QStringList& rows) {
    QCollator collator(AppLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}

TGroupRows GroupRows(const TExportFormat& format, int area, const std::vector<TReportLine>& lines) {
    const TExportFormat::TItems& columns = format.Items(area);
    const bool distinct = area != eaData;
    QStringList rows;
    QString heading;
    bool headingPending = format.Headings;
    std::unordered_set<QString> seen;
    for (const TReportLine& line : lines) {
        const QString row = BuildRow(format, columns, line, headingPending, heading);
        headingPending = false;
        if (row.isEmpty() || (distinct && !seen.insert(row.toCaseFolded()).second))
            continue;
        rows.append(row);
    }
    if (distinct)
        SortDistinct(rows);
    if (format.SkipEmptyGroups && rows.isEmpty())
        return {{}, true};
    if (format.Headings)
        rows.prepend(heading);
    return {rows, false};
}
} // namespace

QStringList ExportLines(const TExportFormat& format, const std::vector<TReportLine>& lines) {
    QStringList output;
    bool anyTaken = false;
    for (const int area : format.GroupOrder()) {
        if (area == eaNone)
            continue;
        const TGroupRows group = GroupRows(format, area, lines);
        if (group.Skipped)
            continue;
        if (anyTaken)
            for (int i = 0; i < format.BlankRows; ++i)
                output.append(QString());
        output += group.Lines;
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
    QStringList output;
    try {
        TReportLines lines;
        {
            const TReportDays days = CollectReportDays(start, end, SourceFolders(format.Users));
            BuildReportLines(days, ExportLineOptions(format), lines);
        }
        output = ExportLines(format, lines.Lines());
    } catch (const EInOutError& error) {
        return error.Text();
    }
    if (output.isEmpty())
        return NothingToExportText;
    const QString path = format.FileDir + format.FileName;
    try {
        WriteTextFile(path, output.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));
    } catch (const EInOutError&) {
        return QStringLiteral("Unable to create \"") + path + QLatin1Char('"');
    }
    return {};
}
