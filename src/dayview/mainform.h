#pragma once

#include "dayview/dayviewgeometry.h"
#include "dayview/loadedmonth.h"
#include "dayview/timelinerules.h"
#include "dayview/undomanager.h"
#include "storage/months/day.h"

#include <array>
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/values/calendardates.h"

#include <functional>
#include <memory>

#include <QColor>
#include <QIcon>
#include <QList>
#include <QMainWindow>

class QAction;
class QKeyEvent;
class QFrame;
class QMenu;
class QToolButton;
class TBlock;
class TBlockDetailsPanel;
class TPalettePicture;
class TSearchPanel;
class TGraphicCalendar;
class TTimelineView;

// The main window: the day view of the current user. It owns the state of the day view (the
// loaded month, the selection, the lists, the locked hours) and carries the rules that join
// its panels; each panel is a widget of its own that shows what it is given and reports what
// the user does. The form's methods are spread over source files by topic: mainform.cpp
// (creation, layout, window events), mainformdetails.cpp (selection, block details,
// saving, locked hours), mainformundo.cpp (the undo stack and what its steps do) and
// mainformediting.cpp (the palette and the gestures on the timeline).
class TMainForm : public QMainWindow, private TUndoTarget {
    Q_OBJECT
public:
    // What StoreBlockDetails is called for.
    enum TStorePurpose { spSilent = 0, spSelectBlock = 1, spNewBlock = 2, spChangeDay = 4 };

    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The work to do when the window closes (saving, backups, help windows).
    void SetStopSequence(std::function<void()> stop) { FStopSequence = std::move(stop); }
    // Reads the shared and in-use lists and the month of the calendar's date; called once the
    // settings are loaded.
    void LoadData();
    // Takes the settings into the panels (after they were loaded or changed).
    void ApplySettings();
    // Before the first showing: the search panel hidden, the size (or maximised state), the
    // monitor and the zoom of the personal settings.
    void ApplyWindowSettings();
    // Shows or hides the search panel; the window grows or shrinks by its width and stays
    // on the screen.
    void ToggleSearchPanel();
    // The close sequence: the month saved, the lists' local copies and the in-use lists
    // written, the settings saved, the data backed up, the help windows closed. Runs once.
    void CloseDown();
    bool ClosedDown() const { return FClosedDown; }

    // Makes the calendar's date the current day.
    void LoadSelectedDay();
    void SelectBlock(TBlock* block);
    // Hands the details shown to block; false when they are incomplete and the caller must not
    // go on (see TStorePurpose; closing offers to delete the incomplete block).
    bool StoreBlockDetails(TBlock* block, int purpose, bool closing);
    bool IsBlockComplete(const TBlock* block, bool showMessage);
    void MarkModified();
    void SaveMonthIfModified();
    // Locks or unlocks the hours as the lock button does; locking is refused while the shown
    // details are incomplete. True when the hours are locked afterwards.
    bool SetHoursLocked(bool locked);

    // Makes a block from DropSource at the time of x (or, from the keyboard, at the current
    // time); nothing while an edge is dragged, hours are locked or the selected block is
    // incomplete.
    void CreateBlockAt(bool fromKeyboard, int x);
    // Removes block, asking first when confirm is set and the block has details.
    void DeleteBlock(TBlock* block, bool confirm);
    // Moves the selected block one unit of time earlier (-1) or later (+1).
    void NudgeSelected(int direction);
    // The block before (-1) or after (+1) the selected one; from the menu the shown details
    // are checked first.
    void SelectNeighbour(int direction, bool fromMenu);
    // The pictures of the palette for the unit of time, in the colour of new blocks.
    void SetupPalette();
    // The favourite picture as the favourite block is.
    void ShowFavourite();
    // The block clipboard: a copy of the selected block (the system clipboard is emptied);
    // cut copies and deletes; paste puts the copy at the menu's place or, from the keyboard, at
    // the current time, and keeps a new copy so that it can be pasted again.
    void CopyBlock();
    void CutBlock();
    void PasteBlock(bool fromKeyboard);
    const TBlock* ClipboardBlock() const { return FClipboardBlock.get(); }
    void SetFavourite();
    void ClearFavourite();
    // A new block from the favourite (its length and details).
    void NewFavouriteBlock(bool fromKeyboard);
    // The block of the item-th "New" command.
    void NewBlock(std::size_t item, bool fromKeyboard);
    // One tick of the minute timer: the current-time marker and the reminder.
    void TimerTick();
    // After the set-up window's OK: lists, details, palette, billing layout and calendar.
    void RefreshAfterSetup();
    // The calendar's week (from the configured first day of the week) and month.
    TDateRange SelectedWeek() const;
    TDateRange SelectedMonth() const;
    // Rebuilds and saves the in-use lists when month files were written since they were built.
    void RefreshStaleInUseLists();
    // Opens the time report window (set by the program; without it the button says that the
    // window is not there).
    std::function<void()> OpenTimeReport;
    // Opens the Export Data window; false when there is no export format to list.
    std::function<bool()> OpenExportData;
    // The Help menu's tips and About windows.
    std::function<void()> OpenTips;
    std::function<void()> OpenAbout;
    // Shows the set-up window modally (set by the program); listMaintenance when the start-up
    // question about empty lists opens it. True after OK, when the window has already told
    // this one to refresh (RefreshAfterSetup).
    std::function<bool(bool listMaintenance)> OpenSetup;
    // The set-up window wrote the shared lists: the in-use lists are rebuilt before the next
    // report or export.
    void MarkInUseListsStale();

    // Minutes without activity, counted by the reminder.
    int IdleMinutes = 0;
    // Plays the reminder's sound file; false when it cannot be played (then the system beeps).
    std::function<bool(const QString& file)> PlaySound;
    // The one-minute timer; the tests call TimerTick instead of waiting.
    class QTimer* Timer = nullptr;

    TBlock* SelectedBlock() const { return FSelectedBlock; }
    const TBlock* SelectionSnapshot() const { return FSelectionSnapshot.get(); }
    bool HoursLocked() const { return FHoursLocked; }
    bool MonthModified() const { return FLoaded.Modified(); }
    bool InUseListsStale() const { return FLoaded.InUseListsStale; }
    TDay* CurrentDay() const { return FLoaded.Day(); }
    TMonth* LoadedMonth() const { return FLoaded.Month(); }

    TUndoManager& UndoManager() const { return *FUndo; }
    // Carries out the newest undo step (the undo button, its menu item and Ctrl+Z).
    void UndoLast();
    // Enables the undo button (with the step's name as its hint) when there is a step to undo
    // and the hours are not locked.
    void UpdateUndoButton();

    // The colour dialog's sixteen custom colours, shared by every colour button of the program.
    QList<QColor> SharedCustomColours;

    TClients ClientProjectList;
    TCategories CategoryActivityList;
    TClients InUseClientProjectList;
    TCategories InUseCategoryActivityList;

    QWidget* pnlButtons = nullptr;
    QToolButton* sbToday = nullptr;
    QToolButton* btnMorning = nullptr;
    QToolButton* btnDayTime = nullptr;
    QToolButton* btnNight = nullptr;
    QToolButton* sbLock = nullptr;
    QToolButton* btnUndo = nullptr;
    QToolButton* btnSearch = nullptr;
    QToolButton* btnSummary = nullptr;
    QToolButton* btnExportData = nullptr;
    QToolButton* sbnSetup = nullptr;
    QToolButton* btnHelp = nullptr;
    QToolButton* btnClose = nullptr;
    QWidget* pnlCalendar = nullptr;
    QFrame* pnlCalendarControl = nullptr;
    TGraphicCalendar* Calendar = nullptr;
    QWidget* pnlDayView = nullptr;
    QFrame* pnlTimeView = nullptr;
    QWidget* pnlDay = nullptr;
    QWidget* pnlTime = nullptr;
    QWidget* edtTakeFocus = nullptr;
    TTimelineView* Timeline = nullptr;
    QWidget* pnlData = nullptr;
    TSearchPanel* pnlSearch = nullptr;
    QMenu* mnuHelp = nullptr;
    TBlockDetailsPanel* gpbxDetails = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* menuUndo = nullptr;
    QAction* menuCut = nullptr;
    QAction* menuCopy = nullptr;
    QAction* menuPaste = nullptr;
    QAction* menuDelete = nullptr;
    QAction* menuSetFavourite = nullptr;
    QAction* menuClearFavourite = nullptr;
    std::array<QAction*, 5> menuNew{};
    QAction* menuNewFavourite = nullptr;
    QAction* menuMoveEarlier = nullptr;
    QAction* menuMoveLater = nullptr;
    QAction* menuSelectPrevious = nullptr;
    QAction* menuSelectNext = nullptr;
    // img1 ... img6, and the one of them that is the favourite picture.
    std::array<TPalettePicture*, 6> Palette{};
    TPalettePicture* FavouritePicture = nullptr;
    // The picture a palette drag started from (or a "New" command stands for).
    TPalettePicture* DropSource = nullptr;
    int PopupX = 0;
    QIcon imgLock;
    QIcon imgUnlock;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateToolBar();
    void ConnectToolBar();
    void CreateSearchPanel();
    void OpenSearchEntry(QDate date, int startTime);
    void CreateHelpMenu();
    void LayOutToolBar(int width);
    int MaximumClientWidth(bool searching) const;
    void UpdateMaximumWidth();
    void KeepOnScreen();
    void CreateCalendar();
    void CreateDayView();
    void CreateDetails();
    void MarkCalendarDays();
    void LayOut();
    int Scaled(int pixels) const;
    QToolButton* NewToolButton(const char* name, int left, const QString& hint, const QIcon& icon);

    void LoadLists();
    void CopySharedDataDown();
    void ShowDayOfCalendar(QDate previous);
    void DetailsChanged(QWidget* control);
    void DayPressed(class QMouseEvent& event);
    void LockClicked();
    void FocusFirstEmptyControl();
    void CreateUndo();
    void SelectEditedBlock(TBlock* block, std::size_t stepsBefore);
    void TakeBackIncompleteBlock(TBlock* block);
    void CreateTimer();
    bool IsWindowKeyReceiver(QObject* watched) const;
    bool KeyDown(QKeyEvent& event);
    void KeyUp(QKeyEvent& event);
    bool RunCtrlCommand(int key);
    bool RunBlockCommand(int key);
    void RemindUser();
    void OpenWindowOfButton(const QString& what);
    void OpenTimeReportWindow();
    void OpenExportDataWindow();
    void OpenSetupWindow(bool listMaintenance);
    void CreatePalette();
    void CreateEditingMenu();
    void CreateNewItems();
    void SetupNewItems(const std::array<struct TPaletteSlot, 6>& slots);
    void DayReleased(class QMouseEvent& event);
    void DayMoved(class QMouseEvent& event);
    void SetDayCursor(int x);
    void StartBlockDrag();
    void DragOver(int x);
    void EndBlockDrag(int x, bool overDay);
    void FinishRelease(Qt::MouseButton button, int x, QPoint globalPosition);
    void PalettePressed(TPalettePicture& picture, QMouseEvent& event);
    void PaletteMoved(TPalettePicture& picture, QMouseEvent& event);
    void PaletteReleased(TPalettePicture& picture, QMouseEvent& event);
    bool IsOverDay(QPoint globalPosition, int& x) const;
    bool PastDragThreshold(QPoint globalPosition) const;
    void UpdateEditingMenu();
    void ShowDragCursor();
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool CloseQuery();

    void UndoClearSelection() override;
    void UndoSelectDate(QDate date) override;
    void UndoRestoreDay(const TDay& day) override;
    void UndoRestoreBlock(int blockStart, const TBlock& copy) override;
    void UndoReselect(int blockStart) override;
    void UndoFocus(QWidget* control) override;
    bool SaveBeforeClose();

    // Where a gesture on the timeline or the palette stands.
    enum class TGesture { Idle, PressedOnBody, Resizing, Dragging, PalettePressed, PaletteDrag };
    TGesture FGesture = TGesture::Idle;
    TBlock* FResizeBlock = nullptr;
    TBlock* FDragBlock = nullptr;
    std::unique_ptr<TBlock> FDragStartCopy;
    std::unique_ptr<TBlock> FClipboardBlock;
    bool FTimerStopped = false;
    int FPressX = 0;
    int FLastDragX = 0;
    THitZone FPressZone = hzBody;
    QPoint FPressGlobal;
    bool FCopyKeyDown = false;
    bool FPressInProgress = false;
    QString FDayHint;
    std::array<TPalettePicture*, 5> FNewPictures{};

    TLoadedMonth FLoaded;
    std::unique_ptr<TUndoManager> FUndo;
    TBlock* FSelectedBlock = nullptr;
    std::unique_ptr<TBlock> FSelectionSnapshot;
    // The undo steps there were when the selected block was selected (or, for a block just
    // made, before it was made): the steps above belong to its editing.
    std::size_t FSelectionUndoMark = 0;
    bool FHoursLocked = false;
    // The shared lists come from the local folder because the server's was not reachable.
    bool FUseLocalData = false;
    bool FUpdating = false;
    bool FShown = false;
    bool FClosedDown = false;
    int FStoredZoom = DefaultZoomWidth;
    void FirstShow();
    void AskFirstQuestions();
    void AskForIncompleteLists();
    void PlaceHelpBesideWindow();
    void StoreWindowSettings();
    std::function<void()> FStopSequence;
    bool FStopped = false;
};
