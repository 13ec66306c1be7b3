#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/daycopy.h"

#include <gtest/gtest.h>

namespace {
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
    for (const auto& block : day.Blocks)
        spans.append(QStringLiteral("%1-%2 %3")
                         .arg(block->StartTime)
                         .arg(block->EndTime)
                         .arg(block->Client));
    return spans.join(QStringLiteral(", "));
}

class DayCopy : public ::testing::Test {
protected:
    TDay Source{QDate(2024, 3, 4)};
    TDay Target{QDate(2024, 3, 11)};

    void SetUp() override {
        AddNamed(Source, 1000, 1200, QStringLiteral("B"));
        AddNamed(Source, 900, 1000, QStringLiteral("A"));
    }
};
} // namespace

TEST_F(DayCopy, EmptyTargetTakesEveryBlockAtTheSameTimesWithItsDetails) {
    Source.Blocks.back()->OverTime = true;
    for (TPasteMode mode : {TPasteMode::Replace, TPasteMode::OnlyFreeTime}) {
        TDay target(QDate(2024, 3, 11));
        const TDayCopyResult result = CopyDayBlocks(Source, target, mode);
        EXPECT_EQ(Spans(target), QStringLiteral("900-1000 A, 1000-1200 B"));
        EXPECT_EQ(result.BlocksLaid, 2);
        EXPECT_EQ(result.BlocksCut, 0);
        EXPECT_EQ(result.Date, QDate(2024, 3, 11));
        EXPECT_EQ(target.Blocks[0]->Remarks, QStringLiteral("A remarks"));
        EXPECT_TRUE(target.Blocks[0]->OverTime);
        EXPECT_TRUE(target.Blocks[1]->Reportable);
    }
    EXPECT_EQ(Spans(Source), QStringLiteral("1000-1200 B, 900-1000 A"));
}

TEST_F(DayCopy, ReplaceCutsBackSplitsAndRemovesWhatTheCopiesCover) {
    AddNamed(Target, 800, 950, QStringLiteral("T1"));   // trimmed to 800-900
    AddNamed(Target, 1050, 1100, QStringLiteral("T2")); // covered: removed
    AddNamed(Target, 1150, 1300, QStringLiteral("T3")); // trimmed to 1200-1300
    AddNamed(Target, 1400, 1500, QStringLiteral("T4")); // untouched
    const TDayCopyResult result = CopyDayBlocks(Source, Target, TPasteMode::Replace);
    EXPECT_EQ(Spans(Target),
              QStringLiteral("800-900 T1, 900-1000 A, 1000-1200 B, 1200-1300 T3, 1400-1500 T4"));
    EXPECT_EQ(result.BlocksLaid, 2);
    EXPECT_EQ(result.BlocksCut, 3);
    const TBlock* trimmed = Target.FindByStart(1200);
    ASSERT_NE(trimmed, nullptr);
    EXPECT_EQ(trimmed->Remarks, QStringLiteral("T3 remarks"));
}

TEST_F(DayCopy, ReplaceSplitsALongerBlockAroundACopy) {
    TDay source(QDate(2024, 3, 4));
    AddNamed(source, 1100, 1200, QStringLiteral("N"));
    AddNamed(Target, 1000, 1300, QStringLiteral("L"));
    const TDayCopyResult result = CopyDayBlocks(source, Target, TPasteMode::Replace);
    EXPECT_EQ(Spans(Target), QStringLiteral("1000-1100 L, 1100-1200 N, 1200-1300 L"));
    EXPECT_EQ(result.BlocksCut, 1);
}

TEST_F(DayCopy, OnlyFreeTimeLaysThePartsInTheGapsAndLeavesTheDayAlone) {
    AddNamed(Target, 950, 1050, QStringLiteral("T1"));
    AddNamed(Target, 1100, 1125, QStringLiteral("T2"));
    const TDayCopyResult result = CopyDayBlocks(Source, Target, TPasteMode::OnlyFreeTime);
    EXPECT_EQ(Spans(Target), QStringLiteral("900-950 A, 950-1050 T1, 1050-1100 B, 1100-1125 T2, "
                                            "1125-1200 B"));
    EXPECT_EQ(result.BlocksLaid, 3);
    EXPECT_EQ(result.BlocksCut, 0);
}

TEST_F(DayCopy, OnlyFreeTimeLaysNothingOnAFullDay) {
    AddNamed(Target, 0, 2400, QStringLiteral("All"));
    const TDayCopyResult result = CopyDayBlocks(Source, Target, TPasteMode::OnlyFreeTime);
    EXPECT_EQ(Spans(Target), QStringLiteral("0-2400 All"));
    EXPECT_EQ(result.BlocksLaid, 0);
}

TEST_F(DayCopy, CopiesAreCutToTheDay) {
    TDay source(QDate(2024, 3, 4));
    AddNamed(source, 2300, 2500, QStringLiteral("Late"));
    AddNamed(source, -100, 0, QStringLiteral("Outside"));
    for (TPasteMode mode : {TPasteMode::Replace, TPasteMode::OnlyFreeTime}) {
        TDay target(QDate(2024, 3, 11));
        CopyDayBlocks(source, target, mode);
        EXPECT_EQ(Spans(target), QStringLiteral("2300-2400 Late"));
    }
}

TEST_F(DayCopy, ADayIsNeverCopiedOntoItself) {
    const TDayCopyResult result = CopyDayBlocks(Source, Source, TPasteMode::Replace);
    EXPECT_EQ(result.BlocksLaid, 0);
    EXPECT_EQ(Source.Blocks.size(), 2u);
}

TEST_F(DayCopy, DaysLaysEachDayOnItsTargetAndSkipsLockedDays) {
    TDay tuesday(QDate(2024, 3, 5));
    AddNamed(tuesday, 1300, 1400, QStringLiteral("Tue"));
    TDay wednesday(QDate(2024, 3, 6));
    AddNamed(wednesday, 800, 900, QStringLiteral("Wed"));
    TDay targetTuesday(QDate(2024, 3, 12));
    TDay targetWednesday(QDate(2024, 3, 13));
    TDay targetThursday(QDate(2024, 3, 14));
    const std::vector<const TDay*> from{&Source, &tuesday, &wednesday, nullptr};
    const std::vector<TDay*> to{&Target, &targetTuesday, &targetWednesday, &targetThursday};
    const auto results = CopyDays(from, to, TPasteMode::Replace,
                                  [](QDate date) { return date == QDate(2024, 3, 12); });
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(Spans(Target), QStringLiteral("900-1000 A, 1000-1200 B"));
    EXPECT_TRUE(targetTuesday.IsEmpty());
    EXPECT_TRUE(results[1].Locked);
    EXPECT_EQ(results[1].BlocksLaid, 0);
    EXPECT_EQ(Spans(targetWednesday), QStringLiteral("800-900 Wed"));
    EXPECT_EQ(results[2].BlocksLaid, 1);
    EXPECT_FALSE(results[3].Locked);
    EXPECT_EQ(results[3].BlocksLaid, 0);
    EXPECT_EQ(results[3].Date, QDate(2024, 3, 14));
}

TEST_F(DayCopy, DaysWithoutALockTestLockNothing) {
    const auto results = CopyDays({&Source}, {&Target}, TPasteMode::OnlyFreeTime);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_FALSE(results[0].Locked);
    EXPECT_EQ(results[0].BlocksLaid, 2);
    EXPECT_TRUE(DayHasTime(Target));
}
