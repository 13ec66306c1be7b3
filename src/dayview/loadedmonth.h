#pragma once

#include "dayview/undomanager.h"

#include <functional>
#include <memory>

#include <QDate>

class QWidget;
class TDay;
class TBlock;
class TMonth;

// The month of the day view: the current user's month of the calendar's date and its day for
// that date, and the one road every edit of that day takes. Saving never loses an edit: a
// month that cannot be written is reported (once, until a save succeeds again) and stays as
// it is in memory, so the next save tries again; every save writes the month whenever it
// differs from what was last written, whatever marked it.
class TLoadedMonth {
public:
    // A change of the day: false when it is refused (its undo step is then dropped and the
    // month is not touched). winner is set to the block that must win over the blocks it
    // overlaps; none when there is nothing to settle.
    using TChange = std::function<bool(TDay& day, TBlock*& winner)>;

    TLoadedMonth();
    ~TLoadedMonth();
    TLoadedMonth(const TLoadedMonth&) = delete;
    TLoadedMonth& operator=(const TLoadedMonth&) = delete;

    // The undo stack the edits record their steps on (none records nothing).
    void SetUndo(TUndoManager* undo) { FUndo = undo; }

    bool IsLoaded() const { return FMonth != nullptr; }
    TMonth* Month() const { return FMonth.get(); }
    TDay* Day() const { return FDay; }
    // Makes date the current day: the loaded month's day when date lies in it, otherwise the
    // month of date is read. A loaded month with unwritten changes is never let go for
    // another: then nothing changes and the result is false. A month file that cannot be
    // read raises EDataLineError or EInOutError and leaves nothing loaded.
    bool ShowDate(QDate date);
    bool HoldsDate(QDate date) const;
    // Puts a copy of day in the place of the month's day of its date (when the month holds
    // it); the current day is then the month's day of current.
    void RestoreDay(const TDay& day, QDate current);
    // Lets go of the month (and its day) without saving.
    void Release();

    // The road of an edit of the current day, in this order: the undo step of kind is
    // recorded (a copy of the day as it is, for the selected block), the change is applied,
    // the blocks it overlaps are settled in favour of its winner, and the month is marked
    // changed. False without a day or when the change was refused.
    bool Edit(TUndoKind kind, const TBlock* selected, const TChange& change, bool saveOnChange);
    // The same road for a change of block's details through control: the step keeps the
    // block as it was.
    void EditDetails(QWidget* control, TBlock* block, const std::function<void()>& change,
                     bool saveOnChange);
    // A gesture (an edge or a block dragged with the mouse) takes the road in two halves: its
    // step is recorded when it begins, it applies its change as the pointer moves, and its end
    // relabels the step (ukCopy, ukDuration or ukMove), settles the winner's overlaps and
    // marks the month changed. A gesture that leaves the day as it was leaves no step.
    void BeginGesture(const TBlock* selected);
    void EndGesture(bool copy, bool duration, TBlock* winner, bool saveOnChange);
    // A gesture given up: its step is dropped.
    void CancelGesture();

    // The month differs from what was last written (or read).
    bool Modified() const;
    // The last part of the road (undo steps take it too): the month is changed, and with
    // saveOnChange it is saved at once.
    void MarkModified(bool saveOnChange);
    // Writes the month when it is loaded and differs from what was last written. A write
    // that fails is reported in an error box naming the file, unless the save before failed
    // too; the month stays as it is. True unless the write failed.
    bool SaveIfModified();
    // The last save failed (and no save succeeded since).
    bool SaveFailing() const { return FSaveFailing; }

    // The in-use lists must be built again: set whenever a month file is written.
    bool InUseListsStale = false;

private:
    void SettleAndMark(TBlock* winner, bool saveOnChange);

    std::unique_ptr<TMonth> FMonth;
    TDay* FDay = nullptr;
    TUndoManager* FUndo = nullptr;
    bool FSaveFailing = false;
};
