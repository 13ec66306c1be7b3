#include "base/textutils.h"
#include "storage/months/textpool.h"

#include <string>
#include <vector>

#include <QRandomGenerator>

#include <gtest/gtest.h>

// Whatever the pool holds, drops or confuses by its cheap hash, every text it hands out must be
// the text of the bytes asked for.
TEST(TextPool, AlwaysHandsOutTheTextOfTheBytesAskedFor) {
    QRandomGenerator random(5);
    std::vector<std::string> texts;
    for (int i = 0; i < 150; ++i) {
        // Same length, same first, middle and last byte: the hash cannot tell these apart.
        std::string text(static_cast<std::size_t>(random.bounded(1, 120)), 'a');
        for (std::size_t c = 1; c + 1 < text.size(); ++c)
            if (c != text.size() / 2)
                text[c] = static_cast<char>('a' + random.bounded(3));
        if (i % 10 == 0)
            text += "\xE9%%\xC3\xA9";
        texts.push_back(text);
    }
    for (const TDataEncoding encoding : {TDataEncoding::Windows1252, TDataEncoding::Utf8}) {
        TTextPool names(encoding);
        TTextPool remarks(encoding, TTextPool::TKind::Texts, DecodeLineBreaks);
        for (int round = 0; round < 3000; ++round) {
            const std::string& bytes = texts[static_cast<std::size_t>(random.bounded(150))];
            const QString decoded =
                DecodeDataBytes(bytes.data(), static_cast<qsizetype>(bytes.size()), encoding);
            ASSERT_EQ(names.Text(bytes), decoded) << bytes;
            ASSERT_EQ(remarks.Text(bytes), DecodeLineBreaks(decoded)) << bytes;
        }
        EXPECT_TRUE(names.Text({}).isNull());
    }
}

// Names are also kept by the thread across pools, one pool per file: the same bytes read from
// files of either encoding must still give each file its own text.
TEST(TextPool, TheSameBytesInFilesOfEitherEncodingGiveTheirOwnNames) {
    const std::string bytes = "Caf\xC3\xA9";
    for (int file = 0; file < 6; ++file) {
        const bool utf8 = file % 2 == 0;
        TTextPool names(utf8 ? TDataEncoding::Utf8 : TDataEncoding::Windows1252);
        EXPECT_EQ(names.Text(bytes),
                  utf8 ? QStringLiteral("Caf\u00e9") : QStringLiteral("Caf\u00c3\u00a9"));
    }
}
