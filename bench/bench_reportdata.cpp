// Collecting a year of report days for 100 users from the server layout, and building the
// activity report's consolidated lines from them, as a report of a whole work group does. The
// figure is blocks per second. Baseline: the collection alone, measured in the same run, so
// the ratios show what the lines add to it. Two references show the least that building lines
// can cost here: reading what the lines need of every block once, and the memory of a line per
// block by itself.
#include "peakmemory.h"
#include "ratioreporter.h"
#include "reporting/reportdata.h"
#include "reporting/reportlines.h"
#include "sampleworkgroupyear.h"
#include "storage/months/block.h"
#include "storage/months/day.h"

#include <chrono>
#include <ctime>
#include <vector>

#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {
constexpr int Year = TSampleWorkGroupYear::Year;

const TSampleWorkGroupYear& SampleYear() {
    static const TSampleWorkGroupYear year(2024);
    return year;
}

// The whole year's report days of every user.
TReportDays CollectYear(const TSampleWorkGroupYear& year) {
    return CollectReportDays(QDate(Year, 1, 1), QDate(Year, 12, 31), year.UserFolders);
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

// The processor time of all threads per round (cpu_ms), counted from cpuBefore: less
// moved than the elapsed time by other guests of a shared host.
void CountProcessorTime(benchmark::State& state, std::clock_t cpuBefore) {
    state.counters["cpu_ms"] = benchmark::Counter(1000.0 * double(std::clock() - cpuBefore) /
                                                  CLOCKS_PER_SEC / double(state.iterations()));
}

// The days are freed at the end of each round, as a report frees them.
void BM_CollectYear(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    const std::clock_t cpuBefore = std::clock();
    for (auto _ : state) {
        const TReportDays days = CollectYear(year);
        benchmark::DoNotOptimize(days.size());
    }
    CountProcessorTime(state, cpuBefore);
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

// Collection and lines together, as a report makes them: each month's lines are built while
// later months are read. The days and lines are freed at the end, as a report frees them.
void CollectYearWithSortedLines(const TSampleWorkGroupYear& year) {
    TReportLines lines;
    const TReportDays days = CollectReportDays(QDate(Year, 1, 1), QDate(Year, 12, 31),
                                               year.UserFolders, ActivityReportOptions(), lines);
    lines.Sort(CompareByTask);
    benchmark::DoNotOptimize(lines.Count());
}

void BM_CollectYearAndBuildLines(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    const std::clock_t cpuBefore = std::clock();
    for (auto _ : state)
        CollectYearWithSortedLines(year);
    CountProcessorTime(state, cpuBefore);
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

template <typename TWork> double MillisecondsOf(TWork&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The two benchmarks above in pairs, back to back and in turns which comes first: other guests
// of a shared host slow both of a pair alike, so the median of the pairs' ratios (ratio) shows
// what the lines add with less of their noise than the ratio of two medians taken seconds
// apart. collect_ms and combined_ms are the medians of each.
void BM_CollectYearPairedWithLines(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    std::vector<double> collect;
    std::vector<double> combined;
    std::vector<double> ratios;
    const auto collectOnly = [&] { benchmark::DoNotOptimize(CollectYear(year).size()); };
    const auto withLines = [&] { CollectYearWithSortedLines(year); };
    for (auto _ : state) {
        if (ratios.size() % 2 == 1) {
            combined.push_back(MillisecondsOf(withLines));
            collect.push_back(MillisecondsOf(collectOnly));
        } else {
            collect.push_back(MillisecondsOf(collectOnly));
            combined.push_back(MillisecondsOf(withLines));
        }
        ratios.push_back(combined.back() / collect.back());
    }
    state.counters["collect_ms"] = MedianOf(collect);
    state.counters["combined_ms"] = MedianOf(combined);
    state.counters["ratio"] = MedianOf(ratios);
    state.SetItemsProcessed(state.iterations() * year.Lines * 2);
}

// The lines alone, from days collected once.
// The peak memory of collecting the year with its consolidated lines, against the bytes of
// the month files read: the days are held until the lines are made, as a report holds them.
void BM_CollectPeakMemory(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    double fileBytes = 0;
    for (const QString& file : year.Files)
        fileBytes += double(QFileInfo(file).size());
    for (auto _ : state) {
        const double peak = PeakMegabytesOf([&] {
            TReportLines lines;
            const TReportDays days =
                CollectReportDays(QDate(Year, 1, 1), QDate(Year, 12, 31), year.UserFolders,
                                  ActivityReportOptions(), lines);
            benchmark::DoNotOptimize(days.size());
        });
        const double files = fileBytes / (1024.0 * 1024.0);
        state.counters["peak_MB"] = peak;
        state.counters["files_MB"] = files;
        state.counters["peak_per_file_byte"] = peak / files;
    }
}

void BM_BuildLinesOnly(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    const TReportDays days = CollectYear(year);
    for (auto _ : state)
        BuildSortedLines(days);
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

// Every block its own line, with users: the shape of the report texts and of exports.
void BM_BuildLinesPerBlock(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    const TReportDays days = CollectYear(year);
    TLineOptions options;
    options.WithUser = true;
    options.WithBillingCode = true;
    for (auto _ : state) {
        TReportLines lines;
        BuildReportLines(days, options, lines);
        benchmark::DoNotOptimize(lines.Count());
    }
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

// Reference: the flags, names, billing object and hours of every block read once, with blocks
// asked for ahead as the line builder does; no lines. Blocks start a cache line each.
void BM_ReadBlocksOnly(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    const TReportDays days = CollectYear(year);
    for (auto _ : state) {
        std::uintptr_t names = 0;
        double hours = 0;
        for (const auto& day : days) {
            const auto& blocks = day->Blocks;
            for (std::size_t i = 0; i < blocks.size(); ++i) {
                if (i + 8 < blocks.size()) {
                    // The block up to its last name, as the task sums read it.
                    const TBlock& ahead = *blocks[i + 8];
                    const auto* first = reinterpret_cast<const char*>(&ahead);
                    const auto* last = reinterpret_cast<const char*>(&ahead.Activity + 1) - 1;
                    for (const char* line = first; line <= last; line += 64)
                        __builtin_prefetch(line);
                }
                if (i + 4 < blocks.size())
                    __builtin_prefetch(blocks[i + 4]->BillingInfo.get());
                const TBlock& block = *blocks[i];
                if (!block.Reportable)
                    continue;
                for (const QString* name :
                     {&block.Client, &block.Project, &block.Category, &block.Activity})
                    names += reinterpret_cast<std::uintptr_t>(name->constData());
                if (block.BillingInfo)
                    names += static_cast<std::uintptr_t>(block.BillingInfo->Rate.Units());
                hours += block.Hours();
            }
        }
        benchmark::DoNotOptimize(names);
        benchmark::DoNotOptimize(hours);
    }
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

// Reference: as many empty lines as BM_BuildLinesPerBlock makes, in room reserved at once, and
// freed again. Fresh memory costs the system a page fault per page touched.
void BM_LineMemoryOnly(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    std::size_t reported = 0;
    for (const auto& day : CollectYear(year))
        for (const auto& block : day->Blocks)
            reported += block->Reportable ? 1 : 0;
    for (auto _ : state) {
        std::vector<TReportLine> lines;
        lines.reserve(static_cast<std::size_t>(year.Lines));
        for (std::size_t i = 0; i < reported; ++i)
            lines.emplace_back().NormalHours = 1;
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetItemsProcessed(state.iterations() * year.Lines);
}
} // namespace

BENCHMARK(BM_CollectYear)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CollectYearAndBuildLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CollectYearPairedWithLines)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(21);
BENCHMARK(BM_CollectPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BuildLinesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildLinesPerBlock)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBlocksOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LineMemoryOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
QH_BENCHMARK_MAIN_WITH_BASELINE("BM_CollectYear/real_time")
