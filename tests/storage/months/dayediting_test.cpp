#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/values/timevalues.h"

#include <random>

#include <gtest/gtest.h>

namespace {
TDay NewDay() {
    return TDay(QDate(2024, 3, 6));
}

TBlock& AddNamed(TDay& day, int start, int end, const QString& client) {
    TBlock& block = day.AddBlock(start, end);
    block.Client = client;
    block.Project = QStringLiteral("P");
    block.Remarks = client + QStringLiteral(" remarks");
    block.Reportable = true;
    return block;
}

QString Spans(const TDay& day) {
    QStringList spans;
    std::vector<const TBlock*> blocks;
    for (const auto& block : day.Blocks)
        blocks.push_back(block.get());
    std::sort(blocks.begin(), blocks.end(),
              [](const TBlock* a, const TBlock* b) { return a->StartTime < b->StartTime; });
    for (const TBlock* block : blocks)
        spans.append(QStringLiteral("%1-%2 %3")
                         .arg(block->StartTime)
                         .arg(block->EndTime)
                         .arg(block->Client));
    return spans.join(QStringLiteral(", "));
}
} // namespace

class DayEditing : public ::testing::Test {
protected:
    void SetUp() override { SetTimeStep(25); }
    void TearDown() override { SetTimeStep(25); }
    TDay Day = NewDay();
};

TEST_F(DayEditing, NewBlocksStartOnTheUnitAndStopAtMidnight) {
    EXPECT_EQ(MinutesToTime(30), 50);
    for (const auto& [minutes, length] :
         {std::pair{6, 10}, {10, 17}, {15, 25}, {18, 30}, {20, 33}, {40, 67}, {42, 70},
          {45, 75}, {60, 100}})
        EXPECT_EQ(MinutesToTime(minutes), length) << minutes;
    EXPECT_EQ(SnapDown(1013), 1000);
    EXPECT_EQ(std::min(SnapDown(2390) + MinutesToTime(30), DayEnd), 2400);
    EXPECT_EQ(SnapDown(2390), 2375);
    SetTimeStep(StepFromMinutes(10));
    EXPECT_EQ(SnapDown(912), 900);                // 09:07 starts at 09:00
    EXPECT_EQ(900 + MinutesToTime(20), 933);      // and a 20-minute block ends at 09:20
    EXPECT_EQ(TimeToClock(900 + MinutesToTime(20)), 920);
}

TEST_F(DayEditing, SettlingSplitsTrimsAndRemovesWhatTheBlockCovers) {
    AddNamed(Day, 1000, 1300, QStringLiteral("Long"));
    TBlock& inside = AddNamed(Day, 1100, 1200, QStringLiteral("New"));
    Day.SettleOverlaps(&inside);
    EXPECT_EQ(Spans(Day), QStringLiteral("1000-1100 Long, 1100-1200 New, 1200-1300 Long"));
    for (const auto& block : Day.Blocks) {
        if (block->Client == QStringLiteral("Long")) {
            EXPECT_EQ(block->Remarks, QStringLiteral("Long remarks"));
        }
    }

    TDay covered = NewDay();
    AddNamed(covered, 930, 945, QStringLiteral("Short"));
    TBlock& cover = AddNamed(covered, 900, 1000, QStringLiteral("Cover"));
    covered.SettleOverlaps(&cover);
    EXPECT_EQ(Spans(covered), QStringLiteral("900-1000 Cover"));

    TDay partial = NewDay();
    AddNamed(partial, 800, 950, QStringLiteral("Before"));
    AddNamed(partial, 1000, 1100, QStringLiteral("Touching")); // touching is no overlap
    AddNamed(partial, 1050, 1200, QStringLiteral("After"));
    TBlock& middle = AddNamed(partial, 900, 1100, QStringLiteral("Mid"));
    middle.EndTime = 1000;
    partial.SettleOverlaps(&middle);
    EXPECT_EQ(Spans(partial), QStringLiteral("800-900 Before, 900-1000 Mid, 1000-1100 Touching, "
                                             "1050-1200 After"));
    partial.SettleOverlaps(nullptr); // nothing to settle for no block
    EXPECT_EQ(partial.Blocks.size(), 4u);
}

TEST_F(DayEditing, SettlingKeepsEveryBlockWithinTheDay) {
    TBlock& early = AddNamed(Day, -50, 100, QStringLiteral("Early"));
    TBlock& late = AddNamed(Day, 2300, 2475, QStringLiteral("Late"));
    Day.SettleOverlaps(&late);
    EXPECT_EQ(early.StartTime, 0);
    EXPECT_EQ(late.EndTime, 2400);
}

TEST_F(DayEditing, NudgesStopAtMidnightAndAtNeighbours) {
    TBlock& last = AddNamed(Day, 2350, 2400, QStringLiteral("Last"));
    EXPECT_FALSE(Day.NudgeBlock(&last, 25, false));
    EXPECT_FALSE(Day.NudgeBlock(&last, 25, true)); // not even by force
    TBlock& previous = AddNamed(Day, 900, 1000, QStringLiteral("Previous"));
    TBlock& block = AddNamed(Day, 1000, 1050, QStringLiteral("Block"));
    EXPECT_FALSE(Day.CanNudge(&block, -25));
    EXPECT_FALSE(Day.NudgeBlock(&block, -25, false));
    EXPECT_EQ(block.StartTime, 1000);
    EXPECT_TRUE(Day.NudgeBlock(&block, -25, true));
    EXPECT_EQ(block.StartTime, 975);
    block.StartTime = 1000;
    block.EndTime = 1050;
    previous.EndTime = 975;
    EXPECT_TRUE(Day.NudgeBlock(&block, -25, false)); // they touch afterwards
    EXPECT_EQ(block.StartTime, 975);
    EXPECT_EQ(block.EndTime, 1025);
    // A neighbour that the moved block would swallow is a collision too.
    TDay wide = NewDay();
    TBlock& big = AddNamed(wide, 1000, 1200, QStringLiteral("Big"));
    AddNamed(wide, 1225, 1250, QStringLiteral("Small"));
    EXPECT_FALSE(wide.CanNudge(&big, 75));
    EXPECT_TRUE(wide.CanNudge(&big, 25));
    EXPECT_FALSE(Day.CanNudge(nullptr, 25));
    EXPECT_FALSE(Day.NudgeBlock(nullptr, 25, true));
}

TEST_F(DayEditing, EdgesNeverPassEachOther) {
    TBlock& block = AddNamed(Day, 1000, 1100, QStringLiteral("B"));
    for (int time = 1100; time >= 900; time -= 5)
        Day.ResizeBlockEdge(&block, time, TBlockEdge::End);
    EXPECT_EQ(block.StartTime, 1000);
    EXPECT_EQ(block.EndTime, 1025); // one unit after the start
    for (int time = 950; time <= 1200; time += 5)
        Day.ResizeBlockEdge(&block, time, TBlockEdge::Start);
    EXPECT_EQ(block.StartTime, 1000);
    EXPECT_TRUE(Day.ResizeBlockEdge(&block, 912, TBlockEdge::Start));
    EXPECT_EQ(block.StartTime, 900);
    EXPECT_FALSE(Day.ResizeBlockEdge(nullptr, 700, TBlockEdge::End));
    // An unsnapped block is snapped by any edge drag, which counts as a change.
    block.EndTime = 1013;
    EXPECT_TRUE(Day.ResizeBlockEdge(&block, 1000, TBlockEdge::End));
    EXPECT_EQ(block.EndTime, 1000);
}

TEST_F(DayEditing, DragsMoveByWholeUnitsAndKeepTheLength) {
    TBlock& block = AddNamed(Day, 1000, 1100, QStringLiteral("B"));
    int to = 1420;
    EXPECT_TRUE(Day.DragMoveBlock(&block, 1010, to));
    EXPECT_EQ(block.StartTime, 1400); // 410 cut to 400
    EXPECT_EQ(to, 1410);
    to = 2390;
    Day.DragMoveBlock(&block, 1410, to);
    EXPECT_EQ(block.StartTime, 2300);
    EXPECT_EQ(block.EndTime, 2400);
    EXPECT_EQ(to, 2310);
    to = -400;
    Day.DragMoveBlock(&block, 2310, to);
    EXPECT_EQ(block.StartTime, 0);
    EXPECT_EQ(block.EndTime, 100);
    EXPECT_FALSE(Day.DragMoveBlock(nullptr, 0, to));

    SetTimeStep(StepFromMinutes(10)); // whole multiples of ten minutes
    TBlock& ten = AddNamed(Day, 900, 1000, QStringLiteral("T"));
    to = 950;
    Day.DragMoveBlock(&ten, 900, to); // 50 hundredths are 30 minutes
    EXPECT_EQ(TimeToClock(ten.StartTime), 930);
    EXPECT_EQ(TimeToClock(ten.EndTime), 1030);
    to = 920; // 12 minutes back: one step of ten minutes
    Day.DragMoveBlock(&ten, 950, to);
    EXPECT_EQ(TimeToClock(ten.StartTime), 920);
}

TEST_F(DayEditing, SettlingAnyEditLeavesNoOverlapAndLosesNoCoveredTime) {
    std::mt19937 random(20241210);
    const auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 2000; ++round) {
        TDay day = NewDay();
        // A settled day: blocks laid end to end with gaps, each with details of its own.
        for (int start = between(0, 200); start < 2300;) {
            const int end = std::min(DayEnd, start + 25 * between(1, 8));
            AddNamed(day, start, end, QStringLiteral("C%1").arg(start));
            start = end + 25 * between(0, 3);
        }
        // The edit: a new block, or one of the day moved or stretched.
        TBlock* edited = nullptr;
        const bool added = round % 3 == 0 || day.Blocks.empty();
        if (!added)
            edited = day.Blocks[std::size_t(between(0, int(day.Blocks.size()) - 1))].get();
        // What the other blocks covered before the edit.
        std::vector<QString> before(DayEnd);
        for (const auto& block : day.Blocks)
            if (block.get() != edited)
                for (int t = block->StartTime; t < block->EndTime; ++t)
                    before[std::size_t(t)] = block->Client;
        if (added) {
            const int start = 25 * between(0, 95);
            edited = &AddNamed(day, start, std::min(DayEnd, start + 25 * between(1, 20)),
                               QStringLiteral("Edited"));
        } else {
            edited->Client = QStringLiteral("Edited");
            int to = between(0, 2400);
            if (round % 3 == 1)
                day.DragMoveBlock(edited, between(0, 2400), to);
            else
                day.ResizeBlockEdge(edited, to, round % 2 ? TBlockEdge::Start : TBlockEdge::End);
        }
        const int start = edited->StartTime;
        const int end = edited->EndTime;
        day.SettleOverlaps(edited);

        ASSERT_EQ(edited->StartTime, start);
        ASSERT_EQ(edited->EndTime, end);
        std::vector<int> cover(DayEnd, 0);
        for (const auto& block : day.Blocks) {
            ASSERT_GE(block->StartTime, 0);
            ASSERT_LE(block->EndTime, DayEnd);
            for (int t = block->StartTime; t < block->EndTime; ++t)
                ++cover[std::size_t(t)];
        }
        for (int t = 0; t < DayEnd; ++t) {
            ASSERT_LE(cover[std::size_t(t)], 1) << "overlap at " << t << " in round " << round;
            if (before[std::size_t(t)].isEmpty() || (t >= start && t < end))
                continue;
            const TBlock* covering = nullptr;
            for (const auto& block : day.Blocks)
                if (block->StartTime <= t && t < block->EndTime)
                    covering = block.get();
            ASSERT_NE(covering, nullptr) << "time " << t << " lost in round " << round;
            if (covering != edited) {
                EXPECT_EQ(covering->Client, before[std::size_t(t)]);
                EXPECT_EQ(covering->Remarks, before[std::size_t(t)] + QStringLiteral(" remarks"));
            }
        }
    }
}
