#include "lockremedy.h"

#include "base/datalocations.h"
#include "base/messages.h"

#include <QFileInfo>

QString CannotLockText(const QString& path) {
    QString text = QStringLiteral("Cannot lock \"") + path + QLatin1Char('"');
    if (!QFileInfo::exists(LockFileNameOf(path)))
        return text;
    text += QStringLiteral("\nIt is locked by ") + LockHolderOf(path).Description() +
            QLatin1Char('.');
    text += QStringLiteral("\nTry again in a moment. If that program is no longer running, an "
                           "administrator can remove the lock file \"") +
            LockFileNameOf(path) + QStringLiteral("\".");
    return text;
}

namespace {
bool MayRemoveLock(const QString& path) {
    return MayEditAdminData() && LockFileAgeSeconds(path) > AbandonedLockSeconds;
}

bool ConfirmLockRemoval(const QString& path) {
    const QString text = QStringLiteral("\"") + path + QStringLiteral("\" is locked by ") +
                         LockHolderOf(path).Description() +
                         QStringLiteral(".\nA lock is held only for a moment, so this one was "
                                        "probably left by a program that is no longer running."
                                        "\nRemove the lock? Do this only when you are sure that "
                                        "nobody is saving this file now.");
    return ShowMessageBox(text, TMsgKind::Confirmation, mbYes | mbNo | mbDefaultNo) == mrYes;
}
} // namespace

void LockFileOrOfferRemoval(const QString& path, TLockFileInfo& info) {
    LockFile(path, info);
    if (IsLocked(info) || !MayRemoveLock(path) || !ConfirmLockRemoval(path))
        return;
    if (RemoveAbandonedLock(path))
        LockFile(path, info);
}
