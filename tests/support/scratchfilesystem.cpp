#include "scratchfilesystem.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>

namespace {
const QString FillerName = QStringLiteral("filler.bin");
} // namespace

TScratchFileSystem::~TScratchFileSystem() {
    Unmount();
}

bool TScratchFileSystem::Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        FFailure = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                   QStringLiteral(": ") + QString::fromLocal8Bit(process.readAllStandardError()) +
                   process.errorString();
        return false;
    }
    return true;
}

bool TScratchFileSystem::MountTmpfs(const QString& folder, int kilobytes) {
    if (::geteuid() != 0) {
        FFailure = QStringLiteral("mounting a small file system needs root");
        return false;
    }
    QDir().mkpath(folder);
    if (!Run(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                       QStringLiteral("-o"),
                                       QStringLiteral("size=%1k,mode=0777").arg(kilobytes),
                                       QStringLiteral("tmpfs"), folder}))
        return false;
    FFolder = folder;
    return true;
}

bool TScratchFileSystem::MountExt2(const QString& folder, const QString& image, int megabytes) {
    if (::geteuid() != 0) {
        FFailure = QStringLiteral("mounting a small file system needs root");
        return false;
    }
    QDir().mkpath(folder);
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(megabytes) << 20)) {
        FFailure = QStringLiteral("cannot make the image ") + image;
        return false;
    }
    file.close();
    // 128-byte inodes keep whole seconds only.
    if (!Run(QStringLiteral("mkfs.ext2"),
             {QStringLiteral("-q"), QStringLiteral("-F"), QStringLiteral("-I"),
              QStringLiteral("128"), image}) ||
        !Run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), image, folder}))
        return false;
    FFolder = folder;
    return Run(QStringLiteral("chmod"), {QStringLiteral("0777"), folder});
}

bool TScratchFileSystem::RemountReadOnly() {
    return !FFolder.isEmpty() &&
           Run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,ro"), FFolder});
}

bool TScratchFileSystem::RemountWritable() {
    return !FFolder.isEmpty() &&
           Run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,rw"), FFolder});
}

void TScratchFileSystem::Unmount() {
    if (FFolder.isEmpty())
        return;
    Run(QStringLiteral("umount"), {QStringLiteral("-l"), FFolder});
    FFolder.clear();
}

bool TScratchFileSystem::Fill(qint64 leaveBytes) {
    const QStorageInfo storage(FFolder);
    const qint64 take = storage.bytesAvailable() - leaveBytes;
    if (take <= 0)
        return true;
    QFile filler(QDir(FFolder).filePath(FillerName));
    if (!filler.open(QIODevice::Append))
        return false;
    const QByteArray block(4096, 'x');
    for (qint64 written = 0; written < take; written += block.size())
        if (filler.write(block) != block.size())
            break;
    filler.close();
    QStorageInfo after(FFolder);
    after.refresh();
    return after.bytesAvailable() <= leaveBytes + 4096;
}

void TScratchFileSystem::Empty() {
    QFile::remove(QDir(FFolder).filePath(FillerName));
}
