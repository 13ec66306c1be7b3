#pragma once

#include "base/filestamp.h"
#include "base/lockholder.h"

#include <QString>

// The handle value that stands for "no lock held".
constexpr int InvalidLockHandle = -1;

// One held (or not held) lock on a shared data file. The lock is a companion file named after
// the data file with "_LCK" appended, in the same folder, created exclusively and kept open with
// a byte-range lock on it; it names the machine and the process that hold it.
struct TLockFileInfo {
    QString FileName;                        // the data file
    QString LockFileName;                    // FileName + "_LCK" while held; empty otherwise
    int Handle = InvalidLockHandle;          // the open lock file
    TFileStamp FileAge = MissingFileStamp;   // the data file's stamp when the lock was released
    TFileStamp LockedAge = MissingFileStamp; // its stamp when the lock was taken (missing when
                                             // taking the lock created the file)
};

void ResetLock(TLockFileInfo& info);
bool IsLocked(const TLockFileInfo& info);

// Tries to take the lock on the data file path, creating the file empty when it is missing;
// IsLocked(info) tells afterwards whether it worked. Fails at once, without waiting, while
// another holder (another process, another machine, or another lock of this process) has it.
// A lock file left behind by a holder of this machine that has ended (or by any holder that
// ended before it wrote its name) is removed first; one left by another machine keeps
// blocking until an administrator removes it (RemoveAbandonedLock).
void LockFile(const QString& path, TLockFileInfo& info);

// Releases a held lock: notes the data file's stamp in FileAge and removes the lock file.
// Does nothing when no lock is held.
void UnlockFile(TLockFileInfo& info);

// To be called after the data file was written under the held lock. Makes sure its stamp is
// later than the stamp it had when the lock was taken, even when the write fell within the
// same tick of the file system's clock, so that every reader who remembered the old stamp sees
// the file as changed.
void MarkFileWritten(const TLockFileInfo& info);

// The lock file that belongs to a data file.
QString LockFileNameOf(const QString& path);

// Who holds the lock of the data file path, as its lock file says.
TLockHolder LockHolderOf(const QString& path);
// Seconds since the lock of the data file path was taken; -1 when there is no lock file.
qint64 LockFileAgeSeconds(const QString& path);
// Removes the lock file of the data file path when it is a leftover that LockFile would clear
// itself; true when the name is free.
bool RemoveLeftoverLockOf(const QString& path);
// Removes the lock file of the data file path, whoever wrote it, unless a holder that still
// runs keeps its byte range; for an administrator who confirmed that the holder is gone.
// True when the lock file is gone.
bool RemoveAbandonedLock(const QString& path);
