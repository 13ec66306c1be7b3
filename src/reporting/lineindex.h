#pragma once

#include "reporting/reportline.h"
#include "reporting/textids.h"

#include <cstdint>
#include <vector>

// Extend reads the size of the lines inline, which needs the whole line type (clang checks it).
struct TReportEntry;

// The key of a line or a block: the numbers TTextIds gave its texts, and its chargeable flag.
struct TLineKey {
    int Client = 0;
    int Project = 0;
    int Category = 0;
    int Activity = 0;
    int Remarks = 0;
    int BillingCode = 0;
    int RateText = 0;
    bool Chargeable = false;
    int User = -1; // -1: no user
};

// Finds the line a block consolidates into without walking the whole list. Lines and blocks
// are compared by key: the numbers TTextIds gives their texts. For every key the index keeps
// the first line (lowest position) that has it, once with the user ignored and once per user,
// so a lookup gives exactly the line a scan from the start would find first with
// TReportLine::Matches. The index follows the list as lines are appended; after the lines were
// reordered or changed it must be cleared.
class TLineIndex {
public:
    // Position of the first of lines that entry matches; -1 for none. Lines appended since
    // the last call are taken into the index first.
    int Find(const std::vector<TReportLine>& lines, const TReportEntry& entry);
    void Clear();
    // See TTextIds::SetMemoizing: on, while the caller keeps every text it gives alive and
    // unchanged, including the lines'.
    void SetMemoizing(bool memoizing);
    // See TTextIds::ClearMemo.
    void ClearMemo();

private:
    // A hash table with open addressing of line positions. A slot keeps part of its key's hash
    // too (a tag), so that a lookup reads the key of a line only when the tags agree.
    struct TSlot {
        std::uint32_t Tag = 0;
        int Position = -1; // -1: free
    };
    struct TTable {
        std::vector<TSlot> Slots;
        std::size_t Used = 0;
    };

    TLineKey KeyOf(const QString& user, const QString& client, const QString& project,
                   const QString& category, const QString& activity, const QString& remarks,
                   const QString& billingCode, const QString& rateText, bool chargeable);
    // Takes lines appended since the last call into the index.
    void Extend(const std::vector<TReportLine>& lines) {
        if (FKeys.size() < lines.size())
            ExtendBy(lines);
    }
    void ExtendBy(const std::vector<TReportLine>& lines);
    // Adds the line at position unless an earlier line has its key already.
    void Insert(TTable& table, int position, bool withUser);
    int Lookup(const TTable& table, const TLineKey& key, bool withUser) const;
    // The slot of table that holds a line with key, or else the free slot where the probe
    // for key ends. The table has a free slot.
    std::size_t SlotFor(const TTable& table, std::uint64_t hash, const TLineKey& key,
                        bool withUser) const;
    void Grow(TTable& table, bool withUser);

    TTextIds FFoldedIds{true};
    TTextIds FExactIds{false};
    // One-entry caches: consecutive blocks mostly share their billing code and rate text.
    TTextIds::TLastLookup FLastCode;
    TTextIds::TLastLookup FLastRate;
    std::vector<TLineKey> FKeys; // per indexed line
    TTable FByTask;
    TTable FByUser;
};
