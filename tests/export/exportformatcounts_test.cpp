#include "export/exportformat.h"

#include <utility>

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {
// A format file with one field of the Time group and the given header lines.
QString FormatText(const QString& headerLines) {
    return QStringLiteral("[Header]\r\nFormatName=Counts\r\n") + headerLines +
           QStringLiteral("[Field1]\r\nFieldName=Date\r\nFieldArea=Data\r\nFieldType=Date\r\n");
}
} // namespace

TEST(ExportFormatCounts, FieldCountBelowOneNamesNoField) {
    for (const char* count : {"0", "-1", "-2147483648", "$FFFFFFFF"}) {
        TExportFormat format;
        const QString text = FormatText(QStringLiteral("FieldCount=%1\r\n").arg(QLatin1String(count)));
        EXPECT_EQ(format.ReadFromText(text, QStringLiteral("ef-Counts.txt")),
                  QStringLiteral("Export format file does not contain any fields"))
            << count;
        EXPECT_EQ(format.ItemCount(), 0) << count;
    }
}

TEST(ExportFormatCounts, WhatReadsIsWrittenToReadAgain) {
    TExportFormat format;
    ASSERT_EQ(format.ReadFromText(FormatText(QStringLiteral("FieldCount=1\r\n")), QStringLiteral("f")),
              QString());
    TExportFormat again;
    ASSERT_EQ(again.ReadFromText(format.ToText(), QStringLiteral("f")), QString());
    EXPECT_EQ(again.ToText(), format.ToText());
    EXPECT_EQ(again.ItemCount(), 1);
}

TEST(ExportFormatCounts, UsersAreReadByTheirKeysWhateverTheCount) {
    TExportFormat format;
    const QString text =
        FormatText(QStringLiteral("FieldCount=1\r\nUserCount=2000000000\r\n")) +
        QStringLiteral("[Users]\r\nUser3=carol\r\nuser1=alice\r\nUser2=\r\nUser01=zed\r\n"
                       "User1=second alice\r\nUser2000000001=out\r\nUser-1=neg\r\nUserX=x\r\n"
                       "User1999999999=last\r\n");
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(format.ReadFromText(text, QStringLiteral("f")), QString());
    // Counting up to the count took minutes; the keys are a handful.
    EXPECT_LT(timer.elapsed(), 1000);
    // In number order; empty values and keys that are no "User" + number in range are left
    // out; of two spellings of one key the first counts.
    EXPECT_EQ(format.Users, QStringList({QStringLiteral("alice"), QStringLiteral("carol"),
                                         QStringLiteral("last")}));
}

TEST(ExportFormatCounts, UsersBeyondTheCountAreNotRead) {
    TExportFormat format;
    const QString text = FormatText(QStringLiteral("FieldCount=1\r\nUserCount=2\r\n")) +
                         QStringLiteral("[Users]\r\nUser1=a\r\nUser2=b\r\nUser3=c\r\n");
    ASSERT_EQ(format.ReadFromText(text, QStringLiteral("f")), QString());
    EXPECT_EQ(format.Users, QStringList({QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(ExportFormatCounts, BlankRowsAreLimited) {
    for (const auto& [stored, read] : {std::pair{"3", 3}, std::pair{"1000", 1000},
                                       std::pair{"100000000", 1000}, std::pair{"-4", -4}}) {
        TExportFormat format;
        const QString text =
            FormatText(QStringLiteral("FieldCount=1\r\nBlankRows=%1\r\n").arg(QLatin1String(stored)));
        ASSERT_EQ(format.ReadFromText(text, QStringLiteral("f")), QString()) << stored;
        EXPECT_EQ(format.BlankRows, read) << stored;
    }
}
