#include "dayview/dayviewgeometry.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/values/timevalues.h"

#include <gtest/gtest.h>

// The geometry of the timeline: positions and times, the hit test, edits by position.
namespace {
// The timeline of 1250 pixels for 24 hours, as at the default zoom on 96 ppi.
const TDayView At1250 = TDayView::Make(0, 24, 1250, 45);
} // namespace

TEST(DayGeometry, PositionsAndTimesAtTheDefaultZoom) {
    const TDayView& day = At1250;
    EXPECT_NEAR(day.PixelsPerHundredth, 0.520833, 1e-6);
    EXPECT_EQ(day.XToTime(625), 1200);
    EXPECT_EQ(day.TimeToX(1200), 625);
    EXPECT_EQ(day.TimeToX(900), 469);  // 468.75
    EXPECT_EQ(day.TimeToX(1000), 521); // 520.83
    EXPECT_EQ(day.XToTime(0), 0);
    EXPECT_EQ(day.XToTime(1250), 2400);
    // Not clamped to the day.
    EXPECT_EQ(day.XToTime(-125), -240);
    EXPECT_EQ(day.XToTime(1375), 2640);
    EXPECT_EQ(day.TimeToX(2640), 1375);
    // Other widths, and halves going to the even neighbour.
    const TDayView wide = TDayView::Make(0, 24, 5000, 45);
    EXPECT_EQ(wide.TimeToX(3), 6);   // 6.25
    EXPECT_EQ(wide.XToTime(5), 2);   // 2.4
    EXPECT_EQ(wide.XToTime(25), 12); // 12.0
    const TDayView half = TDayView::Make(0, 24, 1200, 45);
    EXPECT_EQ(half.TimeToX(1), 0); // 0.5 goes to 0
    EXPECT_EQ(half.TimeToX(3), 2); // 1.5 goes to 2
    EXPECT_EQ(half.XToTime(1), 2);
    // A view without a width: every position is its first time.
    const TDayView bare;
    EXPECT_EQ(bare.XToTime(300), 0);
    EXPECT_EQ(bare.TimeToX(1200), 0);
}

TEST(DayGeometry, HitTestFindsBlocksAndTheirEdges) {
    TDay day(QDate(2024, 3, 5));
    TBlock& block = day.AddBlock(900, 1000); // x 469 ... 521
    EXPECT_EQ(At1250.HitTest(day, 400).Block, nullptr);
    EXPECT_EQ(At1250.HitTest(day, 400).Zone, hzBody);
    EXPECT_EQ(At1250.HitTest(day, 469).Block, &block);
    EXPECT_EQ(At1250.HitTest(day, 469).Zone, hzStartEdge);
    EXPECT_EQ(At1250.HitTest(day, 471).Zone, hzStartEdge); // 2 pixels off
    EXPECT_EQ(At1250.HitTest(day, 472).Zone, hzBody);      // 3 pixels off
    EXPECT_EQ(At1250.HitTest(day, 500).Zone, hzBody);
    EXPECT_EQ(At1250.HitTest(day, 518).Zone, hzEndEdge); // |518 - 521| = 3
    EXPECT_EQ(At1250.HitTest(day, 517).Zone, hzBody);
    EXPECT_EQ(At1250.HitTest(day, 521).Zone, hzEndEdge);
    EXPECT_EQ(At1250.HitTest(day, 522).Block, nullptr); // time 1002, past the end
}

TEST(DayGeometry, TouchingBlocksGiveTheEarlierOneAndNarrowBlocksTheirStart) {
    TDay day(QDate(2024, 3, 5));
    TBlock& first = day.AddBlock(900, 1000);
    TBlock& second = day.AddBlock(1000, 1100);
    const TDayHit shared = At1250.HitTest(day, At1250.TimeToX(1000));
    EXPECT_EQ(shared.Block, &first);
    EXPECT_EQ(shared.Zone, hzEndEdge);
    EXPECT_EQ(At1250.HitTest(day, At1250.TimeToX(1050)).Block, &second);
    // A block a few pixels wide: the start edge wins over the end edge.
    TBlock& narrow = day.AddBlock(1500, 1505);
    const TDayHit hit = At1250.HitTest(day, At1250.TimeToX(1503));
    EXPECT_EQ(hit.Block, &narrow);
    EXPECT_EQ(hit.Zone, hzStartEdge);
}

TEST(DayGeometry, ANewWidthGivesNewPositions) {
    TDayView view = At1250;
    view.SetWidth(2500);
    EXPECT_EQ(view.XToTime(1250), 1200);
    EXPECT_EQ(view.TimeToX(900), 938); // 937.5 goes to the even 938
    EXPECT_DOUBLE_EQ(view.PixelsPerHundredth, 2500.0 / 2400);
}

TEST(DayGeometry, EditsByPositionGoThroughTheTimesOfTheDay) {
    TDay day(QDate(2024, 3, 5));
    SetTimeStep(25);
    TBlock& block = day.AddBlock(900, 1000);
    int to = At1250.TimeToX(1110); // 11:06, a move of 2.1 hours: two whole hours
    EXPECT_TRUE(At1250.DragMoveBlock(day, &block, At1250.TimeToX(900), to));
    EXPECT_EQ(block.StartTime, 1100);
    EXPECT_EQ(to, At1250.TimeToX(1100));
    EXPECT_FALSE(At1250.ResizeBlockEdge(day, &block, At1250.TimeToX(1300), hzBody));
    EXPECT_TRUE(At1250.ResizeBlockEdge(day, &block, At1250.TimeToX(1300), hzEndEdge));
    EXPECT_EQ(block.EndTime, 1300);
    EXPECT_TRUE(At1250.ResizeBlockEdge(day, &block, At1250.TimeToX(1013), hzStartEdge));
    EXPECT_EQ(block.StartTime, 1000);
}
