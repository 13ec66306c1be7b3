#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "testsupport.h"

#include <gtest/gtest.h>

// Billing texts of codes 0 and 1 ("Y", "N") have no compact form of their own: the block's
// chargeable flag keeps what they say, so a month written and read again means the same.
class MonthBillingCodes : public TTempFolderTest {};

TEST_F(MonthBillingCodes, YesAndNoBillingTextsKeepTheirMeaningThroughAWrite) {
    const QString file = MakeFolder(QStringLiteral("mary")) + QStringLiteral("2024-03.txt");
    WriteFile(file, "04 Mar 2024\t0900\t1000\tAcme\tRoof\tBuild\tPlan\t \tN\tY\tN\tY\r\n"
                    "04 Mar 2024\t1000\t1100\tAcme\tRoof\tBuild\tPlan\t \tN\tY\tY\tNO\r\n");
    const auto month = TMonth::CreateFromFile(file, QStringLiteral("mary"));
    const TDay* day = month->DayByNumber(4);
    ASSERT_EQ(day->Blocks.size(), 2u);
    // The billing text decides over the line's own flag.
    EXPECT_TRUE(day->Blocks[0]->Chargeable);
    EXPECT_FALSE(day->Blocks[1]->Chargeable);
    QString text;
    day->WriteLines(text);
    EXPECT_EQ(text, QStringLiteral("04 Mar 2024\t0900\t1000\tAcme\tRoof\tBuild\tPlan\t \tN\tY\tY\r\n"
                                   "04 Mar 2024\t1000\t1100\tAcme\tRoof\tBuild\tPlan\t \tN\tY\tN\r\n"));
    const QString copy = MakeFolder(QStringLiteral("copy")) + QStringLiteral("2024-03.txt");
    WriteFile(copy, text.toUtf8());
    const auto again = TMonth::CreateFromFile(copy, QStringLiteral("mary"));
    const TDay* dayAgain = again->DayByNumber(4);
    ASSERT_EQ(dayAgain->Blocks.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(BlockCode(*dayAgain->Blocks[i]), BlockCode(*day->Blocks[i]));
        EXPECT_EQ(Charge(*dayAgain->Blocks[i]), Charge(*day->Blocks[i]));
        EXPECT_EQ(dayAgain->Blocks[i]->Chargeable, day->Blocks[i]->Chargeable);
    }
}
