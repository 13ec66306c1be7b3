// Searching ten years of one user's month files (about 36,000 blocks) for a client substring,
// as the search panel and "quillhour-cli search" do. Target: at most 40 ms, and at least a
// third of the speed of the baseline: reading the same files and splitting them into lines and
// fields.
#include "base/datalocations.h"
#include "base/processenvironment.h"
#include "datadirenvironment.h"
#include "ratioreporter.h"
#include "sampledata/sampledata.h"
#include "search/findentries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
struct TTenYears {
    TTenYears() {
        SetProcessEnvironment(std::make_unique<TDataDirEnvironment>(Temp.path() + QLatin1Char('/')));
        ResolveDataLocations(TResolveMode::ReadOnly);
        Blocks = TSampleDataGenerator(3).WriteUserMonths(LocalDataPath(), 3, 2015, 1, 120);
        for (const QString& name : QDir(LocalDataPath()).entryList({QStringLiteral("*.txt")}))
            Files.append(LocalDataPath() + name);
    }
    QTemporaryDir Temp;
    std::int64_t Blocks = 0;
    QStringList Files;
};

const TTenYears& Data() {
    static const TTenYears data;
    return data;
}

void BM_ReadAndSplitFiles(benchmark::State& state) {
    const TTenYears& data = Data();
    for (auto _ : state) {
        qsizetype fields = 0;
        for (const QString& name : data.Files) {
            QFile file(name);
            file.open(QIODevice::ReadOnly);
            const QByteArray bytes = file.readAll();
            for (const QByteArray& line : bytes.split('\n'))
                fields += line.count('\t') + 1;
        }
        benchmark::DoNotOptimize(fields);
    }
    state.counters["blocks"] = double(data.Blocks);
}

void BM_SearchClientSubstring(benchmark::State& state) {
    const TTenYears& data = Data();
    TSearchRequest request;
    request.Filter1 = {TFilterType::Client, TFilterOperator::Like, QStringLiteral("acme"), 0};
    int count = 0;
    for (auto _ : state)
        count = FindEntries(request).Count;
    state.counters["blocks"] = double(data.Blocks);
    state.counters["matches"] = count;
}
} // namespace

BENCHMARK(BM_ReadAndSplitFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchClientSubstring)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter("BM_ReadAndSplitFiles");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
