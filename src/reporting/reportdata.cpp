#include "reportdata.h"

#include "base/applocale.h"
#include "base/messages.h"
#include "base/parallelfor.h"
#include "reporting/reportlinebuilder.h"
#include "reporting/reportlines.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "storage/values/datetexts.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <iterator>
#include <mutex>

namespace {
// One month of the selected users' blocks, read only: a report never saves, and the snapshot
// an editable month keeps would copy every block once more.
std::unique_ptr<TMonth> LoadReportMonth(QDate date, const std::optional<QStringList>& users) {
    return std::make_unique<TMonth>(date.year(), date.month(), users.value_or(QStringList()),
                                    TMonthUse::Read);
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

// The days of one calendar month that lie within the period.
TReportDays PeriodDaysOfMonth(QDate month, QDate from, QDate to,
                              const std::optional<QStringList>& users) {
    TReportDays days;
    for (auto& day : LoadReportMonth(month, users)->TakeDays())
        if (day->Date >= from && day->Date <= to)
            days.push_back(std::move(day));
    return days;
}

// Reads the months of a period in parallel, each month on one core, and hands each month's
// days to a consumer in month order as soon as the months before it were handed over, on
// whichever thread is free: while one thread hands a month over, the others go on reading.
class TMonthCollector {
public:
    using TConsumer = std::function<void(std::span<const std::unique_ptr<TDay>>)>;

    TMonthCollector(QDate from, QDate to, const std::optional<QStringList>& users,
                    const TConsumer& consumer)
        : FFrom(from), FTo(to), FUsers(users), FConsumer(consumer) {
        for (QDate month(from.year(), from.month(), 1); month <= to; month = month.addMonths(1))
            FMonths.push_back(month);
        FDays.resize(FMonths.size());
        FErrors.resize(FMonths.size());
        FDone.assign(FMonths.size(), false);
    }

    // The days of the period in date order. A month that could not be read raises its error,
    // the earliest month's when there are several; no month after it is handed over.
    TReportDays Collect() {
        ParallelFor(FMonths.size(), [this](std::size_t i) { ReadMonth(i); });
        for (const std::exception_ptr& error : FErrors)
            if (error)
                std::rethrow_exception(error);
        TReportDays days;
        days.reserve(static_cast<std::size_t>(FFrom.daysTo(FTo) + 1));
        for (TReportDays& month : FDays)
            std::move(month.begin(), month.end(), std::back_inserter(days));
        return days;
    }

private:
    void ReadMonth(std::size_t index) {
        try {
            FDays[index] = PeriodDaysOfMonth(FMonths[index], FFrom, FTo, FUsers);
        } catch (...) {
            FErrors[index] = std::current_exception();
        }
        std::unique_lock<std::mutex> lock(FLock);
        FDone[index] = true;
        if (FHanding)
            return; // the thread handing over months takes this one too
        FHanding = true;
        while (FNext < FMonths.size() && FDone[FNext] && !FStopped) {
            const std::size_t next = FNext;
            lock.unlock();
            Hand(next);
            lock.lock();
            ++FNext;
        }
        FHanding = false;
    }

    // Called without the lock, one month at a time.
    void Hand(std::size_t index) {
        if (FErrors[index]) {
            FStopped = true;
            return;
        }
        if (!FConsumer)
            return;
        try {
            FConsumer(FDays[index]);
        } catch (...) {
            FErrors[index] = std::current_exception();
            FStopped = true;
        }
    }

    const QDate FFrom;
    const QDate FTo;
    const std::optional<QStringList>& FUsers;
    const TConsumer& FConsumer;
    std::vector<QDate> FMonths;
    std::vector<TReportDays> FDays;
    std::vector<std::exception_ptr> FErrors;
    std::mutex FLock;
    std::vector<bool> FDone;
    std::size_t FNext = 0;
    bool FHanding = false;
    bool FStopped = false;
};

TReportDays CollectDays(QDate from, QDate to, const std::optional<QStringList>& users,
                        const TMonthCollector::TConsumer& consumer) {
    if (!from.isValid() || !to.isValid())
        return {};
    if (from > to)
        std::swap(from, to);
    if (users && users->isEmpty()) {
        TReportDays days = EmptyDays(from, to);
        if (consumer)
            consumer(days);
        return days;
    }
    return TMonthCollector(from, to, users, consumer).Collect();
}
} // namespace

TReportDays CollectReportDays(QDate from, QDate to, const std::optional<QStringList>& users) {
    return CollectDays(from, to, users, {});
}

TReportDays CollectReportDays(QDate from, QDate to, const std::optional<QStringList>& users,
                              const TLineOptions& options, TReportLines& lines) {
    TReportLineBuilder builder(options, lines);
    TReportDays days =
        CollectDays(from, to, users, [&](std::span<const std::unique_ptr<TDay>> monthDays) {
            for (const auto& day : monthDays)
                builder.AddDay(*day);
        });
    builder.Finish();
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
        ShowMessageBox(reason, TMsgKind::Warning, mbOK);
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
    builder.Finish();
}

void BuildReportLines(const TDay& day, const TLineOptions& options, TReportLines& lines) {
    TReportLineBuilder builder(options, lines);
    builder.AddDay(day);
    builder.Finish();
}
