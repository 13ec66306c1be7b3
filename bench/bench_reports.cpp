// The daily report on the sample work group's year (100 users): its report text for all users
// (target: at most 1 s), and its pages laid out and written as PDF (target: at least 200 pages a
// second, with peak memory that does not grow with the number of pages). The activity report
// consolidated over all 100 users, as the command line makes its text: collecting the days,
// preparing the consolidated lines and writing the text (target: at most 0.5 s). Baseline:
// collecting the year's days alone, measured in the same run.
#include "peakmemory.h"
#include "ratioreporter.h"
#include "reporting/engine/reportpainter.h"
#include "reporting/layouts/activityreport.h"
#include "reporting/layouts/dailyreport.h"
#include "reporting/reportdata.h"
#include "sampleworkgroupyear.h"
#include "storage/months/day.h"

#include <chrono>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
constexpr int Year = TSampleWorkGroupYear::Year;

const TSampleWorkGroupYear& SampleYear() {
    static const TSampleWorkGroupYear year(2024);
    return year;
}

TReportDays Collect(int firstMonth, int lastMonth) {
    const QDate to(Year, lastMonth, 1);
    return CollectReportDays(QDate(Year, firstMonth, 1), to.addDays(to.daysInMonth() - 1),
                             SampleYear().UserFolders);
}

TReportParameters Parameters(const TReportDays& days) {
    TReportParameters parameters;
    parameters.Days = &days;
    parameters.PeriodFrom = days.front()->Date;
    parameters.PeriodTo = days.back()->Date;
    parameters.Users = &SampleYear().UserFolders;
    return parameters;
}

void BM_CollectYear(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Collect(1, 12).size());
}

void BM_DailyReportTextOfTheYear(benchmark::State& state) {
    const TReportDays days = Collect(1, 12);
    TDailyReportA4 report;
    report.Initialise(Parameters(days));
    report.StartRun();
    qsizetype lines = 0;
    for (auto _ : state)
        lines = report.BuildReportText().size();
    state.counters["text_lines"] = double(lines);
}

template <typename TWork> double MillisecondsOf(TWork&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The whole of it each round, and its three parts as counters (means of the rounds, in ms).
// Producing without a preview handler prepares the lines and nothing else.
void BM_ActivityReportTextOfTheYear(benchmark::State& state) {
    double collect = 0;
    double prepare = 0;
    double text = 0;
    qsizetype lines = 0;
    for (auto _ : state) {
        TReportDays days;
        collect += MillisecondsOf([&] { days = Collect(1, 12); });
        TActivityReportA4 report;
        report.Initialise(Parameters(days));
        prepare += MillisecondsOf([&] {
            if (!report.Produce(false))
                state.SkipWithError("no lines");
        });
        text += MillisecondsOf([&] {
            report.StartRun();
            lines = report.BuildReportText().size();
        });
    }
    const double rounds = double(state.iterations());
    state.counters["collect_ms"] = collect / rounds;
    state.counters["prepare_ms"] = prepare / rounds;
    state.counters["text_ms"] = text / rounds;
    state.counters["text_lines"] = double(lines);
}

// The pages of one month, and of three: the peak memory must stay the same.
void BM_DailyReportPdf(benchmark::State& state) {
    const TReportDays days = Collect(1, int(state.range(0)));
    QTemporaryDir folder;
    int pages = 0;
    double peak = 0;
    for (auto _ : state) {
        TDailyReportA4 report;
        report.Initialise(Parameters(days));
        peak = PeakMegabytesOf([&] { report.ProducePdf(folder.filePath("daily.pdf"), &pages); });
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = peak;
}
} // namespace

BENCHMARK(BM_CollectYear)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DailyReportTextOfTheYear)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ActivityReportTextOfTheYear)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DailyReportPdf)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv); // fonts for measuring and drawing text
    benchmark::Initialize(&argc, argv);
    SampleYear(); // the files are written before anything is measured
    TRatioReporter reporter("BM_CollectYear/real_time");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
