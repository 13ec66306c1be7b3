#include "calendargeometry.h"

#include "base/rounding.h"

#include <algorithm>
#include <cmath>

namespace {
int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
} // namespace

TMonthLayout::TMonthLayout(QDate date, int startOfWeek) {
    const QDate first(date.year(), date.month(), 1);
    // Qt counts Monday 1 ... Sunday 7; the grid counts Sunday 1 ... Saturday 7.
    const int weekDay = first.dayOfWeek() % 7 + 1;
    FirstColumn = (weekDay - 1 - startOfWeek + 7 * 2) % 7;
    Offset = 1 - FirstColumn;
    DaysInMonth = first.daysInMonth();
}

int TMonthLayout::DayAt(int column, int week) const {
    if (week < 1 || week > CalendarWeeks || column < 0 || column >= CalendarColumns)
        return 0;
    const int day = column + Offset + (week - 1) * CalendarColumns;
    return day >= 1 && day <= DaysInMonth ? day : 0;
}

int TMonthLayout::ColumnOf(int day) const {
    const int rest = (day - Offset) % CalendarColumns;
    return rest < 0 ? rest + CalendarColumns : rest;
}

int TMonthLayout::WeekOf(int day) const {
    return FloorDiv(day - Offset, CalendarColumns) + 1;
}

QRect CalendarCell(int column, int week, QSize size) {
    const double w = size.width();
    const double h = size.height();
    const int left = RoundToNearest(column * w / CalendarColumns);
    const int right = RoundToNearest((column + 1) * w / CalendarColumns);
    const int top = RoundToNearest((week + 1) * h / CalendarRows);
    const int bottom = RoundToNearest((week + 2) * h / CalendarRows);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

int CalendarTitleHeight(QSize size) {
    return RoundToNearest(size.height() / double(CalendarRows));
}

TCalendarHit CalendarHitTest(int x, int y, QSize size) {
    const int cellWidth = std::max(1, RoundToNearest(size.width() / double(CalendarColumns)));
    const int cellHeight = std::max(1, RoundToNearest(size.height() / double(CalendarRows)));
    return {std::clamp(x / cellWidth, 0, CalendarColumns - 1),
            std::clamp(y / cellHeight, 0, CalendarRows - 1)};
}

QDate PagedMonth(QDate date, int step) {
    const QDate first = QDate(date.year(), date.month(), 1).addMonths(step);
    return QDate(first.year(), first.month(), std::min(date.day(), first.daysInMonth()));
}

QRect PictureTarget(QSize pictureSize, QSize size, TPictureFitType fit) {
    const int top = CalendarTitleHeight(size);
    const double areaWidth = size.width();
    const double areaHeight = size.height() - top;
    if (fit == ftStretch)
        return QRect(0, top, size.width(), size.height() - top);
    const double width = pictureSize.width();
    const double height = pictureSize.height();
    double scale = 0;
    if (fit == ftBestAspect)
        scale = height / areaHeight >= width / areaWidth ? areaWidth / width : areaHeight / height;
    else
        scale = areaWidth / areaHeight > width / height ? areaHeight / height : areaWidth / width;
    const int drawnWidth = RoundToNearest(width * scale);
    const int drawnHeight = RoundToNearest(height * scale);
    // Offsets are halved rounding toward zero, so an overflow is cut off evenly.
    const int left = (size.width() - drawnWidth) / 2;
    const int y = top + (size.height() - top - drawnHeight) / 2;
    return QRect(left, y, drawnWidth, drawnHeight);
}

namespace {
int ArrowMargin(QSize size, int textHeight) {
    const int title = CalendarTitleHeight(size);
    return std::max((title - textHeight) / 2, RoundToNearest(title / 4.0));
}
} // namespace

QRect PreviousArrowBox(QSize size, int textHeight) {
    const int a = CalendarTitleHeight(size);
    const int m = ArrowMargin(size, textHeight);
    return QRect(QPoint(m, m), QPoint(a - m, a - m));
}

QRect NextArrowBox(QSize size, int textHeight) {
    const int a = CalendarTitleHeight(size);
    const int m = ArrowMargin(size, textHeight);
    const int w = size.width();
    return QRect(QPoint(w + m - a, m), QPoint(w - m, a - m));
}
