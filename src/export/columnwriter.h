#pragma once

#include "encodedtext.h"
#include "reporting/reportline.h"

#include <cstdint>
#include <unordered_map>
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
    std::size_t operator()(const TValueKey& key) const;
};

// Writes the values of one export column for line after line: the value by the column's rule
// (FormatValue), delimiters replaced, followed by what comes after the column in a row (the
// delimiter, the merge separator, or nothing for the last column). An export writes hundreds
// of thousands of rows from a few thousand distinct values per column, so each value is made
// once, encoded, and kept under a number. A line finds its value's number by its key; a text
// met at a new address is looked up by its characters before a value is made for it, as
// equal texts may lie at different addresses (one copy per month file read).
class TColumnWriter {
public:
    TColumnWriter(const TExportFormat& format, const TExportItem& column, QString suffix);

    struct TValue {
        QString Text;
        TEncodedText Encoded;
    };

    // Follows the inputs of FormatValue field by field; a time by its own value, which gives
    // its clock value.
    TValueKey Key(const TReportLine& line) const;
    // The number of line's value, valid until Generation changes.
    int IndexOf(const TReportLine& line);
    // The column's text for a value number, with its suffix.
    const TValue& ValueAt(int index) const { return FValues[std::size_t(index)]; }
    const TEncodedBytes& BytesAt(int index) const { return FBytes[std::size_t(index)]; }
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

    // Beyond this many distinct values (remarks that hardly repeat) the kept values are
    // dropped and collected afresh, so that the column never holds a large share of the file.
    static constexpr std::size_t MaxValues = std::size_t(1) << 15;

    void ChooseKey();
    // The number of line's value found by its source, made when there is none.
    int FindOrMake(const TValueKey& key, const TReportLine& line);
    TValue MakeValue(const TReportLine& line) const;
    void Forget();

    const TExportFormat& FFormat;
    const TExportItem& FColumn;
    QString FSuffix;
    TKeyKind FKind = TKeyKind::Constant;
    const QString TReportLine::*FText = nullptr; // text fields
    int TReportLine::*FTime = nullptr;           // times
    // Consecutive lines mostly share a value (the day, the user, the client).
    TValueKey FLastKey;
    int FLastIndex = -1;
    int FGeneration = 0;
    std::vector<TValue> FValues;
    std::vector<TEncodedBytes> FBytes; // of FValues, for copying rows
    std::unordered_map<TValueKey, int, TValueKeyHash> FByKey;
    QHash<QString, int> FBySource; // text fields
};
