#pragma once

#include "app/prefetch.h"
#include "encodedtext.h"
#include "reporting/reportline.h"

#include <array>
#include <bit>
#include <cstdint>
#include <type_traits>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <QHash>
#include <QString>

class TExportFormat;
class TExportItem;

// What a column's value for a line depends on: the text data of a text field (its address and
// length: lines share the data of repeated texts, and while the lines live an address always
// holds the same text), the day of a date, the value of a time, the bits of a number.
// Equal keys give equal values.
struct TValueKey {
    std::uint64_t First = 0;
    std::uint32_t Second = 0;
    bool operator==(const TValueKey&) const = default;
};

struct TValueKeyHash {
    std::size_t operator()(const TValueKey& key) const {
        return std::size_t((key.First ^ (std::uint64_t(key.Second) * 0xC2B2AE3D27D4EB4FULL)) *
                           0x9E3779B97F4A7C15ULL);
    }
};

// Writes the values of one export column for line after line: the value by the column's rule
// (FormatValue), delimiters replaced, followed by what comes after the column in a row (the
// delimiter, the merge separator, or nothing for the last column). An export writes hundreds
// of thousands of rows from a few thousand distinct values per column, so each value is made
// once and kept, encoded, and numbered. The values are kept by their source text (or by key
// for fields that are not texts), as equal texts may lie at different addresses (one copy per
// month file read); a small table by key finds the number for most lines without looking at
// the text.
class TColumnWriter {
public:
    TColumnWriter(const TExportFormat& format, const TExportItem& column, QString suffix);

    struct TValue {
        QString Text;
        TEncodedText Encoded;
    };

    // Follows the inputs of FormatValue field by field; a time by its own value, which gives
    // its clock value.
    TValueKey Key(const TReportLine& line) const {
        return WithKind([&](auto kind) { return KeyOf<decltype(kind)::value>(line); });
    }
    // The numbers of the values of a batch of lines into indexes[row * stride], as IndexOf
    // gives them; keys is room for rows keys. The kind of key is chosen once for the batch,
    // and keys that index the numbers directly are looked up at once; the others are all
    // asked for before the first is looked up.
    template <typename TLineAt>
    void IndexesOf(std::size_t rows, const TLineAt& lineAt, TValueKey* keys, int* indexes,
                   std::size_t stride) {
        WithKind([&](auto kind) {
            IndexesOfKind<decltype(kind)::value>(rows, lineAt, keys, indexes, stride);
        });
    }
    // The number of line's value, valid until Generation changes; key is Key(line).
    int IndexOf(const TValueKey& key, const TReportLine& line) {
        if (const std::uint64_t at = key.First - FDirectBase; at < FDirect.size()) {
            int& index = FDirect[at];
            return index >= 0 ? index : (index = Find(key, line));
        }
        if (key == FLastKey && FLastIndex >= 0)
            return FLastIndex;
        const int found = FindInSet(FSets[SetOf(key)].Ways.data(), key);
        return Last(key, found >= 0 ? found : Remember(key, line));
    }
    int IndexOf(const TReportLine& line) { return IndexOf(Key(line), line); }
    // The column's text for a value number, with its suffix.
    const TValue& ValueAt(int index) const { return FValues[std::size_t(index)]; }
    const TEncodedBytes& BytesAt(int index) const { return FBytes[std::size_t(index)]; }
    // The bytes of all values by number, valid until a value is added.
    const TEncodedBytes* Bytes() const { return FBytes.data(); }
    // The most bytes a value takes, in UTF-8 (which is never shorter than Windows-1252).
    std::size_t LongestBytes() const { return FLongestBytes; }
    bool AllFitWindows1252() const { return FAllFitWindows1252; }
    const TValue& Value(const TReportLine& line) { return ValueAt(IndexOf(line)); }
    // Forgets which values the addresses of texts met so far gave, for lines whose texts may
    // lie where those of earlier lines lay; the values themselves stay.
    void ForgetAddresses();
    // Changes whenever the kept values are dropped and their numbers start again.
    int Generation() const { return FGeneration; }
    // True when the column's text is never empty, whatever the line.
    bool NeverEmpty() const { return !FSuffix.isEmpty(); }

private:
    enum class TKeyKind { Text, Date, Time, Duration, Overtime, Chargeable, Amount, Constant };
    template <TKeyKind Kind> using TKind = std::integral_constant<TKeyKind, Kind>;

    // Calls use with the column's kind of key as a constant (a TKind), so that a loop over
    // lines inside use chooses the kind once rather than for every line.
    template <typename TUse>
    std::invoke_result_t<const TUse&, TKind<TKeyKind::Text>> WithKind(const TUse& use) const {
        switch (FKind) {
        case TKeyKind::Text:
            return use(TKind<TKeyKind::Text>{});
        case TKeyKind::Date:
            return use(TKind<TKeyKind::Date>{});
        case TKeyKind::Time:
            return use(TKind<TKeyKind::Time>{});
        case TKeyKind::Duration:
            return use(TKind<TKeyKind::Duration>{});
        case TKeyKind::Overtime:
            return use(TKind<TKeyKind::Overtime>{});
        case TKeyKind::Chargeable:
            return use(TKind<TKeyKind::Chargeable>{});
        case TKeyKind::Amount:
            return use(TKind<TKeyKind::Amount>{});
        case TKeyKind::Constant:
            break;
        }
        return use(TKind<TKeyKind::Constant>{});
    }

    template <TKeyKind Kind> TValueKey KeyOf(const TReportLine& line) const {
        if constexpr (Kind == TKeyKind::Text)
            return TextKey(line.*FText);
        else if constexpr (Kind == TKeyKind::Date)
            return {std::uint64_t(line.Date.toJulianDay()), 0};
        else if constexpr (Kind == TKeyKind::Time)
            return {std::uint64_t(std::int64_t(line.*FTime)), 0};
        else if constexpr (Kind == TKeyKind::Duration)
            return {std::bit_cast<std::uint64_t>(line.TotalHours()), 0};
        else if constexpr (Kind == TKeyKind::Overtime)
            return {line.OvertimeHours != 0, 0};
        else if constexpr (Kind == TKeyKind::Chargeable)
            return {line.Chargeable, 0};
        else if constexpr (Kind == TKeyKind::Amount)
            return {std::uint64_t(line.Amount.Units()), 0};
        else
            return {};
    }
    template <TKeyKind Kind, typename TLineAt>
    void IndexesOfKind(std::size_t rows, const TLineAt& lineAt, TValueKey* keys, int* indexes,
                       std::size_t stride) {
        if (!FDirect.empty()) {
            for (std::size_t row = 0; row < rows; ++row) {
                const TValueKey key = KeyOf<Kind>(lineAt(row));
                const std::uint64_t at = key.First - FDirectBase;
                const int known = at < FDirect.size() ? FDirect[at] : -1;
                indexes[row * stride] = known >= 0 ? known : IndexOf(key, lineAt(row));
            }
            return;
        }
        for (std::size_t row = 0; row < rows; ++row) {
            keys[row] = KeyOf<Kind>(lineAt(row));
            PrefetchMemory(&FSets[SetOf(keys[row])]);
        }
        for (std::size_t row = 0; row < rows; ++row)
            indexes[row * stride] = IndexOf(keys[row], lineAt(row));
    }

    // Two live texts that start at one address differ in length, if at all, by far less than
    // 2^32.
    static TValueKey TextKey(const QString& text) {
        return {std::uint64_t(reinterpret_cast<std::uintptr_t>(text.constData())),
                std::uint32_t(text.size())};
    }

    // One slot is sixteen bytes, so a set of four fills one cache line.
    struct alignas(16) TSlot {
        std::uint64_t First = 0;
        std::uint32_t Second = 0;
        int Index = -1;
    };
    static_assert(sizeof(TSlot) == 16);
    // A set starts a cache line of its own, so that looking it up reads one line.
    struct alignas(64) TSet {
        std::array<TSlot, 4> Ways;
    };
    static constexpr std::size_t SetSize = 4;
    // The sets start few, so that the keys of a column with few values (names, which all
    // month files share) lie close together in the cache, and grow while keys keep pushing
    // others out: every month file read gives its remarks their own addresses, so a text
    // column may meet a few thousand keys in turn; other fields have fewer.
    static constexpr int FirstSetBits = 4;
    static constexpr int TextSetBits = 11;
    static constexpr int OtherSetBits = 8;
    // Keys that are small numbers (times, flags, the days of a few years) index the value
    // numbers directly.
    static constexpr std::size_t DirectKeys = 4096;
    // Beyond this many distinct values (remarks that hardly repeat) the kept values are
    // dropped and collected afresh, so that the column never holds a large share of the file.
    static constexpr std::size_t MaxValues = std::size_t(1) << 15;

    // The number kept for key in set, -1 for none. Without branches: which of the four slots
    // holds the key is hard to foresee, and a wrong guess costs more than comparing them all.
    static int FindInSet(const TSlot* set, const TValueKey& key) {
        unsigned hits = 0;
#if defined(__SSE2__)
        // A slot's key is its first twelve bytes.
        const __m128i wanted =
            _mm_set_epi32(0, int(key.Second), int(key.First >> 32), int(key.First & 0xFFFFFFFFU));
#pragma GCC unroll 4
        for (std::size_t way = 0; way < SetSize; ++way) {
            const __m128i held = _mm_loadu_si128(reinterpret_cast<const __m128i*>(set + way));
            const int equal = _mm_movemask_epi8(_mm_cmpeq_epi32(held, wanted)) & 0x0FFF;
            hits |= unsigned(equal == 0x0FFF) << way;
        }
#else
        for (std::size_t way = 0; way < SetSize; ++way)
            hits |= unsigned((set[way].First == key.First) & (set[way].Second == key.Second))
                    << way;
#endif
        // The newest of the slots with the key comes first.
        return hits != 0 ? set[std::countr_zero(hits)].Index : -1;
    }
    std::size_t SetOf(const TValueKey& key) const {
        return TValueKeyHash()(key) >> FSetShift;
    }
    int Last(const TValueKey& key, int index) {
        FLastKey = key;
        FLastIndex = index;
        return index;
    }
    void ChooseKey();
    // Finds or makes the value of line and puts its key first in its set, dropping the last
    // one.
    int Remember(const TValueKey& key, const TReportLine& line);
    // Four times as many sets, all empty, once the keys put into them are several times
    // their room.
    void GrowSetsWhenCrowded();
    int Find(const TValueKey& key, const TReportLine& line);
    TValue MakeValue(const TReportLine& line) const;
    void Forget();

    const TExportFormat& FFormat;
    const TExportItem& FColumn;
    QString FSuffix;
    TKeyKind FKind = TKeyKind::Constant;
    const QString TReportLine::*FText = nullptr; // text fields
    int TReportLine::*FTime = nullptr;           // times
    int FSetShift = 0;
    int FLeastSetShift = 0;      // at the most sets
    std::size_t FRemembered = 0; // keys put into sets since they last grew
    std::vector<TSet> FSets;
    // Value numbers by key - FDirectBase (-1 when not known yet); empty for other fields.
    std::vector<int> FDirect;
    std::uint64_t FDirectBase = 0;
    TValueKey FLastKey;
    int FLastIndex = -1;
    int FGeneration = 0;
    std::vector<TValue> FValues;
    std::vector<TEncodedBytes> FBytes; // of FValues, for copying rows
    std::size_t FLongestBytes = 0;
    bool FAllFitWindows1252 = true;
    QHash<QString, int> FBySource;
    std::unordered_map<TValueKey, int, TValueKeyHash> FByKey;
};
