#pragma once

#include <QColor>

// Colours as the settings files and the calendar keep them: a number with red in the low
// byte, then green, then blue. The one place where they become Qt colours and back.
QColor ColorOfNumber(int number);
int NumberOfColor(const QColor& color);

// The colour with its value (hue, saturation, value, each 0 ... 255) multiplied by 0.8: the
// shadow of a text drawn on it.
QColor Darkened(const QColor& color);
