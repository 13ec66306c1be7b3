#include "setupcolumns.h"

#include "base/rounding.h"

#include <algorithm>

namespace {
constexpr int DefaultProjectColumn = 92;

// Halves go to the even neighbour, as every position of the program's windows does.
int RoundedRatio(double numerator, double denominator) {
    return denominator == 0 ? 0 : RoundToNearest(numerator / denominator);
}
} // namespace

TColumnRange ColumnRange(TReportColumn column) {
    switch (column) {
    case rcProject:
        return {DefaultProjectColumn, CodeColumnPosition - 3 * ColumnGap};
    case rcCategoryActivity:
        return {DefaultProjectColumn + ColumnGap, CodeColumnPosition - 2 * ColumnGap};
    case rcRemarks:
        break;
    }
    return {DefaultProjectColumn + 2 * ColumnGap, CodeColumnPosition - ColumnGap};
}

TColumnPositions DefaultColumnPositions() {
    return {DefaultProjectColumn, 248, 600};
}

void MoveColumn(TColumnPositions& positions, TReportColumn column, int position) {
    const TColumnRange range = ColumnRange(column);
    positions[column] = std::clamp(position, range.Low, range.High);
    for (int later = column + 1; later <= rcRemarks; ++later)
        positions[later] = std::max(positions[later], positions[later - 1] + ColumnGap);
    for (int earlier = column - 1; earlier >= rcProject; --earlier)
        positions[earlier] = std::min(positions[earlier], positions[earlier + 1] - ColumnGap);
}

TColumnPositions ValidColumnPositions(const TColumnPositions& stored) {
    TColumnPositions positions = DefaultColumnPositions();
    for (int column = rcRemarks; column >= rcProject; --column)
        MoveColumn(positions, static_cast<TReportColumn>(column), stored[column]);
    // The project column, moved last, has pushed the later ones right where needed.
    return positions;
}

int SliderLeft(int trackWidth, int imageWidth, TColumnRange range, int position) {
    return RoundedRatio(static_cast<double>(trackWidth - imageWidth) * (position - range.Low),
                        range.High - range.Low);
}

int SliderPosition(int trackWidth, int imageWidth, TColumnRange range, int left) {
    return range.Low + RoundedRatio(static_cast<double>(range.High - range.Low) * left,
                                    trackWidth - imageWidth);
}

int PagePreviewX(int position, int panelWidth) {
    return RoundedRatio(static_cast<double>(position) * panelWidth, PageBandWidth);
}
