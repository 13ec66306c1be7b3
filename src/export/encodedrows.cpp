#include "encodedrows.h"

#include "base/textcodec.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include <QByteArray>

void TEncodedRows::Append(const QString& text) {
    if (!text.isEmpty())
        Append(TEncodedText(text).Bytes());
}

TEncodedRows& TEncodedRows::operator=(TEncodedRows&& other) noexcept {
    if (this != &other) {
        FChunks = std::move(other.FChunks);
        FFilled = std::move(other.FFilled);
        FData = std::exchange(other.FData, nullptr);
        FUsed = std::exchange(other.FUsed, 0);
        FCapacity = std::exchange(other.FCapacity, 0);
        FRows = std::exchange(other.FRows, 0);
        FUtf8 = std::exchange(other.FUtf8, false);
        other.FChunks.clear();
        other.FFilled.clear();
    }
    return *this;
}

std::size_t TEncodedRows::Size() const {
    return std::accumulate(FFilled.begin(), FFilled.end(), FUsed);
}

std::vector<std::string_view> TEncodedRows::Chunks() const {
    std::vector<std::string_view> chunks;
    for (std::size_t i = 0; i < FChunks.size(); ++i) {
        const std::size_t filled = i < FFilled.size() ? FFilled[i] : FUsed;
        if (filled > 0)
            chunks.emplace_back(FChunks[i].Data.get(), filled);
    }
    return chunks;
}

void TEncodedRows::StartChunk(std::size_t count) {
    if (!FChunks.empty())
        FFilled.push_back(FUsed);
    const std::size_t grown = FChunks.empty() ? FirstChunkBytes : FCapacity * 2;
    const std::size_t capacity = std::max(count, std::min(grown, ChunkBytes));
    // Uninitialised: the bytes are written before they are read.
    FChunks.push_back({std::unique_ptr<char[]>(new char[capacity]), capacity});
    FData = FChunks.back().Data.get();
    FUsed = 0;
    FCapacity = capacity;
}

void TEncodedRows::Clear() {
    FChunks.clear();
    FFilled.clear();
    FData = nullptr;
    FUsed = 0;
    FCapacity = 0;
}

void TEncodedRows::ConvertToUtf8() {
    if (FUtf8)
        return;
    QByteArray converted;
    for (const std::string_view chunk : Chunks())
        converted +=
            DecodeWindows1252(QByteArray::fromRawData(chunk.data(), qsizetype(chunk.size())))
                .toUtf8();
    Clear();
    FUtf8 = true;
    if (!converted.isEmpty())
        AppendBytes(converted.constData(), std::size_t(converted.size()));
}

void TEncodedRows::AppendNotFitting(const TEncodedBytes& text) {
    ConvertToUtf8();
    AppendBytes(text.Utf8, text.Utf8Size);
}
