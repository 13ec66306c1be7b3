#include "exportoutput.h"

#include <QSaveFile>

#if defined(__linux__)
#include <fcntl.h>
#endif

namespace {
// Starts writing the file's pages to the disk without waiting for them: the commit waits
// until the whole file is on the disk before it takes the place of the target, and of a large
// export most pages are then written already.
void StartWriteBack(QSaveFile& file, qint64 offset, qint64 size) {
#if defined(__linux__)
    if (file.flush() && file.handle() >= 0)
        sync_file_range(file.handle(), offset, size, SYNC_FILE_RANGE_WRITE);
#else
    static_cast<void>(file);
    static_cast<void>(offset);
    static_cast<void>(size);
#endif
}

// Takes the room of a file of size bytes on the disk, leaving its size as it is. Where the
// file system cannot (or the disk is full), the file takes its room as it is written, as
// without this.
void TakeRoom(QSaveFile& file, std::size_t size) {
#if defined(__linux__)
    if (size > 0 && file.handle() >= 0)
        static_cast<void>(fallocate(file.handle(), FALLOC_FL_KEEP_SIZE, 0, off_t(size)));
#else
    static_cast<void>(file);
    static_cast<void>(size);
#endif
}
} // namespace

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
        TakeRoom(*FFile, FExpectedSize);
    }
    if (FFile->write(data, qint64(count)) != qint64(count)) {
        FFailed = true;
        return;
    }
    StartWriteBack(*FFile, FWritten, qint64(count));
    FWritten += qint64(count);
}

TExportOutput::TResult TExportOutput::Finish() {
    if (FUsed == 0 && !FFile && !FFailed)
        return TResult::Empty;
    Flush();
    if (FFailed || !FFile->commit())
        return TResult::Failed;
    return TResult::Written;
}
