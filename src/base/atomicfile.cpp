#include "atomicfile.h"

#include "base/ioerror.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {
constexpr int TemporaryNameAttempts = 100;

QByteArray NativeName(const QString& path) {
    return QFile::encodeName(path);
}

QString SystemReason(int error) {
    return qt_error_string(error);
}

// The file that is really replaced: a symbolic link is followed to the file it names, as any
// editor does, so that the link stays a link.
QString ResolvedTarget(const QString& target) {
    const QFileInfo info(target);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    const QString linked = info.symLinkTarget();
    return linked.isEmpty() ? info.absoluteFilePath() : linked;
}

// Syncs the folder, so that the rename itself is on the disk. File systems that cannot sync a
// folder say so, and the rename is then as safe as the system makes it.
void SyncFolder(const QString& folder) {
    const int handle = ::open(NativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

// New files get read and write for everybody less the process's mask, as any new file; a
// file that replaces another keeps the old one's permissions.
void TakePermissions(int handle, const QString& target) {
    struct stat old {};
    if (::stat(NativeName(target).constData(), &old) == 0)
        ::fchmod(handle, old.st_mode & 07777);
}
} // namespace

TAtomicFile::TAtomicFile(QString target) : FTarget(std::move(target)) {}

TAtomicFile::~TAtomicFile() {
    Discard();
}

void TAtomicFile::Fail(const QString& what, const QString& reason) {
    Discard();
    throw EInOutError(what + QStringLiteral(": ") + reason, FTarget);
}

void TAtomicFile::Open() {
    if (FTarget.isEmpty())
        throw EInOutError(QStringLiteral("Cannot create file: no file name"));
    const QFileInfo info(ResolvedTarget(FTarget));
    const QString stem = info.absolutePath() + QLatin1Char('/') + TemporarySavePrefix +
                         info.fileName() + QLatin1Char('-');
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        FTemporary = stem + QString::number(QRandomGenerator::global()->generate64(), 36);
        FHandle = ::open(NativeName(FTemporary).constData(),
                         O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (FHandle >= 0)
            break;
        if (errno != EEXIST)
            break;
    }
    if (FHandle < 0) {
        const int error = errno;
        FTemporary.clear();
        Fail(QStringLiteral("Cannot create file"), SystemReason(error));
    }
    TakePermissions(FHandle, info.absoluteFilePath());
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 TAtomicFile::readData(char*, qint64) {
    return -1;
}

qint64 TAtomicFile::writeData(const char* data, qint64 size) {
    if (FHandle < 0 || !FFailure.isEmpty())
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t written = ::write(FHandle, data + done, std::size_t(size - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            FFailure = written < 0 ? SystemReason(errno) : SystemReason(ENOSPC);
            setErrorString(FFailure);
            return -1;
        }
        done += written;
    }
    return done;
}

void TAtomicFile::Commit() {
    if (FHandle < 0)
        Fail(QStringLiteral("Cannot write file"), QStringLiteral("the file is not open"));
    if (!FFailure.isEmpty())
        Fail(QStringLiteral("Cannot write file"), FFailure);
    if (::fsync(FHandle) != 0)
        Fail(QStringLiteral("Cannot write file"), SystemReason(errno));
    const int handle = FHandle;
    FHandle = -1;
    QIODevice::close();
    if (::close(handle) != 0)
        Fail(QStringLiteral("Cannot write file"), SystemReason(errno));
    if (FStamp != MissingFileStamp && !SetFileStamp(FTemporary, FStamp))
        Fail(QStringLiteral("Cannot set the modification time"), SystemReason(errno));
    const QFileInfo target(ResolvedTarget(FTarget));
    if (std::rename(NativeName(FTemporary).constData(),
                    NativeName(target.absoluteFilePath()).constData()) != 0)
        Fail(QStringLiteral("Cannot replace file"), SystemReason(errno));
    FTemporary.clear();
    SyncFolder(target.absolutePath());
}

void TAtomicFile::CloseHandle() {
    if (FHandle >= 0)
        ::close(FHandle);
    FHandle = -1;
    if (isOpen())
        QIODevice::close();
}

void TAtomicFile::Discard() {
    CloseHandle();
    if (!FTemporary.isEmpty())
        ::unlink(NativeName(FTemporary).constData());
    FTemporary.clear();
}

void WriteFileWhole(const QString& path, const QByteArray& bytes) {
    TAtomicFile file(path);
    file.Open();
    if (file.write(bytes) != bytes.size() && file.Failure().isEmpty())
        throw EInOutError(QStringLiteral("Cannot write file"), path);
    file.Commit();
}
