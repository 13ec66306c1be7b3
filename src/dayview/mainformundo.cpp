// The main window's undo stack: the button, the menu item and Ctrl+Z, and what the steps do
// to the day view.
#include "mainform.h"

#include "calendar/graphiccalendar.h"
#include "dayview/timelineview.h"
#include "storage/months/block.h"
#include "storage/months/day.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

void TMainForm::CreateUndo() {
    FUndo = std::make_unique<TUndoManager>(static_cast<TUndoTarget&>(*this));
    FUndo->OnRefreshButton = [this] { UpdateUndoButton(); };
    FLoaded.SetUndo(FUndo.get());
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    // Ctrl+Z is shown beside the item; the window's key handling carries it out.
    menuUndo = PopupMenu->addAction(QStringLiteral("&Undo\tCtrl+Z"));
    menuUndo->setObjectName(QStringLiteral("menuUndo"));
    menuUndo->setEnabled(false);
    connect(menuUndo, &QAction::triggered, this, [this] { UndoLast(); });
    connect(btnUndo, &QToolButton::clicked, this, [this] { UndoLast(); });
}

void TMainForm::UndoLast() {
    if (!FHoursLocked)
        FUndo->UndoLast();
}

void TMainForm::UpdateUndoButton() {
    QString caption;
    const bool enabled = FUndo->UndoCaption(caption) && !FHoursLocked;
    btnUndo->setEnabled(enabled);
    btnUndo->setToolTip(enabled ? caption : QStringLiteral("Undo"));
    btnUndo->setAccessibleName(btnUndo->toolTip());
    menuUndo->setEnabled(enabled);
    IdleMinutes = 0; // every edit refreshes the button
}

void TMainForm::UndoClearSelection() {
    SelectBlock(nullptr);
}

void TMainForm::UndoSelectDate(QDate date) {
    Calendar->SetDate(date);
    Timeline->UpdateZoomButtons();
}

void TMainForm::UndoRestoreDay(const TDay& day) {
    FLoaded.RestoreDay(day, Calendar->Date());
    Timeline->SetDay(CurrentDay());
}

void TMainForm::UndoRestoreBlock(int blockStart, const TBlock& copy) {
    if (!CurrentDay())
        return;
    if (TBlock* block = CurrentDay()->FindByStart(blockStart))
        block->Assign(copy);
}

void TMainForm::UndoReselect(int blockStart) {
    TBlock* block =
        CurrentDay() && blockStart >= 0 ? CurrentDay()->FindByStart(blockStart) : nullptr;
    Timeline->ScrollToBlock(block);
    FSelectionSnapshot = block ? TBlock::CreateDuplicate(*block) : nullptr;
    SelectBlock(block);
    Timeline->RepaintDay();
    MarkModified();
}

void TMainForm::UndoFocus(QWidget* control) {
    control->setFocus(Qt::OtherFocusReason);
}
