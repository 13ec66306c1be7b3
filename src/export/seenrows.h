#pragma once

#include "base/hashmix.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

// A small cache of the rows met so far, each known by one item per column (its value indexes,
// or the keys its values come from) and kept in the one slot their hash picks: most lines of a
// Client or Category group repeat the row of an earlier line, and are found here before their
// row is made. A row whose slot another row took over is made again, which costs time only.
template <typename TItem, typename THash> class TSeenRows {
public:
    explicit TSeenRows(std::size_t columns) : FColumns(columns) { Clear(); }

    // True when items (one per column) are in their slot; otherwise they take the slot.
    bool Seen(std::span<const TItem> items) {
        if (FColumns == 0)
            return true; // a group without columns has only the empty row, which is dropped
        std::uint64_t hash = 0;
        for (const TItem& item : items)
            hash = HashMix(hash, std::uint64_t(THash()(item)));
        const std::size_t slot = std::size_t(hash >> (64 - SlotBits));
        TItem* const stored = &FItems[slot * FColumns];
        if (FUsed[slot] && std::equal(items.begin(), items.end(), stored))
            return true;
        std::copy(items.begin(), items.end(), stored);
        FUsed[slot] = true;
        return false;
    }
    void Clear() {
        FItems.assign(FColumns << SlotBits, TItem());
        FUsed.assign(std::size_t(1) << SlotBits, false);
    }

private:
    static constexpr int SlotBits = 10;
    std::size_t FColumns;
    std::vector<TItem> FItems;
    std::vector<char> FUsed;
};
