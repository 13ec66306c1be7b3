#pragma once

#include "checkproblem.h"

#include <vector>

// Reads the client/project and category/activity lists of the data location the way the
// program does — the administration lists in the shared data folder and, when that is
// another folder, their local copies, and the user's in-use lists in the local data folder —
// and reports every line that is ignored or only partly used. Nothing is written or locked.
// filesChecked grows by the number of existing files read. The data locations must have been
// resolved.
void CheckListFiles(std::vector<TCheckProblem>& problems, int& filesChecked);

// The same for one file; clientList tells the client/project form (whole line trimmed first,
// a billing field) from the category/activity form.
void CheckListFile(const QString& fileName, bool clientList, std::vector<TCheckProblem>& problems,
                   int& filesChecked);
