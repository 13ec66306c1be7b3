#pragma once

#include "storage/textcodec.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// What this thread made lately from the bytes of data files, by those bytes and the file's
// encoding: a fixed table in which a newcomer takes the place of whatever held its slot. The
// files of a work group are read one after the other on each core, each with tables of its
// own, while their names and billing texts are mostly the same from file to file.
template <typename TValue, std::size_t SlotCount> class TRecentByBytes {
public:
    // Bytes longer than this are not kept.
    static constexpr std::size_t LongestBytes = 256;

    const TValue* Find(std::string_view bytes, TDataEncoding encoding) const {
        const TEntry& entry = (*FEntries)[SlotOf(bytes, encoding)];
        return entry.Used && entry.Encoding == encoding && entry.Bytes == bytes ? &entry.Value
                                                                                : nullptr;
    }
    void Keep(std::string_view bytes, TDataEncoding encoding, const TValue& value) {
        if (bytes.size() <= LongestBytes)
            (*FEntries)[SlotOf(bytes, encoding)] = {std::string(bytes), encoding, value, true};
    }

private:
    struct TEntry {
        std::string Bytes;
        TDataEncoding Encoding = TDataEncoding::Utf8;
        TValue Value{};
        bool Used = false;
    };
    static std::size_t SlotOf(std::string_view bytes, TDataEncoding encoding) {
        const std::size_t hash = std::hash<std::string_view>()(bytes);
        return (hash ^ (hash >> 17) ^ std::size_t(encoding)) % SlotCount;
    }
    std::unique_ptr<std::array<TEntry, SlotCount>> FEntries =
        std::make_unique<std::array<TEntry, SlotCount>>();
};
