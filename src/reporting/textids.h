#pragma once

#include "base/hashmix.h"

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

// Gives every distinct text a small number, so that report lines compare their keys as
// numbers. With foldAscii texts that differ only in the letter case of a-z get the same
// number; otherwise only equal texts do.
//
// Blocks of one month file share their name texts, so while a period's blocks are added most
// texts asked for were asked for before in the very same string. While memoizing is on, a
// small memo keyed by the strings' data pointers answers those without reading the characters,
// which in a year of a work group lie spread over the whole memory. The memo holds no
// reference: the caller that turns it on promises that the texts it gives stay alive and
// unchanged until it is turned off, so that equal data means equal text.
class TTextIds {
public:
    // The number of the empty text; every other text gets a number above it.
    static constexpr int EmptyTextId = 0;

    // A one-entry cache: the string a caller asked for last for one kind of text, and its
    // number.
    struct TLastLookup {
        const QChar* Data = nullptr;
        qsizetype Size = 0;
        int Id = 0;
        std::uint64_t Generation = 0;
    };

    explicit TTextIds(bool foldAscii) : FFoldAscii(foldAscii) {}

    int Id(const QString& text) {
        if (text.isEmpty())
            return EmptyTextId;
        // The common case first: the text's own string, found in its home slot of the memo.
        if (FMemoizing && !FMemo.empty()) {
            const TMemoEntry& entry = FMemo[MemoSlotOf(text.constData(), FMemo.size())];
            if (entry.Data == text.constData() && entry.Size == text.size())
                return entry.Id;
        }
        return FMemoizing ? Memoized(text) : Intern(text);
    }
    // The same as Id, for a kind of text that is mostly the very string asked for last (such
    // as the billing codes of blocks): while memoizing, that string is checked first.
    int Id(const QString& text, TLastLookup& last) {
        if (last.Generation == FGeneration && last.Data == text.constData() &&
            last.Size == text.size())
            return last.Id;
        const int id = Id(text);
        if (FMemoizing)
            last = {text.constData(), text.size(), id, FGeneration};
        return id;
    }
    // Turning it off forgets every remembered string.
    void SetMemoizing(bool memoizing);
    // Forgets every remembered string but keeps the room for as many: for a caller whose
    // texts are about to change for others of the same kind.
    void ClearMemo();
    void Clear();

private:
    // A remembered string: its data, size and number. The memo is a dense hash table with
    // open addressing, so that the strings of the month at hand fill as few cache lines as
    // possible. It starts small and grows while half full; at its largest it is emptied
    // instead and fills again with the strings still in use.
    struct TMemoEntry {
        const QChar* Data = nullptr;
        int Size = 0;
        int Id = 0;
    };
    static constexpr std::size_t FirstMemoCapacity = 256;
    // Room for the names of a hundred users' month files read together.
    static constexpr std::size_t LargestMemoCapacity = 16384;

    // capacity is a power of two.
    static std::size_t MemoSlotOf(const QChar* data, std::size_t capacity) {
        const auto address = reinterpret_cast<std::uintptr_t>(data);
        return static_cast<std::size_t>((address >> 1) * HashMultipliers[0] >> 40) & (capacity - 1);
    }
    int Memoized(const QString& text);
    // Room for one more remembered string.
    void MakeMemoRoom();
    void Remember(const TMemoEntry& entry);
    int Intern(const QString& text);
    std::uint64_t Hash(const QString& text) const;
    bool Same(const QString& a, const QString& b) const;
    void Grow();

    bool FFoldAscii;
    bool FMemoizing = false;
    // A generation count of the times remembered strings were forgotten; a TLastLookup of another
    // round is void.
    std::uint64_t FGeneration = 1;
    std::vector<TMemoEntry> FMemo;
    std::size_t FMemoUsed = 0;
    std::vector<QString> FTexts;
    std::vector<std::uint64_t> FHashes;
    // A hash table with open addressing of positions in FTexts (the id less one); -1 marks a
    // free slot.
    std::vector<int> FSlots;
};
