#pragma once

#include "dayview/timelinerules.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTime>

class QPainter;
class TBlock;
class TDay;
struct TDayView;

// Painting of the day timeline onto whatever device the painter draws on: the geometry of the
// timeline (TDayView) gives every position, so the same calls serve the window, images in
// tests and benchmarks.

// The timeline's font: Tahoma 8 points (registered at start), or the nearest there is.
QFont TimelineFont();

// Fills the day grey and paints its blocks in list order; the total hours of the blocks
// included in reports, in whole minutes.
double PaintDay(QPainter& painter, const TDay& day, const TDayView& view, const TBlock* selected,
                const TBlockColours& colours);
// One block: its colour, a black outline, the client, project and activity (with the remarks
// on one line) clipped to the text area, and a dotted frame when selected.
void PaintBlock(QPainter& painter, const TDayView& view, const TBlock& block,
                const TBlockColours& colours, bool selected);
// The rectangle the outline of a dragged block is drawn on.
QRect DragOutlineRect(const TDayView& view, const TBlock& block);
// The x range a block covers: from x1 to x2 (exclusive).
int BlockLeft(const TDayView& view, const TBlock& block);
int BlockRight(const TDayView& view, const TBlock& block);

// The day's hours label: the duration text (empty for no hours), red when a weekday falls
// short of the target.
struct TDayHoursLabel {
    QString Text;
    QColor Color;
};
TDayHoursLabel DayHoursLabel(double hours, int weekDay, double targetHours, bool decimal);

// What the header needs besides its size.
struct THeaderView {
    int ZoomWidth = DefaultZoomWidth;
    int TimeStep = 25;
    int ViewStart = 0;
    int ViewHours = 24;
    bool ShowsToday = false;
    QTime Now;
    int MarkerColour = TBlockColours().Standard;
};
// The width of an hour label, as the header measures it: "20:00" in the short time format
// followed by "XX".
int HeaderLabelWidth(const QFont& font);
// The header: the current-time marker on today, the top line, labels and ticks.
void PaintHeader(QPainter& painter, QSize size, const THeaderView& view);
