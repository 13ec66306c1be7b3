#pragma once

class TBlock;
class TDay;

// Where on a block the pointer is.
enum THitZone { hzBody = 0, hzStartEdge = 1, hzEndEdge = 2 };

// The block under a position of the timeline (none between blocks) and where on it.
struct TDayHit {
    TBlock* Block = nullptr;
    THitZone Zone = hzBody;
};

// The geometry of the timeline a day is drawn on: positions in pixels and times of the day,
// both ways. The days themselves know nothing of pixels; the timeline holds one of these.
struct TDayView {
    int FirstTime = 0; // time at the left edge
    int Hours = 24;    // hours the timeline spans
    int Width = 0;     // pixels
    int Height = 0;    // pixels
    double PixelsPerHundredth = 0;

    static TDayView Make(int firstTime, int hours, int width, int height);
    // A new width, and the pixels per hundredth that follow from it.
    void SetWidth(int width);

    // Timeline positions and times, both ways, rounded to the nearest (halves to even); not
    // clamped to the day. A view without a width maps every position to its first time.
    int XToTime(int x) const;
    int TimeToX(int time) const;
    // The position of a block's edge at time, as the hit test and the painting round it.
    int EdgeX(int time) const;
    // The first block of day in list order whose span holds the time at x (both ends
    // included), and whether x lies on its start edge (less than 3 pixels off), on its end
    // edge (at most 3 pixels off) or in its body; the start edge is tested first.
    TDayHit HitTest(const TDay& day, int x) const;

    // The day's edits by pointer positions (TDay's by times): a block moved from the time at
    // fromX by whole units of time to the time at toX, toX becoming the position it reached;
    // an edge of zone (none for the body) moved to the time at x.
    bool DragMoveBlock(TDay& day, TBlock* block, int fromX, int& toX) const;
    bool ResizeBlockEdge(TDay& day, TBlock* block, int x, THitZone zone) const;
};
