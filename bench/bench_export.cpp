// An export of a year for a work group of 100 users with all twenty standard fields: sixteen
// in the Time group and the two list groups. The figure is exported entries per second.
// Baseline: reading the same month files' bytes and splitting them at line ends and tabs.
// The export's peak memory (resident set above what the process held before) is printed
// against the size of the month files it read. Then the export's two halves on their own:
// collecting the report lines, and writing the file from lines made beforehand (with the
// row-by-row reference that makes the same text as a list of rows, for comparison).
#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/parallelfor.h"
#include "export/exportengine.h"
#include "export/exportrowmaker.h"
#include "export/exportvalues.h"
#include "export/exportwriter.h"
#include "peakmemory.h"
#include "ratioreporter.h"
#include "reporting/reportdata.h"
#include "reporting/reportlines.h"
#include "sampledata/sampledata.h"
#include "sampleexportformat.h"
#include "storage/months/day.h"
#include "storage/months/monthfile.h"
#include "storage/settings/personalsettings.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <span>
#include <string>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
constexpr int Users = 100;
constexpr int Year = 2023;

struct TSampleWorkGroup {
    TSampleWorkGroup() {
        SetAppLocale(QLocale(QStringLiteral("en_US")));
        Locations().ServerFolder = Folder.path() + QStringLiteral("/");
        Locations().LocalFolder = Folder.path() + QStringLiteral("/local/");
        PersonalSettings().UserName = QStringLiteral("nobody");
        Format = EveryFieldExportFormat();
        TSampleDataGenerator generator(2025);
        QStringList folders;
        Lines = generator.WriteServerData(ServerDataPath(), Users, Year, 1, 12, &folders);
        for (const QString& folder : folders) {
            Format.Users.append(TSampleDataGenerator::UserName(Format.Users.size() + 1));
            for (const QString& name : MonthFileNames(folder)) {
                Files.append(folder + name);
                Bytes += QFileInfo(folder + name).size();
            }
        }
        Format.FileDir = Folder.path() + QStringLiteral("/");
        Format.FileName = QStringLiteral("export.csv");
    }

    QTemporaryDir Folder;
    TExportFormat Format;
    QStringList Files;
    qint64 Bytes = 0;
    std::int64_t Lines = 0;
};

TSampleWorkGroup& WorkGroup() {
    static TSampleWorkGroup group;
    return group;
}

// The lines ExportData collects for the sample format.
TLineOptions ExportLineOptions() {
    TLineOptions options;
    options.WithUser = true;
    options.WithBillingCode = true;
    return options;
}

void CollectLines(TReportLines& lines) {
    const TSampleWorkGroup& group = WorkGroup();
    const TReportDays days = CollectReportDays(QDate(Year, 1, 1), QDate(Year, 12, 31), [&] {
        bool useLocal = false;
        QStringList folders;
        for (const QString& user : group.Format.Users)
            folders.append(DataPath(useLocal) + user + QLatin1Char('/'));
        return folders;
    }());
    BuildReportLines(days, ExportLineOptions(), lines);
}

const TReportLines& YearLines() {
    static const TReportLines lines = [] {
        TReportLines collected;
        CollectLines(collected);
        return collected;
    }();
    return lines;
}

void BM_BaselineReadAndSplit(benchmark::State& state) {
    const TSampleWorkGroup& group = WorkGroup();
    for (auto _ : state) {
        qsizetype fields = 0;
        for (const QString& name : group.Files) {
            QFile file(name);
            if (file.open(QIODevice::ReadOnly))
                for (const QByteArray& line : file.readAll().split('\n'))
                    fields += line.count('\t') + 1;
        }
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * group.Lines);
}

// Also prints the processor time of all threads per export (cpu_ms).
void BM_ExportYear(benchmark::State& state) {
    const TSampleWorkGroup& group = WorkGroup();
    const std::clock_t cpuBefore = std::clock();
    for (auto _ : state) {
        const QString error = ExportData(group.Format, QDate(Year, 1, 1), QDate(Year, 12, 31));
        if (!error.isEmpty())
            state.SkipWithError(error.toStdString().c_str());
    }
    state.counters["cpu_ms"] = benchmark::Counter(1000.0 * double(std::clock() - cpuBefore) /
                                                  CLOCKS_PER_SEC / double(state.iterations()));
    state.SetItemsProcessed(state.iterations() * group.Lines);
}

// The same on one core, for the gain of making the months in parallel.
void BM_ExportYearOneCore(benchmark::State& state) {
    SetParallelThreads(1);
    BM_ExportYear(state);
    SetParallelThreads(0);
}

// One export with the peak resident set reset before it (Linux: clear_refs 5).
void BM_ExportPeakMemory(benchmark::State& state) {
    const TSampleWorkGroup& group = WorkGroup();
    for (auto _ : state) {
        const double peak = PeakMegabytesOf(
            [&] { ExportData(group.Format, QDate(Year, 1, 1), QDate(Year, 12, 31)); });
        const double files = double(group.Bytes) / (1024.0 * 1024.0);
        state.counters["peak_MB"] = peak;
        state.counters["files_MB"] = files;
        state.counters["peak_per_file_byte"] = peak / files;
    }
}

void BM_CollectLinesYear(benchmark::State& state) {
    for (auto _ : state) {
        TReportLines lines;
        CollectLines(lines);
        benchmark::DoNotOptimize(lines.Count());
    }
    state.SetItemsProcessed(state.iterations() * WorkGroup().Lines);
}

void BM_WriteFileFromLines(benchmark::State& state) {
    const TSampleWorkGroup& group = WorkGroup();
    const TReportLines& lines = YearLines();
    const QString path = group.Format.FileDir + group.Format.FileName;
    for (auto _ : state)
        if (TExportWriter::WriteFile(group.Format, lines.Lines(), path) !=
            TExportWriter::TResult::Written)
            state.SkipWithError("the file was not written");
    state.SetItemsProcessed(state.iterations() * lines.Count());
    state.counters["file_MB"] = double(QFileInfo(path).size()) / (1024.0 * 1024.0);
}

// Only the making of the rows, on one core: the bytes of the Time rows and the distinct rows
// of the other groups, not written.
void BM_MakeRowsFromLines(benchmark::State& state) {
    const TSampleWorkGroup& group = WorkGroup();
    const TReportLines& lines = YearLines();
    for (auto _ : state) {
        TExportPiece piece;
        TExportRowMaker(group.Format).Add(lines.Lines(), piece);
        benchmark::DoNotOptimize(piece.TimeRows.Size());
    }
    state.SetItemsProcessed(state.iterations() * lines.Count());
}

// The rows of a day's lines (those of the middle of the year), made again and again as an
// export makes them day by day: the lines are in the processor's cache, as they are when an
// export makes a day's rows right after its lines.
void BM_MakeRowsDayByDay(benchmark::State& state) {
    const TSampleWorkGroup& group = WorkGroup();
    const std::vector<TReportLine>& lines = YearLines().Lines();
    const std::size_t perDay = lines.size() / 365;
    const std::span<const TReportLine> day(lines.data() + lines.size() / 2, perDay);
    for (auto _ : state) {
        TExportPiece piece;
        TExportRowMaker maker(group.Format);
        for (int i = 0; i < 365; ++i)
            maker.Add(day, piece);
        benchmark::DoNotOptimize(piece.TimeRows.Size());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(perDay) * 365);
}

void BM_PlainExportLinesFromLines(benchmark::State& state) {
    const TReportLines& lines = YearLines();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportLines(WorkGroup().Format, lines.Lines()).size());
    state.SetItemsProcessed(state.iterations() * lines.Count());
}
} // namespace

BENCHMARK(BM_BaselineReadAndSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportYearOneCore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectLinesYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFileFromLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeRowsFromLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeRowsDayByDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainExportLinesFromLines)->Unit(benchmark::kMillisecond)->Iterations(1);
QH_BENCHMARK_MAIN_WITH_BASELINE("BM_BaselineReadAndSplit")
