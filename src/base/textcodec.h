#pragma once

#include <cstddef>

#include <QByteArray>
#include <QString>
#include <QStringList>

// Data and settings files are 8-bit text. They are read as UTF-8 when the bytes are valid
// UTF-8 and as Windows-1252 otherwise, and written as Windows-1252 whenever every character
// fits (so Windows workstations of the same work group can read them), else as UTF-8.
QString DecodeDataText(const QByteArray& bytes);
QByteArray EncodeDataText(const QString& text);

// How the texts of one file's bytes are decoded, by the rule above.
enum class TDataEncoding { Windows1252, Utf8 };
TDataEncoding DataEncodingOf(const QByteArray& bytes);
// The bytes of a UTF-8 byte order mark at the start of bytes: 3 or 0.
qsizetype ByteOrderMarkSize(const QByteArray& bytes);
// Part of a file's bytes decoded with the file's encoding.
QString DecodeDataBytes(const char* bytes, qsizetype size, TDataEncoding encoding);

bool IsValidUtf8(const QByteArray& bytes);
QString DecodeWindows1252(const QByteArray& bytes);
// True and the bytes when every character has a Windows-1252 code.
bool TryEncodeWindows1252(const QString& text, QByteArray& bytes);
// True when Windows-1252 bytes would be read back as UTF-8 (they hold a byte above 0x7F and
// are valid UTF-8 as well, as "É’" is): such a text must be written as UTF-8.
bool ReadsBackAsUtf8(const QByteArray& windows1252);

// The same question for bytes that come in pieces (an export file written chunk by chunk).
// It errs on the side of UTF-8: any lead byte followed by the right number of continuation
// bytes counts, overlong or not.
class TUtf8Shape {
public:
    void Feed(const char* bytes, std::size_t size);
    bool ReadsAsUtf8() const { return FHigh && FValid && FPending == 0; }

private:
    bool FHigh = false;
    bool FValid = true;
    int FPending = 0; // continuation bytes still expected
};

// Splits decoded text into lines at CR LF, LF or a lone CR. A final line end does not start
// another line.
QStringList SplitTextLines(const QString& text);

// Takes the next line off text: true and the line (without its end) while text has any left.
// Lines end as for SplitTextLines; the views point into the text, nothing is copied.
bool NextTextLine(QStringView& text, QStringView& line);
