#include "exportstream.h"

#include <span>

TExportStream::TExportStream(const TExportFormat& format, QString path, std::size_t chunkBytes)
    : FFormat(format), FPath(std::move(path)), FChunkBytes(chunkBytes) {}

void TExportStream::PiecesDone(std::vector<TExportPiece>& pieces, std::size_t done) {
    if (FAbandoned)
        return;
    if (!FOutput) {
        Start(pieces, done);
        if (!FOutput)
            return;
    }
    const bool utf8 = FEncoding == TExportOutput::TEncoding::Utf8;
    for (; FWritten < done; ++FWritten) {
        TExportPiece& piece = pieces[FWritten];
        if (piece.TimeRows.IsUtf8() && !utf8) {
            // The file needs UTF-8 after all: what was written is dropped.
            FAbandoned = true;
            FOutput.reset();
            return;
        }
        TExportWriter::WriteTimeRows(*FOutput, piece);
    }
}

// Not before half of the pieces are complete, and not before some Time row is there.
void TExportStream::Start(std::vector<TExportPiece>& pieces, std::size_t done) {
    if (done * 2 < pieces.size() || done == pieces.size())
        return;
    const std::span<TExportPiece> complete(pieces.data(), done);
    std::size_t rows = 0;
    for (const TExportPiece& piece : complete)
        rows += piece.TimeRows.Rows();
    if (rows == 0)
        return;
    const TExportWriter writer(FFormat, complete);
    FEncoding = writer.Encoding();
    FHead = writer.Head();
    FOutput = std::make_unique<TExportOutput>(FPath, FEncoding, FChunkBytes);
    FOutput->Append(FHead);
}

TExportWriter::TResult TExportStream::Finish(std::vector<TExportPiece> pieces) {
    if (FOutput && !FAbandoned) {
        PiecesDone(pieces, pieces.size());
        TExportWriter writer(FFormat, pieces);
        if (FOutput && writer.Encoding() == FEncoding && writer.Head() == FHead) {
            FOutput->Append(writer.Tail());
            FWroteEarly = true;
            return TExportWriter::ResultOf(*FOutput);
        }
    }
    FOutput.reset(); // an early start that did not hold is removed
    return TExportWriter::WriteFile(FFormat, std::move(pieces), FPath, FChunkBytes);
}
