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

class TReportLine;

// Makes the rows of an export format's groups for report lines, into an export piece. Each
// column writes each of its values once and keeps it (TColumnWriter), so a row of the Time
// group is a copy of bytes made before; a row of a Client or Category group whose values'
// keys are in the group's row cache (TSeenRows) is passed over before it is made.
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
    struct TGroup {
        std::vector<TColumnWriter> Columns;
        // Client and Category groups: the cache of rows met, by the keys of their values.
        std::optional<TSeenRows<TValueKey, TValueKeyHash>> SeenKeys;
        // True when some column's text is never empty, so that no row is empty either.
        bool RowsNeverEmpty = false;
    };

    TGroup MakeGroup(TExportArea area) const;
    static QString RowText(TGroup& group, const TReportLine& line);
    // The rows of the lines not found in the row cache, in the order first met.
    QStringList DistinctRows(TGroup& group, std::span<const TReportLine> lines);
    static void AddTimeRows(TGroup& group, std::span<const TReportLine> lines, TEncodedRows& rows);

    const TExportFormat& FFormat;
    std::array<std::optional<TGroup>, ExportAreaCount> FGroups; // by area
    const TExportPiece* FPiece = nullptr;                       // the piece of the last call
    std::vector<TValueKey> FKeys;                               // of one line
};
