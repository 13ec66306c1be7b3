#pragma once

#include <QString>

// Whole-file text input and output with the data files' encoding rules (textcodec.h).

// Reads and decodes the whole file; raises EInOutError naming the file when it cannot.
QString ReadTextFile(const QString& fileName);

// Writes text whole through a temporary file in the same folder, then renames it over
// fileName; raises EInOutError naming the file when it cannot, leaving any old file intact.
void WriteTextFile(const QString& fileName, const QString& text);
