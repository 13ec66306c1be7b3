#pragma once

#include "reporting/lineoptions.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QDate>
#include <QStringList>

class TDay;
class TReportLines;

// The days of a report period, one per calendar date in date order, each with the blocks of
// every selected user. The list owns its days; clearing or destroying it frees them.
using TReportDays = std::vector<std::unique_ptr<TDay>>;

// The days from from to to (given the other way round, they are swapped). Without users the
// current user's month files in LocalDataPath() are read, the blocks carrying
// CurrentUserName(); otherwise the month files of every user folder, each block carrying its
// folder's user name, LastPathPart (an empty list gives days without blocks). Each month is read
// once; a missing month file adds no blocks. A line that cannot be read raises
// EDataLineError (file and line). An invalid date gives no days.
// The months are read in parallel on the processor's cores, each month whole on one core
// (so a few months are held at a time besides the days already read); the first month that
// cannot be read in date order is the one whose error is raised.
TReportDays CollectReportDays(QDate from, QDate to,
                              const std::optional<QStringList>& users = std::nullopt);
// The same, and the lines BuildReportLines(days, options, lines) gives: each month's days
// are turned into lines as soon as the months before them were, while the next months are
// still being read. On an error the lines hold those of the months before it.
TReportDays CollectReportDays(QDate from, QDate to, const std::optional<QStringList>& users,
                              const TLineOptions& options, TReportLines& lines);

// True when a report can be made of days. Otherwise reason says why: "<Day name> <short
// date> has missing task information" for the first Monday to Friday with a block lacking
// a client, project, category or activity, "There are no days to report", or "There are no
// hours to report" when no day has any block; with showMessages it is also shown as a
// warning. On true reason is empty.
bool CheckReportDays(const TReportDays& days, bool showMessages, QString& reason);

// Adds the blocks of days that are included in reports and pass the options to lines (see
// TReportLines::Add); lines is never cleared.
void BuildReportLines(std::span<const std::unique_ptr<TDay>> days, const TLineOptions& options,
                      TReportLines& lines);
void BuildReportLines(const TDay& day, const TLineOptions& options, TReportLines& lines);
