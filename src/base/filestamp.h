#pragma once

#include <QString>
#include <QtGlobal>

// A file's modification time as a whole number of nanoseconds since 1970. A larger stamp is a
// later time, so "less than" tells which of two stamps is older.
using TFileStamp = qint64;

// The stamp of a missing file (and of anything that is not a plain file).
constexpr TFileStamp MissingFileStamp = -1;

TFileStamp FileStamp(const QString& path);
// Sets the file's modification time; false when the file system refuses.
bool SetFileStamp(const QString& path, TFileStamp stamp);
