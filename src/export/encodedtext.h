#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include <QByteArray>
#include <QString>
#include <QStringView>

// Where the bytes of a TEncodedText lie, for copying them without going through its arrays.
struct TEncodedBytes {
    const char* Utf8 = nullptr;
    const char* Windows1252 = nullptr;
    std::uint32_t Utf8Size = 0;
    std::int32_t Windows1252Size = -1; // -1 when the text does not fit Windows-1252
};

// Copies count bytes. Most values of a row are a few bytes long: two moves of a fixed size
// that overlap copy them without a call.
inline void CopyShortBytes(char* to, const char* from, std::size_t count) {
    const auto move = [](char* target, const char* source, auto size) {
        char bytes[decltype(size)::value];
        std::memcpy(bytes, source, sizeof bytes);
        std::memcpy(target, bytes, sizeof bytes);
    };
    using Eight = std::integral_constant<std::size_t, 8>;
    using Four = std::integral_constant<std::size_t, 4>;
    if (count >= 8 && count <= 16) {
        move(to, from, Eight{});
        move(to + count - 8, from + count - 8, Eight{});
    } else if (count >= 4 && count < 8) {
        move(to, from, Four{});
        move(to + count - 4, from + count - 4, Four{});
    } else {
        std::memcpy(to, from, count);
    }
}

// A text held in both encodings an export file may take: Windows-1252 when every character of
// the file fits, UTF-8 otherwise. Values that repeat from row to row are encoded once this way,
// so that writing a row only copies bytes, whichever encoding the file ends up in.
class TEncodedText {
public:
    TEncodedText() = default;
    explicit TEncodedText(const QString& text);

    const QByteArray& Utf8() const { return FUtf8; }
    // Empty unless FitsWindows1252.
    const QByteArray& Windows1252() const { return FWindows1252; }
    bool FitsWindows1252() const { return FFitsWindows1252; }
    // Valid while the text lives and is not assigned to.
    TEncodedBytes Bytes() const {
        return {FUtf8.constData(), FWindows1252.constData(), std::uint32_t(FUtf8.size()),
                FFitsWindows1252 ? std::int32_t(FWindows1252.size()) : -1};
    }

private:
    QByteArray FUtf8;
    QByteArray FWindows1252;
    bool FFitsWindows1252 = true;
};
