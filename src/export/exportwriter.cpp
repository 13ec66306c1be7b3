#include "exportwriter.h"

#include "distinctrows.h"
#include "exportrows.h"
#include "reporting/reportline.h"

#include <algorithm>
#include <span>

namespace {
// Asks for the memory of lines ahead of their use: the lines of a year are far more than the
// processor's caches hold, and each one's fields span several cache lines.
void Prefetch(std::span<const TReportLine> lines) {
    const char* const begin = reinterpret_cast<const char*>(lines.data());
    const char* const end = reinterpret_cast<const char*>(lines.data() + lines.size());
    for (const char* at = begin; at < end; at += 64)
        PrefetchMemory(at);
}

// The value numbers of the rows met lately, a row in a slot chosen by their hash: most lines
// of a Client or Category group repeat the row of an earlier line, and are known here before
// their row is made. A row whose slot another row took is made again, which costs time only.
class TSeenRows {
public:
    explicit TSeenRows(std::size_t columns) : FColumns(columns) { Clear(); }

    // True when indexes (one value number per column) are in their slot; otherwise they take
    // the slot.
    bool Seen(std::span<const int> indexes) {
        std::uint64_t hash = 0;
        for (const int index : indexes)
            hash = (hash ^ std::uint64_t(index)) * 0x9E3779B97F4A7C15ULL;
        int* const stored = &FIndexes[std::size_t(hash >> (64 - SlotBits)) * FColumns];
        if (std::equal(indexes.begin(), indexes.end(), stored))
            return true;
        std::copy(indexes.begin(), indexes.end(), stored);
        return false;
    }
    void Clear() { FIndexes.assign(FColumns << SlotBits, -1); }

private:
    static constexpr int SlotBits = 10;
    std::size_t FColumns;
    std::vector<int> FIndexes;
};
} // namespace

TExportWriter::TExportWriter(const TExportFormat& format, const std::vector<TReportLine>& lines)
    : FFormat(format), FLines(lines) {}

TExportWriter::TGroup TExportWriter::MakeGroup(int area) const {
    TGroup group;
    const TExportFormat::TItems& columns = FFormat.Items(area);
    group.Columns.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        group.Columns.emplace_back(FFormat, *columns[i], ColumnSuffix(FFormat, columns, i));
        group.RowsNeverEmpty = group.RowsNeverEmpty || group.Columns.back().NeverEmpty();
    }
    // A group without report lines has an empty heading line: the heading is taken from the
    // first line's row.
    if (!FLines.empty())
        group.Heading = HeadingLine(FFormat, columns);
    return group;
}

std::span<const TReportLine> TExportWriter::LineBatch(std::size_t first) const {
    if (first >= FLines.size())
        return {};
    return {FLines.data() + first, std::min(RowBatch, FLines.size() - first)};
}

QString TExportWriter::RowText(TGroup& group, const TReportLine& line) {
    QString row;
    for (TColumnWriter& column : group.Columns)
        row += column.Value(line).Text;
    return row;
}

QString TExportWriter::RowText(const TGroup& group, std::span<const int> indexes) {
    QString row;
    for (std::size_t i = 0; i < indexes.size(); ++i)
        row += group.Columns[i].ValueAt(indexes[i]).Text;
    return row;
}

int TExportWriter::Generations(const TGroup& group) {
    int sum = 0;
    for (const TColumnWriter& column : group.Columns)
        sum += column.Generation();
    return sum;
}

// Lines whose columns have the same keys as an earlier line's give the same row again, and
// are passed over before their row is made.
QStringList TExportWriter::DistinctRows(TGroup& group) {
    const std::size_t columns = group.Columns.size();
    TDistinctRows rows;
    TSeenRows seen(columns);
    std::vector<int> indexes(columns * RowBatch);
    std::vector<TValueKey> keys(RowBatch);
    int generations = 0;
    for (std::size_t first = 0; first < FLines.size(); first += RowBatch) {
        const std::span<const TReportLine> batch = LineBatch(first);
        Prefetch(LineBatch(first + RowBatch));
        FindValues(group, batch, keys, indexes);
        if (const int now = Generations(group); now != generations) {
            seen.Clear(); // the value numbers started again
            generations = now;
        }
        for (std::size_t row = 0; row < batch.size(); ++row) {
            const std::span<const int> rowIndexes(indexes.data() + row * columns, columns);
            if (!seen.Seen(rowIndexes))
                rows.Add(RowText(group, rowIndexes));
        }
    }
    return rows.Sorted();
}

void TExportWriter::WriteGroupStart(const TGroup& group) {
    if (FAnyGroupTaken)
        for (int i = 0; i < FFormat.BlankRows; ++i)
            FOutput->AppendLineEnd();
    if (FFormat.Headings)
        WriteRow(group.Heading);
    FAnyGroupTaken = true;
}

void TExportWriter::WriteRow(const QString& row) {
    FOutput->Append(row);
    FOutput->AppendLineEnd();
}

void TExportWriter::WriteListGroup(TGroup& group) {
    const QStringList rows = DistinctRows(group);
    if (FFormat.SkipEmptyGroups && rows.isEmpty())
        return;
    WriteGroupStart(group);
    for (const QString& row : rows)
        WriteRow(row);
}

void TExportWriter::WriteTimeGroup(TGroup& group) {
    if (!group.RowsNeverEmpty) {
        WriteTimeGroupRowByRow(group);
        return;
    }
    if (FFormat.SkipEmptyGroups && FLines.empty())
        return;
    WriteGroupStart(group);
    std::vector<int> indexes(group.Columns.size() * RowBatch);
    std::vector<TValueKey> keys(RowBatch);
    for (std::size_t first = 0; first < FLines.size() && !FOutput->Abandoned(); first += RowBatch) {
        const std::span<const TReportLine> batch = LineBatch(first);
        Prefetch(LineBatch(first + RowBatch));
        FindValues(group, batch, keys, indexes);
        WriteRows(group, batch.size(), indexes);
    }
}

// Column by column: the keys of the batch first, so that the memory of all their lookups is
// on its way before the first lookup waits for it.
void TExportWriter::FindValues(TGroup& group, std::span<const TReportLine> batch,
                               std::vector<TValueKey>& keys, std::vector<int>& indexes) {
    const std::size_t columns = group.Columns.size();
    for (std::size_t c = 0; c < columns; ++c) {
        TColumnWriter& column = group.Columns[c];
        const int generation = column.Generation();
        for (std::size_t row = 0; row < batch.size(); ++row) {
            keys[row] = column.Key(batch[row]);
            column.Prefetch(keys[row]);
        }
        for (std::size_t row = 0; row < batch.size(); ++row)
            indexes[row * columns + c] = column.IndexOf(keys[row], batch[row]);
        if (column.Generation() != generation) // numbers from before it are void: once more
            for (std::size_t row = 0; row < batch.size(); ++row)
                indexes[row * columns + c] = column.IndexOf(batch[row]);
    }
}

void TExportWriter::WriteRows(const TGroup& group, std::size_t rows,
                              const std::vector<int>& indexes) {
    const std::size_t columns = group.Columns.size();
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t c = 0; c < columns; ++c)
            FOutput->Append(group.Columns[c].BytesAt(indexes[row * columns + c]));
        FOutput->AppendLineEnd();
    }
}

// Rows that may be empty are made whole first: an empty row is dropped, and when empty groups
// are skipped the group starts only with its first row.
void TExportWriter::WriteTimeGroupRowByRow(TGroup& group) {
    bool started = !FFormat.SkipEmptyGroups;
    if (started)
        WriteGroupStart(group);
    for (const TReportLine& line : FLines) {
        const QString row = RowText(group, line);
        if (row.isEmpty())
            continue;
        if (!started)
            WriteGroupStart(group);
        started = true;
        WriteRow(row);
        if (FOutput->Abandoned())
            return;
    }
}

void TExportWriter::Write(TExportOutput& output) {
    FOutput = &output;
    FAnyGroupTaken = false;
    for (const int area : FFormat.GroupOrder()) {
        if (area == eaNone)
            continue;
        TGroup group = MakeGroup(area);
        if (area == eaData)
            WriteTimeGroup(group);
        else
            WriteListGroup(group);
        if (output.Abandoned())
            return;
    }
}

TExportWriter::TResult TExportWriter::WriteFile(const TExportFormat& format,
                                                const std::vector<TReportLine>& lines,
                                                const QString& path, std::size_t chunkBytes) {
    auto encoding = TExportOutput::TEncoding::Windows1252WhenAllFit;
    for (;;) {
        TExportOutput output(path, encoding, chunkBytes);
        TExportWriter(format, lines).Write(output);
        switch (output.Finish()) {
        case TExportOutput::TResult::Written:
            return TResult::Written;
        case TExportOutput::TResult::Empty:
            return TResult::NothingToExport;
        case TExportOutput::TResult::Failed:
            return TResult::Failed;
        case TExportOutput::TResult::RestartInUtf8:
            encoding = TExportOutput::TEncoding::Utf8;
        }
    }
}
