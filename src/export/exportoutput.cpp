#include "exportoutput.h"

#include "storage/textcodec.h"

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

void TExportOutput::AppendNotFitting(const char* utf8, qsizetype size) {
    FUtf8 = true;
    if (FFile) {
        FAbandoned = true;
        return;
    }
    // Nothing has left the buffer yet: its Windows-1252 bytes become UTF-8.
    const QByteArray converted =
        DecodeWindows1252(QByteArray(FBuffer.data(), qsizetype(FUsed))).toUtf8();
    FUsed = 0;
    AppendBytes(converted);
    AppendBytes(utf8, size);
}

void TExportOutput::Flush() {
    if (FUsed > 0)
        WriteToFile(FBuffer.data(), FUsed);
    FUsed = 0;
}

void TExportOutput::WriteToFile(const char* data, std::size_t count) {
    if (FAbandoned || FFailed)
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
    if (FAbandoned)
        return TResult::RestartInUtf8;
    if (FUsed == 0 && !FFile)
        return TResult::Empty;
    Flush();
    if (FFailed || !FFile->commit())
        return TResult::Failed;
    return TResult::Written;
}
