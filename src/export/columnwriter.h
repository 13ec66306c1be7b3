#pragma once

#include "base/hashmix.h"
#include "encodedtext.h"
#include "reporting/reportline.h"

#include <bit>
#include <cstdint>
#include <vector>

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
        return std::size_t(HashWords(key.First, key.Second));
    }
};
inline std::size_t qHash(const TValueKey& key, std::size_t seed = 0) {
    return TValueKeyHash()(key) ^ seed;
}

// Writes the values of one export column for line after line: the value by the column's rule
// (FormatValue), delimiters replaced, followed by what comes after the column in a row (the
// delimiter, the merge separator, or nothing for the last column). An export writes many rows
// from few distinct values per column, so the values are memoized: each is made once, encoded,
// and kept under an index. A line finds its value's index by its key in a hash table; a text
// met at a new address is looked up by its characters before a value is made for it, as
// equal texts may lie at different addresses (one copy per month file read).
class TColumnWriter {
    enum class TKeyKind { Text, Date, Time, Duration, Overtime, Chargeable, Amount, Constant };

public:
    TColumnWriter(const TExportFormat& format, const TExportItem& column, QString suffix);

    struct TValue {
        QString Text;
        TEncodedText Encoded;
    };

    // Follows the inputs of FormatValue field by field; a time by its own value, which gives
    // its clock value.
    TValueKey Key(const TReportLine& line) const {
        switch (FKind) {
        case TKeyKind::Text: {
            // Two live texts that start at one address differ in length, if at all, by far
            // less than 2^32.
            const QString& text = line.*FText;
            return {std::uint64_t(reinterpret_cast<std::uintptr_t>(text.constData())),
                    std::uint32_t(text.size())};
        }
        case TKeyKind::Date:
            return {std::uint64_t(line.Date.toJulianDay()), 0};
        case TKeyKind::Time:
            return {std::uint64_t(std::int64_t(line.*FTime)), 0};
        case TKeyKind::Duration:
            return {std::bit_cast<std::uint64_t>(line.TotalHours()), 0};
        case TKeyKind::Overtime:
            return {line.OvertimeHours != 0, 0};
        case TKeyKind::Chargeable:
            return {line.Chargeable, 0};
        case TKeyKind::Amount:
            return {std::uint64_t(line.Amount.Units()), 0};
        case TKeyKind::Constant:
            break;
        }
        return {};
    }
    // The index of line's value, valid until Generation changes.
    int IndexOf(const TReportLine& line) {
        const TValueKey key = Key(line);
        if (FLastIndex >= 0 && key == FLastKey)
            return FLastIndex;
        const auto known = FByKey.constFind(key);
        const int index = known != FByKey.cend() ? *known : FindOrMake(key, line);
        FLastKey = key;
        FLastIndex = index;
        return index;
    }
    // The column's text for a value index, with its suffix.
    const TValue& ValueAt(int index) const { return FValues[std::size_t(index)]; }
    const TEncodedBytes& BytesAt(int index) const { return FBytes[std::size_t(index)]; }
    const TValue& Value(const TReportLine& line) { return ValueAt(IndexOf(line)); }
    // Forgets which values the addresses of texts met so far gave, for lines whose texts may
    // lie where those of earlier lines lay; the values themselves stay.
    void ForgetAddresses();
    // Changes whenever the kept values are dropped and their indexes start again.
    int Generation() const { return FGeneration; }
    // True when the column's text is never empty, whatever the line.
    bool NeverEmpty() const { return !FSuffix.isEmpty(); }

private:
    // Beyond this many distinct values (remarks that hardly repeat) the kept values are
    // dropped and collected afresh, so that the column never holds a large share of the file.
    static constexpr std::size_t MaxValues = std::size_t(1) << 15;

    void ChooseKey();
    // The index of line's value found by its text (text fields), made when there is none.
    int FindOrMake(const TValueKey& key, const TReportLine& line);
    TValue MakeValue(const TReportLine& line) const;
    void Forget();

    const TExportFormat& FFormat;
    const TExportItem& FColumn;
    QString FSuffix;
    TKeyKind FKind = TKeyKind::Constant;
    const QString TReportLine::*FText = nullptr; // text fields
    int TReportLine::*FTime = nullptr;           // times
    // A one-entry cache: consecutive lines mostly share a value (the day, the user, the client).
    TValueKey FLastKey;
    int FLastIndex = -1;
    int FGeneration = 0;
    std::vector<TValue> FValues;
    std::vector<TEncodedBytes> FBytes; // of FValues, for copying rows
    QHash<TValueKey, int> FByKey;
    QHash<QString, int> FBySource; // text fields
};
