#include "tasksums.h"

#include "reporting/reportlines.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace {
constexpr std::size_t FirstSlots = 256;

double Hours(std::int64_t minutes) {
    return static_cast<double>(minutes) / 60.0;
}

// Exact sums of one line.
struct TLineMinutes {
    std::array<std::int64_t, 7> Day{};
    std::int64_t Overtime = 0;
    std::int64_t All = 0;
    std::int64_t Amount = 0;
    std::int64_t Blocks = 0;

    void Add(const TTaskTotals& totals) {
        for (std::size_t day = 0; day < Day.size(); ++day) {
            Day[day] += totals.DayMinutes[day];
            All += totals.DayMinutes[day];
        }
        Overtime += totals.OvertimeMinutes;
        Amount += totals.Amount;
        Blocks += totals.Blocks;
    }

    void AddTo(TReportLine& line) const {
        for (std::size_t day = 0; day < Day.size(); ++day)
            line.DayHours[day + 1] += Hours(Day[day]);
        line.NormalHours += Hours(All - Overtime);
        line.OvertimeHours += Hours(Overtime);
        line.Amount += TMoney::FromUnits(Amount);
        line.BlockCount += static_cast<int>(Blocks);
    }
};
} // namespace

static_assert(sizeof(TTaskKey) == 16);

TTaskTotals& TTaskSums::Start(const TTaskKey& key, std::uint64_t hash, std::size_t line) {
    if ((FTotals.size() + 1) * 2 > FSlots.size())
        Grow();
    const std::size_t mask = FSlots.size() - 1;
    std::size_t slot = SlotOf(hash);
    while (FSlots[slot] != 0)
        slot = (slot + 1) & mask;
    FSlots[slot] = Held(hash, FTotals.size());
    TTaskTotals& totals = FTotals.emplace_back();
    totals.Key = key;
    totals.Line = static_cast<std::uint32_t>(line);
    return totals;
}

void TTaskSums::AddTo(TReportLines& lines) {
    if (FTotals.empty())
        return; // nothing to add, whatever the number of lines
    std::uint32_t lastLine = 0;
    for (const TTaskTotals& totals : FTotals)
        lastLine = std::max(lastLine, totals.Line);
    if (lastLine >= static_cast<std::uint32_t>(lines.Count()))
        throw std::out_of_range("task sums of a line that is gone");
    std::vector<TLineMinutes> byLine(std::size_t{lastLine} + 1);
    for (const TTaskTotals& totals : FTotals)
        byLine[totals.Line].Add(totals);
    for (std::size_t line = 0; line < byLine.size(); ++line)
        if (byLine[line].Blocks != 0)
            byLine[line].AddTo(lines.LineAt(line));
    FTotals.clear();
    FSlots.clear();
}

void TTaskSums::Grow() {
    // The slots hold positions: growing moves no totals.
    FSlots.assign(FSlots.empty() ? FirstSlots : FSlots.size() * 2, 0);
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t i = 0; i < FTotals.size(); ++i) {
        const std::uint64_t hash = HashOf(FTotals[i].Key);
        std::size_t slot = SlotOf(hash);
        while (FSlots[slot] != 0)
            slot = (slot + 1) & mask;
        FSlots[slot] = Held(hash, i);
    }
}
