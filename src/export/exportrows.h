#pragma once

#include "exportformat.h"

#include <QString>

// Pieces of the rows of one group (area) that do not depend on the report lines.

// The heading line: one heading per output column (a chain of merged columns is one output
// column, under the heading of its first column), joined by the delimiter, delimiters inside
// headings replaced.
QString HeadingLine(const TExportFormat& format, const TExportFormat::TItems& columns);

// What follows the value of column index in a row: its separator (delimiters replaced) when it
// merges the next column, else the delimiter, and nothing after the last column.
QString ColumnSuffix(const TExportFormat& format, const TExportFormat::TItems& columns,
                     std::size_t index);
