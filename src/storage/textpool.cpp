#include "textpool.h"

#include "storage/charsearch.h"

std::size_t TTextPool::SlotOf(QStringView text) {
    // Length and three characters tell the names of one file apart well enough, and cost
    // far less than hashing every character.
    const qsizetype n = text.size();
    const std::size_t mix = static_cast<std::size_t>(n) * 0x9E37U ^
                            text[0].unicode() * 0x85EBU ^ text[n - 1].unicode() * 0xC2B3U ^
                            text[n / 2].unicode() * 0x27D5U;
    return (mix ^ (mix >> 8)) % SlotCount;
}

const TTextPool::TEntry* TTextPool::Find(QStringView text, std::size_t& slot) const {
    slot = SlotOf(text);
    while (FSlots[slot] >= 0) {
        const TEntry& entry = FEntries[static_cast<std::size_t>(FSlots[slot])];
        if (SameChars(entry.Found, text))
            return &entry;
        slot = (slot + 1) % SlotCount;
    }
    return nullptr;
}

QString TTextPool::Text(QStringView text) {
    if (text.isEmpty())
        return {};
    std::size_t slot = 0;
    if (const TEntry* known = Find(text, slot))
        return known->Value;
    QString value = FConvert ? FConvert(text) : text.toString();
    if (FEntries.size() < Capacity) {
        FSlots[slot] = static_cast<std::int16_t>(FEntries.size());
        FEntries.push_back({FConvert ? text.toString() : value, value});
    }
    return value;
}
