#include "fileutils.h"

#include "base/busycursor.h"
#include "base/filecopyfailed.h"
#include "base/filestamp.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "base/stalesaves.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStorageInfo>

QString WithTrailingSeparator(const QString& path) {
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

QString WithoutTrailingSeparators(const QString& path) {
    QString result = path;
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    return result;
}

QString FolderOf(const QString& path) {
    return WithTrailingSeparator(QFileInfo(path).absolutePath());
}

QString LastPathPart(const QString& path) {
    const QString trimmed = WithoutTrailingSeparators(path);
    return trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

bool HasInvalidNameChar(const QString& text) {
    static const QString invalid = QStringLiteral("\\/:*?\"<>|");
    for (const QChar ch : text)
        if (invalid.contains(ch))
            return true;
    return false;
}

bool IsPlainName(const QString& text) {
    if (text.isEmpty() || text == QLatin1String(".") || text == QLatin1String(".."))
        return false;
    if (HasInvalidNameChar(text))
        return false;
    for (const QChar ch : text)
        if (ch.category() == QChar::Other_Control)
            return false;
    return true;
}

bool CanCreateFile(const QString& path) {
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    file.close();
    return file.remove();
}

bool ConfirmReplace(const QStringList& paths) {
    QStringList existing;
    for (const QString& path : paths) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (QFileInfo::exists(absolute) && !existing.contains(absolute))
            existing.append(absolute);
    }
    if (existing.isEmpty())
        return true;
    QString text;
    if (existing.size() == 1) {
        text = QLatin1Char('"') + existing.first() + QStringLiteral("\" already exists.\n") +
               QStringLiteral("Do you want to replace it?");
    } else {
        text = QStringLiteral("These files already exist:\n");
        for (const QString& path : existing)
            text += path + QLatin1Char('\n');
        text += QStringLiteral("Do you want to replace them?");
    }
    return ShowMessageBox(text, TMsgKind::Warning, mbYesNo) == mrYes;
}

namespace {
bool HasRoomFor(const QString& target, qint64 size) {
    const QStorageInfo storage(QFileInfo(target).absolutePath());
    return storage.isValid() && storage.bytesAvailable() > size + 36;
}

[[noreturn]] void RaiseCopyError(const QString& what, const QString& fileName,
                                 const QString& reason) {
    throw EInOutError(what + QStringLiteral(": ") + reason, fileName);
}
} // namespace

bool CopyFileIfRoom(const QString& source, const QString& target) {
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.isFile() || !HasRoomFor(target, sourceInfo.size()))
        return false;
    TBusyCursor busy;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        RaiseCopyError(QStringLiteral("Cannot open file"), source, in.errorString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        RaiseCopyError(QStringLiteral("Cannot create file"), target, out.errorString());
    char buffer[65536];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            RaiseCopyError(QStringLiteral("Cannot read file"), source, in.errorString());
        if (got == 0)
            break;
        if (out.write(buffer, got) != got)
            RaiseCopyError(QStringLiteral("Cannot write file"), target, out.errorString());
    }
    if (!out.commit())
        RaiseCopyError(QStringLiteral("Cannot write file"), target, out.errorString());
    RemoveStaleTemporaryFilesOnce(FolderOf(target));
    return true;
}

namespace {
constexpr int TemporaryNameAttempts = 100;
constexpr QFile::Permissions NewFilePermissions = QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ReadGroup | QFile::WriteGroup |
                                                  QFile::ReadOther | QFile::WriteOther;

// Creates a new hidden file beside target for a copy in progress; new files are made with
// read and write for everybody less the process's file mode mask, as any new file.
bool CreateFileBeside(const QString& target, QFile& file) {
    const QFileInfo info(target);
    const QString stem =
        info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".copy-");
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        file.setFileName(stem + QString::number(QRandomGenerator::global()->generate(), 36));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, NewFilePermissions))
            return true;
        if (!file.exists())
            return false;
    }
    return false;
}

// Removes the temporary file of a copy unless the copy was committed.
class TTemporaryCopy {
public:
    explicit TTemporaryCopy(QFile& file) : FFile(file) {}
    ~TTemporaryCopy() {
        if (!FCommitted)
            FFile.remove();
    }
    TTemporaryCopy(const TTemporaryCopy&) = delete;
    TTemporaryCopy& operator=(const TTemporaryCopy&) = delete;
    void Commit() { FCommitted = true; }

private:
    QFile& FFile;
    bool FCommitted = false;
};

void CopyBytes(QFile& in, QFile& out, const QString& target) {
    char buffer[65536];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            throw EFileCopyFailed(in.fileName(), target, in.errorString());
        if (got == 0)
            return;
        if (out.write(buffer, got) != got)
            throw EFileCopyFailed(in.fileName(), target, out.errorString());
    }
}
} // namespace

void CopyFileKeepingTime(const QString& source, const QString& target) {
    const TFileStamp stamp = FileStamp(source);
    if (stamp == MissingFileStamp)
        throw EFileCopyFailed(source, target, QStringLiteral("No such file"));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw EFileCopyFailed(source, target, in.errorString());
    QFile out;
    if (!CreateFileBeside(target, out))
        throw EFileCopyFailed(source, target, out.errorString());
    TTemporaryCopy temporary(out);
    CopyBytes(in, out, target);
    if (!out.flush())
        throw EFileCopyFailed(source, target, out.errorString());
    // On a server folder the copy must be on disk before it replaces the old one.
    if (::fsync(out.handle()) != 0)
        throw EFileCopyFailed(source, target, qt_error_string(errno));
    if (QFileInfo::exists(target))
        out.setPermissions(QFile::permissions(target));
    out.close();
    if (!SetFileStamp(out.fileName(), stamp))
        throw EFileCopyFailed(source, target, QStringLiteral("Cannot set the modification time"));
    if (std::rename(QFile::encodeName(out.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
        throw EFileCopyFailed(source, target, qt_error_string(errno));
    temporary.Commit();
}

void CopyFolderFiles(const QString& sourceFolder, const QString& targetFolder) {
    QStringList names;
    ListFiles(sourceFolder, QStringLiteral("*"), names);
    for (const QString& name : names)
        CopyFileIfRoom(WithTrailingSeparator(sourceFolder) + name,
                       WithTrailingSeparator(targetFolder) + name);
}

void ListFiles(const QString& folder, const QString& pattern, QStringList& list) {
    const QDir dir(folder);
    list.append(dir.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name));
}

QDateTime FileDateTime(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return {};
    return info.lastModified();
}

QString ShortenPath(const QString& path, const std::function<int(const QString&)>& textWidth,
                    int width) {
    if (textWidth(path) < width - 2)
        return path;
    const qsizetype lastSep = path.lastIndexOf(QLatin1Char('/'));
    QString folder = path.left(lastSep + 1);
    const QString tail = path.mid(lastSep);
    const QString dots = QStringLiteral("...");
    for (;;) {
        // Cut the folder back to the separator before its last component.
        const qsizetype cut = folder.size() > 1 ? folder.lastIndexOf(QLatin1Char('/'), -2) : -1;
        folder = cut >= 0 ? folder.left(cut + 1) : QString();
        const QString candidate = folder + dots + tail;
        if (folder.isEmpty() || textWidth(candidate) < width - 2)
            return candidate;
    }
}
