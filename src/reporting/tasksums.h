#pragma once

#include <array>
#include <cstdint>
#include <vector>

class TReportLines;

// A block's task for consolidation (which leaves the remarks out): its names and user as
// numbers of exact texts (TTextIds without folding) that fit in 16 bits, a number of its rate,
// and its billing code with the chargeable flag in the lowest bit. Blocks of one key always go
// into one line; blocks of different keys may too (names differing only in the letter case of
// a-z).
struct TTaskKey {
    std::uint16_t Client = 0;
    std::uint16_t Project = 0;
    std::uint16_t Category = 0;
    std::uint16_t Activity = 0;
    std::uint16_t User = 0;
    std::uint16_t Rate = 0;
    std::uint16_t CodeAndFlag = 0;
    // Fills the key to 16 bytes without padding: the table hashes them as two words.
    std::uint16_t Spare = 0;

    bool operator==(const TTaskKey& other) const = default;
};

// The blocks of one key so far, in whole minutes as blocks count their hours, and the line
// they go to. One cache line: adding a block reads and writes nothing else.
struct alignas(64) TTaskTotals {
    TTaskKey Key;
    std::uint32_t Line = 0;
    std::array<std::int32_t, 7> DayMinutes{}; // Monday ... Sunday
    std::int32_t OvertimeMinutes = 0;
    std::int32_t Blocks = 0;
    std::int64_t Amount = 0; // money units

    // Adds a block; false, adding nothing, when a sum might outgrow its type (then the
    // totals must go to their line first).
    bool Add(int weekDay, bool overTime, std::int32_t minutes, std::int64_t amount);
};

// Sums of the blocks of consolidated lines by task while a report's blocks are added, kept
// apart from the lines so that adding a block touches a single small entry: the hours of a
// work group's year are summed in a table that fits the processor's cache, where the lines
// themselves would not. The sums are exact; they go to the lines at the end (AddTo), so a
// line's hours do not depend on the order of its blocks.
class TTaskSums {
public:
    // What a key's place in the table follows from; worked out once per block by callers
    // that use several of the calls below.
    static std::uint64_t HashOf(const TTaskKey& key);
    // Ask for the memory that Find reads first, and then, once that has come, the totals
    // themselves: for callers that can do other work in between.
    void FetchSlot(std::uint64_t hash) const;
    void FetchTotals(std::uint64_t hash) const;
    // The totals of key, valid until the next Start; null when the key has none yet.
    TTaskTotals* Find(const TTaskKey& key, std::uint64_t hash);
    TTaskTotals* Find(const TTaskKey& key) { return Find(key, HashOf(key)); }
    // New totals for key, going to line; valid until the next Start.
    TTaskTotals& Start(const TTaskKey& key, std::uint64_t hash, std::size_t line);
    TTaskTotals& Start(const TTaskKey& key, std::size_t line) {
        return Start(key, HashOf(key), line);
    }
    // Adds the totals to their lines: the hours of each line's keys together, so that every
    // line gets its exact sums. Then holds nothing.
    void AddTo(TReportLines& lines);
    // Adds the totals of one key to its line and clears them.
    static void AddTo(TReportLines& lines, TTaskTotals& totals);

private:
    std::size_t SlotOf(std::uint64_t hash) const { return hash & (FSlots.size() - 1); }
    void Grow();

    std::vector<TTaskTotals> FTotals;
    std::vector<std::uint32_t> FSlots; // positions in FTotals, plus 1; 0 for a free slot
};
