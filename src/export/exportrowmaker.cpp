#include "exportrowmaker.h"

#include "distinctrows.h"
#include "exportrows.h"
#include "reporting/reportline.h"

TExportRowMaker::TExportRowMaker(const TExportFormat& format) : FFormat(format) {
    for (const TExportArea area : format.GroupOrder()) {
        if (area == TExportArea::None || FGroups[AreaIndex(area)])
            continue;
        FGroups[AreaIndex(area)] = MakeGroup(area);
    }
}

TExportRowMaker::TGroup TExportRowMaker::MakeGroup(TExportArea area) const {
    TGroup group;
    const TExportFormat::TItems& columns = FFormat.Items(area);
    group.Columns.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        group.Columns.emplace_back(FFormat, *columns[i], ColumnSuffix(FFormat, columns, i));
        group.RowsNeverEmpty = group.RowsNeverEmpty || group.Columns.back().NeverEmpty();
    }
    if (area != TExportArea::Data)
        group.SeenKeys.emplace(columns.size());
    return group;
}

void TExportRowMaker::Add(std::span<const TReportLine> lines, TExportPiece& piece) {
    for (std::size_t area = 0; area < FGroups.size(); ++area) {
        if (!FGroups[area])
            continue;
        TGroup& group = *FGroups[area];
        if (area == AreaIndex(TExportArea::Data)) {
            AddTimeRows(group, lines, piece.TimeRows);
            continue;
        }
        // Rows met for another piece are not in this one yet.
        if (&piece != FPiece || piece.Lines == 0)
            group.SeenKeys->Clear();
        piece.ListRows[area] += DistinctRows(group, lines);
    }
    piece.Lines += lines.size();
    FPiece = &piece;
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

QString TExportRowMaker::RowText(TGroup& group, const TReportLine& line) {
    QString row;
    for (TColumnWriter& column : group.Columns)
        row += column.Value(line).Text;
    return row;
}

// Lines whose columns have the same keys as an earlier line's give the same row again, and
// are passed over before their row is made.
QStringList TExportRowMaker::DistinctRows(TGroup& group, std::span<const TReportLine> lines) {
    const std::size_t columns = group.Columns.size();
    FKeys.resize(columns);
    TDistinctRows rows;
    for (const TReportLine& line : lines) {
        for (std::size_t c = 0; c < columns; ++c)
            FKeys[c] = group.Columns[c].Key(line);
        if (!group.SeenKeys->Seen(FKeys))
            rows.Add(RowText(group, line));
    }
    return rows.InOrderMet();
}

void TExportRowMaker::AddTimeRows(TGroup& group, std::span<const TReportLine> lines,
                                  TEncodedRows& rows) {
    for (const TReportLine& line : lines) {
        if (group.RowsNeverEmpty) {
            for (TColumnWriter& column : group.Columns)
                rows.Append(column.BytesAt(column.IndexOf(line)));
        } else {
            // Rows that may be empty are made whole first: an empty row is dropped.
            const QString row = RowText(group, line);
            if (row.isEmpty())
                continue;
            rows.Append(row);
        }
        rows.EndRow();
    }
}
