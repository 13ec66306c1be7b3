#include "textpool.h"

#include "base/charsearch.h"
#include "base/hashmix.h"
#include "storage/months/namestore.h"

#include <algorithm>

std::size_t TTextPool::SlotOf(std::string_view bytes) {
    // Length and three bytes tell the names of one file apart well enough, and cost far less
    // than hashing every byte.
    const std::size_t n = bytes.size();
    const auto byte = [bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const std::uint64_t sample = n | std::uint64_t{byte(0)} << 32 |
                                 std::uint64_t{byte(n - 1)} << 40 |
                                 std::uint64_t{byte(n / 2)} << 48;
    return static_cast<std::size_t>(HashFinish(sample * HashMultipliers[0]) >> 32) % SlotCount;
}

const TTextPool::TEntry* TTextPool::Find(std::string_view bytes, std::size_t& slot) const {
    slot = SlotOf(bytes);
    while (FSlots[slot] >= 0) {
        const TEntry& entry = FEntries[static_cast<std::size_t>(FSlots[slot])];
        if (entry.Size == bytes.size() && BytesEqual(entry.Bytes(), bytes.data(), bytes.size()))
            return &entry;
        slot = (slot + 1) % SlotCount;
    }
    return nullptr;
}

QString TTextPool::Make(std::string_view bytes) const {
    const QString decoded =
        DecodeDataBytes(bytes.data(), static_cast<qsizetype>(bytes.size()), FEncoding);
    const QString value = FConvert ? FConvert(decoded) : decoded;
    return FKind == TKind::Names ? TNameStore::Instance().Name(value) : value;
}

QString TTextPool::Text(std::string_view bytes) {
    if (bytes.empty())
        return {};
    std::size_t slot = 0;
    if (const TEntry* known = Find(bytes, slot))
        return known->Value;
    QString value = Make(bytes);
    if (FEntries.size() < Capacity) {
        FSlots[slot] = static_cast<std::int16_t>(FEntries.size());
        TEntry& entry = FEntries.emplace_back();
        entry.Size = bytes.size();
        if (bytes.size() <= InlineBytes)
            std::copy(bytes.begin(), bytes.end(), entry.Inline.begin());
        else
            entry.Long = std::string(bytes);
        entry.Value = value;
    }
    return value;
}
