#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

// The value numbers of the rows met lately, a row in a slot chosen by their hash: most lines
// of a Client or Category group repeat the row of an earlier line, and are known here before
// their row is made. A row whose slot another row took is made again, which costs time only.
class TSeenRows {
public:
    explicit TSeenRows(std::size_t columns) : FColumns(columns) { Clear(); }

    // True when indexes (one value number per column) are in their slot; otherwise they take
    // the slot.
    bool Seen(std::span<const int> indexes) {
        if (FColumns == 0)
            return true; // a group without columns has only the empty row, which is dropped
        std::uint64_t hash = 0;
        for (const int index : indexes)
            hash = (hash ^ std::uint64_t(index)) * 0x9E3779B97F4A7C15ULL;
        int* const stored = &FIndexes[std::size_t(hash >> (64 - SlotBits)) * FColumns];
        if (std::equal(indexes.begin(), indexes.end(), stored))
            return true;
        std::copy(indexes.begin(), indexes.end(), stored);
        return false;
    }
    void Clear() { FIndexes.assign(FColumns << SlotBits, -1); }

private:
    static constexpr int SlotBits = 10;
    std::size_t FColumns;
    std::vector<int> FIndexes;
};
