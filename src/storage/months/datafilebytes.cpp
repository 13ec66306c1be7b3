#include "datafilebytes.h"

#include "base/charsearch.h"
#include "base/ioerror.h"

#include <QFile>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

namespace {
#if defined(Q_OS_UNIX)
[[noreturn]] void RaiseFileError(const char* what, int error, const QString& fileName) {
    throw EInOutError(QString::fromLatin1(what) + qt_error_string(error), fileName);
}

// Closes the descriptor however the reading ends.
class TDescriptor {
public:
    explicit TDescriptor(int descriptor) : FDescriptor(descriptor) {}
    ~TDescriptor() { ::close(FDescriptor); }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FDescriptor; }

private:
    int FDescriptor;
};

// All bytes from the descriptor's position on; a file that grows meanwhile is read on.
QByteArray ReadAll(int descriptor, qsizetype expected, const QString& fileName) {
    QByteArray bytes(expected + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t count =
            ::read(descriptor, bytes.data() + used, std::size_t(bytes.size() - used));
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            RaiseFileError("Cannot read file: ", errno, fileName);
        }
        used += count;
    }
    bytes.truncate(used);
    return bytes;
}
#endif
} // namespace

TDataFileBytes TDataFileBytes::Read(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file: %1").arg(file.errorString()), fileName);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Cannot read file: %1").arg(file.errorString()), fileName);
    return TDataFileBytes(std::move(bytes));
}

std::optional<TDataFileBytes> TDataFileBytes::ReadIfExists(const QString& fileName) {
#if defined(Q_OS_UNIX)
    const int descriptor = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        RaiseFileError("Cannot open file: ", errno, fileName);
    }
    const TDescriptor file(descriptor);
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0)
        RaiseFileError("Cannot open file: ", errno, fileName);
    if (S_ISDIR(status.st_mode))
        throw EInOutError(QStringLiteral("Cannot open file: file to open is a directory"),
                          fileName);
    return TDataFileBytes(ReadAll(file.Get(), qsizetype(status.st_size), fileName));
#else
    if (!QFileInfo::exists(fileName))
        return std::nullopt;
    return Read(fileName);
#endif
}

TDataFileBytes::TDataFileBytes(QByteArray bytes, TDataEncoding encoding)
    : FBytes(std::move(bytes)), FEncoding(encoding),
      FRest(FBytes.constData(), static_cast<std::size_t>(FBytes.size())) {}

TDataFileBytes::TDataFileBytes(QByteArray bytes)
    : FBytes(std::move(bytes)), FEncoding(DataEncodingOf(FBytes)) {
    const qsizetype mark = FEncoding == TDataEncoding::Utf8 ? ByteOrderMarkSize(FBytes) : 0;
    FRest =
        std::string_view(FBytes.constData() + mark, static_cast<std::size_t>(FBytes.size() - mark));
}

bool TDataFileBytes::NextLine(std::string_view& line) {
    if (FRest.empty())
        return false;
    const char* begin = FRest.data();
    const char* end = begin + FRest.size();
    const char* lineEnd = FindFirstByteOf(begin, end, '\r', '\n');
    line = std::string_view(begin, static_cast<std::size_t>(lineEnd - begin));
    const char* next = lineEnd < end ? lineEnd + 1 : end;
    if (next < end && *lineEnd == '\r' && *next == '\n')
        ++next;
    FRest = std::string_view(next, static_cast<std::size_t>(end - next));
    return true;
}

QString TDataFileBytes::Decode(std::string_view bytes) const {
    return DecodeDataBytes(bytes.data(), static_cast<qsizetype>(bytes.size()), FEncoding);
}
