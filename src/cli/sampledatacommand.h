#pragma once

#include <QStringList>
#include <QTextStream>

// quillhour-cli sample-data [--users N] [--months M] [--work-group]
// Fills an empty data location with generated sample data: the months up to today of one user,
// the client/project and category/activity lists, two export formats and a settings file; with
// --work-group also a server folder ("Server" inside the location) with N users that the
// location's settings point at. A location that already holds month files is refused. args
// are the words after "sample-data". Returns the exit code: 0 made, 1 refused or failed, 2
// usage error.
int RunSampleDataCommand(const QStringList& args, QTextStream& out, QTextStream& err);
