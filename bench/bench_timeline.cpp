// Painting a day of the timeline: 40 blocks with client, project, activity and remarks at the
// widest zoom (5000 pixels) into an image of the day paint box's size, as a repaint of the day
// does. Target: at most 2 ms a paint. Baseline: filling the same 40 rectangles without text.
#include "dayview/dayviewgeometry.h"
#include "dayview/timelinepainter.h"
#include "ratioreporter.h"
#include "storage/months/block.h"
#include "storage/months/day.h"

#include <memory>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {
constexpr int Width = 5000;
constexpr int Height = 45;
constexpr int Blocks = 40;

const TDayView SampleView = TDayView::Make(0, 24, Width, Height);

const TDay& SampleDay() {
    static const std::unique_ptr<TDay> day = [] {
        auto made = std::make_unique<TDay>(QDate(2024, 3, 6));
        for (int i = 0; i < Blocks; ++i) {
            TBlock& block = made->AddBlock(i * 60, i * 60 + 55);
            block.Client = QStringLiteral("Client %1").arg(i % 7);
            block.Project = QStringLiteral("Project %1").arg(i % 5);
            block.Activity = QStringLiteral("Activity %1").arg(i % 3);
            block.Remarks = QStringLiteral("Remarks for block %1\r\nwith a second line").arg(i);
            block.Reportable = i % 4 != 0;
            block.Chargeable = i % 3 != 0;
            block.OverTime = i % 5 == 0;
        }
        return made;
    }();
    return *day;
}

void BM_FillRectangles(benchmark::State& state) {
    const TDay& day = SampleDay();
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::gray);
        for (const auto& block : day.Blocks)
            painter.fillRect(QRect(BlockLeft(SampleView, *block), 0,
                                   BlockRight(SampleView, *block) - BlockLeft(SampleView, *block),
                                   Height),
                             Qt::yellow);
    }
    state.SetItemsProcessed(state.iterations() * Blocks);
}

void BM_PaintDay(benchmark::State& state) {
    const TDay& day = SampleDay();
    const TBlockColours colours;
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        benchmark::DoNotOptimize(PaintDay(painter, day, SampleView, day.Blocks[3].get(), colours));
    }
    state.SetItemsProcessed(state.iterations() * Blocks);
}
} // namespace

BENCHMARK(BM_FillRectangles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintDay)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed for painting into images.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter("BM_FillRectangles");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
