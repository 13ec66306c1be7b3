#pragma once

#include <QStringList>
#include <QTextStream>

// "search [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--where FILTER] [--and|--or --where FILTER]
// [--limit N]": the search panel's engine on the current user's month files. One line per
// listed match on out, the count on err. Exit status 0 when something matched, 1 when nothing
// did, 2 for a usage error or a filter that was not understood.
int RunSearchCommand(const QStringList& args, QTextStream& out, QTextStream& err);
