#include "export/encodedrows.h"

#include <string>

#include <QString>

#include <gtest/gtest.h>

namespace {
std::string Joined(const TEncodedRows& rows) {
    std::string bytes;
    for (const std::string_view chunk : rows.Chunks())
        bytes += chunk;
    return bytes;
}

// Row i: "row i;" and a value of i % 300 characters, so that rows cross the chunks' ends at
// ever other places.
QString RowValue(int i) {
    return QStringLiteral("row %1;").arg(i) + QString(i % 300, QChar(u'\u00e9'));
}
} // namespace

TEST(EncodedRows, RowsOverManyChunksKeepTheirBytesAndOrder) {
    TEncodedRows rows;
    std::string expected;
    const int count = 20000; // several megabytes: more than one full-sized chunk
    for (int i = 0; i < count; ++i) {
        const QString value = RowValue(i);
        rows.Append(TEncodedText(value).Bytes());
        rows.Append(TEncodedText(QString()).Bytes()); // an empty value adds nothing
        rows.EndRow();
        expected += value.toLatin1().toStdString() + "\r\n"; // é is the same in both
    }
    EXPECT_GT(rows.Chunks().size(), 3U);
    EXPECT_FALSE(rows.IsUtf8());
    EXPECT_EQ(rows.Rows(), std::size_t(count));
    EXPECT_EQ(rows.Size(), expected.size());
    EXPECT_EQ(Joined(rows), expected);
}

TEST(EncodedRows, AFirstWideCharacterTurnsEveryChunkBeforeItIntoUtf8) {
    TEncodedRows rows;
    QString expected;
    for (int i = 0; i < 12000; ++i) {
        rows.Append(TEncodedText(RowValue(i)).Bytes());
        rows.EndRow();
        expected += RowValue(i) + QStringLiteral("\r\n");
    }
    const QString wide = QStringLiteral("\u0141\u00f3d\u017a");
    rows.Append(TEncodedText(wide).Bytes());
    rows.EndRow();
    rows.Append(TEncodedText(QStringLiteral("\u00e9t\u00e9")).Bytes());
    rows.EndRow();
    expected += wide + QStringLiteral("\r\n\u00e9t\u00e9\r\n");
    EXPECT_TRUE(rows.IsUtf8());
    EXPECT_EQ(rows.Rows(), 12002U);
    EXPECT_EQ(Joined(rows), expected.toUtf8().toStdString());
}

TEST(EncodedRows, NoRowsHaveNoChunks) {
    TEncodedRows rows;
    rows.Append(TEncodedText(QString()).Bytes());
    EXPECT_TRUE(rows.Chunks().empty());
    EXPECT_EQ(rows.Size(), 0U);
    rows.ConvertToUtf8();
    EXPECT_TRUE(rows.IsUtf8());
    EXPECT_TRUE(rows.Chunks().empty());
}

TEST(EncodedRows, RowsMovedAwayLeaveEmptyRowsThatTakeRowsAgain) {
    TEncodedRows rows;
    rows.Append(TEncodedText(QStringLiteral("first")).Bytes());
    rows.EndRow();
    TEncodedRows moved = std::move(rows);
    rows.Append(TEncodedText(QStringLiteral("again")).Bytes());
    rows.EndRow();
    moved.Append(TEncodedText(QStringLiteral("second")).Bytes());
    moved.EndRow();
    EXPECT_EQ(Joined(moved), "first\r\nsecond\r\n");
    EXPECT_EQ(moved.Rows(), 2U);
    EXPECT_EQ(Joined(rows), "again\r\n");
    EXPECT_EQ(rows.Rows(), 1U);
}
