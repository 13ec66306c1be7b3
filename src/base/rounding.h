#pragma once

#include <cmath>

// The nearest whole number, halves to the even neighbour: the platform's round-to-nearest,
// which every position of the timeline and the calendar follows.
inline int RoundToNearest(double value) {
    return static_cast<int>(std::nearbyint(value));
}
