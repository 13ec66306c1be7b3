#include "reportdata.h"

#include "app/applocale.h"
#include "app/messages.h"
#include "reporting/reportlinebuilder.h"
#include "reporting/reportlines.h"
#include "storage/datetexts.h"
#include "storage/day.h"
#include "storage/month.h"

#include <algorithm>

namespace {
// One month of the selected users' blocks, read only: a report never saves, and the snapshot
// an editable month keeps would copy every block once more.
std::unique_ptr<TMonth> LoadReportMonth(QDate date, const std::optional<QStringList>& users) {
    return std::make_unique<TMonth>(date.year(), date.month(), users.value_or(QStringList()),
                                    TDayView{}, TMonthUse::Read);
}

TReportDays EmptyDays(QDate from, QDate to) {
    TReportDays days;
    for (QDate date = from; date <= to; date = date.addDays(1))
        days.push_back(std::make_unique<TDay>(date));
    return days;
}

bool IsWorkingDay(const TDay& day) {
    return day.WeekDay() <= 5;
}

// The text for the first Monday to Friday with a block that lacks task information.
QString MissingTaskReason(const TReportDays& days) {
    for (const auto& day : days)
        if (IsWorkingDay(*day) && day->HasIncompleteBlock())
            return DayName(day->Date) + QLatin1Char(' ') + LocaleShortDateText(day->Date) +
                   QStringLiteral(" has missing task information");
    return {};
}

bool AnyBlock(const TReportDays& days) {
    return std::any_of(days.begin(), days.end(), [](const auto& day) { return !day->IsEmpty(); });
}

} // namespace

TReportDays CollectReportDays(QDate from, QDate to, const std::optional<QStringList>& users) {
    if (!from.isValid() || !to.isValid())
        return {};
    if (from > to)
        std::swap(from, to);
    if (users && users->isEmpty())
        return EmptyDays(from, to);
    TReportDays days;
    days.reserve(static_cast<std::size_t>(from.daysTo(to) + 1));
    QDate cursor = from;
    while (cursor <= to) {
        // One month at a time: its days of the period move into the list, the rest go with it.
        TReportDays monthDays = LoadReportMonth(cursor, users)->TakeDays();
        QDate latest;
        for (auto& day : monthDays) {
            if (day->Date < from || day->Date > to)
                continue;
            latest = std::max(latest, day->Date);
            days.push_back(std::move(day));
        }
        cursor = latest.isValid() ? latest.addDays(1)
                                  : QDate(cursor.year(), cursor.month(), 1).addMonths(1);
    }
    return days;
}

bool CheckReportDays(const TReportDays& days, bool showMessages, QString& reason) {
    reason = MissingTaskReason(days);
    if (reason.isEmpty() && days.empty())
        reason = QStringLiteral("There are no days to report");
    else if (reason.isEmpty() && !AnyBlock(days))
        reason = QStringLiteral("There are no hours to report");
    if (reason.isEmpty())
        return true;
    if (showMessages)
        ShowMessageBox(reason, mkWarning, mbOK);
    return false;
}

void BuildReportLines(std::span<const std::unique_ptr<TDay>> days, const TLineOptions& options,
                      TReportLines& lines) {
    if (!options.Consolidate) {
        // At most a line per block: room for all of them at once saves moving the lines.
        std::size_t blocks = 0;
        for (const auto& day : days)
            blocks += day->Blocks.size();
        lines.Reserve(lines.Lines().size() + blocks);
    }
    TReportLineBuilder builder(options, lines);
    for (const auto& day : days)
        builder.AddDay(*day);
}

void BuildReportLines(const TDay& day, const TLineOptions& options, TReportLines& lines) {
    TReportLineBuilder(options, lines).AddDay(day);
}
