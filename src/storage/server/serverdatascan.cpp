#include "serverdatascan.h"

#include "base/datalocations.h"
#include "base/fileutils.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/lists/listlines.h"
#include "storage/months/month.h"
#include "storage/months/monthfile.h"
#include "storage/server/inuselists.h"
#include "storage/server/scanprogress.h"

#include <QDir>
#include <QFileInfo>

namespace {
bool HasInUseFiles(const QString& folder) {
    return QFileInfo(folder + InUseClientListFileName).isFile() &&
           QFileInfo(folder + InUseCategoryListFileName).isFile();
}

// Closes a progress that was started, also when the scan ends with an error.
class TProgressCloser {
public:
    TProgressCloser(IScanProgress* progress, const bool& started)
        : FProgress(progress), FStarted(started) {}
    TProgressCloser(const TProgressCloser&) = delete;
    TProgressCloser& operator=(const TProgressCloser&) = delete;
    ~TProgressCloser() {
        if (FProgress && FStarted)
            FProgress->Finish();
    }

private:
    IScanProgress* FProgress;
    const bool& FStarted;
};
} // namespace

QString TServerUser::Name() const {
    return LastPathPart(Folder);
}

TServerDataScan::TServerDataScan(const TClients& ownClients, const TCategories& ownCategories,
                                 IScanProgress* progress)
    : FOwnClients(ownClients), FOwnCategories(ownCategories), FProgress(progress) {}

void TServerDataScan::Run(TServerUsers& users, TClients& clients, TCategories& categories) {
    users.clear();
    FStarted = false;
    FCancelled = false;
    const TProgressCloser closer(FProgress, FStarted);
    // A flag of the scan's own: the server is tried even when the program fell back to its
    // local data earlier.
    bool useLocal = false;
    const QString root = DataPath(useLocal);
    bool found = false;
    if (IsWorkGroup() && !useLocal) {
        for (const QString& name : ServerUserFolderNames(root)) {
            found = true;
            ScanUser(root + name + QLatin1Char('/'), users, clients, categories);
        }
    }
    if (!found) {
        clients.Clear();
        categories.Clear();
        FOwnClients.MergeInto(clients);
        FOwnCategories.MergeInto(categories);
    }
}

void TServerDataScan::ScanUser(const QString& folder, TServerUsers& users, TClients& clients,
                               TCategories& categories) {
    TMoment lastEntry;
    if (HasInUseFiles(folder)) {
        clients.LoadFrom(folder + InUseClientListFileName);
        categories.LoadFrom(folder + InUseCategoryListFileName);
        lastEntry = NewestEntryMoment(folder);
    } else if (!RebuildUser(folder, clients, categories, lastEntry)) {
        return;
    }
    if (lastEntry != TMoment())
        users.push_back({folder, PackDateTime(lastEntry)});
}

bool TServerDataScan::RebuildUser(const QString& folder, TClients& clients, TCategories& categories,
                                  TMoment& lastEntry) {
    if (FProgress) {
        if (!FStarted) {
            FProgress->Start(ScanningServerDataText);
            FStarted = true;
        }
        // Once asked, the answer stays: every further rebuild is skipped.
        FCancelled = FCancelled || FProgress->Cancelled();
        if (FCancelled)
            return false;
        FProgress->Update(LastPathPart(folder));
    }
    TClients userClients;
    TCategories userCategories;
    RebuildInUseLists(folder, userClients, userCategories, lastEntry, false, false);
    if (WriteInUseFiles)
        SaveInUseLists(folder, userClients, userCategories);
    userClients.MergeInto(clients);
    userCategories.MergeInto(categories);
    return true;
}

void ScanServerData(TServerUsers& users, TClients& clients, TCategories& categories,
                    const TClients& ownClients, const TCategories& ownCategories,
                    IScanProgress* progress) {
    TServerDataScan(ownClients, ownCategories, progress).Run(users, clients, categories);
}

QStringList ServerUserFolderNames(const QString& root) {
    QStringList names;
    const QString exportFormats = WithoutTrailingSeparators(ExportFormatsFolderName);
    const QFileInfoList entries = QDir(root).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries)
        if (entry.fileName() != exportFormats)
            names.append(entry.fileName());
    return names;
}

TMoment NewestEntryMoment(const QString& folder) {
    const QStringList names = MonthFileNames(folder);
    const QString userName = LastPathPart(folder);
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        const TMoment moment = TMonth::CreateFromFile(folder + *name, userName)->LastEntryMoment();
        if (moment != TMoment())
            return moment;
    }
    return {};
}
