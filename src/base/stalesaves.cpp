#include "stalesaves.h"

#include "base/fileutils.h"

#include <mutex>
#include <set>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
constexpr int StaleAfterSeconds = 60;

std::mutex& CleanedMutex() {
    static std::mutex mutex;
    return mutex;
}

std::set<QString>& CleanedFolders() {
    static std::set<QString> folders;
    return folders;
}
} // namespace

QStringList StaleTemporaryFiles(const QString& folder, const QDateTime& now) {
    // The temporary names of QSaveFile: the file's own name, a dot and six letters or digits.
    static const QRegularExpression temporary(
        QStringLiteral("^.+\\.(txt|ini)\\.[A-Za-z0-9]{6}$"), QRegularExpression::CaseInsensitiveOption);
    QStringList stale;
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        if (temporary.match(file.fileName()).hasMatch() &&
            file.lastModified().secsTo(now) > StaleAfterSeconds)
            stale.append(file.absoluteFilePath());
    return stale;
}

void RemoveStaleTemporaryFilesOnce(const QString& folder) {
    const QString key = WithTrailingSeparator(QFileInfo(folder).absoluteFilePath());
    {
        const std::lock_guard<std::mutex> lock(CleanedMutex());
        if (!CleanedFolders().insert(key).second)
            return;
    }
    for (const QString& file : StaleTemporaryFiles(folder))
        QFile::remove(file); // one that cannot be removed is tried again in the next run
}

void ForgetCleanedFolders() {
    const std::lock_guard<std::mutex> lock(CleanedMutex());
    CleanedFolders().clear();
}
