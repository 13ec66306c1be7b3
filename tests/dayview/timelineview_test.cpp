#include "calendar/colornumber.h"
#include "dayview/timelineaccessible.h"
#include "dayview/timelinepainter.h"
#include "dayview/timelineview.h"
#include "localepin.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/settings/windowgeometry.h"
#include "storage/values/timetexts.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {
bool IsGreen(QColor c) {
    return c == ColorOfNumber(0x008000);
}
} // namespace

class TimelineViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallTimelineAccessibility();
        View.resize(600, 110);
        View.Clock = [this] { return Now; };
        View.Today = [] { return QDate(2024, 3, 6); };
        Block = &Day.AddBlock(900, 1000);
        Block->Client = QStringLiteral("Acme");
        Block->Reportable = true;
        Block->Chargeable = true;
        View.SetDay(&Day);
        View.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));
    }
    int Screen(int pixels) const { return ScaleToScreen(pixels, View.logicalDpiX()); }
    QScrollBar* Bar() const { return View.ScrollBox->horizontalScrollBar(); }

    TLocalePin Pin{QStringLiteral("C")};
    TDay Day{QDate(2024, 3, 6)}; // a Wednesday
    TBlock* Block = nullptr;
    QTime Now{16, 0};
    TTimelineView View;
};

TEST_F(TimelineViewTest, ControlsAndTheirHints) {
    for (const char* name :
         {"ScrollBox", "pbxHeader", "pbxDay", "pnlZoom", "btnZoomIn", "btnZoomOut", "lblDayHours"})
        EXPECT_NE(View.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(View.btnZoomIn->toolTip(), QStringLiteral("Zoom in day view"));
    EXPECT_EQ(View.btnZoomOut->toolTip(), QStringLiteral("Zoom out day view"));
    EXPECT_EQ(View.pbxDay->toolTip(),
              QStringLiteral("Drag and drop coloured hours from above, or right-click for a menu"));
    EXPECT_EQ(View.pbxDay->width(), Screen(1250));
    EXPECT_EQ(View.pbxDay->height(), Screen(45));
    EXPECT_EQ(View.pbxHeader->height(), Screen(25));
    EXPECT_EQ(View.View().Width, Screen(1250));
}

TEST_F(TimelineViewTest, ZoomButtonsAndLimits) {
    QTest::mouseClick(View.btnZoomIn, Qt::LeftButton);
    EXPECT_EQ(View.ZoomWidth(), 2500);
    EXPECT_EQ(View.pbxDay->width(), Screen(2500));
    EXPECT_EQ(View.View().Width, Screen(2500));
    EXPECT_EQ(View.View().XToTime(Screen(2500)), 2400);
    View.SetZoom(9000);
    EXPECT_EQ(View.ZoomWidth(), 5000);
    EXPECT_FALSE(View.btnZoomIn->isEnabled());
    EXPECT_TRUE(View.btnZoomOut->isEnabled());
    View.ZoomIn();
    EXPECT_EQ(View.ZoomWidth(), 5000);
    View.SetZoom(2000); // a stored 2000
    EXPECT_EQ(View.ZoomWidth(), 2500);
    View.SetZoom(1);
    EXPECT_EQ(View.ZoomWidth(), 625);
    EXPECT_FALSE(View.btnZoomOut->isEnabled());
    int told = 0;
    View.OnWidthChanged = [&](int width) { told = width; };
    View.ZoomIn();
    EXPECT_EQ(told, Screen(1250));
}

TEST_F(TimelineViewTest, ScrollingAndTheMiddleOfTheView) {
    View.ScrollToTime(0);
    EXPECT_EQ(Bar()->value(), 0);
    View.ScrollToTime(2400);
    EXPECT_EQ(Bar()->value(), Bar()->maximum());
    EXPECT_GT(Bar()->maximum(), 0);
    View.ShowDayTime();
    EXPECT_NEAR(View.ViewCentreTime(), 1200, 5);
    // Zooming keeps the middle of the view.
    View.ZoomIn();
    EXPECT_NEAR(View.ViewCentreTime(), 1200, 5);
    View.ShowMorning();
    EXPECT_NEAR(View.ViewCentreTime(), 800, 5);
    // A negative time is now, from the clock.
    View.ScrollToTime(-1);
    EXPECT_NEAR(View.ViewCentreTime(), 1600, 5);
    View.ShowEvening();
    Now = QTime(10, 30);
    View.ShowNow();
    EXPECT_NEAR(View.ViewCentreTime(), 1050, 5);
    View.ScrollToBlock(Block);
    EXPECT_NEAR(View.ViewCentreTime(), 950, 5);
}

TEST_F(TimelineViewTest, TheDayHoursLabel) {
    Block->EndTime = 1650; // 7.5 hours on a Wednesday, short of 8
    View.RepaintDay();
    EXPECT_FALSE(View.lblDayHours->text().isEmpty());
    EXPECT_EQ(View.lblDayHours->palette().color(QPalette::WindowText), ColorOfNumber(0x0000FF));
    TDay saturday(QDate(2024, 3, 9));
    TBlock& weekend = saturday.AddBlock(900, 1650);
    weekend.Reportable = true;
    View.SetDay(&saturday);
    EXPECT_EQ(View.lblDayHours->palette().color(QPalette::WindowText), QColor(Qt::black));
    TDay empty(QDate(2024, 3, 11));
    View.SetDay(&empty);
    EXPECT_TRUE(View.lblDayHours->text().isEmpty());
}

// Moving the outline of a dragged block copies the day's image; the day is not painted.
TEST_F(TimelineViewTest, TheDragOutlineMovesWithoutPaintingTheDay) {
    View.repaint();
    QApplication::processEvents();
    const int paints = View.pbxDay->DayPaints();
    ASSERT_GE(paints, 1);
    TBlock moving(900, 1000);
    for (int step = 0; step < 20; ++step) {
        moving.StartTime = 900 + step * 10;
        moving.EndTime = 1000 + step * 10;
        View.DrawDragOutline(&moving);
        View.pbxDay->repaint();
    }
    EXPECT_EQ(View.pbxDay->DayPaints(), paints);
    const QImage image = View.pbxDay->grab().toImage();
    const QRect outline = View.pbxDay->Outline();
    ASSERT_TRUE(outline.isValid());
    EXPECT_EQ(outline, DragOutlineRect(View.View(), moving));
    EXPECT_TRUE(IsGreen(image.pixelColor(outline.left(), outline.center().y())));
    // Drawn again at the same place, it is erased.
    View.DrawDragOutline(&moving);
    EXPECT_FALSE(View.pbxDay->Outline().isValid());
    View.pbxDay->repaint();
    EXPECT_EQ(View.pbxDay->DayPaints(), paints);
    // A change of the day paints it again.
    View.RepaintDay();
    View.pbxDay->repaint();
    EXPECT_EQ(View.pbxDay->DayPaints(), paints + 1);
}

TEST_F(TimelineViewTest, TheMarkerFollowsTheClockOnTodayOnly) {
    const auto markerPixels = [&] {
        const QImage image = View.pbxHeader->grab().toImage();
        const QColor marker = ColorOfNumber(View.Settings().Colours.Standard);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == marker ? 1 : 0;
        return count;
    };
    EXPECT_GT(markerPixels(), 30);
    View.Today = [] { return QDate(2024, 3, 7); };
    View.pbxHeader->update();
    EXPECT_EQ(markerPixels(), 0);
}

TEST_F(TimelineViewTest, BlocksAreAccessibleListItems) {
    Block->Project = QStringLiteral("Web");
    Block->Activity = QStringLiteral("Coding");
    TBlock& second = Day.AddBlock(1100, 1130);
    View.RepaintDay();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(View.pbxDay);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Day timeline"));
    EXPECT_EQ(list->text(QAccessible::Description),
              QStringLiteral("Reportable hours: ") + View.lblDayHours->text());
    ASSERT_EQ(list->childCount(), 2);
    QAccessibleInterface* first = list->child(0);
    EXPECT_EQ(first->role(), QAccessible::ListItem);
    EXPECT_EQ(first->text(QAccessible::Name), TimeText(900) + QStringLiteral(" to ") +
                                                  TimeText(1000) +
                                                  QStringLiteral(", Acme, Web, Coding"));
    EXPECT_EQ(list->child(1)->text(QAccessible::Name),
              TimeText(1100) + QStringLiteral(" to ") + TimeText(1130));
    EXPECT_FALSE(first->state().selected);
    View.SetSelectedBlock(&second);
    EXPECT_TRUE(list->child(1)->state().selected);
    EXPECT_FALSE(first->state().selected);
    EXPECT_EQ(list->indexOfChild(first), 0);
    const QRect place = first->rect();
    EXPECT_EQ(place.width(), BlockRight(View.View(), *Block) - BlockLeft(View.View(), *Block));
    // A block taken off the day leaves the list.
    Day.Remove(&second);
    View.SetSelectedBlock(nullptr);
    EXPECT_EQ(list->childCount(), 1);
}
