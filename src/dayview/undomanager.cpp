#include "undomanager.h"

#include "storage/months/block.h"
#include "storage/months/day.h"

#include <QCheckBox>
#include <QComboBox>

QString UndoKindCaption(int kind) {
    switch (kind) {
    case ukDragStart:
        return QStringLiteral("ERROR - Drag Start");
    case ukDaySelection:
        return QStringLiteral("day selection");
    case ukCreate:
        return QStringLiteral("create new activity");
    case ukCopy:
        return QStringLiteral("copy activity");
    case ukMove:
        return QStringLiteral("move activity");
    case ukDuration:
        return QStringLiteral("change activity duration");
    case ukDetails:
        return QStringLiteral("change activity details");
    case ukDelete:
        return QStringLiteral("delete activity");
    default:
        return QStringLiteral("ERROR - Null type");
    }
}

namespace {
int StartOf(const TBlock* block) {
    return block ? block->StartTime : -1;
}
} // namespace

TUndo::TUndo(TUndoKind kind, int blockStart) : Kind(kind), BlockStart(blockStart) {}

TUndo::~TUndo() = default;

void TUndo::Undo(TUndoTarget& target) {
    target.UndoReselect(BlockStart);
}

bool TUndo::SameAs(const TUndo&) const {
    return false;
}


TDaySelectionUndo::TDaySelectionUndo(int blockStart, QDate date)
    : TUndo(ukDaySelection, blockStart), Date(date) {
    Mergeable = true;
}

void TDaySelectionUndo::Undo(TUndoTarget& target) {
    target.UndoSelectDate(Date);
    TUndo::Undo(target);
}

bool TDaySelectionUndo::SameAs(const TUndo& other) const {
    return dynamic_cast<const TDaySelectionUndo*>(&other) != nullptr;
}

TChangeUndo::TChangeUndo(TUndoKind kind, int blockStart, const TDay& day)
    : TUndo(kind, blockStart), FDay(TDay::CreateCopy(day)) {}

TChangeUndo::~TChangeUndo() = default;

void TChangeUndo::Undo(TUndoTarget& target) {
    target.UndoRestoreDay(*FDay);
    TUndo::Undo(target);
}

TControlUndo::TControlUndo(QWidget* control, const TBlock* block)
    : TUndo(ukDetails, StartOf(block)), FControl(control),
      FBlock(block ? TBlock::CreateDuplicate(*block) : nullptr) {
    Mergeable = true;
}

TControlUndo::~TControlUndo() = default;

void TControlUndo::Undo(TUndoTarget& target) {
    if (FBlock) {
        target.UndoRestoreBlock(BlockStart, *FBlock);
        target.UndoClearSelection();
    }
    TUndo::Undo(target);
    if (FControl && FControl->isVisible() && FControl->isEnabled())
        target.UndoFocus(FControl);
}

bool TControlUndo::SameControlAs(const TControlUndo* other) const {
    return other && other->FControl == FControl && other->BlockStart == BlockStart;
}

bool TComboUndo::SameAs(const TUndo& other) const {
    return SameControlAs(dynamic_cast<const TComboUndo*>(&other));
}

bool TTextUndo::SameAs(const TUndo& other) const {
    return SameControlAs(dynamic_cast<const TTextUndo*>(&other));
}

TCheckBoxUndo::TCheckBoxUndo(QWidget* control, const TBlock* block)
    : TControlUndo(control, block) {
    CancelsTop = true;
}

bool TCheckBoxUndo::SameAs(const TUndo& other) const {
    return SameControlAs(dynamic_cast<const TCheckBoxUndo*>(&other));
}

TUndoManager::TUndoManager(TUndoTarget& target) : FTarget(target) {}

TUndoManager::~TUndoManager() = default;

void TUndoManager::RefreshButton() {
    if (OnRefreshButton)
        OnRefreshButton();
}

void TUndoManager::AddUndo(std::unique_ptr<TUndo> step, bool refreshButton) {
    if (Undoing || !Recording)
        return;
    if (step->Mergeable && !FSteps.empty() && step->SameAs(*FSteps.back())) {
        if (step->CancelsTop)
            FSteps.pop_back();
    } else {
        FSteps.push_back(std::move(step));
    }
    if (refreshButton)
        RefreshButton();
}

void TUndoManager::RecordDaySelection(const TBlock* block, QDate date) {
    AddUndo(std::make_unique<TDaySelectionUndo>(StartOf(block), date), true);
}

void TUndoManager::RecordChange(TUndoKind kind, const TDay* day, const TBlock* block) {
    if (day)
        AddUndo(std::make_unique<TChangeUndo>(kind, StartOf(block), *day), true);
}

void TUndoManager::BeginChange(const TDay* day, const TBlock* block) {
    if (!day)
        return;
    AddUndo(std::make_unique<TChangeUndo>(ukDragStart, StartOf(block), *day), false);
    ChangePending = true;
}

void TUndoManager::EndChange(bool copy, bool duration) {
    SetLastKind(copy ? ukCopy : duration ? ukDuration : ukMove);
    ChangePending = false;
    RefreshButton();
}

void TUndoManager::RecordControlChange(QWidget* control, const TBlock* block) {
    std::unique_ptr<TUndo> step;
    if (qobject_cast<QCheckBox*>(control))
        step = std::make_unique<TCheckBoxUndo>(control, block);
    else if (qobject_cast<QComboBox*>(control))
        step = std::make_unique<TComboUndo>(control, block);
    else
        step = std::make_unique<TTextUndo>(control, block);
    AddUndo(std::move(step), true);
}

bool TUndoManager::UndoLast() {
    if (!Recording || FSteps.empty())
        return false;
    Undoing = true;
    bool goOn = true;
    while (goOn) {
        FTarget.UndoClearSelection();
        FSteps.back()->Undo(FTarget);
        const std::unique_ptr<TUndo> done = std::move(FSteps.back());
        FSteps.pop_back();
        // A day selection goes together with the step before it, unless that is the lone
        // day selection at the bottom of the stack.
        goOn = done->Kind == ukDaySelection && !FSteps.empty() &&
               !(FSteps.size() == 1 && FSteps.front()->Kind == ukDaySelection);
    }
    // A change still pending had its step at the top: it has been taken back with it.
    ChangePending = false;
    RefreshButton();
    Undoing = false;
    return true;
}

void TUndoManager::DiscardLast() {
    if (!FSteps.empty())
        FSteps.pop_back();
}

int TUndoManager::LastKind() const {
    return FSteps.empty() ? int(ukNull) : int(FSteps.back()->Kind);
}

int TUndoManager::KindAt(std::size_t index) const {
    return index < FSteps.size() ? int(FSteps[index]->Kind) : int(ukNull);
}

bool TUndoManager::SetLastKind(int kind) {
    if (FSteps.empty() || FSteps.back()->Kind == ukDaySelection)
        return false;
    FSteps.back()->Kind = static_cast<std::uint8_t>(kind);
    return true;
}

bool TUndoManager::UndoCaption(QString& text) const {
    if (FSteps.empty() || (FSteps.size() == 1 && FSteps.front()->Kind == ukDaySelection)) {
        text.clear();
        return false;
    }
    text = QStringLiteral("Undo ") + UndoKindCaption(FSteps.back()->Kind);
    return true;
}

