#include "base/charsearch.h"
#include "base/ioerror.h"
#include "base/textcodec.h"
#include "base/textutils.h"
#include "storage/months/bytefields.h"
#include "storage/months/datafilebytes.h"
#include "testsupport.h"

#include <string>

#include <QRandomGenerator>
#include <QStringList>

#include <gtest/gtest.h>

namespace {
// Random text over a small alphabet rich in the bytes the splitting looks at.
std::string RandomText(QRandomGenerator& random, int length, const std::string& alphabet) {
    std::string text;
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(static_cast<int>(alphabet.size()))];
    return text;
}

std::string Latin1(QStringView text) {
    return text.toLatin1().toStdString();
}
} // namespace

TEST(ByteFields, MaskFindsEveryByteAtEveryCountAndOffset) {
    QRandomGenerator random(7);
    for (int round = 0; round < 200; ++round) {
        const std::string text = RandomText(random, 80, "a\t b\t\x80");
        for (int offset = 0; offset < 16; ++offset)
            for (int count = 0; count <= 64; ++count) {
                std::uint64_t expected = 0;
                for (int i = 0; i < count; ++i)
                    if (text[static_cast<std::size_t>(offset + i)] == '\t')
                        expected |= std::uint64_t{1} << i;
                ASSERT_EQ(ByteMask(text.data() + offset, count, '\t'), expected)
                    << "offset " << offset << " count " << count;
            }
    }
}

TEST(ByteFields, FieldsMatchTheTextRulesOnLinesOfAnyLength) {
    QRandomGenerator random(11);
    for (int round = 0; round < 3000; ++round) {
        const std::string line = RandomText(random, random.bounded(0, 300), "ab \t\t\x01~");
        const QString text = QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
        std::array<std::string_view, 12> fields;
        fields.fill("stale");
        const std::size_t found = SplitTabFields(line, fields);
        std::string_view tokens(line);
        QStringView rest(text);
        std::size_t expectedFound = 0;
        for (std::size_t field = 0; field < fields.size(); ++field) {
            const QStringView expected = NextTokenView(rest, QLatin1Char('\t'));
            if (!expected.isEmpty())
                expectedFound = field + 1;
            ASSERT_EQ(std::string(fields[field]), Latin1(expected)) << line;
            ASSERT_EQ(std::string(NextByteToken(tokens, '\t')), Latin1(expected)) << line;
            ASSERT_EQ(std::string(TrimByteBlanks(fields[field])), Latin1(TrimBlanks(expected)));
        }
        ASSERT_EQ(found, expectedFound) << line;
    }
}

TEST(ByteFields, LinesMatchSplitTextLines) {
    QRandomGenerator random(3);
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = RandomText(random, random.bounded(0, 120), "ab\r\n\t");
        const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
        QStringList lines;
        TDataFileBytes file(data);
        std::string_view line;
        while (file.NextLine(line))
            lines.append(file.Decode(line));
        ASSERT_EQ(lines, SplitTextLines(QString::fromLatin1(data))) << bytes;
    }
}

TEST(ByteFields, FileBytesTakeTheEncodingOfTheWholeFile) {
    // Valid UTF-8: its byte order mark is no part of the first line.
    TDataFileBytes utf8(QByteArray("\xEF\xBB\xBF\xC5\x81\xC3\xB3"
                                   "d\xC5\xBA\tx\r\n"));
    EXPECT_EQ(utf8.Encoding(), TDataEncoding::Utf8);
    std::string_view line;
    ASSERT_TRUE(utf8.NextLine(line));
    EXPECT_EQ(utf8.Decode(NextByteToken(line, '\t')), QStringLiteral("Łódź"));
    EXPECT_FALSE(utf8.NextLine(line));

    // Not UTF-8: every field is Windows-1252, the codes 0x80 to 0x9F included.
    TDataFileBytes cp1252(QByteArray("Caf\xE9\t\x80 5\t\x96\r\n"));
    EXPECT_EQ(cp1252.Encoding(), TDataEncoding::Windows1252);
    ASSERT_TRUE(cp1252.NextLine(line));
    EXPECT_EQ(cp1252.Decode(NextByteToken(line, '\t')), QStringLiteral("Café"));
    EXPECT_EQ(cp1252.Decode(NextByteToken(line, '\t')), QStringLiteral("€ 5"));
    EXPECT_EQ(cp1252.Decode(NextByteToken(line, '\t')), QStringLiteral("–"));

    // Decoding a file field by field gives what decoding it whole gives.
    const QByteArray mixed("a\x80\tb\x81\x9F\xFF\r\nZo\xEB");
    TDataFileBytes file(mixed);
    QStringList lines;
    while (file.NextLine(line))
        lines.append(file.Decode(line));
    EXPECT_EQ(lines, SplitTextLines(DecodeDataText(mixed)));
}

TEST(ByteFields, ByteRunsDifferWhereverOneByteDiffers) {
    for (std::size_t n = 0; n <= 40; ++n) {
        const std::string a(n, 'q');
        EXPECT_TRUE(BytesEqual(a.data(), std::string(n, 'q').data(), n));
        for (std::size_t at = 0; at < n; ++at) {
            std::string b = a;
            b[at] = 'r';
            EXPECT_FALSE(BytesEqual(a.data(), b.data(), n)) << "length " << n << " at " << at;
        }
    }
}

class DataFileReading : public TTempFolderTest {};

TEST_F(DataFileReading, AMissingFileIsNothingAndOthersAreReadWhole) {
    EXPECT_FALSE(TDataFileBytes::ReadIfExists(Path(QStringLiteral("none.txt"))));
    EXPECT_FALSE(TDataFileBytes::ReadIfExists(Path(QStringLiteral("none/2024-01.txt"))));

    // Larger than any first guess of a reader, ending without a line end.
    QByteArray bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += "2024-01-02\t900\t1000\tCaf\xE9\r\n";
    bytes += "last";
    const QString name = Path(QStringLiteral("2024-01.txt"));
    WriteFile(name, bytes);
    std::optional<TDataFileBytes> file = TDataFileBytes::ReadIfExists(name);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), std::size_t(bytes.size()));
    EXPECT_EQ(file->Encoding(), TDataEncoding::Windows1252);
    std::string_view line;
    int lines = 0;
    std::string_view last;
    while (file->NextLine(line)) {
        ++lines;
        last = line;
    }
    EXPECT_EQ(lines, 20001);
    EXPECT_EQ(last, "last");

    WriteFile(Path(QStringLiteral("empty.txt")), QByteArray());
    ASSERT_TRUE(TDataFileBytes::ReadIfExists(Path(QStringLiteral("empty.txt"))));
}

TEST_F(DataFileReading, AFolderInPlaceOfTheFileIsAnErrorNamingIt) {
    const QString folder = MakeFolder(QStringLiteral("2024-02.txt"));
    try {
        TDataFileBytes::ReadIfExists(folder);
        FAIL() << "a folder was read as a file";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.FileName(), folder);
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("Cannot open file: ")));
    }
}
