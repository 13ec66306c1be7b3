#include "stalesaves.h"

#include "base/atomicfile.h"
#include "base/datalocations.h"
#include "base/fileutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr int StaleAfterSeconds = 60;
} // namespace

QStringList StaleTemporaryFiles(const QString& folder, const QDateTime& now) {
    QStringList stale;
    if (folder.isEmpty())
        return stale;
    const QDir dir(folder);
    const QStringList pattern{TemporarySavePrefix + QLatin1Char('*')};
    for (const QFileInfo& file :
         dir.entryInfoList(pattern, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name))
        if (file.fileName().startsWith(TemporarySavePrefix) &&
            file.lastModified().secsTo(now) > StaleAfterSeconds)
            stale.append(file.absoluteFilePath());
    return stale;
}

void RemoveStaleTemporaryFiles(const QString& folder) {
    for (const QString& file : StaleTemporaryFiles(folder))
        QFile::remove(file); // one that cannot be removed is tried again in the next run
}

QStringList OwnDataFolders() {
    const TDataLocations& locations = Locations();
    QStringList folders{locations.LocalFolder, LocalDataPath(), LocalExportFormatsPath()};
    if (!locations.ServerFolder.isEmpty()) {
        bool useLocal = false;
        folders << locations.ServerFolder << ServerDataPath() << DataPath(useLocal)
                << ExportFormatsPath(useLocal);
    }
    folders.removeAll(QString());
    for (QString& folder : folders)
        folder = WithTrailingSeparator(QFileInfo(folder).absoluteFilePath());
    folders.removeDuplicates();
    return folders;
}
