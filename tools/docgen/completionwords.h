#pragma once

#include <QString>

class TCommandLineDoc;

// The bash functions that tell the completion of quillhour-cli its commands, each command's
// options, what the word after an option is and what the first word after a command is.
QString RenderCompletionWords(const TCommandLineDoc& doc);
