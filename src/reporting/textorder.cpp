#include "textorder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {
int Sign(int value) {
    return (value > 0) - (value < 0);
}

// The first difference of two texts of the same length by character codes; 0 for none.
int FirstDifference(QStringView a, QStringView b) {
    const char16_t* x = a.utf16();
    const char16_t* y = b.utf16();
    // Equal texts are common (the same client on many lines): one memcmp settles them.
    if (a.isEmpty() || x == y ||
        std::memcmp(x, y, static_cast<std::size_t>(a.size()) * sizeof(char16_t)) == 0)
        return 0;
    for (qsizetype i = 0;; ++i)
        if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
}
} // namespace

int CompareText(QStringView a, QStringView b) {
    const qsizetype common = std::min(a.size(), b.size());
    if (const int difference = FirstDifference(a.first(common), b.first(common)))
        return difference;
    return Sign(static_cast<int>(a.size() - b.size()));
}

int CompareJoined(QStringView a1, QStringView a2, QStringView b1, QStringView b2) {
    std::array<QStringView, 2> a{a1, a2};
    std::array<QStringView, 2> b{b1, b2};
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        while (i < a.size() && a[i].isEmpty())
            ++i;
        while (j < b.size() && b[j].isEmpty())
            ++j;
        if (i == a.size() || j == b.size())
            return (i < a.size()) - (j < b.size());
        const qsizetype length = std::min(a[i].size(), b[j].size());
        if (const int difference = FirstDifference(a[i].first(length), b[j].first(length)))
            return difference;
        a[i] = a[i].sliced(length);
        b[j] = b[j].sliced(length);
    }
}
