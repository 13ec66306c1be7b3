#pragma once

#include <QString>

class TCommandLineDoc;

// What a manual page shows that the command line text does not hold.
struct TManPageFacts {
    QString Program;       // quillhour or quillhour-cli
    QString Version;       // 3.3.1
    QString Date;          // YYYY-MM-DD of the release
    QString ProgramFolder; // where the program folder is installed
};

// The manual page (section 1, man macros) of one of the two programs.
QString RenderManPage(const TCommandLineDoc& doc, const TManPageFacts& facts);

// A plain text set for roff: backslashes and leading dots escaped, option dashes as \-.
QString RoffText(const QString& text);
