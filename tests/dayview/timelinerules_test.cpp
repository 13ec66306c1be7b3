#include "dayview/timelinerules.h"
#include "storage/months/block.h"
#include "storage/settings/setuppersonal.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

TEST(TimelineRules, ZoomLevelsAndSnapping) {
    EXPECT_EQ(SnapZoom(2000), 2500); // a stored 2000 is used as 2500
    EXPECT_EQ(SnapZoom(100), 625);
    EXPECT_EQ(SnapZoom(625), 625);
    EXPECT_EQ(SnapZoom(626), 1250);
    EXPECT_EQ(SnapZoom(1250), 1250);
    EXPECT_EQ(SnapZoom(3751), 5000);
    EXPECT_EQ(SnapZoom(99999), 5000);
    std::vector<int> in{625};
    while (in.back() != 5000)
        in.push_back(ZoomedIn(in.back()));
    EXPECT_EQ(in, (std::vector<int>{625, 1250, 2500, 3750, 5000}));
    EXPECT_EQ(ZoomedIn(5000), 5000); // zooming in from the widest stays there
    EXPECT_EQ(ZoomedOut(5000), 3750);
    EXPECT_EQ(ZoomedOut(1250), 625);
    EXPECT_EQ(ZoomedOut(625), 3750); // any other width, as the rule says
}

TEST(TimelineRules, HeaderStepsStartFromTheZoom) {
    // 625: a label every 2 hours with a tick at each hour between.
    EXPECT_EQ(HeaderSteps(625, 25, 625 / 24.0, 40), (THeaderSteps{2, 60}));
    EXPECT_EQ(HeaderSteps(1250, 25, 1250 / 24.0, 40), (THeaderSteps{1, 30}));
    // 5000 with the 15-minute unit: every hour, ticks every 15 minutes; 6 and 10 likewise.
    EXPECT_EQ(HeaderSteps(5000, 25, 5000 / 24.0, 40), (THeaderSteps{1, 15}));
    EXPECT_EQ(HeaderSteps(3750, 17, 3750 / 24.0, 40), (THeaderSteps{1, 10}));
    EXPECT_EQ(HeaderSteps(5000, 10, 5000 / 24.0, 40), (THeaderSteps{1, 6}));
    // Labels that do not fit make the step grow: 1 to 2, and the half-hour ticks hourly.
    EXPECT_EQ(HeaderSteps(1250, 25, 1250 / 24.0, 60), (THeaderSteps{2, 60}));
    // From 2 the next steps are 3, 4, 6, then 7, 8 ...
    EXPECT_EQ(HeaderSteps(625, 25, 10.0, 25), (THeaderSteps{3, 60}));
    EXPECT_EQ(HeaderSteps(625, 25, 10.0, 31), (THeaderSteps{4, 60}));
    EXPECT_EQ(HeaderSteps(625, 25, 10.0, 41), (THeaderSteps{6, 60}));
    EXPECT_EQ(HeaderSteps(625, 25, 10.0, 61), (THeaderSteps{7, 60}));
}

// Over every width of the day paint box: the labels fit (unless even a day's step cannot
// hold one), the step is the first that fits in the sequence 1, 2, 3, 4, 6, 7, 8, ..., and
// up to 6 it divides the day.
TEST(TimelineRules, HeaderStepsFitAtEveryWidth) {
    const std::vector<int> sequence{1,  2,  3,  4,  6,  7,  8,  9,  10, 11, 12, 13,
                                    14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    for (const int zoom : {625, 1250, 2500, 3750, 5000}) {
        for (int width = 24; width <= 7000; width += 7) {
            const double pph = width / 24.0;
            const int label = 38;
            const THeaderSteps steps = HeaderSteps(zoom, 25, pph, label);
            const int first = zoom == 625 ? 2 : 1;
            int expected = 24;
            for (const int step : sequence) {
                if (step >= first && std::nearbyint(step * pph) >= label) {
                    expected = step;
                    break;
                }
            }
            ASSERT_EQ(steps.StepHours, expected) << zoom << " " << width;
            if (steps.StepHours <= 6) {
                EXPECT_EQ(24 % steps.StepHours, 0);
            }
        }
    }
}

TEST(TimelineRules, TimeOfDayAndScrolling) {
    EXPECT_EQ(TimeOfDay(QTime(0, 0)), 0);
    EXPECT_EQ(TimeOfDay(QTime(12, 30)), 1250);
    EXPECT_EQ(TimeOfDay(QTime(9, 20, 24)), 934);
    EXPECT_EQ(TimeOfDay(QTime(23, 59, 59)), 2400);
    // A day of 1250 pixels in a view of 600 scrolling up to 650.
    EXPECT_EQ(ScrollPositionFor(0, 1250, 600, 1250, 650), 0);
    EXPECT_EQ(ScrollPositionFor(500, 1250, 600, 1250, 650), 0); // x 260 lies in the first half
    EXPECT_EQ(ScrollPositionFor(1200, 1250, 600, 1250, 650), 325);
    EXPECT_EQ(ScrollPositionFor(2400, 1250, 600, 1250, 650), 650);
}

TEST(TimelineRules, OvertimeShowsOnlyOnChargeableReportedBlocks) {
    const TBlockColours colours;
    TBlock block(900, 1000);
    block.Reportable = true;
    block.Chargeable = true;
    EXPECT_EQ(BlockColour(block, colours), colours.Standard);
    block.OverTime = true;
    EXPECT_EQ(BlockColour(block, colours), colours.Overtime);
    block.Chargeable = false;
    EXPECT_EQ(BlockColour(block, colours), colours.Uncharged);
    block.Reportable = false;
    EXPECT_EQ(BlockColour(block, colours), colours.Unreported);
    // The settings' defaults are the timeline's: yellow, blue, red and orange.
    const TBlockColours fromSettings = BlockColoursOf(TSetupPersonal{});
    EXPECT_EQ(fromSettings.Standard, 0x00FFFF);
    EXPECT_EQ(fromSettings.Unreported, 0xFF0000);
    EXPECT_EQ(fromSettings.Uncharged, 0x0000FF);
    EXPECT_EQ(fromSettings.Overtime, 0x0080FF);
    TSetupPersonal setup;
    setup.OvertimeColour = 0x123456;
    EXPECT_EQ(BlockColoursOf(setup).Overtime, 0x123456);
}
