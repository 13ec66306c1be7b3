#pragma once

#include <QCursor>

// The cursors of a block drag on the timeline: "TIMEFLYS" for a move, "TIMEFLYSPLUS" for a
// copy (Ctrl held). Pictures of the program's resources, with the hot spot at the arrow's tip;
// the double-size pictures are used on high-density screens.
QCursor TimeFlysCursor(bool copy, qreal devicePixelRatio);
