#include "daycopy.h"

#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/values/timevalues.h"

#include <algorithm>
#include <utility>

namespace {
using TSpan = std::pair<int, int>;

std::vector<const TBlock*> ByStart(const TDay& day) {
    std::vector<const TBlock*> blocks;
    for (const auto& block : day.Blocks)
        blocks.push_back(block.get());
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const TBlock* a, const TBlock* b) { return a->StartTime < b->StartTime; });
    return blocks;
}

// The stretches of 0..2400 that no block of the day covers, in order.
std::vector<TSpan> FreeSpans(const TDay& day) {
    std::vector<TSpan> free;
    int from = 0;
    for (const TBlock* block : ByStart(day)) {
        const int start = std::clamp(block->StartTime, 0, DayEnd);
        if (start > from)
            free.emplace_back(from, start);
        from = std::max(from, std::clamp(block->EndTime, 0, DayEnd));
    }
    if (from < DayEnd)
        free.emplace_back(from, DayEnd);
    return free;
}

bool Overlaps(const TBlock& a, const TBlock& b) {
    return a.StartTime < b.EndTime && b.StartTime < a.EndTime;
}

int CountCovered(const TDay& from, const TDay& to) {
    int covered = 0;
    for (const auto& present : to.Blocks)
        if (std::any_of(from.Blocks.begin(), from.Blocks.end(),
                        [&present](const auto& copied) { return Overlaps(*copied, *present); }))
            ++covered;
    return covered;
}

void Lay(TDay& to, const TBlock& block, int start, int end) {
    std::unique_ptr<TBlock> copy = TBlock::CreateDuplicate(block);
    copy->StartTime = start;
    copy->EndTime = end;
    to.Append(std::move(copy));
}

int LayReplacing(const TDay& from, TDay& to) {
    int laid = 0;
    for (const TBlock* block : ByStart(from)) {
        const int start = std::clamp(block->StartTime, 0, DayEnd);
        const int end = std::clamp(block->EndTime, 0, DayEnd);
        if (start >= end)
            continue;
        Lay(to, *block, start, end);
        to.SettleOverlaps(to.Blocks.back().get());
        ++laid;
    }
    return laid;
}

int LayIntoFreeTime(const TDay& from, TDay& to) {
    const std::vector<TSpan> free = FreeSpans(to);
    int laid = 0;
    for (const TBlock* block : ByStart(from))
        for (const TSpan& span : free) {
            const int start = std::max(block->StartTime, span.first);
            const int end = std::min(block->EndTime, span.second);
            if (start < end) {
                Lay(to, *block, start, end);
                ++laid;
            }
        }
    return laid;
}
} // namespace

bool DayHasTime(const TDay& day) {
    return !day.IsEmpty();
}

TDayCopyResult CopyDayBlocks(const TDay& from, TDay& to, TPasteMode mode) {
    TDayCopyResult result;
    result.Date = to.Date;
    if (&from == &to)
        return result;
    if (mode == TPasteMode::Replace) {
        result.BlocksCut = CountCovered(from, to);
        result.BlocksLaid = LayReplacing(from, to);
    } else {
        result.BlocksLaid = LayIntoFreeTime(from, to);
    }
    to.SortBlocks();
    return result;
}

std::vector<TDayCopyResult> CopyDays(const std::vector<const TDay*>& from,
                                     const std::vector<TDay*>& to, TPasteMode mode,
                                     const std::function<bool(QDate)>& isLocked) {
    std::vector<TDayCopyResult> results;
    for (std::size_t i = 0; i < to.size(); ++i) {
        TDayCopyResult result;
        result.Date = to[i]->Date;
        if (isLocked && isLocked(to[i]->Date))
            result.Locked = true;
        else if (i < from.size() && from[i])
            result = CopyDayBlocks(*from[i], *to[i], mode);
        results.push_back(result);
    }
    return results;
}
