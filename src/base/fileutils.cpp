#include "fileutils.h"

#include "base/atomicfile.h"
#include "base/busycursor.h"
#include "base/filecopyfailed.h"
#include "base/filestamp.h"
#include "base/ioerror.h"
#include "base/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    return ShowMessageBox(text, TMsgKind::Warning, mbYesNo | mbDefaultNo) == mrYes;
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

namespace {
// Copies the bytes of in into out; a failure raises EInOutError naming the file that failed.
void CopyBytes(QFile& in, TAtomicFile& out) {
    char buffer[65536];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            RaiseCopyError(QStringLiteral("Cannot read file"), in.fileName(), in.errorString());
        if (got == 0)
            return;
        if (out.write(buffer, got) != got)
            RaiseCopyError(QStringLiteral("Cannot write file"), out.Target(), out.Failure());
    }
}

// Copies source over target whole or not at all, giving the copy the stamp when it is not the
// missing one.
void CopyWhole(const QString& source, const QString& target, TFileStamp stamp) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        RaiseCopyError(QStringLiteral("Cannot open file"), source, in.errorString());
    TAtomicFile out(target);
    out.Open();
    CopyBytes(in, out);
    out.KeepStamp(stamp);
    out.Commit();
}
} // namespace

bool CopyFileIfRoom(const QString& source, const QString& target) {
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.isFile() || !HasRoomFor(target, sourceInfo.size()))
        return false;
    TBusyCursor busy;
    CopyWhole(source, target, MissingFileStamp);
    return true;
}

void CopyFileKeepingTime(const QString& source, const QString& target) {
    const TFileStamp stamp = FileStamp(source);
    if (stamp == MissingFileStamp)
        throw EFileCopyFailed(source, target, QStringLiteral("No such file"));
    try {
        CopyWhole(source, target, stamp);
    } catch (const EInOutError& error) {
        throw EFileCopyFailed(source, target, error.Message());
    }
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
