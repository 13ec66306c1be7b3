#pragma once

#include <QString>

class TCommandLineDoc;

// What quillhour-cli --help prints, lines of at most 80 characters.
QString RenderHelpText(const TCommandLineDoc& doc);

// The data location switches of quillhour-cli as the usage line shows them.
QString CliSwitchesSynopsis(const TCommandLineDoc& doc);
