#include "textcodec.h"

#include <QStringDecoder>
#include <QStringList>

#include <array>

namespace {
// Windows-1252 codes 0x80..0x9F; 0 marks the five codes that have no character.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
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
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString DecodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t ch = b;
        if (b >= 0x80 && b < 0xA0)
            ch = Cp1252High[b - 0x80] ? Cp1252High[b - 0x80] : char16_t(b);
        *out++ = QChar(ch);
    }
    return text;
}

QString DecodeDataText(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    return DecodeWindows1252(bytes);
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

QByteArray EncodeDataText(const QString& text) {
    QByteArray bytes;
    if (TryEncodeWindows1252(text, bytes))
        return bytes;
    return text.toUtf8();
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
    const char16_t* chars = text.utf16();
    qsizetype end = 0;
    while (end < n && chars[end] != u'\r' && chars[end] != u'\n')
        ++end;
    line = text.left(end);
    qsizetype next = end + 1;
    if (end + 1 < n && chars[end] == u'\r' && chars[end + 1] == u'\n')
        ++next;
    text = next >= n ? QStringView() : text.mid(next);
    return true;
}
