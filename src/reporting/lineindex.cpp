#include "lineindex.h"

#include "reporting/reportentry.h"
#include "reporting/reportline.h"

namespace {
constexpr std::size_t FirstCapacity = 64;
constexpr std::uint64_t Multiplier = 0x9E3779B97F4A7C15ULL;

std::uint64_t Mix(std::uint64_t hash, int value) {
    return (hash ^ static_cast<std::uint32_t>(value)) * Multiplier;
}

std::size_t SlotOf(std::uint64_t hash, std::size_t capacity) {
    return static_cast<std::size_t>(hash ^ (hash >> 32)) & (capacity - 1);
}

std::uint64_t KeyHash(const TLineKey& key, bool withUser) {
    std::uint64_t hash = key.Chargeable ? 1 : 2;
    hash = Mix(hash, key.Client);
    hash = Mix(hash, key.Project);
    hash = Mix(hash, key.Category);
    hash = Mix(hash, key.Activity);
    hash = Mix(hash, key.Remarks);
    hash = Mix(hash, key.BillingCode);
    hash = Mix(hash, key.RateText);
    return withUser ? Mix(hash, key.User) : hash;
}

// Equal tasks, and with withUser the same user too.
bool SameKey(const TLineKey& a, const TLineKey& b, bool withUser) {
    return a.Client == b.Client && a.Project == b.Project && a.Category == b.Category &&
           a.Activity == b.Activity && a.Remarks == b.Remarks && a.BillingCode == b.BillingCode &&
           a.RateText == b.RateText && a.Chargeable == b.Chargeable &&
           (!withUser || a.User == b.User);
}
} // namespace

int TLineIndex::Find(const std::vector<TReportLine>& lines, const TReportEntry& entry) {
    Extend(lines);
    const TLineKey key =
        KeyOf(entry.User, entry.Client, entry.Project, entry.Category, entry.Activity,
              entry.Remarks, entry.BillingCode, entry.RateText, entry.Chargeable);
    // No user given matches the lines of every user.
    if (key.User < 0)
        return Lookup(FByTask, key, false);
    return Lookup(FByUser, key, true);
}

void TLineIndex::Clear() {
    FFoldedIds.Clear();
    FExactIds.Clear();
    FKeys.clear();
    FByTask = {};
    FByUser = {};
}

void TLineIndex::SetRemembering(bool remembering) {
    FFoldedIds.SetRemembering(remembering);
    FExactIds.SetRemembering(remembering);
}

TLineKey TLineIndex::KeyOf(const QString& user, const QString& client, const QString& project,
                           const QString& category, const QString& activity, const QString& remarks,
                           const QString& billingCode, const QString& rateText, bool chargeable) {
    TLineKey key;
    key.Client = FFoldedIds.Id(client);
    key.Project = FFoldedIds.Id(project);
    key.Category = FFoldedIds.Id(category);
    key.Activity = FFoldedIds.Id(activity);
    key.Remarks = FFoldedIds.Id(remarks);
    key.BillingCode = FExactIds.Id(billingCode);
    key.RateText = FExactIds.Id(rateText);
    key.Chargeable = chargeable;
    key.User = user.isEmpty() ? -1 : FFoldedIds.Id(user);
    return key;
}

void TLineIndex::ExtendBy(const std::vector<TReportLine>& lines) {
    for (std::size_t i = FKeys.size(); i < lines.size(); ++i) {
        const TReportLine& line = lines[i];
        FKeys.push_back(KeyOf(line.User, line.Client, line.Project, line.Category, line.Activity,
                              line.Remarks, line.BillingCode, line.RateText, line.Chargeable));
        const int position = static_cast<int>(i);
        Insert(FByTask, position, false);
        // A line without user is found only through the task table.
        if (FKeys.back().User >= 0)
            Insert(FByUser, position, true);
    }
}

void TLineIndex::Insert(TTable& table, int position, bool withUser) {
    if ((table.Used + 1) * 2 > table.Slots.size())
        Grow(table, withUser);
    const TLineKey& key = FKeys[static_cast<std::size_t>(position)];
    const std::size_t mask = table.Slots.size() - 1;
    for (std::size_t slot = SlotOf(KeyHash(key, withUser), table.Slots.size());;
         slot = (slot + 1) & mask) {
        const int held = table.Slots[slot];
        if (held < 0) {
            table.Slots[slot] = position;
            ++table.Used;
            return;
        }
        if (SameKey(FKeys[static_cast<std::size_t>(held)], key, withUser))
            return;
    }
}

int TLineIndex::Lookup(const TTable& table, const TLineKey& key, bool withUser) const {
    if (table.Slots.empty())
        return -1;
    const std::size_t mask = table.Slots.size() - 1;
    for (std::size_t slot = SlotOf(KeyHash(key, withUser), table.Slots.size());;
         slot = (slot + 1) & mask) {
        const int held = table.Slots[slot];
        if (held < 0)
            return -1;
        if (SameKey(FKeys[static_cast<std::size_t>(held)], key, withUser))
            return held;
    }
}

void TLineIndex::Grow(TTable& table, bool withUser) {
    const std::size_t capacity = table.Slots.empty() ? FirstCapacity : table.Slots.size() * 2;
    std::vector<int> slots(capacity, -1);
    const std::size_t mask = capacity - 1;
    for (const int held : table.Slots) {
        if (held < 0)
            continue;
        std::size_t slot =
            SlotOf(KeyHash(FKeys[static_cast<std::size_t>(held)], withUser), capacity);
        while (slots[slot] >= 0)
            slot = (slot + 1) & mask;
        slots[slot] = held;
    }
    table.Slots = std::move(slots);
}
