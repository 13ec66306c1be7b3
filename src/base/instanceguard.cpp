#include "instanceguard.h"

#include "base/processenvironment.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>

namespace {
QString RuntimeFolder() {
    const QString runtime =
        ProcessEnvironment().EnvironmentValue(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    const QString folder = QDir::tempPath() + QStringLiteral("/quillhour-%1").arg(getuid());
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}
} // namespace

TInstanceGuard::~TInstanceGuard() {
    Release();
}

QString TInstanceGuard::LockFilePath(const QString& name) {
    return QDir(RuntimeFolder()).filePath(name + QStringLiteral(".lock"));
}

bool TInstanceGuard::TryAcquire(const QString& name) {
    Release();
    const QByteArray path = QFile::encodeName(LockFilePath(name));
    const int handle = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (handle < 0)
        return true; // no guard can be made here: nothing tells of another copy
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(handle);
        return !heldElsewhere;
    }
    FHandle = handle;
    return true;
}

void TInstanceGuard::Release() {
    if (FHandle < 0)
        return;
    ::flock(FHandle, LOCK_UN);
    ::close(FHandle);
    FHandle = -1;
}
