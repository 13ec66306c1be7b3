#pragma once

#include <array>

// Where the project, category : activity and remarks columns of the reports stand, in report
// layout units, measured on the A4 billing daily report: its page band is 1047 wide, the
// client column stands at 8, the billing code at 838, the hours at 905 and the rate at 949.
enum TReportColumn { rcProject = 0, rcCategoryActivity = 1, rcRemarks = 2 };
using TColumnPositions = std::array<int, 3>;

inline constexpr int PageBandWidth = 1047;
inline constexpr int ClientColumnPosition = 8;
inline constexpr int CodeColumnPosition = 838;
inline constexpr int HoursColumnPosition = 905;
inline constexpr int RateColumnPosition = 949;
// The movable columns keep at least this far apart, in their order.
inline constexpr int ColumnGap = 80;

struct TColumnRange {
    int Low;
    int High;
};

// Project 92 ... 598, category : activity 172 ... 678, remarks 252 ... 758: each leaves room
// for the columns before it and after it up to the billing code.
TColumnRange ColumnRange(TReportColumn column);
// 92, 248 and 600.
TColumnPositions DefaultColumnPositions();

// Puts column at position (held within its range) and pushes the others away until every
// two neighbours are ColumnGap apart: the columns after it to the right, those before it to
// the left.
void MoveColumn(TColumnPositions& positions, TReportColumn column, int position);
// Positions as the settings keep them, made valid: each within its range and the three in
// order and apart (the later ones pushed right).
TColumnPositions ValidColumnPositions(const TColumnPositions& stored);

// The left edge of a slider image for position, in a track of trackWidth.
int SliderLeft(int trackWidth, int imageWidth, TColumnRange range, int position);
// The position a slider image at left stands for.
int SliderPosition(int trackWidth, int imageWidth, TColumnRange range, int left);
// Where a report position falls on a page preview panelWidth wide.
int PagePreviewX(int position, int panelWidth);
