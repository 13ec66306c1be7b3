// The server data scan over a work group of 30 users with a year of month files each. The
// figure is month lines per second. Baseline: reading the same files' bytes and splitting them
// at line ends and tabs. A scan of users whose in-use lists exist reads only their newest
// month, so it should cost a small fraction of the baseline; rebuilding reads everything.
#include "base/applocale.h"
#include "base/datalocations.h"
#include "ratioreporter.h"
#include "sampledata/sampledata.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/lists/listlines.h"
#include "storage/months/monthfile.h"
#include "storage/server/serverdatascan.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
constexpr int Users = 30;
constexpr int Year = 2023;
constexpr int Months = 12;

// The server's data folder of a work group; Locations() point at it.
struct TSampleServer {
    TSampleServer() {
        SetAppLocale(QLocale(QStringLiteral("en_US")));
        Locations().ServerFolder = Folder.path() + QStringLiteral("/");
        Locations().LocalFolder = Folder.path() + QStringLiteral("/local/");
        TSampleDataGenerator generator(2025);
        Lines = generator.WriteServerData(ServerDataPath(), Users, Year, 1, Months, &UserFolders);
        for (const QString& folder : UserFolders)
            for (const QString& name : MonthFileNames(folder))
                Files.append(folder + name);
    }

    QTemporaryDir Folder;
    QStringList UserFolders;
    QStringList Files;
    std::int64_t Lines = 0;
};

TSampleServer& SampleServer() {
    static TSampleServer server;
    return server;
}

void RemoveInUseFiles(const TSampleServer& server) {
    for (const QString& folder : server.UserFolders) {
        QFile::remove(folder + InUseClientListFileName);
        QFile::remove(folder + InUseCategoryListFileName);
    }
}

std::size_t Scan(bool writeInUseFiles) {
    const TClients ownClients;
    const TCategories ownCategories;
    TServerDataScan scan(ownClients, ownCategories);
    scan.WriteInUseFiles = writeInUseFiles;
    TServerUsers users;
    TClients clients;
    TCategories categories;
    scan.Run(users, clients, categories);
    return users.size() + clients.Items().size();
}

void BM_BaselineReadAndSplit(benchmark::State& state) {
    const TSampleServer& server = SampleServer();
    for (auto _ : state) {
        qsizetype fields = 0;
        for (const QString& name : server.Files) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray& line : file.readAll().split('\n'))
                fields += line.count('\t') + 1;
        }
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * server.Lines);
}

// Every user without in-use files: each is rebuilt from all its months (nothing written).
void BM_ScanRebuildingEveryUser(benchmark::State& state) {
    TSampleServer& server = SampleServer();
    RemoveInUseFiles(server);
    for (auto _ : state)
        benchmark::DoNotOptimize(Scan(false));
    state.SetItemsProcessed(state.iterations() * server.Lines);
}

// Every user with in-use files: the lists and the newest month only.
void BM_ScanWithInUseFiles(benchmark::State& state) {
    TSampleServer& server = SampleServer();
    Scan(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(Scan(true));
    state.SetItemsProcessed(state.iterations() * server.Lines);
}
} // namespace

BENCHMARK(BM_BaselineReadAndSplit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScanRebuildingEveryUser)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScanWithInUseFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
QH_BENCHMARK_MAIN_WITH_BASELINE("BM_BaselineReadAndSplit")
