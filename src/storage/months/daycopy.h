#pragma once

#include <functional>
#include <vector>

#include <QDate>

class TDay;

// How copied blocks meet the time already on the day they are laid on.
enum class TPasteMode {
    // The copied blocks win: what they cover is cut back, split or removed, as a drop does.
    Replace,
    // Only the parts of the copied blocks that fall into the day's free time are laid.
    OnlyFreeTime
};

// What laying one day's blocks on another day did.
struct TDayCopyResult {
    QDate Date;
    bool Locked = false; // the day was skipped, nothing laid
    int BlocksLaid = 0;  // blocks or pieces of blocks added
    int BlocksCut = 0;   // blocks that were there and were cut back, split or removed
};

// Whether the day holds any block.
bool DayHasTime(const TDay& day);

// Lays copies of the blocks of from (every detail kept) on to at the same times, in order of
// their starts. With Replace each copy settles its overlaps in turn; with OnlyFreeTime the free
// time is that of to before anything is laid, and a copy is laid in as many pieces as it has
// free stretches. from and to may not be the same day.
TDayCopyResult CopyDayBlocks(const TDay& from, TDay& to, TPasteMode mode);

// Lays from[i] on to[i] for every i (both lists of the same length, from entries may be none
// for a day without blocks), skipping the days that isLocked says are locked (none is given:
// no day is locked). One result for each target day, in order.
std::vector<TDayCopyResult> CopyDays(const std::vector<const TDay*>& from,
                                     const std::vector<TDay*>& to, TPasteMode mode,
                                     const std::function<bool(QDate)>& isLocked = {});
