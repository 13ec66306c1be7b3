#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

// Hands out one shared copy of texts that come again and again (the clients, projects,
// categories, activities and common remarks of a month file), so that reading a file does not
// allocate a new string for every field. Keeps at most Capacity distinct texts; others are
// made each time.
class TTextPool {
public:
    static constexpr std::size_t Capacity = 64;
    using TConvert = QString (*)(QStringView);

    // convert turns the text as found into the text handed out (none: a plain copy).
    explicit TTextPool(TConvert convert = nullptr) : FConvert(convert) { FSlots.fill(-1); }

    QString Text(QStringView text);

private:
    struct TEntry {
        QString Found;
        QString Value;
    };
    // Slots of a small open hash table over FEntries; -1 is free.
    static constexpr std::size_t SlotCount = 256;
    static std::size_t SlotOf(QStringView text);
    const TEntry* Find(QStringView text, std::size_t& slot) const;

    TConvert FConvert;
    std::vector<TEntry> FEntries;
    std::array<std::int16_t, SlotCount> FSlots;
};
