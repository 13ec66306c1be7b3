#pragma once

#include "columnwriter.h"
#include "exportformat.h"
#include "exportpiece.h"
#include "seenrows.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

#include <QString>

class TDistinctRows;

class TReportLine;

// Makes the rows of an export format's groups for report lines, into an export piece. Each
// column writes each of its values once and keeps it (TColumnWriter), so a row of the Time
// group is a copy of bytes made before; a row of a Client or Category group that was met
// lately is known by its value numbers and passed over before it is made.
class TExportRowMaker {
public:
    explicit TExportRowMaker(const TExportFormat& format);

    // Adds the rows of lines to piece. Values are known by the addresses of the lines'
    // texts: the texts must stay alive and unchanged until ForgetTexts, also when the lines
    // themselves go.
    void Add(std::span<const TReportLine> lines, TExportPiece& piece);
    // Forgets the addresses of the texts of the lines added so far, which may go now; the
    // values made for them are kept.
    void ForgetTexts();

private:
    // The column writers of one group.
    struct TIndexHash {
        std::size_t operator()(int index) const { return std::size_t(index); }
    };
    struct TGroup {
        std::vector<TColumnWriter> Columns;
        // Client and Category groups: the rows met lately, by the keys of their values (a
        // line of the same keys is passed over before its values are looked up) and by the
        // value numbers (a row of the same values is not made again).
        std::optional<TSeenRows<TValueKey, TValueKeyHash>> SeenKeys;
        std::optional<TSeenRows<int, TIndexHash>> Seen;
        int SeenGenerations = 0;
        // True when some column's text is never empty, so that no row is empty either.
        bool RowsNeverEmpty = false;
    };

    TGroup MakeGroup(int area) const;
    static QString RowText(TGroup& group, const TReportLine& line);
    static QString RowText(const TGroup& group, std::span<const int> indexes);
    // Grows whenever a column of the group started its value numbers again.
    static int Generations(const TGroup& group);
    // The rows of the lines not met lately, in the order first met.
    QStringList DistinctRows(TGroup& group);
    void AddTimeRows(TGroup& group, TEncodedRows& rows);
    void AddTimeRowsOneByOne(TGroup& group, TEncodedRows& rows);
    // The RowBatch lines from first on (fewer at the end, none past it).
    std::span<const TReportLine> LineBatch(std::size_t first) const;
    // The value numbers of a batch of lines into FIndexes, row after row, one per column.
    template <typename TBatch> void FindValues(TGroup& group, const TBatch& batch);
    // Adds the rows of the lines in FBatch not met before to rows.
    void AddDistinctRows(TGroup& group, TDistinctRows& rows);
    void AppendRows(const TGroup& group, std::size_t rows, TEncodedRows& output) const;
    void AppendRowsOneByOne(const TGroup& group, std::size_t rows, TEncodedRows& output) const;
    template <bool Utf8>
    void AppendRowsQuickly(const TGroup& group, std::size_t rows, std::size_t longestRow,
                           TEncodedRows& output) const;

    // Lines whose values are looked up together before their rows are written.
    static constexpr std::size_t RowBatch = 16;
    // Rows of more columns, or that may be longer, are written value by value.
    static constexpr std::size_t MaxQuickColumns = 64;
    static constexpr std::size_t MaxQuickRowBytes = std::size_t(16) << 10;

    const TExportFormat& FFormat;
    std::array<std::optional<TGroup>, eaData + 1> FGroups; // by area
    std::span<const TReportLine> FLines;
    const TExportPiece* FPiece = nullptr; // the piece of the last call
    std::vector<int> FIndexes;            // the value numbers of a batch
    std::vector<TValueKey> FKeys;         // the keys of a batch
    std::vector<const TReportLine*> FBatch; // Client and Category lines not met lately
};
