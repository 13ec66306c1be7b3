#pragma once

#include <vector>

#include <QString>

// One line of a list file that the program cannot use, or cannot use whole: the file, the
// line (0 when the whole file is meant) and what is wrong.
struct TListProblem {
    QString FileName;
    int Line = 0;
    QString Message;
};

// Reads the client/project and category/activity lists of the data location the way the
// program does — the administration lists in the shared data folder and, when that is
// another folder, their local copies, and the user's in-use lists in the local data folder —
// and reports every line that is ignored or only partly used. Nothing is written or locked.
// filesChecked grows by the number of existing files read. The data locations must have been
// resolved.
void CheckListFiles(std::vector<TListProblem>& problems, int& filesChecked);

// The same for one file; clientList tells the client/project form (whole line trimmed first,
// a billing field) from the category/activity form.
void CheckListFile(const QString& fileName, bool clientList, std::vector<TListProblem>& problems,
                   int& filesChecked);
