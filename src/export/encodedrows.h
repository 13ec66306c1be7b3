#pragma once

#include "encodedtext.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include <QString>

// The bytes of rows made for an export file, kept in memory until the file is written: in
// Windows-1252 while every character fits, and in UTF-8 from the first character that does
// not (the bytes before it are converted then), as the file itself will be.
//
// The bytes lie in chunks that are never moved: a month of a work group's rows is megabytes,
// and growing one block of memory would copy them again and again, each time into memory
// the system must first hand out. Chunks start small, for the rows of a short period, and
// grow up to ChunkBytes.
class TEncodedRows {
public:
    static constexpr std::size_t FirstChunkBytes = 4096;
    static constexpr std::size_t ChunkBytes = std::size_t(1) << 21;

    TEncodedRows() = default;
    // The rows left behind are empty, and take rows again.
    TEncodedRows(TEncodedRows&& other) noexcept { *this = std::move(other); }
    TEncodedRows& operator=(TEncodedRows&& other) noexcept;
    ~TEncodedRows() = default;

    void Append(const TEncodedBytes& text) {
        if (FUtf8)
            AppendBytes(text.Utf8, text.Utf8Size);
        else if (text.Windows1252Size >= 0)
            AppendBytes(text.Windows1252, std::size_t(text.Windows1252Size));
        else
            AppendNotFitting(text);
    }
    void Append(const QString& text);
    // Ends the row with CR LF.
    void EndRow() {
        AppendBytes("\r\n", 2);
        ++FRows;
    }
    // Turns the bytes into UTF-8, for a file in which other rows need it.
    void ConvertToUtf8();

    bool IsUtf8() const { return FUtf8; }
    std::size_t Rows() const { return FRows; }
    std::size_t Size() const;
    // The bytes, chunk after chunk.
    std::vector<std::string_view> Chunks() const;

private:
    struct TChunk {
        std::unique_ptr<char[]> Data;
        std::size_t Capacity = 0;
    };

    void AppendBytes(const char* data, std::size_t count) {
        if (count == 0)
            return;
        if (count > FCapacity - FUsed)
            StartChunk(count);
        CopyShortBytes(FData + FUsed, data, count);
        FUsed += count;
    }
    void AppendNotFitting(const TEncodedBytes& text);
    // A new chunk with room for count bytes at least; the bytes of the last one stay.
    void StartChunk(std::size_t count);
    void Clear();

    std::vector<TChunk> FChunks;
    std::vector<std::size_t> FFilled; // bytes in each chunk before the last
    char* FData = nullptr;            // the last chunk's
    std::size_t FUsed = 0;            // bytes in the last chunk
    std::size_t FCapacity = 0;        // of the last chunk
    std::size_t FRows = 0;
    bool FUtf8 = false;
};
