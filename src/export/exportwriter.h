#pragma once

#include "columnwriter.h"
#include "exportformat.h"
#include "exportoutput.h"

#include <span>
#include <vector>

#include <QString>

class TReportLine;

// Writes the groups of an export format for a list of report lines into an export output, row
// after row, without holding the rows of the Time group: the same text as ExportLines joined
// with line ends, but made from values that each column writes once and keeps.
class TExportWriter {
public:
    TExportWriter(const TExportFormat& format, const std::vector<TReportLine>& lines);

    void Write(TExportOutput& output);

    enum class TResult { Written, NothingToExport, Failed };
    // The whole export to path: written whole through a temporary file, or not at all.
    static TResult WriteFile(const TExportFormat& format, const std::vector<TReportLine>& lines,
                             const QString& path,
                             std::size_t chunkBytes = TExportOutput::DefaultChunkBytes);

private:
    // The column writers of one group.
    struct TGroup {
        std::vector<TColumnWriter> Columns;
        QString Heading;
        // True when some column's text is never empty, so that no row is empty either.
        bool RowsNeverEmpty = false;
    };

    TGroup MakeGroup(int area) const;
    // The RowBatch lines from first on (fewer at the end, none past it).
    std::span<const TReportLine> LineBatch(std::size_t first) const;
    static QString RowText(TGroup& group, const TReportLine& line);
    static QString RowText(const TGroup& group, std::span<const int> indexes);
    // Grows whenever a column of the group started its value numbers again.
    static int Generations(const TGroup& group);
    QStringList DistinctRows(TGroup& group);
    // Blank rows after an earlier group, then the heading line when headings are on.
    void WriteGroupStart(const TGroup& group);
    void WriteRow(const QString& row);
    void WriteListGroup(TGroup& group);
    void WriteTimeGroup(TGroup& group);
    void WriteTimeGroupRowByRow(TGroup& group);
    // The value numbers of a batch of lines, row after row, one per column; keys is room for
    // one key per line of a batch.
    static void FindValues(TGroup& group, std::span<const TReportLine> batch,
                           std::vector<TValueKey>& keys, std::vector<int>& indexes);
    void WriteRows(const TGroup& group, std::size_t rows, const std::vector<int>& indexes);

    // Lines whose values are looked up together before their rows are written.
    static constexpr std::size_t RowBatch = 16;

    const TExportFormat& FFormat;
    const std::vector<TReportLine>& FLines;
    TExportOutput* FOutput = nullptr;
    bool FAnyGroupTaken = false;
};
