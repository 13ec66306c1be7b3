#pragma once

#include "columnwriter.h"
#include "exportformat.h"
#include "exportpiece.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

#include <QString>

class TReportLine;

// Makes the rows of an export format's groups for report lines, into an export piece. Each
// column writes each of its values once and keeps it (TColumnWriter), so a row of the Time
// group is a copy of bytes made before; a row of a Client or Category group that was met
// lately is known by its value numbers and passed over before it is made.
class TExportRowMaker {
public:
    explicit TExportRowMaker(const TExportFormat& format);

    // Adds the rows of lines to piece. Values are known by the addresses of the lines' texts
    // only while those lines live: each call forgets the addresses of the calls before, so
    // the lines of a call before may be gone.
    void Add(std::span<const TReportLine> lines, TExportPiece& piece);

private:
    // The column writers of one group.
    struct TGroup {
        std::vector<TColumnWriter> Columns;
        // True when some column's text is never empty, so that no row is empty either.
        bool RowsNeverEmpty = false;
    };

    TGroup MakeGroup(int area) const;
    static QString RowText(TGroup& group, const TReportLine& line);
    static QString RowText(const TGroup& group, std::span<const int> indexes);
    // Grows whenever a column of the group started its value numbers again.
    static int Generations(const TGroup& group);
    // The rows of lines not met before in this call, in the order first met.
    QStringList DistinctRows(TGroup& group);
    void AddTimeRows(TGroup& group, TEncodedRows& rows);
    void AddTimeRowsOneByOne(TGroup& group, TEncodedRows& rows);
    // The RowBatch lines from first on (fewer at the end, none past it).
    std::span<const TReportLine> LineBatch(std::size_t first) const;
    // The value numbers of a batch of lines, row after row, one per column; keys is room for
    // one key per line of a batch.
    static void FindValues(TGroup& group, std::span<const TReportLine> batch,
                           std::vector<TValueKey>& keys, std::vector<int>& indexes);
    static void AppendRows(const TGroup& group, std::size_t rows, const std::vector<int>& indexes,
                           TEncodedRows& output);

    // Lines whose values are looked up together before their rows are written.
    static constexpr std::size_t RowBatch = 16;

    const TExportFormat& FFormat;
    std::array<std::optional<TGroup>, eaData + 1> FGroups; // by area
    std::span<const TReportLine> FLines;
};
