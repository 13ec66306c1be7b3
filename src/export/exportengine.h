#pragma once

#include "exportformat.h"
#include "storage/values/calendardates.h"
#include "storage/values/money.h"

#include <vector>

#include <QDate>
#include <QString>
#include <QStringList>

class TReportLine;

// Turns an export format and a period into one delimited text file: the Client and Category
// groups (distinct rows, sorted) and the Time group (one row per time entry), with headings,
// merged columns, delimiter replacement, blank rows between groups and empty groups skipped.

// Collects the format's users' entries of the period and writes the file at FileDir +
// FileName. Either date invalid: both come from the format's default period around today.
// Returns an error text; empty when the file was written.
QString ExportData(const TExportFormat& format, QDate start, QDate end,
                   QDate today = QDate::currentDate());

// The output lines (without line ends) for these report lines, made row by row and value by
// value just as the rules read. ExportData writes the same text through TExportWriter, which
// memoizes repeated values and keeps the Time group's rows as encoded bytes.
QStringList ExportLines(const TExportFormat& format, const std::vector<TReportLine>& lines);

// The period of a format's period code around date: 0 this week, 1 last week, 2 this month,
// 3 last month, 4 this year. firstDayOfWeek: Monday = 1 ... Sunday = 7.
TDateRange PeriodDates(int period, QDate date, int firstDayOfWeek);

inline const QString NothingToExportText =
    QStringLiteral("No data is created under these settings - there is nothing to export");
