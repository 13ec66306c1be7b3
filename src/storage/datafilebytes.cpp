#include "datafilebytes.h"

#include "storage/charsearch.h"
#include "storage/ioerror.h"

#include <QFile>

TDataFileBytes TDataFileBytes::Read(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file: %1").arg(file.errorString()), fileName);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Cannot read file: %1").arg(file.errorString()), fileName);
    return TDataFileBytes(std::move(bytes));
}

TDataFileBytes::TDataFileBytes(QByteArray bytes, TDataEncoding encoding)
    : FBytes(std::move(bytes)), FEncoding(encoding),
      FRest(FBytes.constData(), static_cast<std::size_t>(FBytes.size())) {}

TDataFileBytes::TDataFileBytes(QByteArray bytes)
    : FBytes(std::move(bytes)), FEncoding(DataEncodingOf(FBytes)) {
    const qsizetype mark = FEncoding == TDataEncoding::Utf8 ? ByteOrderMarkSize(FBytes) : 0;
    FRest = std::string_view(FBytes.constData() + mark, static_cast<std::size_t>(FBytes.size() - mark));
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
