#include "exportengine.h"

#include "app/applocale.h"
#include "app/datalocations.h"
#include "app/textutils.h"
#include "columnwriter.h"
#include "datetimepicture.h"
#include "reporting/reportdata.h"
#include "reporting/reportline.h"
#include "reporting/reportlines.h"
#include "storage/adminsettings.h"
#include "storage/calendardates.h"
#include "storage/converterror.h"
#include "storage/day.h"
#include "storage/ioerror.h"
#include "storage/textfile.h"
#include "storage/timevalues.h"

#include <QCollator>

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace {
const QString LocalSettings = QStringLiteral("Local Settings");

// Fixed-point text with halves away from zero; written digit by digit because an export writes
// a number for every line.
QString FixedPoint(double value, int decimals) {
    static constexpr double Scales[] = {1.0, 10.0, 100.0};
    const long long scaled = std::llround(value * Scales[decimals]);
    unsigned long long magnitude =
        scaled < 0 ? 0ULL - static_cast<unsigned long long>(scaled) : static_cast<unsigned long long>(scaled);
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

int ExportClock(int time) {
    const int clock = std::max(0, TimeToClock(time));
    if (clock / 100 > 23)
        return 0;
    return clock / 100 * 100 + std::min(clock % 100, 59);
}

QString FormatTimeValue(int time, const QString& format) {
    const int clock = ExportClock(time);
    return FormatTimePicture(QTime(clock / 100, clock % 100),
                             format == LocalSettings ? LocalTimePicture() : format);
}

QString FormatValue(const TExportItem& column, const TReportLine& line) {
    return TColumnWriter(column).Value(line);
}

namespace {
// Replaces the delimiter (in either letter case) by the replacement character; a text without
// it is passed on untouched, without a copy.
class TDelimiterReplacer {
public:
    explicit TDelimiterReplacer(const TExportFormat& format)
        : FDelimiter(char32_t(format.Delimiter)), FLower(FDelimiter.toLower()),
          FUpper(FDelimiter.toUpper()), FReplacement(char32_t(format.DelimiterReplace)) {}

    QString operator()(const QString& text) const {
        const auto found = std::find_if(text.cbegin(), text.cend(),
                                        [&](QChar ch) { return ch == FLower || ch == FUpper; });
        if (found == text.cend())
            return text;
        QString result = text;
        for (QChar& ch : result)
            if (ch == FLower || ch == FUpper)
                ch = FReplacement;
        return result;
    }
    QChar Delimiter() const { return FDelimiter; }

private:
    QChar FDelimiter;
    QChar FLower;
    QChar FUpper;
    QChar FReplacement;
};
} // namespace

QString ReplaceDelimiter(const TExportFormat& format, const QString& text) {
    return TDelimiterReplacer(format)(text);
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

// The columns of one area with their writers, building one row per report line.
class TRowBuilder {
public:
    TRowBuilder(const TExportFormat& format, const TExportFormat::TItems& columns)
        : FColumns(columns), FReplace(format) {
        for (const auto& column : columns)
            FWriters.emplace_back(*column);
    }

    // The heading line: one heading per output column (a chain of merged columns is one).
    QString Heading() const {
        QString heading;
        int outputColumns = 0;
        for (std::size_t i = 0; i < FColumns.size(); ++i) {
            if (i > 0 && FColumns[i - 1]->FieldMergeFollowing)
                continue;
            if (outputColumns++ > 0)
                heading += FReplace.Delimiter();
            heading += FReplace(FColumns[i]->FieldHeading);
        }
        return heading;
    }

    QString Row(const TReportLine& line) {
        QString row;
        row.reserve(FLastRowSize + 16);
        for (std::size_t i = 0; i < FColumns.size(); ++i) {
            const TExportItem& column = *FColumns[i];
            const QString value = FWriters[i].Value(line);
            if (column.FieldMergeFollowing) {
                row += FReplace(value + column.FieldSeparator);
            } else {
                row += FReplace(value);
                if (i + 1 < FColumns.size())
                    row += FReplace.Delimiter();
            }
        }
        FLastRowSize = row.size();
        return row;
    }

private:
    const TExportFormat::TItems& FColumns;
    TDelimiterReplacer FReplace;
    std::vector<TColumnWriter> FWriters;
    qsizetype FLastRowSize = 0;
};

// Client and Category rows are kept once each, letter case ignored, and sorted by the
// locale's collation without regard to case; Time rows keep the order of the lines.
void SortDistinct(QStringList& rows) {
    QCollator collator(AppLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}

// Rows equal to one already kept, letter case ignored, are dropped; the exact text is looked
// up first, as most repeats are exact.
class TDistinctRows {
public:
    bool Insert(const QString& row) {
        if (!FExact.insert(row).second)
            return false;
        return FFolded.insert(row.toCaseFolded()).second;
    }

private:
    std::unordered_set<QString> FExact;
    std::unordered_set<QString> FFolded;
};

TGroupRows GroupRows(const TExportFormat& format, int area, const std::vector<TReportLine>& lines) {
    TRowBuilder builder(format, format.Items(area));
    const bool distinct = area != eaData;
    QStringList rows;
    TDistinctRows seen;
    for (const TReportLine& line : lines) {
        QString row = builder.Row(line);
        if (row.isEmpty() || (distinct && !seen.Insert(row)))
            continue;
        rows.append(std::move(row));
    }
    if (distinct)
        SortDistinct(rows);
    if (format.SkipEmptyGroups && rows.isEmpty())
        return {{}, true};
    if (format.Headings)
        rows.prepend(lines.empty() ? QString() : builder.Heading());
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
