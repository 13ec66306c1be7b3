#include "storage/months/block.h"
#include "storage/months/datalineerror.h"
#include "storage/months/day.h"

#include <gtest/gtest.h>

namespace {
std::unique_ptr<TDay> DayWith(std::initializer_list<std::pair<int, int>> spans) {
    auto day = std::make_unique<TDay>(QDate(2024, 3, 5));
    for (const auto& [start, end] : spans)
        day->AddBlock(start, end);
    return day;
}
} // namespace

TEST(Day, NeighboursByStartTime) {
    auto day = DayWith({{900, 1000}, {700, 800}, {1200, 1300}, {700, 750}});
    const TBlock* nine = day->Blocks[0].get();
    EXPECT_EQ(day->PreviousBlock(nine), day->Blocks[1].get()); // first of the tie
    EXPECT_EQ(day->NextBlock(nine), day->Blocks[2].get());
    EXPECT_EQ(day->PreviousBlock(day->Blocks[1].get()), nullptr);
    EXPECT_EQ(day->NextBlock(day->Blocks[2].get()), nullptr);
    EXPECT_EQ(day->NextBlock(nullptr), nullptr);
    EXPECT_EQ(day->FindByStart(700), day->Blocks[1].get());
    EXPECT_EQ(day->FindByStart(650), nullptr);
    day->SortBlocks();
    EXPECT_EQ(day->Blocks[0]->EndTime, 800); // equal starts keep their order
    EXPECT_EQ(day->Blocks[1]->EndTime, 750);
    EXPECT_EQ(day->Blocks[3]->StartTime, 1200);
}

TEST(Day, TotalsAndCompleteness) {
    auto day = DayWith({{900, 1050}, {1100, 1117}});
    EXPECT_DOUBLE_EQ(day->ReportableHours(), 0.0);
    day->Blocks[0]->Reportable = true;
    day->Blocks[1]->Reportable = true;
    EXPECT_NEAR(day->ReportableHours(), 1.5 + 10.0 / 60, 1e-12);
    EXPECT_TRUE(day->HasIncompleteBlock());
    EXPECT_EQ(day->WeekDay(), 2);
    EXPECT_EQ(day->DayOfMonth(), 5);
    EXPECT_TRUE(TDay(QDate(2024, 3, 1)).IsEmpty());
}

TEST(Day, LastEntryIsTheEndOfTheLastBlockInTheList) {
    auto day = DayWith({{900, 1050}, {600, 700}});
    EXPECT_EQ(day->LastEntryMoment(), TMoment(QDate(2024, 3, 5), QTime(7, 0)));
    day->SortBlocks();
    EXPECT_EQ(day->LastEntryMoment(), TMoment(QDate(2024, 3, 5), QTime(10, 30)));
    day->AddBlock(2300, 2400);
    EXPECT_EQ(day->LastEntryMoment().Time(), QTime(23, 59, 59, 999));
    EXPECT_EQ(TDay(QDate(2024, 3, 5)).LastEntryMoment(), TMoment());
}

TEST(Day, CopiesCompareEqualUntilChanged) {
    TDay day(QDate(2024, 3, 5));
    day.AddNewBlock(900, 925, TMoney::FromUnits(450000), rsUser, bcHourlyRate, true);
    day.AddBlock(1000, 1100).Remarks = QStringLiteral("x");
    const auto copy = TDay::CreateCopy(day);
    EXPECT_TRUE(copy->Equals(day));
    EXPECT_NE(copy->Blocks[0].get(), day.Blocks[0].get());
    EXPECT_FALSE(TDay(QDate(2024, 3, 6)).Equals(TDay(QDate(2024, 3, 5))));
    const auto other = TDay::CreateCopy(day);
    other->Blocks[1]->Remarks = QStringLiteral("y");
    EXPECT_FALSE(other->Equals(day));
    std::unique_ptr<TBlock> taken = other->Remove(other->Blocks[1].get());
    ASSERT_TRUE(taken);
    EXPECT_EQ(other->Remove(taken.get()), nullptr);
    EXPECT_FALSE(other->Equals(day));
    other->Append(std::move(taken));
    other->Blocks[1]->Remarks = QStringLiteral("x");
    EXPECT_TRUE(other->Equals(day));
}

TEST(Day, ReadsAndWritesMonthLines) {
    TDay day(QDate(2024, 3, 5));
    const TBlock& block =
        day.ReadLine(u"0915\t1000\tAcme\tWeb\tDev\tCoding\tcall%%back\tY\tN\tN\tFPRCLI99.5",
                     QStringLiteral("mary"));
    EXPECT_EQ(block.StartTime, 925);
    EXPECT_EQ(block.UserName, QStringLiteral("mary"));
    EXPECT_EQ(block.Remarks, QStringLiteral("call\r\nback"));
    EXPECT_TRUE(block.Chargeable);
    EXPECT_THROW(day.ReadLine(u"09:15\t1000", {}), EDataLineError);
    EXPECT_EQ(day.Blocks.size(), 1u);
    QString text;
    day.WriteLines(text);
    EXPECT_EQ(text, QStringLiteral("05 Mar 2024\t0915\t1000\tAcme\tWeb\tDev\tCoding\tcall%%back\t"
                                   "Y\tN\tY\tFPRCLI99.50\r\n"));
    QString empty;
    TDay(QDate(2024, 3, 6)).WriteLines(empty);
    EXPECT_TRUE(empty.isEmpty());
}
