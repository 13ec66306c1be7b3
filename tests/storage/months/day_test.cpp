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
    TDay day(QDate(2024, 3, 5), TDayView::Make(0, 24, 1250, 45));
    day.AddNewBlock(900, 925, TMoney::FromUnits(450000), rsUser, bcHourlyRate, true);
    day.AddBlock(1000, 1100).Remarks = QStringLiteral("x");
    const auto copy = TDay::CreateCopy(day);
    EXPECT_TRUE(copy->Equals(day));
    EXPECT_NE(copy->Blocks[0].get(), day.Blocks[0].get());
    copy->View.SetWidth(2500); // only the start and the hours count
    EXPECT_TRUE(copy->Equals(day));
    copy->View.FirstTime = 100;
    EXPECT_FALSE(copy->Equals(day));
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

namespace {
// A day on the timeline of 1250 pixels for 24 hours, as at the default zoom on 96 ppi.
TDay DayAt1250() {
    return TDay(QDate(2024, 3, 5), TDayView::Make(0, 24, 1250, 45));
}
} // namespace

TEST(DayGeometry, PositionsAndTimesAtTheDefaultZoom) {
    const TDay day = DayAt1250();
    EXPECT_NEAR(day.View.PixelsPerHundredth, 0.520833, 1e-6);
    EXPECT_EQ(day.XToTime(625), 1200);
    EXPECT_EQ(day.TimeToX(1200), 625);
    EXPECT_EQ(day.TimeToX(900), 469);  // 468.75
    EXPECT_EQ(day.TimeToX(1000), 521); // 520.83
    EXPECT_EQ(day.XToTime(0), 0);
    EXPECT_EQ(day.XToTime(1250), 2400);
    // Not clamped to the day.
    EXPECT_EQ(day.XToTime(-125), -240);
    EXPECT_EQ(day.XToTime(1375), 2640);
    EXPECT_EQ(day.TimeToX(2640), 1375);
    // Other widths, and halves going to the even neighbour.
    const TDay wide(QDate(2024, 3, 5), TDayView::Make(0, 24, 5000, 45));
    EXPECT_EQ(wide.TimeToX(3), 6);   // 6.25
    EXPECT_EQ(wide.XToTime(5), 2);   // 2.4
    EXPECT_EQ(wide.XToTime(25), 12); // 12.0
    const TDay half(QDate(2024, 3, 5), TDayView::Make(0, 24, 1200, 45));
    EXPECT_EQ(half.TimeToX(1), 0); // 0.5 goes to 0
    EXPECT_EQ(half.TimeToX(3), 2); // 1.5 goes to 2
    EXPECT_EQ(half.XToTime(1), 2);
    // A day read for a report has no width: every position is its first time.
    const TDay bare(QDate(2024, 3, 5));
    EXPECT_EQ(bare.XToTime(300), 0);
    EXPECT_EQ(bare.TimeToX(1200), 0);
}

TEST(DayGeometry, HitTestFindsBlocksAndTheirEdges) {
    TDay day = DayAt1250();
    TBlock& block = day.AddBlock(900, 1000); // x 469 ... 521
    EXPECT_EQ(day.HitTest(400).Block, nullptr);
    EXPECT_EQ(day.HitTest(400).Zone, hzBody);
    EXPECT_EQ(day.HitTest(469).Block, &block);
    EXPECT_EQ(day.HitTest(469).Zone, hzStartEdge);
    EXPECT_EQ(day.HitTest(471).Zone, hzStartEdge); // 2 pixels off
    EXPECT_EQ(day.HitTest(472).Zone, hzBody);      // 3 pixels off
    EXPECT_EQ(day.HitTest(500).Zone, hzBody);
    EXPECT_EQ(day.HitTest(518).Zone, hzEndEdge); // |518 - 521| = 3
    EXPECT_EQ(day.HitTest(517).Zone, hzBody);
    EXPECT_EQ(day.HitTest(521).Zone, hzEndEdge);
    EXPECT_EQ(day.HitTest(522).Block, nullptr); // time 1002, past the end
}

TEST(DayGeometry, TouchingBlocksGiveTheEarlierOneAndNarrowBlocksTheirStart) {
    TDay day = DayAt1250();
    TBlock& first = day.AddBlock(900, 1000);
    TBlock& second = day.AddBlock(1000, 1100);
    const TDayHit shared = day.HitTest(day.TimeToX(1000));
    EXPECT_EQ(shared.Block, &first);
    EXPECT_EQ(shared.Zone, hzEndEdge);
    EXPECT_EQ(day.HitTest(day.TimeToX(1050)).Block, &second);
    // A block a few pixels wide: the start edge wins over the end edge.
    TBlock& narrow = day.AddBlock(1500, 1505);
    const TDayHit hit = day.HitTest(day.TimeToX(1503));
    EXPECT_EQ(hit.Block, &narrow);
    EXPECT_EQ(hit.Zone, hzStartEdge);
}

TEST(DayGeometry, ANewWidthReachesTheMonthsDaysAndTheirCopies) {
    TDay day = DayAt1250();
    day.View.SetWidth(2500);
    EXPECT_EQ(day.XToTime(1250), 1200);
    EXPECT_EQ(day.TimeToX(900), 938); // 937.5 goes to the even 938
    const auto copy = TDay::CreateCopy(day);
    EXPECT_EQ(copy->TimeToX(900), 938);
}
