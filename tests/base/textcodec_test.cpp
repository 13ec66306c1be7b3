#include "base/textcodec.h"

#include <gtest/gtest.h>

TEST(TextCodec, ReadsUtf8WhenValidElseWindows1252) {
    EXPECT_EQ(DecodeDataText(QByteArray("Caf\xC3\xA9")), QStringLiteral("Café"));
    EXPECT_EQ(DecodeDataText(QByteArray("Caf\xE9 \x80 \x96")), QStringLiteral("Café € –"));
    EXPECT_EQ(DecodeDataText(QByteArray("\xEF\xBB\xBFplain")), QStringLiteral("plain"));
    EXPECT_TRUE(IsValidUtf8(QByteArray("ascii only")));
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xE9t\xE9")));
}

TEST(TextCodec, WritesWindows1252WhenEveryCharacterFitsElseUtf8) {
    EXPECT_EQ(EncodeDataText(QStringLiteral("Café € – ‘x’")),
              QByteArray("Caf\xE9 \x80 \x96 \x91x\x92"));
    EXPECT_EQ(EncodeDataText(QStringLiteral("Łódź")), QStringLiteral("Łódź").toUtf8());
    // Round trips keep every character either way.
    for (const QString& text : {QStringLiteral("Zoë Ærø"), QStringLiteral("日本 and €"),
                                QStringLiteral("\u0081 undefined code")}) {
        EXPECT_EQ(DecodeDataText(EncodeDataText(text)), text) << text.toStdString();
    }
}

TEST(TextCodec, SplitsLinesAtEveryKindOfLineEnd) {
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\r\nb\nc\rd")),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                           QStringLiteral("d")}));
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\r\n\r\n")),
              QStringList({QStringLiteral("a"), QString()}));
    EXPECT_TRUE(SplitTextLines(QString()).isEmpty());
}

TEST(TextCodec, LinesTakenOneByOneMatchSplitTextLines) {
    for (const QString& text :
         {QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("a\r\n\r\n"), QStringLiteral("\r\r\n\n"),
          QStringLiteral("x"), QStringLiteral("\n"), QStringLiteral("a\rb\r")}) {
        QStringList lines;
        QStringView rest(text);
        QStringView line;
        while (NextTextLine(rest, line))
            lines.append(line.toString());
        EXPECT_EQ(lines, SplitTextLines(text)) << text.toStdString();
    }
}

TEST(TextCodec, Windows1252CodesAboveLatin1AndMalformedUtf8) {
    EXPECT_EQ(DecodeDataText(QByteArray("\x93quoted\x94 \x81")),
              QStringLiteral("\u201Cquoted\u201D \u0081"));
    EXPECT_EQ(DecodeDataText(QByteArray("long enough to use whole words \xE9\x80")),
              QStringLiteral("long enough to use whole words é€"));
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xC0\xAF")));        // overlong
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xED\xA0\x80")));    // surrogate
    EXPECT_FALSE(IsValidUtf8(QByteArray("ok \xE2\x82")));     // cut off
    EXPECT_TRUE(IsValidUtf8(QByteArray("\xF0\x9F\x98\x80"))); // beyond the BMP
}

TEST(TextCodec, Windows1252TextsThatWouldReadAsUtf8AreWrittenAsUtf8) {
    const QString misread = QStringLiteral("É’"); // C9 92 in Windows-1252: valid UTF-8
    EXPECT_EQ(EncodeDataText(misread), misread.toUtf8());
    EXPECT_EQ(DecodeDataText(EncodeDataText(misread)), misread);
    EXPECT_EQ(EncodeDataText(QStringLiteral("é€€ and more")), QStringLiteral("é€€ and more").toUtf8());
    EXPECT_EQ(EncodeDataText(QStringLiteral("Café")), QByteArray("Caf\xE9")); // stays 8-bit
    EXPECT_EQ(EncodeDataText(QStringLiteral("plain")), QByteArray("plain"));
    // In pieces, a sequence may be cut anywhere.
    const QByteArray bytes("ab\xC9\x92 \xE9\x80\x80z");
    for (std::size_t cut = 0; cut <= std::size_t(bytes.size()); ++cut) {
        TUtf8Shape shape;
        shape.Feed(bytes.constData(), cut);
        shape.Feed(bytes.constData() + cut, std::size_t(bytes.size()) - cut);
        EXPECT_TRUE(shape.ReadsAsUtf8()) << cut;
    }
    TUtf8Shape ascii;
    ascii.Feed("plain", 5);
    EXPECT_FALSE(ascii.ReadsAsUtf8());
    TUtf8Shape cafe;
    cafe.Feed("Caf\xE9 ok", 7);
    EXPECT_FALSE(cafe.ReadsAsUtf8());
    TUtf8Shape unfinished;
    unfinished.Feed("\xE9\x80", 2);
    EXPECT_FALSE(unfinished.ReadsAsUtf8());
}
