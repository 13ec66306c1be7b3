#pragma once

#include <QString>

class TExportFormat;

// Where an export may write. An export format is shared by a work group and chosen by name, so
// the file it names is checked before anything is written: a relative file name may not climb
// out of the format's folder, and no export replaces a file the program keeps as its own data
// (month files, lists and in-use lists, settings, export formats, lock files and the program's
// temporary files, in the data location or on the server). Other files of those folders may
// be exported over as the user chose.

// True when path is one of the program's own data files.
bool IsProgramDataFile(const QString& path);
// The error that stops the export to the format's file; empty when it may be written.
QString ExportTargetError(const TExportFormat& format);
