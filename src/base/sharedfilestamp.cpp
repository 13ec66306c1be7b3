#include "sharedfilestamp.h"

#include "base/datalocations.h"
#include "base/filefingerprint.h"
#include "base/ioerror.h"
#include "base/lockfile.h"
#include "base/lockremedy.h"

#include <QCryptographicHash>

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

bool TSharedFileStamp::ChangedSince(const QString& path, TFileStamp current) const {
    if (IsOlderThan(current))
        return true;
    return !FContent.isEmpty() && ContentOf(path) != FContent;
}

QByteArray TSharedFileStamp::ContentOf(const QString& path) const {
    QStringList files{path};
    if (FCompanions)
        files << FCompanions();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& file : files) {
        TFileFingerprint print;
        try {
            print = FileFingerprint(file);
        } catch (const EInOutError&) {
            print.Size = -1; // unreadable now: differs from any content that was read
        }
        hash.addData(QByteArray::number(print.Exists) + ':' + QByteArray::number(print.Size) +
                     ':' + print.Hash);
    }
    return hash.result();
}

TSharedFileResult TSharedFileStamp::Read(const QString& path, const std::function<void()>& read) {
    if (!IsShared()) {
        read();
        FStamp = FileStamp(path);
        return TSharedFileResult::Done;
    }
    TLockFileInfo info;
    LockFileOrOfferRemoval(path, info);
    if (!IsLocked(info)) {
        FStamp = UnknownStamp;
        return TSharedFileResult::NotLocked;
    }
    {
        TLockRelease release(info);
        SetStamp(UnknownStamp);
        read();
        RememberContent(path);
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
    LockFileOrOfferRemoval(path, info);
    if (!IsLocked(info))
        return TSharedFileResult::NotLocked;
    {
        TLockRelease release(info);
        if (ChangedSince(path, info.LockedAge))
            return TSharedFileResult::ChangedByAnother;
        try {
            write();
        } catch (...) {
            // The write may have changed something: make sure others see a change.
            MarkFileWritten(info);
            SetStamp(UnknownStamp);
            throw;
        }
        MarkFileWritten(info);
        RememberContent(path);
    }
    FStamp = info.FileAge;
    return TSharedFileResult::Done;
}
