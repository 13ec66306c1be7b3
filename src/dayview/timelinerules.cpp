#include "timelinerules.h"

#include "base/rounding.h"
#include "storage/months/block.h"
#include "storage/settings/setuppersonal.h"

#include <algorithm>
#include <cmath>

int SnapZoom(int width) {
    for (const int level : ZoomLevels)
        if (width <= level)
            return level;
    return ZoomLevels.back();
}

int ZoomedIn(int width) {
    switch (width) {
    case 625:
        return 1250;
    case 1250:
        return 2500;
    case 2500:
        return 3750;
    default:
        return 5000;
    }
}

int ZoomedOut(int width) {
    switch (width) {
    case 1250:
        return 625;
    case 2500:
        return 1250;
    case 3750:
        return 2500;
    default:
        return 3750;
    }
}

THeaderSteps HeaderSteps(int zoomWidth, int timeStep, double pixelsPerHour, int labelWidth) {
    THeaderSteps steps;
    if (zoomWidth == 625) {
        steps = {2, 60};
    } else if (zoomWidth == 1250 || zoomWidth == 2500) {
        steps = {1, 30};
    } else {
        steps = {1, RoundToNearest(timeStep * 60 / 100.0)};
    }
    constexpr int LongestStep = 24;
    while (RoundToNearest(steps.StepHours * pixelsPerHour) < labelWidth &&
           steps.StepHours < LongestStep) {
        ++steps.StepHours;
        if (steps.MinorMinutes == 30)
            steps.MinorMinutes = 60;
        while (24 % steps.StepHours != 0 && steps.StepHours < 6)
            ++steps.StepHours;
    }
    return steps;
}

int TimeOfDay(QTime clock) {
    const double hours = clock.hour() + clock.minute() / 60.0 + clock.second() / 3600.0;
    return std::min(2400, RoundToNearest(hours * 100));
}

int ScrollPositionFor(int time, int dayWidth, int viewWidth, int zoomWidth, int maximum) {
    const int position = RoundToNearest(time / 2400.0 * dayWidth);
    const int half = viewWidth / 2;
    if (half >= position)
        return 0;
    if (position < zoomWidth - half)
        return position - half;
    return maximum;
}

TBlockColours BlockColoursOf(const TSetupPersonal& setup) {
    return {setup.StandardColour, setup.UnreportedColour, setup.UnchargedColour,
            setup.OvertimeColour};
}

int BlockColour(const TBlock& block, const TBlockColours& colours) {
    if (!block.Reportable)
        return colours.Unreported;
    if (!block.Chargeable)
        return colours.Uncharged;
    return block.OverTime ? colours.Overtime : colours.Standard;
}
