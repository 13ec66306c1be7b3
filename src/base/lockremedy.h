#pragma once

#include "base/lockfile.h"

#include <QString>

// A shared file's lock is held for the few operations of one write; one this old was left by
// a holder that is gone.
constexpr qint64 AbandonedLockSeconds = 10 * 60;

// "Cannot lock \"path\"", then who holds the lock since when, and what can be done about it.
QString CannotLockText(const QString& path);

// LockFile, and when another holder keeps the lock: where administration data may be edited
// here and the lock is older than AbandonedLockSeconds, asks whether to remove it (No by
// default) and, on Yes, removes it and tries once more.
void LockFileOrOfferRemoval(const QString& path, TLockFileInfo& info);
