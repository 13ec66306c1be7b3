#pragma once

#include <QStringView>

// The order of report texts: by character codes, letter case included; when one text is the
// start of the other, the shorter comes first. < 0 when a comes first, 0 for equal texts.
int CompareText(QStringView a, QStringView b);
// a1 + a2 against b1 + b2 the same way, without building the joined texts.
int CompareJoined(QStringView a1, QStringView a2, QStringView b1, QStringView b2);
