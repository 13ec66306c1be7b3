#pragma once

#include "commandlinedoc.h"

#include <QString>
#include <QStringList>

#include <vector>

// text broken into lines of at most width characters (a longer word stands alone), the first
// line after first, the others after rest; never between the words of a "[...]" group when
// the group fits on a line.
QStringList WrapText(const QString& text, int width, const QString& first, const QString& rest);

// text as a sentence: its first letter a capital, a full stop at its end.
QString Sentence(const QString& text);

// The exit statuses of a command in one sentence: "0 when ...; 1 ...".
QString JoinedExits(const std::vector<TDocItem>& exits);
