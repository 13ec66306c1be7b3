#pragma once

#include "exportformat.h"
#include "exportoutput.h"
#include "exportpiece.h"

#include <span>
#include <vector>

#include <QString>
#include <QStringList>

class TReportLine;

// Joins the pieces of an export (TExportPiece, in the order of their lines) into the groups
// of its format and writes them into an export output: the same text as ExportLines over all
// their lines, joined with line ends. The distinct rows of the Client and Category groups are
// joined and sorted here; the Time group's rows are the pieces' bytes as they are.
class TExportWriter {
public:
    TExportWriter(const TExportFormat& format, std::span<TExportPiece> pieces);

    // UTF-8 when some piece's rows or some row or heading of the Client and Category groups
    // does not fit Windows-1252.
    TExportOutput::TEncoding Encoding() const;
    // Writes the groups; the pieces' rows are turned into UTF-8 first when the output is.
    void Write(TExportOutput& output);

    enum class TResult { Written, NothingToExport, Failed };
    // The whole export to path: written whole through a temporary file, or not at all. When
    // it failed, failure (if given) receives why.
    static TResult WriteFile(const TExportFormat& format, std::vector<TExportPiece> pieces,
                             const QString& path,
                             std::size_t chunkBytes = TExportOutput::DefaultChunkBytes,
                             QString* failure = nullptr);
    // The same for lines made into one piece.
    static TResult WriteFile(const TExportFormat& format, const std::vector<TReportLine>& lines,
                             const QString& path,
                             std::size_t chunkBytes = TExportOutput::DefaultChunkBytes,
                             QString* failure = nullptr);

private:
    // What one group of the order writes, apart from the Time group's rows.
    struct TGroup {
        TExportArea Area = TExportArea::None;
        QString Heading;
        QStringList ListRows; // sorted; Client and Category groups only
        bool Skipped = false;
    };

    static void WriteTimeRows(TExportOutput& output, const TExportPiece& piece);
    static std::size_t EncodedSize(const TExportOutput& output, const TEncodedText& text);
    static TResult ResultOf(TExportOutput& output);
    TGroup MakeGroup(TExportArea area) const;
    std::size_t TimeRows() const;
    // Head and Tail from the groups.
    void Lay();
    // Blank rows after an earlier group, then the heading line when headings are on.
    void AddGroupStart(const TGroup& group, QString& text);

    const TExportFormat& FFormat;
    std::span<TExportPiece> FPieces;
    std::vector<TGroup> FGroups;
    // What comes before the first Time row (the groups before the Time group, then its blank
    // rows and heading; everything when the Time group is not written) and after the last.
    QString FHead;
    QString FTail;
    bool FAnyGroupTaken = false;
};
