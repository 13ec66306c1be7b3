// Loading a year of month files for 100 users, as a report of a whole work group does. The
// figure is lines (blocks) per second. Baseline: reading the same files' bytes and splitting
// them at line ends and tabs, nothing more, measured in the same run.
#include "base/parallelfor.h"
#include "base/textfile.h"
#include "ratioreporter.h"
#include "sampleworkgroupyear.h"
#include "storage/months/day.h"
#include "storage/months/month.h"

#include <cstring>

#include <QByteArray>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {
constexpr int Year = TSampleWorkGroupYear::Year;
constexpr int Months = TSampleWorkGroupYear::Months;

const TSampleWorkGroupYear& SampleYear() {
    static const TSampleWorkGroupYear year(2024);
    return year;
}

// Fields of the bytes: every run up to a tab or a line end.
std::int64_t SplitFields(const QByteArray& bytes) {
    std::int64_t fields = 0;
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    while (p < end) {
        const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        const char* lineEnd = found ? static_cast<const char*>(found) : end;
        for (const char* field = p; field < lineEnd; ++fields) {
            const void* tab = std::memchr(field, '\t', static_cast<std::size_t>(lineEnd - field));
            field = tab ? static_cast<const char*>(tab) + 1 : lineEnd;
        }
        p = lineEnd + 1;
    }
    return fields;
}

void BM_BaselineReadAndSplit(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    for (auto _ : state) {
        std::int64_t fields = 0;
        for (const QString& name : year.Files) {
            QFile file(name);
            if (file.open(QIODevice::ReadOnly))
                fields += SplitFields(file.readAll());
        }
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

// Reading and decoding the same files, the first step of loading them.
void BM_ReadAndDecode(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    for (auto _ : state) {
        qsizetype characters = 0;
        for (const QString& name : year.Files)
            characters += ReadTextFile(name).size();
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

// One month object per calendar month holding every user's blocks, as a report reads them.
void BM_LoadYearAllUsers(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    for (auto _ : state) {
        std::size_t blocks = 0;
        for (int month = 1; month <= Months; ++month) {
            TMonth loaded(Year, month, year.UserFolders, TMonthUse::Read);
            for (const auto& day : loaded.Days)
                blocks += day->Blocks.size();
        }
        benchmark::DoNotOptimize(blocks);
    }
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

// The same on one core: what reading costs without spreading the files over the cores.
void BM_LoadYearAllUsersOneCore(benchmark::State& state) {
    SetParallelThreads(1);
    BM_LoadYearAllUsers(state);
    SetParallelThreads(0);
}

// Each user's months read for editing, snapshot included, as the day view reads them.
void BM_LoadYearForEditing(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    for (auto _ : state) {
        std::size_t blocks = 0;
        for (const QString& folder : year.UserFolders)
            for (int month = 1; month <= Months; ++month) {
                TMonth loaded(Year, month, {folder});
                blocks += loaded.SavedDays.size();
            }
        benchmark::DoNotOptimize(blocks);
    }
    state.SetItemsProcessed(state.iterations() * year.Lines);
}

// Each file on its own, as the server scan reads them.
void BM_LoadYearFileByFile(benchmark::State& state) {
    const TSampleWorkGroupYear& year = SampleYear();
    for (auto _ : state) {
        std::size_t blocks = 0;
        for (const QString& name : year.Files) {
            const auto loaded = TMonth::CreateFromFile(name, QStringLiteral("user"));
            for (const auto& day : loaded->Days)
                blocks += day->Blocks.size();
        }
        benchmark::DoNotOptimize(blocks);
    }
    state.SetItemsProcessed(state.iterations() * year.Lines);
}
} // namespace

BENCHMARK(BM_BaselineReadAndSplit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadAndDecode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadYearAllUsers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadYearAllUsersOneCore)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadYearForEditing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadYearFileByFile)->Unit(benchmark::kMillisecond)->UseRealTime();
QH_BENCHMARK_MAIN_WITH_BASELINE("BM_BaselineReadAndSplit/real_time")
