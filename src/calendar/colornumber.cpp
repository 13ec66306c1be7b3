#include "colornumber.h"

#include <cmath>

QColor ColorOfNumber(int number) {
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

int NumberOfColor(const QColor& color) {
    return color.red() | color.green() << 8 | color.blue() << 16;
}

QColor Darkened(const QColor& color) {
    int hue = 0;
    int saturation = 0;
    int value = 0;
    color.getHsv(&hue, &saturation, &value);
    return QColor::fromHsv(hue, saturation, static_cast<int>(std::lround(value * 0.8))).toRgb();
}
