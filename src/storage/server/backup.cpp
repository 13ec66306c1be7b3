#include "backup.h"

#include "base/datalocations.h"
#include "base/filestamp.h"
#include "base/fileutils.h"
#include "base/messages.h"

#include <exception>

#include <QDir>
#include <QFileInfo>

namespace {
const QString ExportFormatPattern = QStringLiteral("ef-*.txt");

void WarnBackupFailed() {
    ShowMessageBox(BackupFailedText, TMsgKind::Warning, mbOK);
}
void WarnRenameFailed() {
    ShowMessageBox(RenameBackupFailedText, TMsgKind::Warning, mbOK);
}

// Copies what needs copying from sourceFolder to targetFolder; any failure is one warning.
void CopyChangedFiles(const QString& sourceFolder, const QString& targetFolder,
                      const QString& pattern) {
    try {
        CopyFilesKeepingTime(FilesNeedingCopy(sourceFolder, targetFolder, pattern), sourceFolder,
                             targetFolder);
    } catch (const std::exception&) {
        WarnBackupFailed();
    }
}

bool SameFolder(const QString& one, const QString& other) {
    const QString canonical = QFileInfo(one).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath();
}
} // namespace

QStringList FilesNeedingCopy(const QString& sourceFolder, const QString& targetFolder,
                             const QString& pattern) {
    const QString source = WithTrailingSeparator(sourceFolder);
    const QString target = WithTrailingSeparator(targetFolder);
    QStringList names;
    const QStringList found = QDir(source).entryList({pattern}, QDir::Files, QDir::Name);
    for (const QString& name : found) {
        // A missing target has the missing stamp, which no existing source has.
        if (FileStamp(target + name) != FileStamp(source + name))
            names.append(name);
    }
    return names;
}

void CopyFilesKeepingTime(const QStringList& names, const QString& sourceFolder,
                          const QString& targetFolder) {
    const QString source = WithTrailingSeparator(sourceFolder);
    const QString target = WithTrailingSeparator(targetFolder);
    for (const QString& name : names)
        CopyFileKeepingTime(source + name, target + name);
}

void BackupToServer() {
    const QString userName = CurrentUserName();
    if (userName.isEmpty() || !IsWorkGroup() || !QFileInfo(ServerDataPath()).isDir())
        return;
    // The name becomes a folder on the server: a name such as ".." or "a/b" would lead
    // the copies out of the user's own folder.
    if (!IsPlainName(userName)) {
        WarnBackupFailed();
        return;
    }
    const QString userFolder = ServerDataPath() + userName + QLatin1Char('/');
    if (!QFileInfo(userFolder).isDir() && !QDir().mkdir(userFolder)) {
        WarnBackupFailed();
        return;
    }
    CopyChangedFiles(LocalDataPath(), userFolder, QStringLiteral("*"));
}

void CopyExportFormatsDown() {
    const QString source = DataPath(Locations().UseLocalData) + ExportFormatsFolderName;
    const QString target = LocalExportFormatsPath();
    if (SameFolder(source, target))
        return; // no server to copy from
    CopyChangedFiles(source, target, ExportFormatPattern);
}

bool RenameServerUserFolder(const QString& oldName, const QString& newName) {
    if (oldName == newName || Locations().ServerFolder.isEmpty())
        return true;
    if (!IsPlainName(oldName)) {
        WarnRenameFailed();
        return false;
    }
    const QString oldFolder = ServerDataPath() + oldName;
    if (!QFileInfo(oldFolder).isDir())
        return true;
    const QString newFolder = ServerDataPath() + newName;
    if (!IsPlainName(newName) || QFileInfo::exists(newFolder) ||
        !QDir().rename(oldFolder, newFolder)) {
        WarnRenameFailed();
        return false;
    }
    return true;
}
