#include "exportoutput.h"

#include <QSaveFile>

TExportOutput::TExportOutput(QString path, TEncoding encoding, std::size_t chunkBytes)
    : FPath(std::move(path)), FBuffer(std::max<std::size_t>(chunkBytes, 1)),
      FUtf8(encoding == TEncoding::Utf8) {}

TExportOutput::~TExportOutput() = default; // an uncommitted temporary file is removed

void TExportOutput::Append(const QString& text) {
    if (!text.isEmpty())
        Append(TEncodedText(text).Bytes());
}

void TExportOutput::AppendPastChunk(const char* data, std::size_t count) {
    Flush();
    if (count > FBuffer.size()) {
        WriteToFile(data, count);
        return;
    }
    std::memcpy(FBuffer.data(), data, count);
    FUsed = count;
}

void TExportOutput::Flush() {
    if (FUsed > 0)
        WriteToFile(FBuffer.data(), FUsed);
    FUsed = 0;
}

void TExportOutput::WriteToFile(const char* data, std::size_t count) {
    if (FFailed)
        return;
    if (!FFile) {
        FFile = std::make_unique<QSaveFile>(FPath);
        if (!FFile->open(QIODevice::WriteOnly)) {
            FFailed = true;
            return;
        }
    }
    if (FFile->write(data, qint64(count)) != qint64(count))
        FFailed = true;
}

TExportOutput::TResult TExportOutput::Finish() {
    if (FUsed == 0 && !FFile && !FFailed)
        return TResult::Empty;
    Flush();
    if (FFailed || !FFile->commit())
        return TResult::Failed;
    return TResult::Written;
}
