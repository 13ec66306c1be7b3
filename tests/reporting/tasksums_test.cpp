#include "reporting/reportentry.h"
#include "reporting/reportlines.h"
#include "reporting/tasksums.h"

#include <bit>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {
TTaskKey KeyNumber(int number, bool chargeable = true) {
    const auto client = static_cast<std::uint32_t>(number % 60000);
    const auto project = static_cast<std::uint32_t>(number / 60000);
    return TTaskKey::Of({client, project, 0, 0, 0}, 0, 0, chargeable, false);
}

// A list of count lines of different clients, each holding one block of no hours.
TReportLines LinesOf(int count) {
    TReportLines lines;
    const QString text = QStringLiteral("x");
    for (int i = 0; i < count; ++i) {
        const QString client = QString::number(i);
        lines.Add(false, {text, QDate(2024, 3, 4), 900, 1000, client, text, text, text, text, 1, 0,
                          false, true, text, text, TMoney()});
    }
    return lines;
}
} // namespace

TEST(TaskSums, KeysAreFoundAgainAcrossGrowth) {
    TTaskSums sums;
    EXPECT_EQ(sums.Find(KeyNumber(1)), nullptr);
    for (int i = 0; i < 5000; ++i)
        sums.Start(KeyNumber(i), static_cast<std::size_t>(i % 7));
    for (int i = 0; i < 5000; ++i) {
        const TTaskTotals* totals = sums.Find(KeyNumber(i));
        ASSERT_NE(totals, nullptr) << i;
        EXPECT_EQ(totals->Key, KeyNumber(i));
        EXPECT_EQ(totals->Line, static_cast<std::uint32_t>(i % 7));
    }
    EXPECT_EQ(sums.Find(KeyNumber(3, false)), nullptr); // not chargeable: another task
}

// Keys whose hashes meet in a slot, or are equal altogether, are still told apart by the keys
// themselves; a key never started is not found in their run, nor a key under another hash.
TEST(TaskSums, KeysOfOneHashOrOneSlotStayApart) {
    TTaskSums sums;
    constexpr std::uint64_t SameHash = 0x1234567800000005ULL;
    constexpr std::uint64_t SameSlotOtherHalf = 0x8765432100000005ULL;
    for (int i = 0; i < 40; ++i)
        sums.Start(KeyNumber(i), i % 2 == 0 ? SameHash : SameSlotOtherHalf,
                   static_cast<std::size_t>(i));
    for (int i = 0; i < 40; ++i) {
        const TTaskTotals* totals =
            sums.Find(KeyNumber(i), i % 2 == 0 ? SameHash : SameSlotOtherHalf);
        ASSERT_NE(totals, nullptr) << i;
        EXPECT_EQ(totals->Line, static_cast<std::uint32_t>(i)) << i;
    }
    EXPECT_EQ(sums.Find(KeyNumber(41), SameHash), nullptr);
    EXPECT_EQ(sums.Find(KeyNumber(0), SameSlotOtherHalf), nullptr);
}

TEST(TaskSums, KeysOfOneLineAreAddedTogetherExactly) {
    // Ten blocks of six minutes make one hour exactly, where adding 0.1 ten times does not.
    TReportLines lines = LinesOf(2);
    TTaskSums sums;
    sums.Start(KeyNumber(1), 1);
    sums.Start(KeyNumber(2), 1);
    for (int i = 0; i < 5; ++i) {
        sums.Find(KeyNumber(1))->Add(2, false, 6, 100);
        sums.Find(KeyNumber(2))->Add(2, i % 2 == 0, 6, 0);
    }
    sums.AddTo(lines);
    const TReportLine& line = lines[1];
    EXPECT_EQ(line.DayHours[2], 1.0);
    EXPECT_EQ(line.NormalHours + line.OvertimeHours, 1.0);
    EXPECT_EQ(line.OvertimeHours, 18.0 / 60.0);
    EXPECT_EQ(line.Amount, TMoney::FromUnits(500));
    EXPECT_EQ(line.BlockCount, 11);
    EXPECT_EQ(lines[0].BlockCount, 1);
    // The sums went to the lines once: the table is empty.
    EXPECT_EQ(sums.Find(KeyNumber(1)), nullptr);
}

TEST(TaskSums, SumsPastThirtyTwoBitsStayExact) {
    TReportLines lines = LinesOf(1);
    TTaskSums sums;
    TTaskTotals& totals = sums.Start(KeyNumber(9), 0);
    constexpr std::int32_t longest = 0x7FFFFFFF;
    for (int i = 0; i < 4; ++i)
        totals.Add(7, i < 2, longest, std::int64_t{1} << 60);
    totals.Add(7, false, -longest, 0);
    sums.AddTo(lines);
    EXPECT_EQ(lines[0].DayHours[7], 3.0 * longest / 60.0);
    EXPECT_EQ(lines[0].OvertimeHours, 2.0 * longest / 60.0);
    EXPECT_EQ(lines[0].NormalHours, 1.0 * longest / 60.0);
    EXPECT_EQ(lines[0].Amount, TMoney::FromUnits(std::int64_t{1} << 62));
    EXPECT_EQ(lines[0].BlockCount, 6);
}

TEST(TaskSums, ThePartsOfAKeyTakeBitsOfTheirOwn) {
    // Each part at its largest value, every other part 0: the parts' bits must neither overlap
    // nor be cut short, or keys of different tasks could be equal.
    std::vector<std::pair<TTaskKey, int>> parts; // key and the part's width in bits
    for (std::size_t name = 0; name < 5; ++name) {
        TTaskKey::TNames names{};
        names[name] = TTaskKey::LargestName;
        parts.emplace_back(TTaskKey::Of(names, 0, 0, false, false), TTaskKey::NameBits);
    }
    parts.emplace_back(TTaskKey::Of({}, TTaskKey::LargestRate, 0, false, false), 16);
    parts.emplace_back(TTaskKey::Of({}, 0, 255, false, false), 8);
    parts.emplace_back(TTaskKey::Of({}, 0, 0, true, false), 1);
    parts.emplace_back(TTaskKey::Of({}, 0, 0, false, true), 1);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const TTaskKey& key = parts[i].first;
        EXPECT_EQ(std::popcount(key.Low) + std::popcount(key.High), parts[i].second) << i;
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_EQ(key.Low & parts[j].first.Low, 0u) << i << " " << j;
            EXPECT_EQ(key.High & parts[j].first.High, 0u) << i << " " << j;
        }
    }
}
