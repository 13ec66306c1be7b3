// The undo stack of a long working session: 2,000 steps on a day of 40 blocks, once as whole-day
// steps (moves, resizes and deletes keep a copy of the day) and once as details steps (a copy of
// one block each). The stack has no size limit, so its memory is what a user who never closes
// the program pays. Baseline: copying the day once, the work of one whole-day step.
#include "dayview/undomanager.h"
#include "peakmemory.h"
#include "ratioreporter.h"
#include "storage/months/block.h"
#include "storage/months/day.h"

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {
constexpr int Blocks = 40;
constexpr int Steps = 2000;

// A day as read from a month file: names shared between blocks, remarks of their own.
const TDay& SampleDay() {
    static const std::unique_ptr<TDay> day = [] {
        auto made = std::make_unique<TDay>(QDate(2024, 3, 6));
        const QStringList clients{QStringLiteral("Acme Corporation"), QStringLiteral("Globex"),
                                  QStringLiteral("Northwind Traders")};
        for (int i = 0; i < Blocks; ++i) {
            TBlock& block = made->AddBlock(i * 50, i * 50 + 45);
            block.Client = clients[i % 3];
            block.Project = QStringLiteral("Website Redesign");
            block.Category = QStringLiteral("Development");
            block.Activity = QStringLiteral("Coding");
            block.Remarks = QStringLiteral("Remarks of block %1, a line of typical length").arg(i);
            block.Reportable = true;
        }
        return made;
    }();
    return *day;
}

class TIdleTarget : public TUndoTarget {
    void UndoClearSelection() override {}
    void UndoSelectDate(QDate) override {}
    void UndoRestoreDay(const TDay&) override {}
    void UndoRestoreBlock(int, const TBlock&) override {}
    void UndoReselect(int) override {}
    void UndoFocus(QWidget*) override {}
};

void BM_CopyDay(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(TDay::CreateCopy(SampleDay()));
}

void BM_DayStepsMemory(benchmark::State& state) {
    const TDay& day = SampleDay();
    for (auto _ : state) {
        TIdleTarget target;
        const double peak = PeakMegabytesOf([&] {
            TUndoManager undo(target);
            for (int i = 0; i < Steps; ++i)
                undo.RecordChange(ukMove, &day, day.Blocks[std::size_t(i % Blocks)].get());
            benchmark::DoNotOptimize(undo.Count());
        });
        state.counters["peak_MB"] = peak;
        state.counters["KB_per_step"] = peak * 1024.0 / Steps;
    }
}

void BM_DetailsStepsMemory(benchmark::State& state) {
    const TDay& day = SampleDay();
    QLineEdit remarks;
    QComboBox client;
    for (auto _ : state) {
        TIdleTarget target;
        const double peak = PeakMegabytesOf([&] {
            TUndoManager undo(target);
            // Alternating controls, so that no two steps merge.
            for (int i = 0; i < Steps; ++i)
                undo.RecordControlChange(i % 2 ? static_cast<QWidget*>(&remarks) : &client,
                                         day.Blocks[std::size_t(i % Blocks)].get());
            benchmark::DoNotOptimize(undo.Count());
        });
        state.counters["peak_MB"] = peak;
        state.counters["KB_per_step"] = peak * 1024.0 / Steps;
    }
}
} // namespace

BENCHMARK(BM_CopyDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DayStepsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DetailsStepsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv); // the details steps name real controls
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter("BM_CopyDay");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
