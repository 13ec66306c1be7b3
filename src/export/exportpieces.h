#pragma once

#include "exportformat.h"
#include "exportpiece.h"
#include "reporting/reportdata.h"

#include <optional>
#include <vector>

#include <QDate>
#include <QStringList>

// The pieces of an export, one per calendar month of the period from start to end (the first
// and last cut at the period's ends): each month's days are collected from folders (none: the
// current user's own data), turned into report lines under options and those into rows, and
// freed again. The months are made in parallel on the processor's cores, so at most a month
// per core is held besides the pieces. A month that cannot be read raises its error, the
// earliest month's when there are several, as reading them in order would.
std::vector<TExportPiece> MakeExportPieces(const TExportFormat& format, QDate start, QDate end,
                                           const std::optional<QStringList>& folders,
                                           const TLineOptions& options);
