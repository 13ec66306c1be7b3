// Helper process for the lock file tests.
//   hold FILE            takes the lock, prints "locked" (or "busy") and keeps it until its
//                        standard input closes; then releases it.
//   try FILE             exits 0 when it could take the lock (and releases it), 3 when not.
//   append FILE TEXT N   adds the line TEXT to FILE N times. Each time it reads the file under
//                        the lock and writes it back with the line added under a second lock,
//                        which is refused when somebody else wrote the file in between; a busy
//                        lock or a refused write starts the line again. Exits 0 when all N
//                        lines were added, 4 when it gave up after many attempts.
#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/lockfile.h"
#include "base/sharedfilestamp.h"

#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace {
constexpr int AttemptsPerLine = 200000;

int Hold(const QString& path) {
    TLockFileInfo info;
    LockFile(path, info);
    std::cout << (IsLocked(info) ? "locked" : "busy") << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    const bool held = IsLocked(info);
    UnlockFile(info);
    return held ? 0 : 3;
}

int Try(const QString& path) {
    TLockFileInfo info;
    LockFile(path, info);
    const bool held = IsLocked(info);
    UnlockFile(info);
    return held ? 0 : 3;
}

void ReadAll(const QString& path, QByteArray& content) {
    QFile file(path);
    content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw std::runtime_error("cannot write");
}

// One line added by reading under one lock and writing under the next.
bool AppendLine(const QString& path, const QByteArray& line) {
    TSharedFileStamp stamp;
    for (int attempt = 0; attempt < AttemptsPerLine; ++attempt) {
        QByteArray content;
        if (stamp.Read(path, [&] { ReadAll(path, content); }) != TSharedFileResult::Done)
            continue;
        // Between the two locks the others get their turn, as users between reading and
        // writing would.
        for (int turn = 0; turn < 20; ++turn)
            std::this_thread::yield();
        if (stamp.Write(path, [&] { WriteAll(path, content + line + "\r\n"); }) ==
            TSharedFileResult::Done)
            return true;
        std::this_thread::yield();
    }
    return false;
}

int Append(const QString& path, const QByteArray& text, int count) {
    // Shared files are locked only in the modes that share them.
    Locations().ServerFolder = FolderOf(path);
    for (int i = 0; i < count; ++i)
        if (!AppendLine(path, text))
            return 4;
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return 2;
    const QString& command = args.at(1);
    if (command == QLatin1String("hold"))
        return Hold(args.at(2));
    if (command == QLatin1String("try"))
        return Try(args.at(2));
    if (command == QLatin1String("append") && args.size() == 5)
        return Append(args.at(2), args.at(3).toUtf8(), args.at(4).toInt());
    return 2;
}
