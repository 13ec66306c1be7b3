// Splitting tab-separated data lines into fields, the first step of reading every data file.
// Baseline: QString::split of the same lines, which does no separator folding.
#include "base/textutils.h"
#include "ratioreporter.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {
QStringList SampleLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("05 Jan 2024\t0900\t0925\tClient %1\tProject %2\tCategory\t"
                                    "Activity\tRemarks with some words%%second line\tY\tN\tY")
                         .arg(i % 37)
                         .arg(i % 11));
    return lines;
}

void BM_NextToken(benchmark::State& state) {
    const QStringList lines = SampleLines(10000);
    for (auto _ : state) {
        qsizetype fields = 0;
        for (const QString& line : lines) {
            QString rest = line;
            while (!rest.isEmpty()) {
                benchmark::DoNotOptimize(NextToken(rest, u"\t"));
                ++fields;
            }
        }
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

void BM_BaselineSplit(benchmark::State& state) {
    const QStringList lines = SampleLines(10000);
    for (auto _ : state) {
        qsizetype fields = 0;
        for (const QString& line : lines)
            fields += line.split(QLatin1Char('\t')).size();
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
} // namespace

BENCHMARK(BM_BaselineSplit);
BENCHMARK(BM_NextToken);
QH_BENCHMARK_MAIN_WITH_BASELINE("BM_BaselineSplit")
