#include "filestamp.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>

namespace {
constexpr TFileStamp NanosecondsPerSecond = 1000000000;
} // namespace

TFileStamp FileStamp(const QString& path) {
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0 ||
        !S_ISREG(status.st_mode))
        return MissingFileStamp;
    return TFileStamp(status.st_mtim.tv_sec) * NanosecondsPerSecond + status.st_mtim.tv_nsec;
}

bool SetFileStamp(const QString& path, TFileStamp stamp) {
    if (path.isEmpty() || stamp < 0)
        return false;
    struct timespec times[2]{};
    times[0].tv_nsec = UTIME_OMIT; // the access time stays as it is
    times[1].tv_sec = stamp / NanosecondsPerSecond;
    times[1].tv_nsec = stamp % NanosecondsPerSecond;
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}
