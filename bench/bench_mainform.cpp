// The main window on a month of 20 working days with 15 blocks each, on the offscreen
// platform: from creating the window to its first complete paint (target 300 ms), a change of
// day within the month (target 5 ms) and a change to another month that saves the changed one
// (target 20 ms). Baseline: reading the month file and splitting it into lines and fields.
#include "base/datalocations.h"
#include "base/messages.h"
#include "base/processenvironment.h"
#include "calendar/graphiccalendar.h"
#include "dayview/mainform.h"
#include "dayview/timelineview.h"
#include "datadirenvironment.h"
#include "ratioreporter.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/personalsettings.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
const QDate First(2024, 3, 1);

// A month of 20 working days, 15 half-hour blocks each from 08:00, in two months.
void WriteMonth(int year, int month) {
    TMonth data(year, month);
    int working = 0;
    for (const auto& day : data.Days) {
        if (day->WeekDay() > 5 || ++working > 20)
            continue;
        for (int i = 0; i < 15; ++i) {
            TBlock& block = day->AddBlock(800 + i * 50, 850 + i * 50);
            block.Client = QStringLiteral("Client %1").arg(i % 5);
            block.Project = QStringLiteral("Project %1").arg(i % 3);
            block.Category = QStringLiteral("Development");
            block.Activity = QStringLiteral("Coding");
            block.Remarks = QStringLiteral("Remarks of block %1").arg(i);
            block.Reportable = true;
            block.Chargeable = true;
        }
    }
    data.Save();
}

struct TBenchData {
    TBenchData() {
        SetProcessEnvironment(std::make_unique<TDataDirEnvironment>(Temp.path() + QLatin1Char('/')));
        SetMessageBoxHandler([](const QString&, TMsgKind, int) { return int(mrNo); });
        ResolveDataLocations();
        CheckDataFolders();
        PersonalSettings().Setup.SaveOnChange = false;
        WriteMonth(2024, 3);
        WriteMonth(2024, 4);
    }
    QTemporaryDir Temp;
};

TBenchData& Data() {
    static TBenchData data;
    return data;
}

void BM_ReadMonthFile(benchmark::State& state) {
    Data();
    const QString file = LocalDataPath() + QStringLiteral("2024-03.txt");
    for (auto _ : state) {
        QFile input(file);
        input.open(QIODevice::ReadOnly);
        const QByteArray bytes = input.readAll();
        int fields = 0;
        for (const QByteArray& line : bytes.split('\n'))
            fields += int(line.split('\t').size());
        benchmark::DoNotOptimize(fields);
    }
}

void BM_OpenToFirstPaint(benchmark::State& state) {
    Data();
    for (auto _ : state) {
        TMainForm form;
        form.Calendar->SetDate(First.addDays(5));
        form.LoadData();
        form.ApplyWindowSettings();
        form.show();
        benchmark::DoNotOptimize(form.grab().size()); // every control painted once
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}

// The day (or month) shown next alternates, so that every round really changes it.
void ChangeDays(benchmark::State& state, QDate one, QDate other, bool modify) {
    Data();
    TMainForm form;
    form.Calendar->SetDate(one);
    form.LoadData();
    form.show();
    form.grab();
    bool flip = false;
    int round = 0;
    for (auto _ : state) {
        if (modify && form.CurrentDay() && !form.CurrentDay()->Blocks.empty()) {
            form.CurrentDay()->Blocks.front()->Remarks = QString::number(++round);
            form.MarkModified();
        }
        form.Calendar->SetDate(flip ? one : other);
        flip = !flip;
        benchmark::DoNotOptimize(form.Timeline->pbxDay->grab().size()); // the new day painted
    }
    // Each round paints a day of 15 blocks.
    state.counters["day_paints"] = form.Timeline->pbxDay->DayPaints();
}

void BM_ChangeDayInMonth(benchmark::State& state) {
    ChangeDays(state, QDate(2024, 3, 5), QDate(2024, 3, 6), false);
}

void BM_ChangeMonthSavingIt(benchmark::State& state) {
    ChangeDays(state, QDate(2024, 3, 5), QDate(2024, 4, 9), true);
}
} // namespace

BENCHMARK(BM_ReadMonthFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeDayInMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeMonthSavingIt)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter("BM_ReadMonthFile");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
