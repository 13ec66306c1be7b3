#pragma once

#include <QStringList>
#include <QTextStream>

// quillhour-cli export NAME [--from YYYY-MM-DD] [--to YYYY-MM-DD]
//                           [--users NAME,NAME | --all-users] [--output FILE]
// Runs the export format NAME of the data location as the export run window would. args are
// the words after "export". Returns the exit code: 0 written, 1 export error, 2 usage error or
// unknown format.
int RunExportCommand(const QStringList& args, QTextStream& out, QTextStream& err);
