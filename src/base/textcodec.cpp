#include "textcodec.h"

#include "base/charsearch.h"

#include <array>
#include <cstdint>
#include <cstring>

#include <QStringDecoder>
#include <QStringList>

namespace {
// Windows-1252 codes 0x80..0x9F; 0 marks the five codes that have no character.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool Cp1252Code(char16_t ch, char& code) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        code = static_cast<char>(ch);
        return true;
    }
    for (std::size_t i = 0; i < Cp1252High.size(); ++i)
        if (Cp1252High[i] != 0 && Cp1252High[i] == ch) {
            code = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}
} // namespace

bool IsValidUtf8(const QByteArray& bytes) {
    return bytes.isValidUtf8();
}

namespace {
// Any of the codes 0x80..0x9F, where Windows-1252 differs from Latin-1. Eight bytes at a time:
// a byte is one of them when its top three bits are 100.
bool HasWindows1252Extras(const QByteArray& bytes) {
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Highs = 0x8080808080808080ULL;
    constexpr std::uint64_t TopThree = 0xE0E0E0E0E0E0E0E0ULL;
    const char* data = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, data + i, sizeof word);
        const std::uint64_t differs = (word & TopThree) ^ Highs; // 0 in the bytes that match
        if (((differs - Ones) & ~differs & Highs) != 0)
            return true;
    }
    for (; i < n; ++i)
        if ((static_cast<unsigned char>(data[i]) & 0xE0) == 0x80)
            return true;
    return false;
}

// The codes 0x80..0x9F of text read as Latin-1 turned into their Windows-1252 characters.
void MapWindows1252Extras(QString& text) {
    for (QChar& ch : text) {
        const char16_t code = ch.unicode();
        if (code >= 0x80 && code < 0xA0 && Cp1252High[code - 0x80] != 0)
            ch = QChar(Cp1252High[code - 0x80]);
    }
}
} // namespace

QString DecodeWindows1252(const QByteArray& bytes) {
    QString text = QString::fromLatin1(bytes);
    if (HasWindows1252Extras(bytes))
        MapWindows1252Extras(text);
    return text;
}

TDataEncoding DataEncodingOf(const QByteArray& bytes) {
    if (QtPrivate::isAscii(QLatin1StringView(bytes)) || !bytes.isValidUtf8())
        return TDataEncoding::Windows1252;
    return TDataEncoding::Utf8;
}

qsizetype ByteOrderMarkSize(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

QString DecodeDataBytes(const char* bytes, qsizetype size, TDataEncoding encoding) {
    if (encoding == TDataEncoding::Utf8)
        return QString::fromUtf8(bytes, size);
    QString text = QString::fromLatin1(bytes, size);
    for (qsizetype i = 0; i < size; ++i)
        if ((static_cast<unsigned char>(bytes[i]) & 0xE0) == 0x80) {
            MapWindows1252Extras(text);
            break;
        }
    return text;
}

QString DecodeDataText(const QByteArray& bytes) {
    if (DataEncodingOf(bytes) == TDataEncoding::Windows1252)
        return DecodeWindows1252(bytes);
    // QString::fromUtf8 takes one leading byte-order mark off by itself; taking one off here
    // as well lost a U+FEFF the text began with.
    return QString::fromUtf8(bytes);
}

bool TryEncodeWindows1252(const QString& text, QByteArray& bytes) {
    bytes.resize(text.size());
    char* out = bytes.data();
    for (const QChar ch : text) {
        if (!Cp1252Code(ch.unicode(), *out++)) {
            bytes.clear();
            return false;
        }
    }
    return true;
}

bool ReadsBackAsUtf8(const QByteArray& windows1252) {
    return !QtPrivate::isAscii(QLatin1StringView(windows1252)) && windows1252.isValidUtf8();
}

void TUtf8Shape::Feed(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size && FValid; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (FPending > 0) {
            FValid = (byte & 0xC0) == 0x80;
            --FPending;
        } else if (byte >= 0x80) {
            FHigh = true;
            if ((byte & 0xE0) == 0xC0)
                FPending = 1;
            else if ((byte & 0xF0) == 0xE0)
                FPending = 2;
            else if ((byte & 0xF8) == 0xF0)
                FPending = 3;
            else
                FValid = false;
        }
    }
}

QByteArray EncodeDataText(const QString& text) {
    QByteArray bytes;
    if (TryEncodeWindows1252(text, bytes) && !ReadsBackAsUtf8(bytes))
        return bytes;
    bytes = text.toUtf8();
    // Reading takes one leading mark off; a text that starts with U+FEFF of its own (a name
    // at the start of a list file) keeps it only behind a mark written for it.
    if (text.startsWith(QChar(0xFEFF)))
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (ch == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool NextTextLine(QStringView& text, QStringView& line) {
    const qsizetype n = text.size();
    if (n == 0)
        return false;
    const qsizetype end = FindFirstOf(text, u'\r', u'\n');
    line = text.left(end);
    qsizetype next = end + 1;
    if (next < n && text[end] == u'\r' && text[next] == u'\n')
        ++next;
    text = next >= n ? QStringView() : text.mid(next);
    return true;
}
