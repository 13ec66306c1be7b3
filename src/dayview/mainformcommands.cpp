// The main window's commands: the keys the window sees before the focused control, the block
// clipboard, the favourite, the one-minute timer with the reminder, and the tool-bar buttons
// that open other windows.
#include "mainform.h"

#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "base/waitingmessages.h"
#include "calendar/calendarappearance.h"
#include "calendar/graphiccalendar.h"
#include "dayview/blockdetailspanel.h"
#include "dayview/blockpalette.h"
#include "dayview/searchpanel.h"
#include "dayview/timelineview.h"
#include "reporting/layouts/reportavailability.h"
#include "storage/months/block.h"
#include "storage/server/inuselists.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/values/timevalues.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QSoundEffect>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int TickMilliseconds = 60000;

// Plays a wave file without waiting for it; false when it cannot be read.
bool PlayWaveFile(const QString& file) {
    if (!QFileInfo(file).isReadable())
        return false;
    auto* sound = new QSoundEffect(qApp);
    QObject::connect(sound, &QSoundEffect::statusChanged, sound, [sound] {
        if (sound->status() == QSoundEffect::Error) {
            QApplication::beep();
            sound->deleteLater();
        }
    });
    QObject::connect(sound, &QSoundEffect::playingChanged, sound, [sound] {
        if (!sound->isPlaying() && sound->status() == QSoundEffect::Ready)
            sound->deleteLater();
    });
    sound->setSource(QUrl::fromLocalFile(file));
    sound->play();
    return true;
}

bool IsArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// A control whose own text Ctrl+C, X, V and Delete edit: the remarks, the search values, the
// rate, the date pickers.
bool IsTextControl(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget);
}

// The "New" command a digit or H stands for in the unit of time (step); -1 for none.
int NewItemOfKey(int key, int step) {
    const bool six = step == StepFromMinutes(6);
    const bool ten = step == StepFromMinutes(10);
    switch (key) {
    case Qt::Key_6:
        return six ? 0 : -1;
    case Qt::Key_1:
        return six ? 1 : 0;
    case Qt::Key_2:
        return ten ? 1 : -1;
    case Qt::Key_3:
        return six || ten ? 2 : 1;
    case Qt::Key_4:
        return six || ten ? 3 : 2;
    case Qt::Key_H:
        return 4;
    default:
        return -1;
    }
}

bool IsTextEditingKey(int key) {
    return key == Qt::Key_C || key == Qt::Key_X || key == Qt::Key_V || key == Qt::Key_Delete;
}
} // namespace

void TMainForm::CreateTimer() {
    PlaySound = PlayWaveFile;
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(TickMilliseconds);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTick(); });
    Timer->start();
}

// The window handles a key once, where it first arrives: at the focused control (or at the
// window when nothing has the focus), before the control itself.
bool TMainForm::IsWindowKeyReceiver(QObject* watched) const {
    if (FClosedDown || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus->window() == this ? widget == focus : widget == this;
}

bool TMainForm::KeyDown(QKeyEvent& event) {
    const int key = event.key();
    const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    FCopyKeyDown = ctrl || key == Qt::Key_Control;
    if (FGesture == TGesture::Dragging)
        ShowDragCursor();
    if (ctrl && !event.isAutoRepeat() && RunCtrlCommand(key))
        return true;
    if (ctrl && FSelectedBlock) {
        if ((key == Qt::Key_Left || key == Qt::Key_Right) && gpbxDetails->edtRemarks->hasFocus())
            return false;
        if (IsArrow(key) && !FHoursLocked) {
            if (key == Qt::Key_Left || key == Qt::Key_Right)
                NudgeSelected(key == Qt::Key_Left ? -1 : 1);
            return true;
        }
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            const bool back = key == Qt::Key_Backtab || event.modifiers().testFlag(Qt::ShiftModifier);
            SelectNeighbour(back ? -1 : 1, false);
            return true;
        }
    }
    if (!FSelectedBlock && IsArrow(key)) {
        const int days = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : key == Qt::Key_Up ? -7 : 7;
        Calendar->SetDate(Calendar->Date().addDays(days));
        return true;
    }
    return false;
}

void TMainForm::KeyUp(QKeyEvent& event) {
    const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    FCopyKeyDown = ctrl && event.key() != Qt::Key_Control;
    if (FGesture == TGesture::Dragging)
        ShowDragCursor();
}

// The Ctrl commands, carried out when their key goes down (so that a Ctrl let go a moment
// before the letter loses nothing); the first row that matches. True when the key was the
// window's: false leaves it to the focused control. In a text control C, X, V and Delete edit
// its text; copying or cutting text there also empties the block clipboard, so that a later
// Ctrl+V pastes the text and no block.
bool TMainForm::RunCtrlCommand(int key) {
    if (FHoursLocked)
        return false;
    if (IsTextEditingKey(key) && IsTextControl(QApplication::focusWidget())) {
        if (key == Qt::Key_C || key == Qt::Key_X)
            FClipboardBlock.reset();
        return false;
    }
    // Nothing is undone, cut or pasted under a block that is being dragged or stretched.
    if (FGesture != TGesture::Idle && FGesture != TGesture::PressedOnBody)
        return false;
    const int item = NewItemOfKey(key, TimeStep());
    if (item >= 0) {
        NewBlock(std::size_t(item), true);
        return true;
    }
    return RunBlockCommand(key);
}

bool TMainForm::RunBlockCommand(int key) {
    switch (key) {
    case Qt::Key_Z:
        // With nothing for the window to undo, a text control takes back its own typing.
        if (!btnUndo->isEnabled())
            return false;
        UndoLast();
        return true;
    case Qt::Key_V:
        PasteBlock(true);
        return true;
    case Qt::Key_F:
        NewFavouriteBlock(true);
        return true;
    case Qt::Key_R:
        ClearFavourite();
        return true;
    default:
        break;
    }
    if (!FSelectedBlock)
        return false;
    switch (key) {
    case Qt::Key_X:
        CutBlock();
        return true;
    case Qt::Key_C:
        CopyBlock();
        return true;
    case Qt::Key_Delete:
        DeleteBlock(FSelectedBlock, PersonalSettings().Setup.ConfirmDeletes);
        return true;
    case Qt::Key_S:
        SetFavourite();
        return true;
    default:
        return false;
    }
}

void TMainForm::CopyBlock() {
    if (!FSelectedBlock)
        return;
    FClipboardBlock = TBlock::CreateDuplicate(*FSelectedBlock);
    QApplication::clipboard()->clear();
}

void TMainForm::CutBlock() {
    if (!FSelectedBlock || FHoursLocked)
        return;
    CopyBlock();
    DeleteBlock(FSelectedBlock, false);
}

void TMainForm::PasteBlock(bool fromKeyboard) {
    TDay* day = CurrentDay();
    if (!FClipboardBlock || !day || FHoursLocked || !IsBlockComplete(FSelectedBlock, true))
        return;
    StoreBlockDetails(FSelectedBlock, spSilent, false);
    const int time = fromKeyboard ? Timeline->CurrentTimeOfDay() : Timeline->View().XToTime(PopupX);
    const std::size_t steps = FUndo->Count();
    TBlock* pasted = nullptr;
    FLoaded.Edit(
        ukCopy, FSelectedBlock,
        [&](TDay& editDay, TBlock*& winner) {
            const int length = FClipboardBlock->EndTime - FClipboardBlock->StartTime;
            FClipboardBlock->StartTime = SnapDown(time);
            FClipboardBlock->EndTime = std::min(FClipboardBlock->StartTime + length, DayEnd);
            pasted = winner = &editDay.Append(std::move(FClipboardBlock));
            return true;
        },
        PersonalSettings().Setup.SaveOnChange);
    SelectEditedBlock(pasted, steps);
    if (fromKeyboard)
        Timeline->ScrollToBlock(pasted);
    FClipboardBlock = TBlock::CreateDuplicate(*pasted);
}

void TMainForm::SetFavourite() {
    if (!FSelectedBlock)
        return;
    PersonalSettings().FavouriteBlock = TBlock::CreateDuplicate(*FSelectedBlock);
    ShowFavourite();
}

void TMainForm::ClearFavourite() {
    if (!PersonalSettings().FavouriteBlock)
        return;
    PersonalSettings().FavouriteBlock.reset();
    ShowFavourite();
}

void TMainForm::TimerTick() {
    if (FTimerStopped || !Timer->isActive())
        return;
    Timer->stop();
    Timeline->pbxHeader->update(); // the current-time marker moves on
    TSetupPersonal& personal = PersonalSettings().Setup;
    RotatePictureWhenDue(*Calendar, personal.Calendar, personal.LastUse);
    const int interval = PersonalSettings().Setup.ReminderInterval;
    if (interval > 0 && ++IdleMinutes >= interval && !MessageBoxShowing) {
        IdleMinutes = std::max(interval - 5, 0);
        RemindUser();
    }
    if (!FTimerStopped)
        Timer->start();
}

void TMainForm::RemindUser() {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized); // back as it was, maximised or not
    LetWaitingMessagesThrough();
    QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
    });
    const QString sound = PersonalSettings().Setup.ReminderPlaySound;
    if (!sound.isEmpty() && QApplication::focusWindow() && !(PlaySound && PlaySound(sound)))
        QApplication::beep();
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        IdleMinutes = 0;
}

// The windows of the reports, the export and the set-up come with later versions; their
// buttons do what comes before opening them and say so.
void TMainForm::OpenWindowOfButton(const QString& what) {
    IdleMinutes = 0;
    if (!IsBlockComplete(FSelectedBlock, true))
        return;
    SaveMonthIfModified();
    ShowMessageBox(what + QStringLiteral(" will come with a later version of Quillhour."),
                   TMsgKind::Information, mbOK);
}

void TMainForm::OpenTimeReportWindow() {
    if (!OpenTimeReport) {
        OpenWindowOfButton(QStringLiteral("Time reports"));
        return;
    }
    IdleMinutes = 0;
    if (!IsBlockComplete(FSelectedBlock, true))
        return;
    SaveMonthIfModified();
    MessageBoxShowing = true; // the report window clears it when it closes
    OpenTimeReport();
}

void TMainForm::OpenExportDataWindow() {
    if (!OpenExportData) {
        OpenWindowOfButton(QStringLiteral("Exporting"));
        return;
    }
    IdleMinutes = 0;
    if (!IsBlockComplete(FSelectedBlock, true))
        return;
    SaveMonthIfModified();
    MessageBoxShowing = true; // the export window clears it when it closes
    if (!OpenExportData()) {
        MessageBoxShowing = false;
        ShowMessageBox(QStringLiteral("There are no export formats available - define these in the "
                                      "Setup Form"),
                       TMsgKind::Error, mbOK);
    }
}

void TMainForm::OpenSetupWindow(bool listMaintenance) {
    IdleMinutes = 0;
    if (!OpenSetup) {
        ShowMessageBox(QStringLiteral("The set-up window will come with a later version of "
                                      "Quillhour."),
                       TMsgKind::Information, mbOK);
        return;
    }
    MessageBoxShowing = true;
    OpenSetup(listMaintenance);
    MessageBoxShowing = false;
}

void TMainForm::MarkInUseListsStale() {
    FLoaded.InUseListsStale = true;
}

TDateRange TMainForm::SelectedWeek() const {
    return WeekRange(AdminSettings().FirstDayOfWeek, Calendar->Date());
}

TDateRange TMainForm::SelectedMonth() const {
    return ThisMonthRange(Calendar->Date());
}

void TMainForm::RefreshStaleInUseLists() {
    if (!FLoaded.InUseListsStale)
        return;
    try {
        TMoment lastEntry;
        if (RebuildInUseLists(LocalDataPath(), InUseClientProjectList, InUseCategoryActivityList,
                              lastEntry, false, false))
            SaveInUseLists(LocalDataPath(), InUseClientProjectList, InUseCategoryActivityList);
        FLoaded.InUseListsStale = false;
    } catch (const EInOutError& error) {
        ShowMessageBox(error.Message(), TMsgKind::Error, mbOK);
    }
}

void TMainForm::RefreshAfterSetup() {
    FUndo->Recording = false;
    const bool stale = FLoaded.InUseListsStale; // month files written since still count
    LoadLists();
    FLoaded.InUseListsStale = FLoaded.InUseListsStale || stale;
    FUndo->Recording = true;
    if (FSelectedBlock)
        FSelectionSnapshot = TBlock::CreateDuplicate(*FSelectedBlock);
    ApplySettings(); // details, palette, billing layout, timeline, calendar's first day
    Timeline->pbxHeader->update();
    update();
}
