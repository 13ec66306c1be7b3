#include "locationlock.h"

#include "base/fileutils.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace {
const QString LockFileName = QStringLiteral(".quillhour-location-lock");
constexpr qsizetype LongestHolderText = 4096;

#ifdef F_OFD_SETLK
constexpr int SetLockCommand = F_OFD_SETLK;
#else
constexpr int SetLockCommand = F_SETLK;
#endif

// The whole file, and whatever it grows to.
bool LockWholeFile(int handle) {
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    int result;
    do
        result = ::fcntl(handle, SetLockCommand, &range);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

QByteArray ReadAll(int handle) {
    QByteArray text(LongestHolderText, '\0');
    const ssize_t got = ::pread(handle, text.data(), std::size_t(text.size()), 0);
    text.resize(got > 0 ? got : 0);
    return text;
}

bool WriteHolder(int handle) {
    const QByteArray text = OwnLockHolderText();
    if (::ftruncate(handle, 0) != 0)
        return false;
    return ::pwrite(handle, text.constData(), std::size_t(text.size()), 0) == text.size() &&
           ::fsync(handle) == 0;
}
} // namespace

TDataLocationLock::~TDataLocationLock() {
    Release();
}

QString TDataLocationLock::LockFilePath(const QString& location) {
    return WithTrailingSeparator(location) + LockFileName;
}

TDataLocationLock::TResult TDataLocationLock::TryAcquire(const QString& location) {
    Release();
    FHolder = {};
    const QString path = LockFilePath(location);
    const int handle = ::open(QFile::encodeName(path).constData(),
                              O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (handle < 0)
        return TResult::Unavailable;
    if (!LockWholeFile(handle)) {
        const bool held = errno == EAGAIN || errno == EACCES;
        FHolder = ParseLockHolder(ReadAll(handle));
        ::close(handle);
        return held ? TResult::HeldByOther : TResult::Unavailable;
    }
    // The range was free: whoever wrote the file before has ended.
    if (!WriteHolder(handle)) {
        ::close(handle);
        return TResult::Unavailable;
    }
    FHandle = handle;
    FPath = path;
    return TResult::Acquired;
}

void TDataLocationLock::Release() {
    if (FHandle < 0)
        return;
    // Removed while still held, so that nobody finds the file without its holder.
    ::unlink(QFile::encodeName(FPath).constData());
    ::close(FHandle);
    FHandle = -1;
    FPath.clear();
}

QString LocationInUseText(const QString& location, const TLockHolder& holder) {
    return QStringLiteral("Quillhour is already running with the data location \"") +
           QDir::toNativeSeparators(location) + QStringLiteral("\" (") + holder.Description() +
           QStringLiteral(").\nTwo copies working on the same data would overwrite each other's "
                          "entries, so this copy ends now. Close the other copy first, or start "
                          "this one with another data location (--datadir).");
}
