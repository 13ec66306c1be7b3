#include "lineindex.h"

#include "base/hashmix.h"
#include "reporting/reportentry.h"
#include "reporting/reportline.h"

namespace {
constexpr std::size_t FirstCapacity = 64;

std::uint64_t Pair(std::uint32_t low, std::uint32_t high) {
    return low | std::uint64_t{high} << 32;
}

std::uint32_t Bits(int value) {
    return static_cast<std::uint32_t>(value);
}

// Four products that do not wait for each other, then one more to mix them.
std::uint64_t KeyHash(const TLineKey& key, bool withUser) {
    const std::uint64_t names = (Pair(Bits(key.Client), Bits(key.Project)) * HashMultipliers[0]) ^
                                (Pair(Bits(key.Category), Bits(key.Activity)) * HashMultipliers[1]);
    const std::uint64_t rest =
        (Pair(Bits(key.Remarks), Bits(withUser ? key.User : -1)) * HashMultipliers[2]) ^
        (Pair(Bits(key.BillingCode), Bits(key.RateText) * 2 + (key.Chargeable ? 1 : 0)) *
         HashMultipliers[3]);
    const std::uint64_t hash = (names ^ (rest >> 7) ^ (rest << 11)) * HashMultipliers[0];
    return hash ^ (hash >> 31);
}

std::size_t SlotOf(std::uint64_t hash, std::size_t capacity) {
    return static_cast<std::size_t>(hash) & (capacity - 1);
}

std::uint32_t TagOf(std::uint64_t hash) {
    return static_cast<std::uint32_t>(hash >> 32);
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

void TLineIndex::SetMemoizing(bool memoizing) {
    FFoldedIds.SetMemoizing(memoizing);
    FExactIds.SetMemoizing(memoizing);
}

void TLineIndex::ClearMemo() {
    FFoldedIds.ClearMemo();
    FExactIds.ClearMemo();
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
    key.BillingCode = FExactIds.Id(billingCode, FLastCode);
    key.RateText = FExactIds.Id(rateText, FLastRate);
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
    const std::uint64_t hash = KeyHash(key, withUser);
    TSlot& slot = table.Slots[SlotFor(table, hash, key, withUser)];
    // An earlier line with the same key keeps the slot: it is the first match.
    if (slot.Position >= 0)
        return;
    slot = {TagOf(hash), position};
    ++table.Used;
}

int TLineIndex::Lookup(const TTable& table, const TLineKey& key, bool withUser) const {
    if (table.Slots.empty())
        return -1;
    return table.Slots[SlotFor(table, KeyHash(key, withUser), key, withUser)].Position;
}

std::size_t TLineIndex::SlotFor(const TTable& table, std::uint64_t hash, const TLineKey& key,
                                bool withUser) const {
    const std::uint32_t tag = TagOf(hash);
    const std::size_t mask = table.Slots.size() - 1;
    for (std::size_t slot = SlotOf(hash, table.Slots.size());; slot = (slot + 1) & mask) {
        const TSlot& held = table.Slots[slot];
        if (held.Position < 0 ||
            (held.Tag == tag &&
             SameKey(FKeys[static_cast<std::size_t>(held.Position)], key, withUser)))
            return slot;
    }
}

void TLineIndex::Grow(TTable& table, bool withUser) {
    std::vector<TSlot> slots(table.Slots.empty() ? FirstCapacity : table.Slots.size() * 2);
    const std::size_t mask = slots.size() - 1;
    for (const TSlot& held : table.Slots) {
        if (held.Position < 0)
            continue;
        // The tag is the upper half of the hash; the slot needs the lower half again.
        const std::uint64_t hash =
            KeyHash(FKeys[static_cast<std::size_t>(held.Position)], withUser);
        std::size_t slot = SlotOf(hash, slots.size());
        while (slots[slot].Position >= 0)
            slot = (slot + 1) & mask;
        slots[slot] = held;
    }
    table.Slots = std::move(slots);
}
