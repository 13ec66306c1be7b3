#include "exportrowmaker.h"

#include "distinctrows.h"
#include "exportrows.h"
#include "reporting/reportline.h"

#include <algorithm>

namespace {
// Asks for the memory of lines ahead of their use: the lines of a month are far more than the
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

// Room for the Time rows of lines, judged from the rows made so far, so that the rows of a
// month are not moved while they grow.
void ReserveForLines(TEncodedRows& rows, std::size_t linesDone, std::size_t lines) {
    if (rows.Rows() == 0 || linesDone == 0)
        return;
    const std::size_t perLine = rows.Bytes().size() / linesDone + 1;
    rows.Reserve(perLine * lines + perLine * lines / 8);
}
} // namespace

TExportRowMaker::TExportRowMaker(const TExportFormat& format) : FFormat(format) {
    for (const int area : format.GroupOrder())
        if (area != eaNone && !FGroups[std::size_t(area)])
            FGroups[std::size_t(area)] = MakeGroup(area);
}

TExportRowMaker::TGroup TExportRowMaker::MakeGroup(int area) const {
    TGroup group;
    const TExportFormat::TItems& columns = FFormat.Items(area);
    group.Columns.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        group.Columns.emplace_back(FFormat, *columns[i], ColumnSuffix(FFormat, columns, i));
        group.RowsNeverEmpty = group.RowsNeverEmpty || group.Columns.back().NeverEmpty();
    }
    return group;
}

void TExportRowMaker::Add(std::span<const TReportLine> lines, TExportPiece& piece) {
    FLines = lines;
    for (std::size_t area = 0; area < FGroups.size(); ++area) {
        if (!FGroups[area])
            continue;
        TGroup& group = *FGroups[area];
        for (TColumnWriter& column : group.Columns)
            column.ForgetAddresses();
        if (area == eaData)
            AddTimeRows(group, piece.TimeRows);
        else
            piece.ListRows[area] += DistinctRows(group);
    }
    piece.Lines += lines.size();
    FLines = {};
}

std::span<const TReportLine> TExportRowMaker::LineBatch(std::size_t first) const {
    if (first >= FLines.size())
        return {};
    return FLines.subspan(first, std::min(RowBatch, FLines.size() - first));
}

QString TExportRowMaker::RowText(TGroup& group, const TReportLine& line) {
    QString row;
    for (TColumnWriter& column : group.Columns)
        row += column.Value(line).Text;
    return row;
}

QString TExportRowMaker::RowText(const TGroup& group, std::span<const int> indexes) {
    QString row;
    for (std::size_t i = 0; i < indexes.size(); ++i)
        row += group.Columns[i].ValueAt(indexes[i]).Text;
    return row;
}

int TExportRowMaker::Generations(const TGroup& group) {
    int sum = 0;
    for (const TColumnWriter& column : group.Columns)
        sum += column.Generation();
    return sum;
}

// Lines whose columns have the same keys as an earlier line's give the same row again, and
// are passed over before their row is made.
QStringList TExportRowMaker::DistinctRows(TGroup& group) {
    const std::size_t columns = group.Columns.size();
    TDistinctRows rows;
    TSeenRows seen(columns);
    std::vector<int> indexes(columns * RowBatch);
    std::vector<TValueKey> keys(RowBatch);
    int generations = Generations(group);
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
    return rows.InOrderMet();
}

void TExportRowMaker::AddTimeRows(TGroup& group, TEncodedRows& rows) {
    if (!group.RowsNeverEmpty) {
        AddTimeRowsOneByOne(group, rows);
        return;
    }
    std::vector<int> indexes(group.Columns.size() * RowBatch);
    std::vector<TValueKey> keys(RowBatch);
    for (std::size_t first = 0; first < FLines.size(); first += RowBatch) {
        const std::span<const TReportLine> batch = LineBatch(first);
        Prefetch(LineBatch(first + RowBatch));
        FindValues(group, batch, keys, indexes);
        AppendRows(group, batch.size(), indexes, rows);
        if (first == RowBatch * 4)
            ReserveForLines(rows, first + batch.size(), FLines.size());
    }
}

// Rows that may be empty are made whole first: an empty row is dropped.
void TExportRowMaker::AddTimeRowsOneByOne(TGroup& group, TEncodedRows& rows) {
    for (const TReportLine& line : FLines) {
        const QString row = RowText(group, line);
        if (row.isEmpty())
            continue;
        rows.Append(row);
        rows.EndRow();
    }
}

// Column by column: the keys of the batch first, so that the memory of all their lookups is
// on its way before the first lookup waits for it.
void TExportRowMaker::FindValues(TGroup& group, std::span<const TReportLine> batch,
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

void TExportRowMaker::AppendRows(const TGroup& group, std::size_t rows,
                                 const std::vector<int>& indexes, TEncodedRows& output) {
    const std::size_t columns = group.Columns.size();
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t c = 0; c < columns; ++c)
            output.Append(group.Columns[c].BytesAt(indexes[row * columns + c]));
        output.EndRow();
    }
}
