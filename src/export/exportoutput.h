#pragma once

#include "encodedtext.h"

#include <cstring>
#include <memory>
#include <vector>

#include <QString>
#include <QStringView>

class QSaveFile;

// The bytes of one export file, gathered in a buffer of fixed size and written to a temporary
// file in the target folder chunk by chunk, so that the whole text never sits in memory. The
// temporary file replaces the target only when Finish succeeds; otherwise it is removed and
// an existing target stays as it was. The file is not touched before the first chunk is
// written, so an export without output creates nothing.
//
// The file is Windows-1252 when every character fits and UTF-8 otherwise. Started with
// Windows-1252, the output turns to UTF-8 at the first character that does not fit: before
// the first chunk has reached the file, the buffer is converted and writing goes on; after
// that the output is abandoned, and the caller writes the file again from the start in UTF-8.
class TExportOutput {
public:
    enum class TEncoding { Windows1252WhenAllFit, Utf8 };
    enum class TResult { Written, Empty, Failed, RestartInUtf8 };
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
            AppendNotFitting(text.Utf8, text.Utf8Size);
    }
    void Append(const QString& text);
    void AppendLineEnd() { AppendBytes("\r\n", 2); }

    // True once the output must be written again in UTF-8; what is appended is then dropped.
    bool Abandoned() const { return FAbandoned; }
    bool IsUtf8() const { return FUtf8; }
    // Written and replacing the target; Empty when nothing was appended (no file is made);
    // Failed when the file could not be created or written.
    TResult Finish();

private:
    void AppendBytes(const QByteArray& bytes) { AppendBytes(bytes.constData(), bytes.size()); }
    void AppendBytes(const char* data, qsizetype size) {
        const auto count = static_cast<std::size_t>(size);
        if (count > FBuffer.size() - FUsed) {
            AppendPastChunk(data, count);
            return;
        }
        CopyBytes(FBuffer.data() + FUsed, data, count);
        FUsed += count;
    }
    // Most values of a row are a few bytes long: two moves of a fixed size that overlap copy
    // them without a call.
    static void CopyBytes(char* to, const char* from, std::size_t count) {
        if (count >= 8 && count <= 16) {
            Move<8>(to, from);
            Move<8>(to + count - 8, from + count - 8);
        } else if (count >= 4 && count < 8) {
            Move<4>(to, from);
            Move<4>(to + count - 4, from + count - 4);
        } else {
            std::memcpy(to, from, count);
        }
    }
    template <std::size_t Size> static void Move(char* to, const char* from) {
        char bytes[Size];
        std::memcpy(bytes, from, Size);
        std::memcpy(to, bytes, Size);
    }
    void AppendPastChunk(const char* data, std::size_t count);
    void AppendNotFitting(const char* utf8, qsizetype size);
    void Flush();
    void WriteToFile(const char* data, std::size_t count);

    QString FPath;
    std::unique_ptr<QSaveFile> FFile;
    std::vector<char> FBuffer;
    std::size_t FUsed = 0;
    bool FUtf8 = false;
    bool FAbandoned = false;
    bool FFailed = false;
};
