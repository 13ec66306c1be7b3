#pragma once

#include "checkproblem.h"

#include <vector>

// Reads the files of the data location the way the program does and collects everything it
// cannot use, without writing or locking anything.
class TDataCheck {
public:
    void CheckExportFormats();
    void CheckListFiles();
    void CheckMonthFiles();
    void CheckSettingsFiles();
    // Temporary copies that interrupted saves left in the data folders.
    void CheckTemporaryFiles();
    void RunAll();

    const std::vector<TCheckProblem>& Problems() const { return FProblems; }
    int FilesChecked() const { return FFilesChecked; }

private:
    void Add(const QString& fileName, int line, const QString& message);

    std::vector<TCheckProblem> FProblems;
    int FFilesChecked = 0;
};
