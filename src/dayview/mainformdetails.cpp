// The main window's selection, block details, saving and locked hours.
#include "mainform.h"

#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "calendar/graphiccalendar.h"
#include "dayview/blockdetailspanel.h"
#include "dayview/detailsrules.h"
#include "dayview/timelinerules.h"
#include "dayview/timelineview.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/values/timevalues.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace {
bool SaveOnChange() {
    return PersonalSettings().Setup.SaveOnChange;
}

bool BillingActive() {
    return AdminSettings().BillingInfoActive;
}

void ShowLoadError(const EInOutError& error) {
    ShowMessageBox(error.Text(), TMsgKind::Error, mbOK);
}
} // namespace

void TMainForm::LoadSelectedDay() {
    const QDate date = Calendar->Date();
    const TDay* day = CurrentDay();
    if (FLoaded.IsLoaded() && day && day->Date == date)
        return;
    const QDate previous = day ? day->Date : QDate();
    if (FLoaded.IsLoaded()) {
        if (previous != date)
            FUndo->RecordDaySelection(FSelectedBlock, previous);
        SaveMonthIfModified();
        StoreBlockDetails(FSelectedBlock, spChangeDay, false);
    }
    ShowDayOfCalendar(previous);
}

// The month of the calendar's date is read unless it is the loaded one. A loaded month whose
// changes could not be written is kept, and the calendar goes back to its day, so that the
// edits stay in memory for the next save.
void TMainForm::ShowDayOfCalendar(QDate previous) {
    SelectBlock(nullptr);
    bool shown = false;
    try {
        shown = FLoaded.ShowDate(Calendar->Date());
    } catch (const EInOutError& error) {
        ShowLoadError(error);
        shown = true;
    }
    if (!shown && previous.isValid()) {
        FUpdating = true;
        Calendar->SetDate(previous);
        FUpdating = false;
    }
    Timeline->SetDay(CurrentDay());
    Timeline->lblDayHours->clear();
    Timeline->RepaintDay();
}

void TMainForm::SelectBlock(TBlock* block) {
    if (block && block == FSelectedBlock)
        return;
    if (block && !StoreBlockDetails(FSelectedBlock, spSelectBlock, false))
        return;
    if (SaveOnChange())
        SaveMonthIfModified();
    FSelectedBlock = block;
    FSelectionUndoMark = FUndo->Count();
    if (block) {
        gpbxDetails->SetDetailsEnabled(!FHoursLocked);
        FSelectionSnapshot = TBlock::CreateDuplicate(*block);
        gpbxDetails->ShowBlockDetails(block, FSelectionSnapshot.get(), FHoursLocked);
    } else {
        // The block being dragged or stretched is forgotten with the selection.
        FDragBlock = nullptr;
        FResizeBlock = nullptr;
        FDragStartCopy.reset();
        if (FGesture == TGesture::Dragging || FGesture == TGesture::Resizing) {
            FGesture = TGesture::Idle;
            Timeline->DrawDragOutline(nullptr);
        }
        gpbxDetails->ClearBlockDetails();
        gpbxDetails->SetDetailsEnabled(false);
    }
    Timeline->SetSelectedBlock(block);
}

bool TMainForm::StoreBlockDetails(TBlock* block, int purpose, bool closing) {
    if (!block)
        return true;
    const TDetailsEntry entry = gpbxDetails->Entry();
    const bool billing = BillingActive();
    const int code = entry.Code >= 0 ? entry.Code : BlockCode(*block);
    const bool complete = block->UpdateFromEntry(
        CurrentUserName(), entry.Client, entry.Project, entry.Category, entry.Activity,
        entry.Remarks, entry.OverTime, entry.Reportable, entry.Chargeable, billing,
        static_cast<std::uint8_t>(code), rsUser, entry.RateText, AdminSettings().CurrencySymbol);
    if (complete || (purpose == spSilent && !closing))
        return true;
    if (!closing) {
        ShowMessageBox(IncompleteBlockMessage(billing), TMsgKind::Error, mbOK);
        FocusFirstEmptyControl();
        return false;
    }
    if (ShowMessageBox(IncompleteOnCloseQuestion(billing), TMsgKind::Confirmation,
                       mbOKCancel) != mrOk)
        return false;
    TakeBackIncompleteBlock(block);
    return true;
}

// Deleting the incomplete block on closing takes back what was done to the day since it was
// selected (its creation, the blocks it cut, its moves and details), so that no block stays
// cut for a block that is not kept; then the block is removed unless it was made meanwhile.
void TMainForm::TakeBackIncompleteBlock(TBlock* block) {
    const std::size_t mark = FSelectionUndoMark;
    const int firstKind = FUndo->Count() > mark ? FUndo->KindAt(mark) : int(ukNull);
    bool undone = false;
    while (FUndo->Count() > mark && FUndo->LastKind() != ukDaySelection && FUndo->UndoLast())
        undone = true;
    if (undone && (firstKind == ukCreate || firstKind == ukCopy))
        return; // the block was made by the steps taken back: it is gone with them
    TBlock* left = undone ? FSelectedBlock : block;
    if (!left)
        return;
    if (left == FSelectedBlock) {
        FSelectedBlock = nullptr;
        Timeline->SetSelectedBlock(nullptr);
    }
    if (CurrentDay())
        CurrentDay()->Remove(left);
}

bool TMainForm::IsBlockComplete(const TBlock* block, bool showMessage) {
    if (!block || gpbxDetails->IsEntryComplete())
        return true;
    if (showMessage) {
        ShowMessageBox(IncompleteBlockMessage(BillingActive()), TMsgKind::Error, mbOK);
        FocusFirstEmptyControl();
    }
    return false;
}

void TMainForm::FocusFirstEmptyControl() {
    if (QWidget* control = gpbxDetails->FirstEmptyControl())
        control->setFocus(Qt::OtherFocusReason);
}

void TMainForm::MarkModified() {
    FLoaded.MarkModified(SaveOnChange());
}

void TMainForm::SaveMonthIfModified() {
    FLoaded.SaveIfModified();
}

void TMainForm::DetailsChanged(QWidget* control) {
    TBlock* block = FSelectedBlock;
    if (!block)
        return;
    // The rate that follows a new billing code belongs to the same step.
    const bool codeChanged = control == gpbxDetails->cmbBillingCode;
    const bool recording = FUndo->Recording;
    // An incomplete block is not saved at once (it is written with the next save).
    const bool saveNow = SaveOnChange() && IsBlockComplete(block, false);
    FLoaded.EditDetails(
        control, block,
        [&] {
            if (codeChanged) {
                FUndo->Recording = false;
                gpbxDetails->FillRateFromCode();
            }
            StoreBlockDetails(block, spSilent, false);
        },
        saveNow);
    Timeline->RepaintDay();
    if (codeChanged || control == gpbxDetails->edtBillingRate)
        gpbxDetails->ShowExtendedCharge(block);
    FUndo->Recording = recording;
}

void TMainForm::LockClicked() {
    SetHoursLocked(sbLock->isChecked());
}

bool TMainForm::SetHoursLocked(bool locked) {
    if (locked && !FHoursLocked && !IsBlockComplete(FSelectedBlock, true))
        locked = false;
    const bool unlocking = FHoursLocked && !locked;
    FHoursLocked = locked;
    sbLock->setIcon(locked ? imgLock : imgUnlock);
    sbLock->setChecked(locked);
    gpbxDetails->SetDetailsEnabled(!locked && FSelectedBlock);
    // The boxes that stay disabled while empty are told apart again.
    if (unlocking && FSelectedBlock)
        gpbxDetails->ShowBlockDetails(FSelectedBlock, FSelectionSnapshot.get(), false);
    pnlTime->setEnabled(!locked);
    if (locked)
        Timeline->pbxDay->setCursor(Qt::ArrowCursor);
    UpdateUndoButton();
    return locked;
}

bool TMainForm::CloseQuery() {
    return StoreBlockDetails(FSelectedBlock, spSilent, true);
}

// Writes what is not written yet. When the month cannot be written the error has been shown;
// the user may then stay (and try again later) or close and lose the changes.
bool TMainForm::SaveBeforeClose() {
    if (!FLoaded.IsLoaded())
        return true;
    StoreBlockDetails(FSelectedBlock, spSilent, false);
    if (FLoaded.SaveIfModified())
        return true;
    return ShowMessageBox(QStringLiteral("Your changes to this month could not be saved.") +
                              QStringLiteral("\t\r") +
                              QStringLiteral("Close Quillhour anyway and lose them?"),
                          TMsgKind::Confirmation, mbYesNo | mbDefaultNo) == mrYes;
}
