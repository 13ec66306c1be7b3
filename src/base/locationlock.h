#pragma once

#include "base/lockholder.h"

#include <QString>

// The lock a running copy of the program holds on its data location, so that two copies never
// edit the same month files from two memories. The lock is a file in the location that names
// its holder (user, machine, process, since when) and carries a byte-range lock for as long as
// the holder runs; the system drops that when the process ends, however it ends, so a lock
// whose range is free was left by a copy that is gone and is taken over.
class TDataLocationLock {
public:
    enum class TResult {
        Acquired,     // this copy holds the location now
        HeldByOther,  // another running copy holds it (Holder() says who)
        Unavailable   // no lock can be made here (a read-only location): nothing tells of another
    };

    TDataLocationLock() = default;
    ~TDataLocationLock();
    TDataLocationLock(const TDataLocationLock&) = delete;
    TDataLocationLock& operator=(const TDataLocationLock&) = delete;

    TResult TryAcquire(const QString& location);
    void Release();
    bool IsHeld() const { return FHandle >= 0; }
    // Who holds the location, after HeldByOther.
    const TLockHolder& Holder() const { return FHolder; }

    // The lock file of a data location.
    static QString LockFilePath(const QString& location);

private:
    int FHandle = -1;
    QString FPath;
    TLockHolder FHolder;
};

// What a second copy says before it ends.
QString LocationInUseText(const QString& location, const TLockHolder& holder);
