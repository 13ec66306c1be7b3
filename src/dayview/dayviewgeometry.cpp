#include "dayviewgeometry.h"

#include "base/rounding.h"
#include "storage/months/block.h"
#include "storage/months/day.h"

#include <algorithm>
#include <cstdlib>

TDayView TDayView::Make(int firstTime, int hours, int width, int height) {
    TDayView view;
    view.FirstTime = firstTime;
    view.Hours = hours;
    view.Height = height;
    view.SetWidth(width);
    return view;
}

void TDayView::SetWidth(int width) {
    Width = width;
    PixelsPerHundredth = Hours > 0 ? static_cast<double>(width) / (Hours * 100.0) : 0.0;
}

int TDayView::XToTime(int x) const {
    if (Width <= 0)
        return FirstTime;
    return RoundToNearest(double(x) / Width * Hours * 100 + FirstTime);
}

int TDayView::TimeToX(int time) const {
    if (Hours <= 0)
        return 0;
    return RoundToNearest(double(time - FirstTime) / (Hours * 100) * Width);
}

int TDayView::EdgeX(int time) const {
    return RoundToNearest((time - FirstTime) * PixelsPerHundredth);
}

TDayHit TDayView::HitTest(const TDay& day, int x) const {
    const int time = XToTime(x);
    const auto found = std::find_if(day.Blocks.begin(), day.Blocks.end(), [time](const auto& block) {
        return block->StartTime <= time && time <= block->EndTime;
    });
    if (found == day.Blocks.end())
        return {};
    TBlock* block = found->get();
    if (std::abs(x - EdgeX(block->StartTime)) < 3)
        return {block, hzStartEdge};
    if (std::abs(x - EdgeX(block->EndTime)) <= 3)
        return {block, hzEndEdge};
    return {block, hzBody};
}

bool TDayView::DragMoveBlock(TDay& day, TBlock* block, int fromX, int& toX) const {
    int time = XToTime(toX);
    if (!day.DragMoveBlock(block, XToTime(fromX), time))
        return false;
    toX = TimeToX(time);
    return true;
}

bool TDayView::ResizeBlockEdge(TDay& day, TBlock* block, int x, THitZone zone) const {
    if (zone == hzBody)
        return false;
    return day.ResizeBlockEdge(block, XToTime(x),
                               zone == hzStartEdge ? TBlockEdge::Start : TBlockEdge::End);
}
