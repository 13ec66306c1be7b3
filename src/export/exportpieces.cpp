#include "exportpieces.h"

#include "base/parallelfor.h"
#include "exportrowmaker.h"
#include "reporting/reportlinebuilder.h"
#include "reporting/reportlines.h"
#include "storage/months/day.h"
#include "storage/values/calendardates.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>

namespace {
std::vector<TDateRange> MonthsOf(QDate start, QDate end) {
    std::vector<TDateRange> months;
    for (QDate from = start; from <= end;) {
        const QDate monthEnd = QDate(from.year(), from.month(), 1).addMonths(1).addDays(-1);
        months.push_back({from, std::min(monthEnd, end)});
        from = monthEnd.addDays(1);
    }
    return months;
}

// What a thread keeps from month to month: the room of a day's lines and the values its
// columns made.
struct TMonthWorker {
    explicit TMonthWorker(const TExportFormat& format) : Rows(format) {}
    TReportLines Lines;
    TExportRowMaker Rows;
};

// A pool of workers: hands one to each month being made, making a new one only when all are
// busy.
class TMonthWorkerPool {
public:
    explicit TMonthWorkerPool(const TExportFormat& format) : FFormat(format) {}

    std::unique_ptr<TMonthWorker> Take() {
        const std::lock_guard<std::mutex> guard(FLock);
        if (FIdle.empty())
            return std::make_unique<TMonthWorker>(FFormat);
        std::unique_ptr<TMonthWorker> worker = std::move(FIdle.back());
        FIdle.pop_back();
        return worker;
    }
    void GiveBack(std::unique_ptr<TMonthWorker> worker) {
        const std::lock_guard<std::mutex> guard(FLock);
        FIdle.push_back(std::move(worker));
    }

private:
    const TExportFormat& FFormat;
    std::mutex FLock;
    std::vector<std::unique_ptr<TMonthWorker>> FIdle;
};

// Day by day, so that a day's lines are still in the processor's cache when their rows are
// made; the texts they share stay with the days until the month is done.
void MakeMonthPiece(TMonthWorker& worker, const TDateRange& month,
                    const std::optional<QStringList>& folders, const TLineOptions& options,
                    TExportPiece& piece) {
    const TReportDays days = CollectReportDays(month.Start, month.End, folders);
    {
        TReportLineBuilder builder(options, worker.Lines);
        for (const auto& day : days) {
            worker.Lines.Clear();
            builder.AddDay(*day);
            worker.Rows.Add(worker.Lines.Lines(), piece);
        }
        worker.Lines.Clear();
    }
    worker.Rows.ForgetTexts();
}
} // namespace

std::vector<TExportPiece> MakeExportPieces(const TExportFormat& format, QDate start, QDate end,
                                           const std::optional<QStringList>& folders,
                                           const TLineOptions& options) {
    const std::vector<TDateRange> months = MonthsOf(start, end);
    std::vector<TExportPiece> pieces(months.size());
    std::vector<std::exception_ptr> errors(months.size());
    TMonthWorkerPool workers(format);
    ParallelFor(months.size(), [&](std::size_t i) {
        std::unique_ptr<TMonthWorker> worker = workers.Take();
        try {
            MakeMonthPiece(*worker, months[i], folders, options, pieces[i]);
        } catch (...) {
            errors[i] = std::current_exception();
        }
        workers.GiveBack(std::move(worker));
    });
    for (const std::exception_ptr& error : errors)
        if (error)
            std::rethrow_exception(error);
    return pieces;
}
