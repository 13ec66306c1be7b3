#pragma once

#include "exportformat.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The file of the format of that name: "ef-" + name + ".txt" in the export formats folder of
// the data location (the local copy while the server's folder is unavailable).
QString ExportFormatFileName(const QString& name);

// The format files that are really there for that name: names compare without regard to
// letter case but Linux file names do not, so "ef-News letter.txt" is a file of the format
// "news LETTER" too. In name order; empty when there is none.
QStringList ExportFormatFilesOf(const QString& name);
// The file to read for the format of that name: the one of exactly that spelling when it
// exists, else another spelling that exists, else ExportFormatFileName(name).
QString ExistingExportFormatFile(const QString& name);
// Removes every file of the format of that name; the files that could not be removed.
QStringList RemoveExportFormatFiles(const QString& name);

// The name between "ef-" and ".txt" of a format file's name (ASCII letter case ignored);
// empty when the file name does not have that form.
QString FormatNameFromFileName(const QString& path);

struct TExportFormatEntry {
    QString Name;
    std::unique_ptr<TExportFormat> Format; // only when listed with objects
    QString LoadError;                      // why Format could not be read; empty when it was
};

// Lists the format files of the export formats folder in name order, each with its format
// loaded when withObjects is set (a format that does not load keeps its entry). False only when
// the folder could not be listed.
bool ListExportFormats(std::vector<TExportFormatEntry>& list, bool withObjects);
