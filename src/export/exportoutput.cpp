#include "exportoutput.h"

#include "base/atomicfile.h"
#include "base/ioerror.h"

#if defined(__linux__)
#include <fcntl.h>
#endif

namespace {
// Starts writing the file's pages to the disk without waiting for them: the commit waits
// until the whole file is on the disk before it takes the place of the target, and of a large
// export most pages are then written already.
void StartWriteBack(TAtomicFile& file, qint64 offset, qint64 size) {
#if defined(__linux__)
    if (file.Handle() >= 0)
        sync_file_range(file.Handle(), offset, size, SYNC_FILE_RANGE_WRITE);
#else
    static_cast<void>(file);
    static_cast<void>(offset);
    static_cast<void>(size);
#endif
}

// Takes the room of a file of size bytes on the disk, leaving its size as it is. Where the
// file system cannot (or the disk is full), the file takes its room as it is written, as
// without this.
void TakeRoom(TAtomicFile& file, std::size_t size) {
#if defined(__linux__)
    if (size > 0 && file.Handle() >= 0)
        static_cast<void>(fallocate(file.Handle(), FALLOC_FL_KEEP_SIZE, 0, off_t(size)));
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
        FFile = std::make_unique<TAtomicFile>(FPath);
        try {
            FFile->Open();
        } catch (const EInOutError& error) {
            Fail(error.Message());
            return;
        }
        TakeRoom(*FFile, FExpectedSize);
    }
    if (FFile->write(data, qint64(count)) != qint64(count)) {
        Fail(QStringLiteral("Cannot write file: ") + FFile->Failure());
        return;
    }
    StartWriteBack(*FFile, FWritten, qint64(count));
    FWritten += qint64(count);
}

TExportOutput::TResult TExportOutput::Finish() {
    if (FUsed == 0 && !FFile && !FFailed)
        return TResult::Empty;
    Flush();
    if (FFailed)
        return TResult::Failed;
    try {
        FFile->Commit();
    } catch (const EInOutError& error) {
        Fail(error.Message());
        return TResult::Failed;
    }
    return TResult::Written;
}

void TExportOutput::Fail(const QString& reason) {
    if (!FFailed)
        FFailure = reason;
    FFailed = true;
    if (FFile)
        FFile->Discard();
}
