#include "calendar/calendargeometry.h"
#include "calendar/colornumber.h"

#include <gtest/gtest.h>

namespace {
// The numbers of one week row, 0 for blank cells.
std::vector<int> WeekRow(const TMonthLayout& layout, int week) {
    std::vector<int> days;
    for (int column = 0; column < CalendarColumns; ++column)
        days.push_back(layout.DayAt(column, week));
    return days;
}
} // namespace

TEST(CalendarGeometry, MarchTwentyFourFromMonday) {
    // 1 March 2024 is a Friday: with Monday first it stands in column 4.
    const TMonthLayout layout(QDate(2024, 3, 15), 1);
    EXPECT_EQ(layout.FirstColumn, 4);
    EXPECT_EQ(WeekRow(layout, 1), (std::vector<int>{0, 0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(WeekRow(layout, 5), (std::vector<int>{25, 26, 27, 28, 29, 30, 31}));
    EXPECT_EQ(WeekRow(layout, 6), std::vector<int>(7, 0));
    EXPECT_EQ(layout.ColumnOf(15), 4);
    EXPECT_EQ(layout.WeekOf(15), 3);
    EXPECT_EQ(layout.DayAt(7, 1), 0); // outside the grid
    EXPECT_EQ(layout.DayAt(0, 7), 0);
}

TEST(CalendarGeometry, AMonthStartingInTheLastColumnFillsSixWeeks) {
    // 1 August 2020 is a Saturday, the last column when Sunday comes first.
    const TMonthLayout layout(QDate(2020, 8, 1), 0);
    EXPECT_EQ(layout.FirstColumn, 6);
    EXPECT_EQ(WeekRow(layout, 1), (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(WeekRow(layout, 6), (std::vector<int>{30, 31, 0, 0, 0, 0, 0}));
    EXPECT_EQ(layout.WeekOf(31), 6);
    EXPECT_EQ(layout.ColumnOf(1), 6);
    // The same month with Saturday first starts in column 0.
    EXPECT_EQ(TMonthLayout(QDate(2020, 8, 1), 6).FirstColumn, 0);
}

TEST(CalendarGeometry, PagingKeepsTheDayWithinTheNewMonth) {
    EXPECT_EQ(PagedMonth(QDate(2024, 3, 31), -1), QDate(2024, 2, 29));
    EXPECT_EQ(PagedMonth(QDate(2023, 3, 31), -1), QDate(2023, 2, 28));
    EXPECT_EQ(PagedMonth(QDate(2024, 1, 31), 1), QDate(2024, 2, 29));
    EXPECT_EQ(PagedMonth(QDate(2023, 12, 15), 1), QDate(2024, 1, 15));
    EXPECT_EQ(PagedMonth(QDate(2024, 1, 10), -1), QDate(2023, 12, 10));
}

TEST(CalendarGeometry, CellsTileTheControl) {
    const QSize size(526, 523);
    EXPECT_EQ(CalendarTitleHeight(size), 65);
    EXPECT_EQ(CalendarCell(0, 0, size).topLeft(), QPoint(0, 65));
    const QRect last = CalendarCell(6, 6, size);
    EXPECT_EQ(last.x() + last.width(), 526);
    EXPECT_EQ(last.y() + last.height(), 523);
    for (int column = 0; column + 1 < CalendarColumns; ++column)
        EXPECT_EQ(CalendarCell(column, 3, size).x() + CalendarCell(column, 3, size).width(),
                  CalendarCell(column + 1, 3, size).x());
}

TEST(CalendarGeometry, PressesNearTheRightAndBottomEdgesStayInTheGrid) {
    // round(526 / 7) = 75 and 75 * 7 = 525: a press at x = 525 would land in column 7.
    const QSize size(526, 523);
    EXPECT_EQ(CalendarHitTest(525, 100, size).Column, 6);
    // round(523 / 8) = 65 and 65 * 8 = 520: y = 522 would be row 8.
    EXPECT_EQ(CalendarHitTest(10, 522, size).Row, 7);
    const TCalendarHit inside = CalendarHitTest(80, 140, size);
    EXPECT_EQ(inside.Column, 1);
    EXPECT_EQ(inside.Row, 2);
}

TEST(CalendarGeometry, PictureFitRules) {
    const QSize control(140, 160); // title 20, area 140 x 140
    const QSize wide(200, 100);
    // Best aspect covers the area; the overflow is cut off at the sides.
    EXPECT_EQ(PictureTarget(wide, control, ftBestAspect), QRect(-70, 20, 280, 140));
    // Fit aspect shows the whole picture, centred in the area.
    EXPECT_EQ(PictureTarget(wide, control, ftFitAspect), QRect(0, 55, 140, 70));
    EXPECT_EQ(PictureTarget(wide, control, ftStretch), QRect(0, 20, 140, 140));
    const QSize tall(50, 200);
    EXPECT_EQ(PictureTarget(tall, control, ftBestAspect), QRect(0, -190, 140, 560));
    EXPECT_EQ(PictureTarget(tall, control, ftFitAspect), QRect(52, 20, 35, 140));
}

TEST(CalendarGeometry, ColourNumbersKeepRedInTheLowByte) {
    EXPECT_EQ(ColorOfNumber(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorOfNumber(0x008000), QColor(0, 128, 0));
    EXPECT_EQ(ColorOfNumber(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(NumberOfColor(QColor(0x12, 0x34, 0x56)), 0x563412);
    // Darkening keeps hue and saturation and takes a fifth off the value.
    EXPECT_EQ(Darkened(QColor(200, 200, 200)), QColor(160, 160, 160));
    EXPECT_EQ(Darkened(QColor(0, 0, 255)).blue(), 204);
}
