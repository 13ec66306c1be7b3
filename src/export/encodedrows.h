#pragma once

#include "encodedtext.h"

#include <cstddef>
#include <memory>
#include <string_view>

#include <QString>

// The bytes of rows made for an export file, kept in memory until the file is written: in
// Windows-1252 while every character fits, and in UTF-8 from the first character that does
// not (the bytes before it are converted then), as the file itself will be.
class TEncodedRows {
public:
    TEncodedRows() = default;
    TEncodedRows(TEncodedRows&&) noexcept = default;
    TEncodedRows& operator=(TEncodedRows&&) noexcept = default;

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
    std::string_view Bytes() const { return {FData.get(), FUsed}; }

private:
    void AppendBytes(const char* data, std::size_t count) {
        if (count > FCapacity - FUsed)
            Grow(FUsed + count);
        CopyShortBytes(FData.get() + FUsed, data, count);
        FUsed += count;
    }
    void AppendNotFitting(const TEncodedBytes& text);
    // Room for needed bytes at least, by half as much again as there was.
    void Grow(std::size_t needed);
    // Room for bytes in all.
    void Reserve(std::size_t bytes);

    std::unique_ptr<char[]> FData;
    std::size_t FUsed = 0;
    std::size_t FCapacity = 0;
    std::size_t FRows = 0;
    bool FUtf8 = false;
};
