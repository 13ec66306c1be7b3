#include "lockfile.h"

#include "base/lockholder.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include <QByteArray>
#include <QFile>

namespace {
// The range locked on the data file and on the lock file lies far beyond any real content, so
// holding it never hinders reading the file's bytes.
constexpr off_t LockRangeStart = off_t(0x7FFFFFFF) << 32;
constexpr off_t LockRangeLength = 0x7FFFFFFF;

// Locks of an open file description belong to one open file, not to the whole process: closing
// another handle of the same file in this process never drops them, and a second lock attempt
// from this process conflicts just like one from another process.
#ifdef F_OFD_SETLK
constexpr int SetLockCommand = F_OFD_SETLK;
#else
constexpr int SetLockCommand = F_SETLK;
#endif

constexpr int LockFileRemoveRetries = 10;
constexpr std::chrono::milliseconds LockFileRemoveWait(500);
constexpr int LockFileCreateAttempts = 3;

// A lock file still empty this long after it was made was left by a holder that ended while
// taking it (the holder writes its text at once).
constexpr qint64 EmptyLeftoverSeconds = 10;

QByteArray NativeName(const QString& path) {
    return QFile::encodeName(path);
}

int OpenHandle(const QString& path, int flags) {
    const QByteArray name = NativeName(path);
    int handle;
    do
        handle = ::open(name.constData(), flags | O_CLOEXEC, 0666);
    while (handle < 0 && errno == EINTR);
    return handle;
}

bool SetRangeLock(int handle, short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = LockRangeStart;
    range.l_len = LockRangeLength;
    range.l_pid = 0;
    int result;
    do
        result = ::fcntl(handle, SetLockCommand, &range);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

bool LockRange(int handle) {
    return SetRangeLock(handle, F_WRLCK);
}
void UnlockRange(int handle) {
    SetRangeLock(handle, F_UNLCK);
}

bool SameFile(int handle, const QString& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(handle, &opened) == 0 && ::lstat(NativeName(path).constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool WriteAll(int handle, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(handle, bytes.constData() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

QByteArray ReadHolderText(int handle) {
    QByteArray text(1024, '\0');
    const ssize_t got = ::pread(handle, text.data(), text.size(), 0);
    text.resize(got > 0 ? got : 0);
    return text;
}

// True when the lock file, whose byte range this process holds at the moment, was left by a
// holder that has ended: one of this machine (while it lives it holds the range, even when
// its process number has since gone to another program), or one that ended before it could
// write its text. A lock of another machine is never taken for a leftover: nothing here can
// tell whether that machine still works with the file.
bool IsLeftover(int handle) {
    const TLockHolder holder = ParseLockHolder(ReadHolderText(handle));
    if (holder.IsOnThisMachine())
        return true;
    if (!holder.IsEmpty())
        return false;
    struct stat status {};
    return ::fstat(handle, &status) == 0 &&
           ::time(nullptr) - status.st_mtim.tv_sec > EmptyLeftoverSeconds;
}

// Removes a lock file whose holder has ended on this machine. The file is removed only while
// this process holds its byte range and the name still leads to the same file, so that two
// processes clearing the same leftover never remove a lock that a third has just taken. True
// when the name is free again.
bool RemoveLeftoverLock(const QString& lockFileName) {
    const int handle = OpenHandle(lockFileName, O_RDWR | O_NOFOLLOW);
    if (handle < 0)
        return errno == ENOENT;
    bool removed = false;
    if (LockRange(handle)) {
        if (IsLeftover(handle) && SameFile(handle, lockFileName))
            removed = ::unlink(NativeName(lockFileName).constData()) == 0;
        UnlockRange(handle);
    }
    ::close(handle);
    return removed;
}

// Creates the lock file exclusively; -1 when it exists and is not a leftover that could be
// cleared.
int CreateLockFile(const QString& lockFileName) {
    for (int attempt = 0; attempt < LockFileCreateAttempts; ++attempt) {
        const int handle = OpenHandle(lockFileName, O_RDWR | O_CREAT | O_EXCL);
        if (handle >= 0 || errno != EEXIST)
            return handle;
        if (!RemoveLeftoverLock(lockFileName))
            return -1;
    }
    return -1;
}

// Opens the data file for reading and writing, creating it empty when missing.
int OpenDataFile(const QString& path, bool& created) {
    int handle = OpenHandle(path, O_RDWR | O_CREAT | O_EXCL);
    created = handle >= 0;
    if (handle < 0 && errno == EEXIST)
        handle = OpenHandle(path, O_RDWR);
    return handle;
}

// Creates and locks the lock file while the data file's probe is held.
void TakeLockFile(TLockFileInfo& info, bool created) {
    const QString lockFileName = LockFileNameOf(info.FileName);
    const int handle = CreateLockFile(lockFileName);
    if (handle < 0)
        return;
    info.Handle = handle;
    info.LockFileName = lockFileName;
    // Whoever shares the folder may have to clear the file once this process has ended.
    ::fchmod(handle, 0666);
    if (!LockRange(handle) || !WriteAll(handle, OwnLockHolderText())) {
        UnlockFile(info);
        return;
    }
    info.LockedAge = created ? MissingFileStamp : FileStamp(info.FileName);
}

// Removes the own lock file while its range is still held, so that nobody ever finds it
// unlocked while this process holds it. A removal that fails is retried.
void RemoveOwnLockFile(int handle, const QString& lockFileName) {
    for (int retry = 0;; ++retry) {
        if (!SameFile(handle, lockFileName))
            return;
        if (::unlink(NativeName(lockFileName).constData()) == 0 || errno == ENOENT)
            return;
        if (retry == LockFileRemoveRetries)
            return;
        std::this_thread::sleep_for(LockFileRemoveWait);
    }
}
} // namespace

QString LockFileNameOf(const QString& path) {
    return path + QStringLiteral("_LCK");
}

void ResetLock(TLockFileInfo& info) {
    info.Handle = InvalidLockHandle;
    info.LockFileName.clear();
}

bool IsLocked(const TLockFileInfo& info) {
    return info.Handle != InvalidLockHandle;
}

void LockFile(const QString& path, TLockFileInfo& info) {
    ResetLock(info);
    info.FileName = path;
    info.LockedAge = MissingFileStamp;
    if (path.isEmpty())
        return;
    // The probe: nobody else may be between these steps for the same file at the same time.
    bool created = false;
    const int probe = OpenDataFile(path, created);
    if (probe < 0)
        return;
    if (LockRange(probe)) {
        TakeLockFile(info, created);
        UnlockRange(probe);
    }
    ::close(probe);
}

void UnlockFile(TLockFileInfo& info) {
    if (!IsLocked(info))
        return;
    info.FileAge = FileStamp(info.FileName);
    if (!info.LockFileName.isEmpty())
        RemoveOwnLockFile(info.Handle, info.LockFileName);
    UnlockRange(info.Handle);
    ::close(info.Handle);
    ResetLock(info);
}

void MarkFileWritten(const TLockFileInfo& info) {
    if (!IsLocked(info))
        return;
    const TFileStamp stamp = FileStamp(info.FileName);
    if (stamp != MissingFileStamp && stamp <= info.LockedAge)
        SetFileStamp(info.FileName, info.LockedAge + 1);
}

bool RemoveLeftoverLockOf(const QString& path) {
    return RemoveLeftoverLock(LockFileNameOf(path));
}

TLockHolder LockHolderOf(const QString& path) {
    return ReadLockHolder(LockFileNameOf(path));
}

qint64 LockFileAgeSeconds(const QString& path) {
    struct stat status {};
    if (::lstat(NativeName(LockFileNameOf(path)).constData(), &status) != 0)
        return -1;
    return qint64(::time(nullptr) - status.st_mtim.tv_sec);
}

bool RemoveAbandonedLock(const QString& path) {
    const QString lockFileName = LockFileNameOf(path);
    const int handle = OpenHandle(lockFileName, O_RDWR | O_NOFOLLOW);
    if (handle < 0)
        return errno == ENOENT;
    bool removed = false;
    // A holder that still runs on a machine whose locks reach this folder keeps the range.
    if (LockRange(handle)) {
        removed = SameFile(handle, lockFileName) &&
                  ::unlink(NativeName(lockFileName).constData()) == 0;
        UnlockRange(handle);
    }
    ::close(handle);
    return removed;
}
