#pragma once

#include <QString>
#include <QStringList>

// Warnings of the copies between the local data folder and the server.
inline const QString BackupFailedText = QStringLiteral("Unable to backup data files");
inline const QString RenameBackupFailedText =
    QStringLiteral("Unable to rename backup directory - user name may in use by another user");

// Work Group only: copies every plain file of the local data folder whose server copy is
// missing or has another modification time into the user's own folder on the server (made
// when missing). Does nothing, silently, without a user name or when the server's data folder
// is missing. Failures, and a user name that cannot be a folder name, end in the warning
// "Unable to backup data files"; files copied before a failure stay copied.
void BackupToServer();

// Brings the export formats ("ef-*.txt") that are new or changed on the server down into the
// local export formats folder. Formats deleted on the server stay. Failures end in the warning
// "Unable to backup data files".
void CopyExportFormatsDown();

// Moves the user's server folder to the new user name when the folder of the old name exists.
// A failure, a new name that is already taken and a name that cannot be a folder name give
// the rename warning; false then. Nothing happens without a server folder or when the names
// are equal.
bool RenameServerUserFolder(const QString& oldName, const QString& newName);

// True when newName is not oldName and the server already has a folder of that name that is
// not oldName's own: another user's backups, which a rename or the next backup would mix
// with or overwrite.
bool IsServerUserFolderTaken(const QString& oldName, const QString& newName);
// What the user is told when the new user name is taken on the server.
QString UserNameTakenText(const QString& newName);

// The names of the plain files (no folders, no hidden files) of sourceFolder matching the
// wildcard pattern whose copy in targetFolder is missing or has another modification time,
// sorted by name.
QStringList FilesNeedingCopy(const QString& sourceFolder, const QString& targetFolder,
                             const QString& pattern);
// Copies the named files from sourceFolder to targetFolder in list order with
// CopyFileKeepingTime; the first failure raises EFileCopyFailed and ends the run.
void CopyFilesKeepingTime(const QStringList& names, const QString& sourceFolder,
                          const QString& targetFolder);
