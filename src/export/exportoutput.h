#pragma once

#include "encodedtext.h"

#include <cstring>
#include <memory>
#include <vector>

#include <QString>
#include <QStringView>

class TAtomicFile;

// The bytes of one export file, gathered in a buffer of fixed size and written to a temporary
// file in the target folder chunk by chunk (bytes longer than a chunk go straight through). The
// temporary file replaces the target only when Finish succeeds; otherwise it is removed and
// an existing target stays as it was. The file is not touched before the first chunk is
// written, so an export without output creates nothing.
//
// The caller chooses the encoding beforehand: Windows-1252 when every character of the file
// fits it, UTF-8 otherwise. A text that does not fit a Windows-1252 output fails the output,
// so that no file is written with characters lost.
class TExportOutput {
public:
    enum class TEncoding { Windows1252, Utf8 };
    enum class TResult { Written, Empty, Failed };
    static constexpr std::size_t DefaultChunkBytes = std::size_t(1) << 20;

    TExportOutput(QString path, TEncoding encoding, std::size_t chunkBytes = DefaultChunkBytes);
    ~TExportOutput();
    TExportOutput(const TExportOutput&) = delete;
    TExportOutput& operator=(const TExportOutput&) = delete;

    void Append(const TEncodedBytes& text) {
        if (FUtf8)
            AppendBytes(text.Utf8, text.Utf8Size);
        else if (text.Windows1252Size >= 0)
            AppendBytes(text.Windows1252, text.Windows1252Size);
        else
            Fail(QStringLiteral("a text does not fit the file's encoding"));
    }
    void Append(const QString& text);
    void AppendLineEnd() { AppendBytes("\r\n", 2); }
    // Bytes that are in the output's encoding already.
    void AppendEncoded(const char* data, std::size_t size) { AppendBytes(data, qsizetype(size)); }

    // The size the file will have, when known before the first byte is written: its room on
    // the disk is then taken at once rather than page by page as it is written, which makes
    // writing a large export cheaper. Only a hint: the file is as long as what is appended.
    void ExpectSize(std::size_t bytes) { FExpectedSize = bytes; }

    bool IsUtf8() const { return FUtf8; }
    // Written and replacing the target; Empty when nothing was appended (no file is made);
    // Failed when the file could not be created or written, or a text did not fit.
    TResult Finish();
    // Why the output failed, naming the file; empty while nothing failed.
    const QString& Failure() const { return FFailure; }

private:
    void AppendBytes(const char* data, qsizetype size) {
        const auto count = static_cast<std::size_t>(size);
        if (count > FBuffer.size() - FUsed) {
            AppendPastChunk(data, count);
            return;
        }
        CopyShortBytes(FBuffer.data() + FUsed, data, count);
        FUsed += count;
    }
    void AppendPastChunk(const char* data, std::size_t count);
    void Flush();
    void Fail(const QString& reason);
    void WriteToFile(const char* data, std::size_t count);

    QString FPath;
    std::unique_ptr<TAtomicFile> FFile;
    QString FFailure;
    std::vector<char> FBuffer;
    std::size_t FUsed = 0;
    qint64 FWritten = 0; // bytes handed to the file so far
    std::size_t FExpectedSize = 0;
    bool FUtf8 = false;
    bool FFailed = false;
};
