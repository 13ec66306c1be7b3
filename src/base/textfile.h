#pragma once

#include <QString>

// Whole-file text input and output with the data files' encoding rules (textcodec.h).

// Reads and decodes the whole file; raises EInOutError naming the file when it cannot.
QString ReadTextFile(const QString& fileName);

// Writes text whole or not at all (atomicfile.h); raises EInOutError naming the file and the
// system's reason when it cannot, leaving any old file byte for byte as it was.
void WriteTextFile(const QString& fileName, const QString& text);
