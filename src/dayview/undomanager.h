#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QDate>
#include <QPointer>
#include <QString>
#include <QWidget>

class TBlock;
class TDay;

// What an undo step is about; the caption names it in the undo button's hint.
enum TUndoKind : std::uint8_t {
    ukNull = 0,
    ukDragStart = 1, // made before a gesture whose outcome is not known yet; relabelled at its end
    ukDaySelection = 2,
    ukCreate = 3,
    ukCopy = 4,
    ukMove = 5,
    ukDuration = 6,
    ukDetails = 7,
    ukDelete = 8,
};

// "day selection", "create new activity", ...; the two kinds that should never be seen by the
// user read "ERROR - ...".
QString UndoKindCaption(int kind);

// What undo steps do to the window they were recorded in.
class TUndoTarget {
public:
    virtual ~TUndoTarget() = default;
    // Empties the selection without validating it.
    virtual void UndoClearSelection() = 0;
    // Puts the calendar on date (through its change query) and the zoom buttons in order.
    virtual void UndoSelectDate(QDate date) = 0;
    // Puts a copy of day in the place of the loaded month's day of its date.
    virtual void UndoRestoreDay(const TDay& day) = 0;
    // The current day's block starting at blockStart takes the copy's times and details.
    virtual void UndoRestoreBlock(int blockStart, const TBlock& copy) = 0;
    // Selects the current day's block starting at blockStart (none for -1 or when there is
    // none), scrolls it into view and marks the month changed.
    virtual void UndoReselect(int blockStart) = 0;
    virtual void UndoFocus(QWidget* control) = 0;
};

// One undo step: the kind, the start of the block concerned (-1 for none) and how it merges
// with the step before it.
class TUndo {
public:
    TUndo(TUndoKind kind, int blockStart);
    virtual ~TUndo();
    TUndo(const TUndo&) = delete;
    TUndo& operator=(const TUndo&) = delete;

    virtual void Undo(TUndoTarget& target);
    // Whether this step, offered after other, repeats it (and is merged into it).
    virtual bool SameAs(const TUndo& other) const;

    std::uint8_t Kind;
    int BlockStart;
    bool Mergeable = false;
    // Merging takes the step before away too: the change was undone by hand.
    bool CancelsTop = false;
};

// The day shown before the calendar moved to another.
class TDaySelectionUndo : public TUndo {
public:
    TDaySelectionUndo(int blockStart, QDate date);
    void Undo(TUndoTarget& target) override;
    bool SameAs(const TUndo& other) const override;
    QDate Date;
};

// A whole day as it was before a change of its blocks.
class TChangeUndo : public TUndo {
public:
    TChangeUndo(TUndoKind kind, int blockStart, const TDay& day);
    ~TChangeUndo() override;
    void Undo(TUndoTarget& target) override;
    const TDay& Day() const { return *FDay; }

private:
    std::unique_ptr<TDay> FDay;
};

// One block as it was before a details control changed it.
class TControlUndo : public TUndo {
public:
    TControlUndo(QWidget* control, const TBlock* block);
    ~TControlUndo() override;
    void Undo(TUndoTarget& target) override;
    QWidget* Control() const { return FControl; }

protected:
    // Same class, same control, same block.
    bool SameControlAs(const TControlUndo* other) const;

private:
    QPointer<QWidget> FControl;
    std::unique_ptr<TBlock> FBlock;
};

class TComboUndo : public TControlUndo {
public:
    using TControlUndo::TControlUndo;
    bool SameAs(const TUndo& other) const override;
};

class TTextUndo : public TControlUndo {
public:
    using TControlUndo::TControlUndo;
    bool SameAs(const TUndo& other) const override;
};

// A second click on the same box of the same block takes the first one's step away.
class TCheckBoxUndo : public TControlUndo {
public:
    TCheckBoxUndo(QWidget* control, const TBlock* block);
    bool SameAs(const TUndo& other) const override;
};

// The day view's undo stack. It has no size limit and lives as long as the main window, across
// days and months; each step keeps one day's blocks or one block, never a month.
class TUndoManager {
public:
    explicit TUndoManager(TUndoTarget& target);
    ~TUndoManager();
    TUndoManager(const TUndoManager&) = delete;
    TUndoManager& operator=(const TUndoManager&) = delete;

    // Pushes the step, or merges it into the newest one; discarded while undoing or while
    // recording is off.
    void AddUndo(std::unique_ptr<TUndo> step, bool refreshButton);
    void RecordDaySelection(const TBlock* block, QDate date);
    // A copy of day, when one is given.
    void RecordChange(TUndoKind kind, const TDay* day, const TBlock* block);
    // A step of kind ukDragStart for a gesture that begins; EndChange gives it its kind.
    void BeginChange(const TDay* day, const TBlock* block);
    void EndChange(bool copy, bool duration);
    // A combo box, text or check-box step by the kind of control.
    void RecordControlChange(QWidget* control, const TBlock* block);

    // Carries out the newest step; a day selection is undone together with the step before
    // it. False when there was nothing to do.
    bool UndoLast();
    void DiscardLast();
    int LastKind() const;
    // The kind of the index-th step from the bottom (ukNull past the top).
    int KindAt(std::size_t index) const;
    bool SetLastKind(int kind);
    // "Undo " and the newest step's caption; false (and empty) when there is nothing a user
    // would call a step: an empty stack or a lone day selection.
    bool UndoCaption(QString& text) const;
    std::size_t Count() const { return FSteps.size(); }
    const TUndo* Top() const { return FSteps.empty() ? nullptr : FSteps.back().get(); }

    bool Undoing = false;
    bool Recording = true;
    bool ChangePending = false;
    // Refreshes the undo button (its enabling and hint).
    std::function<void()> OnRefreshButton;
    void RefreshButton();

private:

    TUndoTarget& FTarget;
    std::vector<std::unique_ptr<TUndo>> FSteps;
};
