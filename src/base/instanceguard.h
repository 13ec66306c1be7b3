#pragma once

#include <QString>

// A system-wide named guard that only one process holds at a time: an advisory lock on a file
// in the user's runtime folder. The system releases it when the holding process ends, so a
// crashed copy never blocks the next start.
class TInstanceGuard {
public:
    TInstanceGuard() = default;
    ~TInstanceGuard();
    TInstanceGuard(const TInstanceGuard&) = delete;
    TInstanceGuard& operator=(const TInstanceGuard&) = delete;

    // False when another process holds the guard already. True when this process now holds it,
    // and also when no guard can be made at all (nothing then tells of another copy).
    bool TryAcquire(const QString& name);
    void Release();
    bool IsHeld() const { return FHandle >= 0; }

    // The lock file that stands for the guard of this name.
    static QString LockFilePath(const QString& name);

private:
    int FHandle = -1;
};

// Name of the guard that keeps a second copy of the program from starting.
inline const QString InstanceGuardName = QStringLiteral("QHRInstanceMutex");
