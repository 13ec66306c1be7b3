#include "encodedrows.h"

#include "storage/textcodec.h"

#include <algorithm>
#include <cstring>

#include <QByteArray>

void TEncodedRows::Append(const QString& text) {
    if (!text.isEmpty())
        Append(TEncodedText(text).Bytes());
}

void TEncodedRows::Reserve(std::size_t bytes) {
    if (bytes <= FCapacity)
        return;
    // Uninitialised: the bytes are written before they are read.
    std::unique_ptr<char[]> data(new char[bytes]);
    if (FUsed > 0)
        std::memcpy(data.get(), FData.get(), FUsed);
    FData = std::move(data);
    FCapacity = bytes;
}

void TEncodedRows::Grow(std::size_t needed) {
    constexpr std::size_t FirstCapacity = 4096;
    Reserve(std::max({needed, FCapacity + FCapacity / 2, FirstCapacity}));
}

void TEncodedRows::ConvertToUtf8() {
    if (FUtf8)
        return;
    const QByteArray converted =
        DecodeWindows1252(QByteArray::fromRawData(FData.get(), qsizetype(FUsed))).toUtf8();
    FUsed = 0;
    FUtf8 = true;
    AppendBytes(converted.constData(), std::size_t(converted.size()));
}

void TEncodedRows::AppendNotFitting(const TEncodedBytes& text) {
    ConvertToUtf8();
    AppendBytes(text.Utf8, text.Utf8Size);
}
