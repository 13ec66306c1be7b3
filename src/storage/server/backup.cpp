#include "backup.h"

#include "base/datalocations.h"
#include "base/filecopyfailed.h"
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

// True when folder is a folder of its own (no symbolic link) that lies within parent.
bool IsRealFolderInside(const QString& folder, const QString& parent) {
    const QFileInfo info(WithoutTrailingSeparators(folder));
    if (info.isSymLink() || !info.isDir())
        return false;
    const QString inside = WithTrailingSeparator(QFileInfo(parent).canonicalFilePath());
    return inside.size() > 1 && info.canonicalFilePath().startsWith(inside);
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
    for (const QString& name : names) {
        // A link in place of the copy would carry it out of the target folder.
        if (QFileInfo(target + name).isSymLink())
            throw EFileCopyFailed(source + name, target + name,
                                  QStringLiteral("The target is a symbolic link"));
        CopyFileKeepingTime(source + name, target + name);
    }
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
    // A folder that is a link may lead anywhere; the copies stay inside the server folder.
    if (!IsRealFolderInside(userFolder, ServerDataPath())) {
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

bool IsServerUserFolderTaken(const QString& oldName, const QString& newName) {
    if (oldName == newName || Locations().ServerFolder.isEmpty() || !IsPlainName(newName))
        return false;
    const QString newFolder = ServerDataPath() + newName;
    if (!QFileInfo::exists(newFolder))
        return false;
    // The same folder under another letter case, on a file system that ignores case.
    return !IsPlainName(oldName) || !SameFolder(ServerDataPath() + oldName, newFolder);
}

QString UserNameTakenText(const QString& newName) {
    return QStringLiteral("The user name \"") + newName +
           QStringLiteral("\" is already used in the work group: the server has a folder \"") +
           ServerDataPath() + newName +
           QStringLiteral("\" with another user's data. Choose another user name.");
}
