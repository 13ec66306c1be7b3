#pragma once

#include <functional>

#include <QDateTime>
#include <QString>
#include <QStringList>

// Empty stays empty; otherwise the path ends with exactly one separator.
QString WithTrailingSeparator(const QString& path);
// Removes every trailing separator (the root "/" stays).
QString WithoutTrailingSeparators(const QString& path);
// The absolute folder part of path, ending with a separator. File names keep their letter
// case: the file systems here tell "Data" from "data".
QString FolderOf(const QString& path);
// The last part of path, trailing separators ignored: a folder's own name (for a user's folder
// on the server, the user name) or a file's name.
QString LastPathPart(const QString& path);

// True when text holds one of \ / : * ? " < > |.
bool HasInvalidNameChar(const QString& text);
// True when text can be used as one folder or file name: not empty, not "." or "..", and
// free of path separators, control characters and the characters of HasInvalidNameChar.
bool IsPlainName(const QString& text);

// True when the file exists; otherwise creates it, removes it again and says whether that
// worked.
bool CanCreateFile(const QString& path);

// Asks whether existing files among paths may be replaced; true when none exist or the user
// answered Yes.
bool ConfirmReplace(const QStringList& paths);

// Copies source to target when source exists and the target's file system has more free space
// than the size of source + 36 bytes; false (nothing written) otherwise. The copy goes through
// a temporary file beside the target, so a failed copy never leaves a half-written target;
// a read or write failure raises EInOutError.
bool CopyFileIfRoom(const QString& source, const QString& target);
// Copies source over target and gives the copy the source's modification time, so that the
// two compare equal afterwards. The copy is written to a hidden temporary file beside the
// target and renamed over it only when complete: a failure never leaves a half-written target
// and raises EFileCopyFailed. A new target gets the permissions of a new file in its folder,
// a replaced one keeps its own.
void CopyFileKeepingTime(const QString& source, const QString& target);
// Copies every file (not sub-folder) of sourceFolder into targetFolder with CopyFileIfRoom.
void CopyFolderFiles(const QString& sourceFolder, const QString& targetFolder);

// Adds to list the names of the files (not folders) of folder matching the wildcard pattern,
// in name order.
void ListFiles(const QString& folder, const QString& pattern, QStringList& list);

// The file's modification time; invalid when the file cannot be read.
QDateTime FileDateTime(const QString& path);

// The path shortened to fit width by replacing the innermost folders with "...", keeping the
// start of the path and the file name. textWidth measures a text.
QString ShortenPath(const QString& path, const std::function<int(const QString&)>& textWidth,
                    int width);
