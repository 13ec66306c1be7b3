#include "textids.h"

#include "reporting/asciifold.h"

#include <algorithm>
#include <limits>

namespace {
constexpr std::size_t FirstCapacity = 64;

std::size_t SlotOf(std::uint64_t hash, std::size_t capacity) {
    return static_cast<std::size_t>(hash ^ (hash >> 32)) & (capacity - 1);
}

} // namespace

void TTextIds::SetMemoizing(bool memoizing) {
    FMemoizing = memoizing;
    ++FGeneration;
    FMemo.clear();
    FMemoUsed = 0;
}

void TTextIds::ClearMemo() {
    ++FGeneration;
    std::fill(FMemo.begin(), FMemo.end(), TMemoEntry{});
    FMemoUsed = 0;
}

int TTextIds::Memoized(const QString& text) {
    if (text.size() > std::numeric_limits<int>::max())
        return Intern(text);
    const QChar* data = text.constData();
    const int size = static_cast<int>(text.size());
    if (!FMemo.empty()) {
        const std::size_t mask = FMemo.size() - 1;
        for (std::size_t slot = MemoSlotOf(data, FMemo.size()); FMemo[slot].Data;
             slot = (slot + 1) & mask)
            if (FMemo[slot].Data == data && FMemo[slot].Size == size)
                return FMemo[slot].Id;
    }
    // Not remembered yet: numbered by its characters, then remembered.
    const TMemoEntry entry{data, size, Intern(text)};
    MakeMemoRoom();
    Remember(entry);
    return entry.Id;
}

void TTextIds::MakeMemoRoom() {
    if ((FMemoUsed + 1) * 2 <= FMemo.size())
        return;
    std::vector<TMemoEntry> old = std::move(FMemo);
    const bool grow = !old.empty() && old.size() < LargestMemoCapacity;
    FMemo.assign(old.empty() ? FirstMemoCapacity : grow ? old.size() * 2 : old.size(), {});
    FMemoUsed = 0;
    if (grow)
        for (const TMemoEntry& entry : old)
            if (entry.Data)
                Remember(entry);
}

void TTextIds::Remember(const TMemoEntry& entry) {
    const std::size_t mask = FMemo.size() - 1;
    std::size_t slot = MemoSlotOf(entry.Data, FMemo.size());
    while (FMemo[slot].Data)
        slot = (slot + 1) & mask;
    FMemo[slot] = entry;
    ++FMemoUsed;
}

void TTextIds::Clear() {
    ++FGeneration;
    FMemo.clear();
    FMemoUsed = 0;
    FTexts.clear();
    FHashes.clear();
    FSlots.clear();
}

int TTextIds::Intern(const QString& text) {
    if ((FTexts.size() + 1) * 2 > FSlots.size())
        Grow();
    const std::uint64_t hash = Hash(text);
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t slot = SlotOf(hash, FSlots.size());; slot = (slot + 1) & mask) {
        const int held = FSlots[slot];
        if (held < 0) {
            FSlots[slot] = static_cast<int>(FTexts.size());
            FTexts.push_back(text);
            FHashes.push_back(hash);
            return FSlots[slot] + 1;
        }
        const auto index = static_cast<std::size_t>(held);
        if (FHashes[index] == hash && Same(FTexts[index], text))
            return held + 1;
    }
}

std::uint64_t TTextIds::Hash(const QString& text) const {
    return FFoldAscii ? AsciiFoldedHash(text, 0) : ExactHash(text, 0);
}

bool TTextIds::Same(const QString& a, const QString& b) const {
    return FFoldAscii ? SameAsciiFolded(a, b) : a == b;
}

void TTextIds::Grow() {
    const std::size_t capacity = FSlots.empty() ? FirstCapacity : FSlots.size() * 2;
    std::vector<int> slots(capacity, -1);
    const std::size_t mask = capacity - 1;
    for (std::size_t id = 0; id < FTexts.size(); ++id) {
        std::size_t slot = SlotOf(FHashes[id], capacity);
        while (slots[slot] >= 0)
            slot = (slot + 1) & mask;
        slots[slot] = static_cast<int>(id);
    }
    FSlots = std::move(slots);
}
