#include "exportengine.h"

#include "base/applocale.h"
#include "base/converterror.h"
#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/textutils.h"
#include "datetimepicture.h"
#include "distinctrows.h"
#include "exportpieces.h"
#include "exporttarget.h"
#include "exportrows.h"
#include "exportvalues.h"
#include "exportwriter.h"
#include "reporting/reportdata.h"
#include "reporting/reportline.h"
#include "reporting/reportlines.h"
#include "storage/months/day.h"
#include "storage/settings/adminsettings.h"
#include "storage/values/calendardates.h"
#include "storage/values/timevalues.h"

#include <algorithm>
#include <cmath>
#include <optional>

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
std::optional<QStringList> PlainGroupLines(const TExportFormat& format, TExportArea area,
                                           const std::vector<TReportLine>& lines) {
    const TExportFormat::TItems& columns = format.Items(area);
    QStringList rows;
    if (area == TExportArea::Data) {
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
    for (const TExportArea area : format.GroupOrder()) {
        if (area == TExportArea::None)
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
    if (const QString error = ExportTargetError(format); !error.isEmpty())
        return error;
    std::vector<TExportPiece> pieces;
    try {
        pieces = MakeExportPieces(format, start, end, SourceFolders(format.Users),
                                  ExportLineOptions(format));
    } catch (const EInOutError& error) {
        return error.Text();
    }
    const QString path = format.FileDir + format.FileName;
    QString failure;
    switch (TExportWriter::WriteFile(format, std::move(pieces), path,
                                     TExportOutput::DefaultChunkBytes, &failure)) {
    case TExportWriter::TResult::Written:
        return {};
    case TExportWriter::TResult::NothingToExport:
        return NothingToExportText;
    case TExportWriter::TResult::Failed:
        break;
    }
    QString text = QStringLiteral("Unable to create \"") + path + QLatin1Char('"');
    if (!failure.isEmpty())
        text += QStringLiteral(": ") + failure;
    return text;
}
