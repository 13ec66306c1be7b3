#pragma once

#include <QStringList>
#include <QTextStream>

// "copy --from-day YYYY-MM-DD --to-day YYYY-MM-DD" or "copy --from-week YYYY-MM-DD --to-week
// YYYY-MM-DD" [--only-free-time | --replace] [--dry-run]: lays copies of the current user's
// blocks of one day (or of the week, from the configured first day, holding the date) on
// another day (week) at the same times, and writes the changed month files. A target that
// already holds time needs --replace (the copies win, what they cover is cut back) or
// --only-free-time (only the parts in free time are laid). Prints one line per target day and
// a summary; with --dry-run nothing is written. The data location is held while the files are
// written, so a running program's location is not touched. Exit status 0 when blocks were
// laid, 1 when there was nothing to copy or a file could not be read or written, 2 for a
// usage error.
int RunCopyCommand(const QStringList& args, QTextStream& out, QTextStream& err);
