#include "loadedmonth.h"

#include "base/ioerror.h"
#include "base/messages.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/month.h"

TLoadedMonth::TLoadedMonth() = default;

TLoadedMonth::~TLoadedMonth() = default;

bool TLoadedMonth::HoldsDate(QDate date) const {
    return FMonth && FMonth->Year == date.year() && FMonth->Month == date.month();
}

bool TLoadedMonth::ShowDate(QDate date) {
    if (FMonth && !HoldsDate(date)) {
        if (Modified())
            return false;
        Release();
    }
    if (!FMonth)
        FMonth = std::make_unique<TMonth>(date.year(), date.month());
    FDay = FMonth->DayByNumber(date.day());
    return true;
}

void TLoadedMonth::RestoreDay(const TDay& day, QDate current) {
    if (!HoldsDate(day.Date))
        return;
    FMonth->ReplaceDay(day);
    if (HoldsDate(current))
        FDay = FMonth->DayByNumber(current.day());
}

void TLoadedMonth::Release() {
    FDay = nullptr;
    FMonth.reset();
    FSaveFailing = false;
}

bool TLoadedMonth::Edit(TUndoKind kind, const TBlock* selected, const TChange& change,
                        bool saveOnChange) {
    if (!FDay)
        return false;
    const std::size_t steps = FUndo ? FUndo->Count() : 0;
    if (FUndo)
        FUndo->RecordChange(kind, FDay, selected);
    TBlock* winner = nullptr;
    if (!change(*FDay, winner)) {
        if (FUndo && FUndo->Count() > steps) {
            FUndo->DiscardLast();
            FUndo->RefreshButton();
        }
        return false;
    }
    SettleAndMark(winner, saveOnChange);
    return true;
}

void TLoadedMonth::EditDetails(QWidget* control, TBlock* block,
                               const std::function<void()>& change, bool saveOnChange) {
    if (!FDay || !block)
        return;
    if (FUndo)
        FUndo->RecordControlChange(control, block);
    change();
    SettleAndMark(block, saveOnChange);
}

void TLoadedMonth::BeginGesture(const TBlock* selected) {
    if (FUndo && FDay)
        FUndo->BeginChange(FDay, selected);
}

void TLoadedMonth::EndGesture(bool copy, bool duration, TBlock* winner, bool saveOnChange) {
    if (!FDay)
        return;
    if (FUndo) {
        FUndo->EndChange(copy, duration);
        // A press on an edge and a release without a move change nothing: no step for it.
        const auto* step = dynamic_cast<const TChangeUndo*>(FUndo->Top());
        if (step && step->Day().Date == FDay->Date && step->Day().Equals(*FDay)) {
            FUndo->DiscardLast();
            FUndo->RefreshButton();
            return;
        }
    }
    SettleAndMark(winner, saveOnChange);
}

void TLoadedMonth::CancelGesture() {
    if (!FUndo || !FUndo->ChangePending)
        return;
    FUndo->DiscardLast();
    FUndo->ChangePending = false;
    FUndo->RefreshButton();
}

// A change that leaves only an incomplete block changed is not saved at once (the block is
// written with the next save); one that cut other blocks is, so that the file never keeps
// time the timeline shows cut away.
void TLoadedMonth::SettleAndMark(TBlock* winner, bool saveOnChange) {
    const bool cut = FDay->SettleOverlaps(winner);
    MarkModified(saveOnChange && (!winner || winner->IsComplete() || cut));
}

bool TLoadedMonth::Modified() const {
    return FMonth && FMonth->IsModified();
}

void TLoadedMonth::MarkModified(bool saveOnChange) {
    if (FMonth && saveOnChange)
        SaveIfModified();
}

bool TLoadedMonth::SaveIfModified() {
    if (!FMonth)
        return true;
    try {
        if (FMonth->Save())
            InUseListsStale = true;
    } catch (const EInOutError& error) {
        if (!FSaveFailing)
            ShowMessageBox(error.Text(), TMsgKind::Error, mbOK);
        FSaveFailing = true;
        return false;
    }
    FSaveFailing = false;
    return true;
}
