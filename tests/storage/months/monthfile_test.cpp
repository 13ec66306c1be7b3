#include "storage/months/block.h"
#include "storage/months/monthfile.h"

#include <gtest/gtest.h>

TEST(MonthFile, NamesOfMonthFiles) {
    EXPECT_EQ(MonthFileName(2024, 3), QStringLiteral("2024-03.txt"));
    EXPECT_EQ(MonthFileName(987, 11), QStringLiteral("0987-11.txt"));
    EXPECT_TRUE(IsMonthFileName(QStringLiteral("2024-03.txt")));
    EXPECT_TRUE(IsMonthFileName(QStringLiteral("2024-03.TXT")));
    EXPECT_FALSE(IsMonthFileName(QStringLiteral("2024-3.txt")));
    EXPECT_FALSE(IsMonthFileName(QStringLiteral("2024_03.txt")));
    EXPECT_FALSE(IsMonthFileName(QStringLiteral("20x4-03.txt")));
    EXPECT_FALSE(IsMonthFileName(QStringLiteral("2024-03.csv")));
    EXPECT_FALSE(IsMonthFileName(QStringLiteral("ef-2024-03.txt")));
    int year = 0;
    int month = 0;
    EXPECT_TRUE(MonthOfFileName(QStringLiteral("/data/2019-12.txt"), year, month));
    EXPECT_EQ(year, 2019);
    EXPECT_EQ(month, 12);
    EXPECT_FALSE(MonthOfFileName(QStringLiteral("/2019-12.txt/notes.txt"), year, month));
}

TEST(MonthFile, LinesWriteEveryFieldNonEmpty) {
    TBlock block(850, 2400);
    QString text;
    AppendMonthLine(text, QStringLiteral("05 Mar 2024"), block);
    EXPECT_EQ(text, QStringLiteral("05 Mar 2024\t0830\t2400\t \t \t \t \t \tN\tN\tN\r\n"));
    block.Client = QStringLiteral("Two\r\nLines");
    block.Remarks = QStringLiteral("a\tb");
    block.BillingInfo = std::make_unique<TBillingInfo>(bcNotChargeable, rsUser, TMoney());
    text.clear();
    AppendMonthLine(text, QStringLiteral("05 Mar 2024"), block);
    EXPECT_EQ(text,
              QStringLiteral("05 Mar 2024\t0830\t2400\tTwo Lines\t \t \t \ta%%~b\tN\tN\tN\r\n"));
}
