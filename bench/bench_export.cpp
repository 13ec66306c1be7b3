// An export of a year for a work group of 100 users with all twenty standard fields: sixteen
// in the Time group and the two list groups. The figure is exported entries per second.
// Baseline: reading the same month files' bytes and splitting them at line ends and tabs.
// The export's peak memory (resident set above what the process held before) is printed
// against the size of the month files it read.
#include "app/applocale.h"
#include "app/datalocations.h"
#include "export/exportengine.h"
#include "ratioreporter.h"
#include "sampledata.h"
#include "storage/monthfile.h"
#include "storage/personalsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {
constexpr int Users = 100;
constexpr int Year = 2023;

struct TSampleWorkGroup {
    TSampleWorkGroup() {
        SetAppLocale(QLocale(QStringLiteral("en_US")));
        Locations().ServerFolder = Folder.path() + QStringLiteral("/");
        Locations().LocalFolder = Folder.path() + QStringLiteral("/local/");
        PersonalSettings().UserName = QStringLiteral("nobody");
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
        Format.SetGroupOrder({QStringLiteral("Client Data Group"), QStringLiteral("Category Data Group"),
                              QStringLiteral("Time Data Group")});
        for (int field = 0; field < StandardFieldCount; ++field)
            Format.AddField(field);
        Format.Headings = true;
        Format.BlankRows = 1;
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

long StatusKilobytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    return -1;
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

void BM_ExportYear(benchmark::State& state) {
    const TSampleWorkGroup& group = WorkGroup();
    for (auto _ : state) {
        const QString error = ExportData(group.Format, QDate(Year, 1, 1), QDate(Year, 12, 31));
        if (!error.isEmpty())
            state.SkipWithError(error.toStdString().c_str());
    }
    state.SetItemsProcessed(state.iterations() * group.Lines);
}

// One export with the peak resident set reset before it (Linux: clear_refs 5).
void BM_ExportPeakMemory(benchmark::State& state) {
    const TSampleWorkGroup& group = WorkGroup();
    for (auto _ : state) {
        const long before = StatusKilobytes("VmRSS:");
        std::ofstream("/proc/self/clear_refs") << "5";
        ExportData(group.Format, QDate(Year, 1, 1), QDate(Year, 12, 31));
        const long peak = StatusKilobytes("VmHWM:");
        state.counters["peak_MB"] = double(peak - before) / 1024.0;
        state.counters["files_MB"] = double(group.Bytes) / (1024.0 * 1024.0);
        state.counters["peak_per_file_byte"] = double(peak - before) * 1024.0 / double(group.Bytes);
    }
}
} // namespace

BENCHMARK(BM_BaselineReadAndSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
QH_BENCHMARK_MAIN_WITH_BASELINE("BM_BaselineReadAndSplit")
