#include "sharedfilestamp.h"

#include "base/datalocations.h"
#include "base/lockfile.h"

namespace {
// Releases the lock when the scope ends, also through an exception.
class TLockRelease {
public:
    explicit TLockRelease(TLockFileInfo& info) : FInfo(info) {}
    ~TLockRelease() { UnlockFile(FInfo); }
    TLockRelease(const TLockRelease&) = delete;
    TLockRelease& operator=(const TLockRelease&) = delete;

private:
    TLockFileInfo& FInfo;
};
} // namespace

TSharedFileResult TSharedFileStamp::Read(const QString& path, const std::function<void()>& read) {
    if (!IsShared()) {
        read();
        FStamp = FileStamp(path);
        return TSharedFileResult::Done;
    }
    TLockFileInfo info;
    LockFile(path, info);
    if (!IsLocked(info)) {
        FStamp = UnknownStamp;
        return TSharedFileResult::NotLocked;
    }
    {
        TLockRelease release(info);
        FStamp = UnknownStamp;
        read();
    }
    FStamp = info.FileAge;
    return TSharedFileResult::Done;
}

TSharedFileResult TSharedFileStamp::Write(const QString& path, const std::function<void()>& write) {
    if (!IsShared()) {
        write();
        FStamp = FileStamp(path);
        return TSharedFileResult::Done;
    }
    TLockFileInfo info;
    LockFile(path, info);
    if (!IsLocked(info))
        return TSharedFileResult::NotLocked;
    {
        TLockRelease release(info);
        if (IsOlderThan(info.LockedAge))
            return TSharedFileResult::ChangedByAnother;
        try {
            write();
        } catch (...) {
            // Part of the file may have been written: make sure others see a change.
            MarkFileWritten(info);
            FStamp = UnknownStamp;
            throw;
        }
        MarkFileWritten(info);
    }
    FStamp = info.FileAge;
    return TSharedFileResult::Done;
}
