#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// A text held in both encodings an export file may take: Windows-1252 when every character of
// the file fits, UTF-8 otherwise. Values that repeat from row to row are encoded once this way,
// so that writing a row only copies bytes, whichever encoding the file ends up in.
class TEncodedText {
public:
    TEncodedText() = default;
    explicit TEncodedText(const QString& text);

    const QByteArray& Utf8() const { return FUtf8; }
    // Empty unless FitsWindows1252.
    const QByteArray& Windows1252() const { return FWindows1252; }
    bool FitsWindows1252() const { return FFitsWindows1252; }

private:
    QByteArray FUtf8;
    QByteArray FWindows1252;
    bool FFitsWindows1252 = true;
};
