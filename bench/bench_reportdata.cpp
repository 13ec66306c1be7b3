// Collecting a year of report days for 100 users from the server layout, and building the
// activity report's consolidated lines from them, as a report of a whole work group does. The
// figure is blocks per second. Baseline: the collection alone, measured in the same run, so
// the ratios show what the lines add to it.
#include "app/applocale.h"
#include "ratioreporter.h"
#include "reporting/reportdata.h"
#include "reporting/reportlines.h"
#include "sampledata.h"
#include "storage/day.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
constexpr int Users = 100;
constexpr int Year = 2023;
constexpr int Months = 12;

struct TSampleYear {
    TSampleYear() {
        SetAppLocale(QLocale(QStringLiteral("en_US")));
        TSampleDataGenerator generator(2024);
        Blocks = generator.WriteServerData(Folder.path() + QStringLiteral("/Data/"), Users, Year, 1,
                                           Months, &UserFolders);
    }

    TReportDays Collect() const {
        return CollectReportDays(QDate(Year, 1, 1), QDate(Year, 12, 31), UserFolders);
    }

    QTemporaryDir Folder;
    QStringList UserFolders;
    std::int64_t Blocks = 0;
};

const TSampleYear& SampleYear() {
    static const TSampleYear year;
    return year;
}

// The activity report of a billing report with overtime included: every reported block
// passes the filters and goes through the consolidation.
TLineOptions ActivityReportOptions() {
    TLineOptions options;
    options.Consolidate = true;
    options.WithBillingCode = true;
    return options;
}

void BuildSortedLines(const TReportDays& days) {
    TReportLines lines;
    BuildReportLines(days, ActivityReportOptions(), lines);
    lines.Sort(CompareByTask);
    benchmark::DoNotOptimize(lines.Count());
}

// The days are freed at the end of each round, as a report frees them.
void BM_CollectYear(benchmark::State& state) {
    const TSampleYear& year = SampleYear();
    for (auto _ : state) {
        const TReportDays days = year.Collect();
        benchmark::DoNotOptimize(days.size());
    }
    state.SetItemsProcessed(state.iterations() * year.Blocks);
}

void BM_CollectYearAndBuildLines(benchmark::State& state) {
    const TSampleYear& year = SampleYear();
    for (auto _ : state) {
        const TReportDays days = year.Collect();
        BuildSortedLines(days);
    }
    state.SetItemsProcessed(state.iterations() * year.Blocks);
}

// The lines alone, from days collected once.
void BM_BuildLinesOnly(benchmark::State& state) {
    const TSampleYear& year = SampleYear();
    const TReportDays days = year.Collect();
    for (auto _ : state)
        BuildSortedLines(days);
    state.SetItemsProcessed(state.iterations() * year.Blocks);
}

// Every block its own line, with users: the shape of the report texts and of exports.
void BM_BuildLinesPerBlock(benchmark::State& state) {
    const TSampleYear& year = SampleYear();
    const TReportDays days = year.Collect();
    TLineOptions options;
    options.WithUser = true;
    options.WithBillingCode = true;
    for (auto _ : state) {
        TReportLines lines;
        BuildReportLines(days, options, lines);
        benchmark::DoNotOptimize(lines.Count());
    }
    state.SetItemsProcessed(state.iterations() * year.Blocks);
}
} // namespace

BENCHMARK(BM_CollectYear)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CollectYearAndBuildLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildLinesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildLinesPerBlock)->Unit(benchmark::kMillisecond)->UseRealTime();
QH_BENCHMARK_MAIN_WITH_BASELINE("BM_CollectYear/real_time")
