#pragma once

#include <array>

#include <QTime>

class TBlock;
struct TSetupPersonal;

// The rules of the day timeline that need no window: zoom levels, the header's label steps,
// scrolling positions and block colours.

// Widths of the whole timeline at 96 ppi, from the narrowest.
inline constexpr std::array<int, 5> ZoomLevels = {625, 1250, 2500, 3750, 5000};
inline constexpr int DefaultZoomWidth = 1250;
// A stored width made one of the levels: the first level at or above it (625 at most 625,
// 5000 above 3750).
int SnapZoom(int width);
int ZoomedIn(int width);
int ZoomedOut(int width);

// How the header is divided: a label every StepHours hours and minor ticks every
// MinorMinutes minutes between labels.
struct THeaderSteps {
    int StepHours = 1;
    int MinorMinutes = 30;
    bool operator==(const THeaderSteps&) const = default;
};
// The steps for a timeline of zoomWidth (at 96 ppi) in the unit timeStep (10, 17 or 25),
// drawn at pixelsPerHour, with labels labelWidth pixels wide: the step grows until the labels
// fit, through the divisors of 24 up to 6 and then hour by hour.
THeaderSteps HeaderSteps(int zoomWidth, int timeStep, double pixelsPerHour, int labelWidth);

// The time of day of clock, in hundredths of an hour, at most 2400.
int TimeOfDay(QTime clock);

// The scroll position that shows time in the middle of a view viewWidth wide over a day
// dayWidth wide, zoomWidth being the timeline's width at 96 ppi; maximum is the scroll range.
int ScrollPositionFor(int time, int dayWidth, int viewWidth, int zoomWidth, int maximum);

// The four block colours as colour numbers (red in the low byte), from the settings' Colours.
struct TBlockColours {
    int Standard = 0x00FFFF;
    int Unreported = 0xFF0000;
    int Uncharged = 0x0000FF;
    int Overtime = 0x0080FF;
};
// The colours of the personal settings ([Colours]).
TBlockColours BlockColoursOf(const TSetupPersonal& setup);
// Not reported: Unreported; reported but not chargeable: Uncharged; chargeable overtime:
// Overtime; else Standard. Overtime shows only on a chargeable, reported block.
int BlockColour(const TBlock& block, const TBlockColours& colours);
