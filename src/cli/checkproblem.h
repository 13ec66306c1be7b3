#pragma once

#include <QString>

// One thing the data check found: the file, the line (0 when not about one line) and what is
// wrong.
struct TCheckProblem {
    QString FileName;
    int Line = 0;
    QString Message;
};
