#pragma once

#include "base/textcodec.h"

#include <optional>
#include <string_view>

#include <QByteArray>
#include <QString>

// The bytes of a whole data file, taken line by line without decoding them first, and the
// encoding its texts are decoded with (textcodec.h). Line ends are found as SplitTextLines finds
// them: CR LF, LF or a lone CR.
class TDataFileBytes {
public:
    // Reads the whole file; raises EInOutError naming the file when it cannot.
    static TDataFileBytes Read(const QString& fileName);
    // The same, and nothing when there is no such file: for the many files of a work group
    // that may be missing, with one system call less each than asking first.
    static std::optional<TDataFileBytes> ReadIfExists(const QString& fileName);
    // Bytes at hand, decoded with the given encoding.
    TDataFileBytes(QByteArray bytes, TDataEncoding encoding);
    // Bytes at hand, with the encoding the rule gives them; a UTF-8 byte order mark is skipped.
    explicit TDataFileBytes(QByteArray bytes);

    TDataEncoding Encoding() const { return FEncoding; }
    // Every byte of the file, a byte order mark included.
    const QByteArray& Bytes() const { return FBytes; }
    // Bytes of the file.
    std::size_t Size() const { return static_cast<std::size_t>(FBytes.size()); }
    // Takes the next line off: true and the line, without its end, while any is left. The view
    // points into this object's bytes.
    bool NextLine(std::string_view& line);
    QString Decode(std::string_view bytes) const;

private:
    QByteArray FBytes;
    TDataEncoding FEncoding;
    std::string_view FRest;
};
