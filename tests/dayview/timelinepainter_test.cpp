#include "calendar/colornumber.h"
#include "dayview/dayviewgeometry.h"
#include "dayview/timelinepainter.h"
#include "localepin.h"
#include "storage/months/block.h"
#include "storage/months/day.h"

#include <functional>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {
const TBlockColours Colours;

TBlock& AddBlock(TDay& day, int start, int end, bool reportable, bool chargeable, bool overtime) {
    TBlock& block = day.AddBlock(start, end);
    block.Reportable = reportable;
    block.Chargeable = chargeable;
    block.OverTime = overtime;
    return block;
}

// The timeline at the default zoom on 96 ppi.
const TDayView View = TDayView::Make(0, 24, 1250, 45);

QImage Painted(const TDay& day, const TBlock* selected = nullptr, double* total = nullptr) {
    QImage image(View.Width, View.Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double hours = PaintDay(painter, day, View, selected, Colours);
    if (total)
        *total = hours;
    return image;
}

int Count(const QImage& image, const QRect& area, const std::function<bool(QColor)>& is) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += is(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}
} // namespace

class TimelinePainterTest : public ::testing::Test {
protected:
    TLocalePin Pin{QStringLiteral("C")};
    TDay Day{QDate(2024, 3, 6)};
};

TEST_F(TimelinePainterTest, BlocksTakeTheirColourAndOutline) {
    AddBlock(Day, 900, 1000, true, true, false);   // x 469 ... 521
    AddBlock(Day, 1000, 1130, false, true, false); // not reported
    AddBlock(Day, 1200, 1300, true, false, true);  // overtime, not chargeable: Uncharged
    AddBlock(Day, 1400, 1500, true, true, true);   // chargeable overtime
    double total = 0;
    const QImage image = Painted(Day, nullptr, &total);
    EXPECT_DOUBLE_EQ(total, 3.0); // the reported blocks only
    EXPECT_EQ(image.pixelColor(300, 20), ColorOfNumber(0x808080));
    EXPECT_EQ(image.pixelColor(495, 20), ColorOfNumber(Colours.Standard));
    EXPECT_EQ(image.pixelColor(550, 20), ColorOfNumber(Colours.Unreported));
    EXPECT_EQ(image.pixelColor(650, 20), ColorOfNumber(Colours.Uncharged));
    EXPECT_EQ(image.pixelColor(755, 20), ColorOfNumber(Colours.Overtime));
    // The black outline from x1 to x2 - 1, as wide as x 469 to 522 (521 + 1).
    EXPECT_EQ(image.pixelColor(469, 20), QColor(Qt::black));
    EXPECT_EQ(BlockRight(View, *Day.Blocks[0]), 522);
    EXPECT_EQ(image.pixelColor(495, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(495, 44), QColor(Qt::black));
}

TEST_F(TimelinePainterTest, TextNeedsAClientOrAProject) {
    TBlock& silent = AddBlock(Day, 900, 1000, true, true, false);
    silent.Activity = QStringLiteral("Coding");
    TBlock& told = AddBlock(Day, 1100, 1300, true, true, false);
    told.Client = QStringLiteral("Acme");
    told.Activity = QStringLiteral("Coding");
    told.Remarks = QStringLiteral("first\r\nsecond");
    const QImage image = Painted(Day);
    const auto textArea = [&](const TBlock& block) {
        return QRect(QPoint(BlockLeft(View, block) + 2, 2),
                     QPoint(BlockRight(View, block) - 3, View.Height - 3));
    };
    const QColor standard = ColorOfNumber(Colours.Standard);
    const auto other = [&](QColor c) { return c != standard; };
    EXPECT_EQ(Count(image, textArea(silent), other), 0); // one colour: no text at all
    EXPECT_GT(Count(image, textArea(told), other), 20);
}

TEST_F(TimelinePainterTest, TheSelectedBlockIsFramed) {
    TBlock& block = AddBlock(Day, 900, 1000, true, true, false);
    const QRect frameLine(BlockLeft(View, block) + 2, 2,
                          BlockRight(View, block) - BlockLeft(View, block) - 4, 1);
    const auto black = [](QColor c) { return c == QColor(Qt::black); };
    EXPECT_EQ(Count(Painted(Day), frameLine, black), 0);
    EXPECT_GT(Count(Painted(Day, &block), frameLine, black), 10);
}

TEST_F(TimelinePainterTest, DragOutlineIsInsideTheBlock) {
    const TBlock& block = AddBlock(Day, 900, 1000, true, true, false);
    EXPECT_EQ(DragOutlineRect(View, block), QRect(QPoint(470, 1), QPoint(519, 43)));
}

TEST_F(TimelinePainterTest, DayHoursLabel) {
    // Wednesday short of the target: red; the same on a Saturday: black; nothing: empty.
    const TDayHoursLabel wednesday = DayHoursLabel(7.5, 3, 8, true);
    EXPECT_EQ(wednesday.Color, ColorOfNumber(0x0000FF));
    EXPECT_FALSE(wednesday.Text.isEmpty());
    EXPECT_EQ(DayHoursLabel(7.5, 6, 8, true).Color, QColor(Qt::black));
    EXPECT_EQ(DayHoursLabel(8, 3, 8, true).Color, QColor(Qt::black));
    EXPECT_TRUE(DayHoursLabel(0, 3, 8, true).Text.isEmpty());
}

TEST_F(TimelinePainterTest, TheCurrentTimeMarkerShowsOnlyOnToday) {
    const QSize size(1250, 25);
    THeaderView view;
    view.Now = QTime(12, 0);
    const auto header = [&] {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintHeader(painter, size, view);
        return image;
    };
    const QColor marker = ColorOfNumber(view.MarkerColour);
    const QRect around(625 - 8, 5, 17, 15);
    const auto isMarker = [&](QColor c) { return c == marker; };
    EXPECT_EQ(Count(header(), around, isMarker), 0);
    view.ShowsToday = true;
    EXPECT_GT(Count(header(), around, isMarker), 50);
    // The top line and the hour ticks are black.
    const QImage image = header();
    EXPECT_EQ(image.pixelColor(10, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(52, 4), QColor(Qt::black)); // 1 o'clock, x = 52
}
