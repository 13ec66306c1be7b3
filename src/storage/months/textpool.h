#pragma once

#include "base/textcodec.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QString>
#include <QStringView>

// A small cache that hands out one shared copy of texts that come again and again (the
// clients, projects, categories, activities and common remarks of a month file), so that
// reading a file does not decode and allocate a new string for every field. Texts are found by
// the file's bytes and decoded with the file's encoding the first time; names are then taken
// from the process's name store (namestore.h). Keeps at most Capacity distinct texts; others
// are made each time.
class TTextPool {
public:
    static constexpr std::size_t Capacity = 64;
    using TConvert = QString (*)(QStringView);
    enum class TKind { Names, Texts };

    // Names come from the name store. convert turns the decoded text into the text handed out
    // (none: the decoded text).
    explicit TTextPool(TDataEncoding encoding, TKind kind = TKind::Names,
                       TConvert convert = nullptr)
        : FEncoding(encoding), FKind(kind), FConvert(convert) {
        FSlots.fill(-1);
    }

    QString Text(std::string_view bytes);

private:
    // The bytes found are kept in the entry itself when they are short, as names are, so that
    // telling a text apart needs no further memory access.
    static constexpr std::size_t InlineBytes = 48;
    struct TEntry {
        std::size_t Size = 0;
        std::array<char, InlineBytes> Inline{};
        std::string Long;
        QString Value;

        const char* Bytes() const { return Size <= InlineBytes ? Inline.data() : Long.data(); }
    };
    // Slots of a small hash table with open addressing over FEntries; -1 is free.
    static constexpr std::size_t SlotCount = 256;
    static std::size_t SlotOf(std::string_view bytes);
    const TEntry* Find(std::string_view bytes, std::size_t& slot) const;
    QString Make(std::string_view bytes) const;

    TDataEncoding FEncoding;
    TKind FKind;
    TConvert FConvert;
    std::vector<TEntry> FEntries;
    std::array<std::int16_t, SlotCount> FSlots;
};
