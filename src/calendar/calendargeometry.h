#pragma once

#include <QDate>
#include <QRect>
#include <QRectF>
#include <QSize>

// The arithmetic of the month calendar's grid, apart from any painting: 7 columns and 8 rows
// of equal size; row 0 is the title, row 1 the day names, rows 2 ... 7 the six weeks. Week
// rows are counted from 0 for the day names, so week row w lies in grid row w + 1.

inline constexpr int CalendarColumns = 7;
inline constexpr int CalendarRows = 8;
inline constexpr int CalendarWeeks = 6;

// The month of date laid out with startOfWeek (0 Sunday ... 6 Saturday) in the first column.
struct TMonthLayout {
    TMonthLayout(QDate date, int startOfWeek);

    // Column of the month's first day.
    int FirstColumn = 0;
    // The day number in column 0 of the first week row (1 - FirstColumn).
    int Offset = 1;
    int DaysInMonth = 0;

    // The day shown in column c of week row w (1 ... 6); 0 for a blank cell.
    int DayAt(int column, int week) const;
    // The column and week row of day.
    int ColumnOf(int day) const;
    int WeekOf(int day) const;
};

// The cell of column c and week row w (0 for the day names) in a control of size.
QRect CalendarCell(int column, int week, QSize size);
// The title row: (0, 0) to (W, round(H / 8)).
int CalendarTitleHeight(QSize size);

// Where a press lands: the grid row (0 title ... 7) and column, kept inside the grid even
// where the cells' rounded size times their count falls short of the control.
struct TCalendarHit {
    int Column = 0;
    int Row = 0;
};
TCalendarHit CalendarHitTest(int x, int y, QSize size);

// The date one month before (step -1) or after (+1), the day limited to that month's length.
QDate PagedMonth(QDate date, int step);

// How a background picture fills the area below the title.
enum TPictureFitType { ftBestAspect, ftFitAspect, ftStretch };
// Where a picture of pictureSize is drawn below the title of a control of size.
QRect PictureTarget(QSize pictureSize, QSize size, TPictureFitType fit);

// The two title arrows: the squares they are drawn in.
QRect PreviousArrowBox(QSize size, int textHeight);
QRect NextArrowBox(QSize size, int textHeight);
