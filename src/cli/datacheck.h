#pragma once

#include <QString>

#include <vector>

// One thing the data check found: the file, the line (0 when not about one line) and what is
// wrong.
struct TCheckProblem {
    QString FileName;
    int Line = 0;
    QString Message;
};

// Reads the files of the data location the way the program does and collects everything it
// cannot use, without writing or locking anything.
class TDataCheck {
public:
    void CheckExportFormats();
    void RunAll();

    const std::vector<TCheckProblem>& Problems() const { return FProblems; }
    int FilesChecked() const { return FFilesChecked; }

private:
    void Add(const QString& fileName, int line, const QString& message);

    std::vector<TCheckProblem> FProblems;
    int FFilesChecked = 0;
};
