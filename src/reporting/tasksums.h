#pragma once

#include "base/hashmix.h"

#include <array>
#include <cstdint>
#include <vector>

class TReportLines;

// A block's task for consolidation (which leaves the remarks out): its four names and user as
// numbers of exact texts, a number of its rate, its billing code and chargeable flag, packed in
// two words. Names are numbered either by the name store (TNameStore::NumberOf) or by the
// builder's own numbering; the key records which, so numbers of the two never meet. Blocks of
// one key always go into one line; blocks of different keys may too (names differing only in
// the letter case of a-z, or numbered the other way).
struct TTaskKey {
    static constexpr int NameBits = 20;
    static constexpr std::uint32_t LargestName = (std::uint32_t{1} << NameBits) - 1;
    static constexpr std::uint32_t LargestRate = 0xFFFF;
    // The numbers of client, project, category, activity and user.
    using TNames = std::array<std::uint32_t, 5>;

    // Names at most LargestName, rate at most LargestRate.
    static TTaskKey Of(const TNames& names, std::uint32_t rate, std::uint8_t code, bool chargeable,
                       bool storeNumbers) {
        const auto name = [&](std::size_t i) { return std::uint64_t{names[i]}; };
        TTaskKey key;
        // Client, project and category, and the low four bits of the activity.
        key.Low = name(0) | name(1) << 20 | name(2) << 40 | (name(3) & 0xF) << 60;
        // The rest of the activity, user, rate, code, flag and numbering.
        key.High = name(3) >> 4 | name(4) << 16 | std::uint64_t{rate} << 36 |
                   std::uint64_t{code} << 52 | std::uint64_t{chargeable} << 60 |
                   std::uint64_t{storeNumbers} << 61;
        return key;
    }

    std::uint64_t Low = 0;
    std::uint64_t High = 0;

    bool operator==(const TTaskKey& other) const = default;
};

// The blocks of one key so far, in whole minutes as blocks count their hours, and the line
// they go to. The sums are 64 bits wide, so no realistic report can make them overflow.
struct TTaskTotals {
    TTaskKey Key;
    std::uint32_t Line = 0;
    std::array<std::int64_t, 7> DayMinutes{}; // Monday ... Sunday
    std::int64_t OvertimeMinutes = 0;
    std::int64_t Blocks = 0;
    std::int64_t Amount = 0; // money units

    void Add(int weekDay, bool overTime, std::int32_t minutes, std::int64_t amount) {
        DayMinutes[static_cast<std::size_t>(weekDay - 1)] += minutes;
        if (overTime)
            OvertimeMinutes += minutes;
        ++Blocks;
        Amount += amount;
    }
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
    static std::uint64_t HashOf(const TTaskKey& key) { return HashWords(key.Low, key.High); }
    // The totals of key, valid until the next Start; null when the key has none yet.
    TTaskTotals* Find(const TTaskKey& key, std::uint64_t hash) {
        if (FSlots.empty())
            return nullptr;
        const std::size_t mask = FSlots.size() - 1;
        const std::uint32_t tag = TagOf(hash);
        for (std::size_t slot = SlotOf(hash);; slot = (slot + 1) & mask) {
            const std::uint64_t held = FSlots[slot];
            if (held == 0)
                return nullptr;
            if (TagHeld(held) != tag)
                continue; // another key's, known without reading its totals
            TTaskTotals& totals = FTotals[PositionHeld(held) - 1];
            if (totals.Key == key)
                return &totals;
        }
    }
    TTaskTotals* Find(const TTaskKey& key) { return Find(key, HashOf(key)); }
    // New totals for key, going to line; valid until the next Start.
    TTaskTotals& Start(const TTaskKey& key, std::uint64_t hash, std::size_t line);
    TTaskTotals& Start(const TTaskKey& key, std::size_t line) {
        return Start(key, HashOf(key), line);
    }
    // Adds the totals to their lines: the hours of each line's keys together, so that every
    // line gets its exact sums. Then holds nothing.
    void AddTo(TReportLines& lines);

private:
    // A slot of the hash table (open addressing) holds the position of its totals in FTotals
    // plus 1 (0 for a free slot) in its low half, and the high half of its key's hash (a tag)
    // in its high half: a probe passes over other keys without reading their totals.
    std::size_t SlotOf(std::uint64_t hash) const { return hash & (FSlots.size() - 1); }
    static std::uint32_t TagOf(std::uint64_t hash) {
        return static_cast<std::uint32_t>(hash >> 32);
    }
    static std::uint32_t TagHeld(std::uint64_t held) {
        return static_cast<std::uint32_t>(held >> 32);
    }
    static std::uint32_t PositionHeld(std::uint64_t held) {
        return static_cast<std::uint32_t>(held);
    }
    static std::uint64_t Held(std::uint64_t hash, std::size_t position) {
        return std::uint64_t{TagOf(hash)} << 32 | (position + 1);
    }
    void Grow();

    std::vector<TTaskTotals> FTotals;
    std::vector<std::uint64_t> FSlots;
};
