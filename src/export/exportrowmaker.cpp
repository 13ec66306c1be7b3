#include "exportrowmaker.h"

#include "distinctrows.h"
#include "exportrows.h"
#include "reporting/reportline.h"

#include <algorithm>
#include <type_traits>

namespace {
// Asks for the memory of lines ahead of their use: the lines of a month are far more than the
// processor's caches hold, and each one's fields span several cache lines.
void Prefetch(std::span<const TReportLine> lines) {
    const char* const begin = reinterpret_cast<const char*>(lines.data());
    const char* const end = reinterpret_cast<const char*>(lines.data() + lines.size());
    for (const char* at = begin; at < end; at += 64)
        PrefetchMemory(at);
}
} // namespace

TExportRowMaker::TExportRowMaker(const TExportFormat& format) : FFormat(format) {
    std::size_t widest = 0;
    for (const int area : format.GroupOrder()) {
        if (area == eaNone || FGroups[std::size_t(area)])
            continue;
        FGroups[std::size_t(area)] = MakeGroup(area);
        widest = std::max(widest, FGroups[std::size_t(area)]->Columns.size());
    }
    FIndexes.resize(widest * RowBatch);
    FKeys.resize(RowBatch);
}

TExportRowMaker::TGroup TExportRowMaker::MakeGroup(int area) const {
    TGroup group;
    const TExportFormat::TItems& columns = FFormat.Items(area);
    group.Columns.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        group.Columns.emplace_back(FFormat, *columns[i], ColumnSuffix(FFormat, columns, i));
        group.RowsNeverEmpty = group.RowsNeverEmpty || group.Columns.back().NeverEmpty();
    }
    if (area != eaData) {
        group.SeenKeys.emplace(columns.size());
        group.Seen.emplace(columns.size());
    }
    return group;
}

void TExportRowMaker::Add(std::span<const TReportLine> lines, TExportPiece& piece) {
    FLines = lines;
    for (std::size_t area = 0; area < FGroups.size(); ++area) {
        if (!FGroups[area])
            continue;
        TGroup& group = *FGroups[area];
        if (area == eaData) {
            AddTimeRows(group, piece.TimeRows);
            continue;
        }
        // Rows met for another piece are not in this one yet.
        if (&piece != FPiece || piece.Lines == 0) {
            group.SeenKeys->Clear();
            group.Seen->Clear();
        }
        piece.ListRows[area] += DistinctRows(group);
    }
    piece.Lines += lines.size();
    FPiece = &piece;
    FLines = {};
}

void TExportRowMaker::ForgetTexts() {
    for (std::optional<TGroup>& group : FGroups) {
        if (!group)
            continue;
        for (TColumnWriter& column : group->Columns)
            column.ForgetAddresses();
        if (group->SeenKeys)
            group->SeenKeys->Clear(); // keys of texts by their addresses
    }
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
    std::vector<TValueKey>& keys = FKeys;
    keys.resize(std::max(keys.size(), columns));
    FBatch.clear();
    for (const TReportLine& line : FLines) {
        for (std::size_t c = 0; c < columns; ++c)
            keys[c] = group.Columns[c].Key(line);
        if (group.SeenKeys->Seen({keys.data(), columns}))
            continue;
        FBatch.push_back(&line);
        if (FBatch.size() == RowBatch)
            AddDistinctRows(group, rows);
    }
    AddDistinctRows(group, rows);
    return rows.InOrderMet();
}

void TExportRowMaker::AddDistinctRows(TGroup& group, TDistinctRows& rows) {
    const std::size_t columns = group.Columns.size();
    FindValues(group, FBatch);
    if (const int now = Generations(group); now != group.SeenGenerations) {
        group.Seen->Clear(); // the value numbers started again
        group.SeenGenerations = now;
    }
    for (std::size_t row = 0; row < FBatch.size(); ++row) {
        const std::span<const int> rowIndexes(FIndexes.data() + row * columns, columns);
        if (!group.Seen->Seen(rowIndexes))
            rows.Add(RowText(group, rowIndexes));
    }
    FBatch.clear();
}

void TExportRowMaker::AddTimeRows(TGroup& group, TEncodedRows& rows) {
    if (!group.RowsNeverEmpty) {
        AddTimeRowsOneByOne(group, rows);
        return;
    }
    for (std::size_t first = 0; first < FLines.size(); first += RowBatch) {
        const std::span<const TReportLine> batch = LineBatch(first);
        Prefetch(LineBatch(first + RowBatch));
        FindValues(group, batch);
        AppendRows(group, batch.size(), rows);
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

// Column by column, each column taking the whole batch at once (TColumnWriter::IndexesOf).
template <typename TBatch> void TExportRowMaker::FindValues(TGroup& group, const TBatch& batch) {
    // Lines by reference, from a span of lines or a list of their addresses.
    const auto lineAt = [&batch](std::size_t row) -> const TReportLine& {
        if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(batch[row])>>)
            return *batch[row];
        else
            return batch[row];
    };
    const std::size_t columns = group.Columns.size();
    for (std::size_t c = 0; c < columns; ++c) {
        TColumnWriter& column = group.Columns[c];
        const int generation = column.Generation();
        int* const indexes = FIndexes.data() + c;
        column.IndexesOf(batch.size(), lineAt, FKeys.data(), indexes, columns);
        if (column.Generation() != generation) // numbers from before it are void: once more
            for (std::size_t row = 0; row < batch.size(); ++row)
                indexes[row * columns] = column.IndexOf(lineAt(row));
    }
}

void TExportRowMaker::AppendRows(const TGroup& group, std::size_t rows,
                                 TEncodedRows& output) const {
    std::size_t longestRow = 2; // CR LF
    bool allFit = true;
    for (const TColumnWriter& column : group.Columns) {
        longestRow += column.LongestBytes();
        allFit = allFit && column.AllFitWindows1252();
    }
    // Room for the longest row is asked for every row: a very long value (remarks are not
    // bounded) would leave most of each chunk unused.
    if (group.Columns.size() > MaxQuickColumns || longestRow > MaxQuickRowBytes ||
        (!output.IsUtf8() && !allFit)) {
        AppendRowsOneByOne(group, rows, output);
        return;
    }
    if (output.IsUtf8())
        AppendRowsQuickly<true>(group, rows, longestRow, output);
    else
        AppendRowsQuickly<false>(group, rows, longestRow, output);
}

// Value by value, so that a value that does not fit Windows-1252 turns the rows into UTF-8.
void TExportRowMaker::AppendRowsOneByOne(const TGroup& group, std::size_t rows,
                                         TEncodedRows& output) const {
    const std::vector<int>& indexes = FIndexes;
    const std::size_t columns = group.Columns.size();
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t c = 0; c < columns; ++c)
            output.Append(group.Columns[c].BytesAt(indexes[row * columns + c]));
        output.EndRow();
    }
}

// Row by row into room for the longest row the columns can make, from the columns' bytes as
// they stand: no value is added while the rows are written. The columns' tables are held in
// an array of this function's own, so that writing the bytes does not make the compiler read
// them again after every value.
template <bool Utf8>
void TExportRowMaker::AppendRowsQuickly(const TGroup& group, std::size_t rows,
                                        std::size_t longestRow, TEncodedRows& output) const {
    const std::size_t columns = group.Columns.size();
    std::array<const TEncodedBytes*, MaxQuickColumns> values{};
    for (std::size_t c = 0; c < columns; ++c)
        values[c] = group.Columns[c].Bytes();
    const int* indexes = FIndexes.data();
    for (std::size_t row = 0; row < rows; ++row, indexes += columns) {
        char* at = output.RowRoom(longestRow);
        for (std::size_t c = 0; c < columns; ++c) {
            const TEncodedBytes& value = values[c][indexes[c]];
            const std::size_t size = Utf8 ? value.Utf8Size : std::size_t(value.Windows1252Size);
            CopyShortBytes(at, Utf8 ? value.Utf8 : value.Windows1252, size);
            at += size;
        }
        output.EndRowAt(at);
    }
}
