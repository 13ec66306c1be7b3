#include "exportwriter.h"

#include "base/textcodec.h"
#include "distinctrows.h"
#include "exportrowmaker.h"
#include "exportrows.h"

#include <algorithm>

TExportWriter::TExportWriter(const TExportFormat& format, std::span<TExportPiece> pieces)
    : FFormat(format), FPieces(pieces) {
    for (const TExportArea area : FFormat.GroupOrder())
        if (area != TExportArea::None)
            FGroups.push_back(MakeGroup(area));
    Lay();
}

std::size_t TExportWriter::TimeRows() const {
    std::size_t rows = 0;
    for (const TExportPiece& piece : FPieces)
        rows += piece.TimeRows.Rows();
    return rows;
}

TExportWriter::TGroup TExportWriter::MakeGroup(TExportArea area) const {
    TGroup group;
    group.Area = area;
    const bool anyLine = std::any_of(FPieces.begin(), FPieces.end(),
                                     [](const TExportPiece& piece) { return piece.Lines > 0; });
    // A group without report lines has an empty heading line: the heading is taken from the
    // first line's row.
    if (anyLine)
        group.Heading = HeadingLine(FFormat, FFormat.Items(area));
    bool empty = true;
    if (area == TExportArea::Data) {
        empty = TimeRows() == 0;
    } else {
        TDistinctRows rows;
        for (const TExportPiece& piece : FPieces)
            for (const QString& row : piece.ListRows[AreaIndex(area)])
                rows.Add(row);
        group.ListRows = rows.Sorted();
        empty = group.ListRows.isEmpty();
    }
    group.Skipped = FFormat.SkipEmptyGroups && empty;
    return group;
}

TExportOutput::TEncoding TExportWriter::Encoding() const {
    const TEncodedText head(FHead);
    const TEncodedText tail(FTail);
    if (!head.FitsWindows1252() || !tail.FitsWindows1252())
        return TExportOutput::TEncoding::Utf8;
    for (const TExportPiece& piece : FPieces)
        if (piece.TimeRows.IsUtf8())
            return TExportOutput::TEncoding::Utf8;
    // Windows-1252 bytes that are valid UTF-8 as well would be read back as other characters.
    TUtf8Shape shape;
    shape.Feed(head.Windows1252().constData(), std::size_t(head.Windows1252().size()));
    for (const TExportPiece& piece : FPieces)
        for (const std::string_view chunk : piece.TimeRows.Chunks())
            shape.Feed(chunk.data(), chunk.size());
    shape.Feed(tail.Windows1252().constData(), std::size_t(tail.Windows1252().size()));
    return shape.ReadsAsUtf8() ? TExportOutput::TEncoding::Utf8
                               : TExportOutput::TEncoding::Windows1252;
}

void TExportWriter::AddGroupStart(const TGroup& group, QString& text) {
    if (FAnyGroupTaken)
        for (int i = 0; i < FFormat.BlankRows; ++i)
            text += QLatin1String("\r\n");
    if (FFormat.Headings)
        text += group.Heading + QLatin1String("\r\n");
    FAnyGroupTaken = true;
}

void TExportWriter::Lay() {
    QString* text = &FHead;
    for (const TGroup& group : FGroups) {
        if (group.Skipped)
            continue;
        AddGroupStart(group, *text);
        for (const QString& row : group.ListRows)
            *text += row + QLatin1String("\r\n");
        if (group.Area == TExportArea::Data)
            text = &FTail; // the Time rows come between
    }
}

void TExportWriter::WriteTimeRows(TExportOutput& output, const TExportPiece& piece) {
    for (const std::string_view chunk : piece.TimeRows.Chunks())
        output.AppendEncoded(chunk.data(), chunk.size());
}

// The pieces' rows are all in the output's encoding before the first byte is written, so that
// the file's size is known beforehand.
void TExportWriter::Write(TExportOutput& output) {
    const TEncodedText head(FHead);
    const TEncodedText tail(FTail);
    std::size_t size = EncodedSize(output, head) + EncodedSize(output, tail);
    for (TExportPiece& piece : FPieces) {
        if (output.IsUtf8())
            piece.TimeRows.ConvertToUtf8();
        size += piece.TimeRows.Size();
    }
    output.ExpectSize(size);
    output.Append(head.Bytes());
    for (const TExportPiece& piece : FPieces)
        WriteTimeRows(output, piece);
    output.Append(tail.Bytes());
}

std::size_t TExportWriter::EncodedSize(const TExportOutput& output, const TEncodedText& text) {
    const TEncodedBytes bytes = text.Bytes();
    if (output.IsUtf8() || bytes.Windows1252Size < 0)
        return bytes.Utf8Size; // a text that does not fit fails the output anyway
    return std::size_t(bytes.Windows1252Size);
}

TExportWriter::TResult TExportWriter::ResultOf(TExportOutput& output) {
    switch (output.Finish()) {
    case TExportOutput::TResult::Written:
        return TResult::Written;
    case TExportOutput::TResult::Empty:
        return TResult::NothingToExport;
    case TExportOutput::TResult::Failed:
        break;
    }
    return TResult::Failed;
}

TExportWriter::TResult TExportWriter::WriteFile(const TExportFormat& format,
                                                std::vector<TExportPiece> pieces,
                                                const QString& path, std::size_t chunkBytes,
                                                QString* failure) {
    TExportWriter writer(format, pieces);
    TExportOutput output(path, writer.Encoding(), chunkBytes);
    writer.Write(output);
    const TResult result = ResultOf(output);
    if (failure)
        *failure = output.Failure();
    return result;
}

TExportWriter::TResult TExportWriter::WriteFile(const TExportFormat& format,
                                                const std::vector<TReportLine>& lines,
                                                const QString& path, std::size_t chunkBytes,
                                                QString* failure) {
    std::vector<TExportPiece> pieces(1);
    TExportRowMaker(format).Add(lines, pieces.front());
    return WriteFile(format, std::move(pieces), path, chunkBytes, failure);
}
