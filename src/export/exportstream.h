#pragma once

#include "exportformat.h"
#include "exportoutput.h"
#include "exportpiece.h"
#include "exportwriter.h"

#include <memory>
#include <vector>

#include <QString>

// Writes an export's file while its later months are still being made. The Client and
// Category groups come before the Time rows and are known for certain only once every month
// is made, but they rarely change after the first months: once half the pieces are complete,
// the groups as they stand then are written, and the Time rows of every piece after them as
// soon as it is complete, so that the file is mostly on its way to the disk when the last
// month is done. At the end the writing goes on only when what came before the Time rows and
// the file's encoding turned out the same; otherwise the file is written anew from all the
// pieces. Either way it is the file TExportWriter::WriteFile writes.
class TExportStream {
public:
    TExportStream(const TExportFormat& format, QString path,
                  std::size_t chunkBytes = TExportOutput::DefaultChunkBytes);

    // The pieces before done are complete (called in order, never two calls at once).
    void PiecesDone(std::vector<TExportPiece>& pieces, std::size_t done);
    // Writes the rest when the early start holds, else the whole file.
    TExportWriter::TResult Finish(std::vector<TExportPiece> pieces);
    // True when the file was started before the last piece was complete and kept (for tests).
    bool WroteEarly() const { return FWroteEarly; }

private:
    void Start(std::vector<TExportPiece>& pieces, std::size_t done);

    const TExportFormat& FFormat;
    const QString FPath;
    const std::size_t FChunkBytes;
    std::unique_ptr<TExportOutput> FOutput;
    TExportOutput::TEncoding FEncoding = TExportOutput::TEncoding::Windows1252;
    QString FHead;
    std::size_t FWritten = 0; // pieces whose Time rows are in the output
    bool FAbandoned = false;
    bool FWroteEarly = false;
};
