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
#include <QPlainTextEdit>
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
    // Ctrl+Z is the window's undo (on release); a text box must not undo its own typing on
    // the press as well, or one Ctrl+Z would take back two things.
    if (ctrl && key == Qt::Key_Z && !FHoursLocked && btnUndo->isEnabled())
        return true;
    if (ctrl && FSelectedBlock) {
        if (key == Qt::Key_C)
            return false;
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
    if (ctrl && !FHoursLocked && !event.isAutoRepeat())
        RunCtrlCommand(event.key());
}

// The Ctrl commands, carried out when their key is released; the first row that matches.
void TMainForm::RunCtrlCommand(int key) {
    // Nothing is undone, cut or pasted under a block that is being dragged or stretched.
    if (FGesture != TGesture::Idle && FGesture != TGesture::PressedOnBody)
        return;
    const int step = TimeStep();
    const bool six = step == StepFromMinutes(6);
    const bool ten = step == StepFromMinutes(10);
    const bool quarter = !six && !ten;
    switch (key) {
    case Qt::Key_Z:
        if (btnUndo->isEnabled())
            UndoLast();
        break;
    case Qt::Key_X:
        if (FSelectedBlock)
            CutBlock();
        break;
    case Qt::Key_C:
        if (FSelectedBlock && gpbxDetails->edtRemarks->hasFocus())
            FClipboardBlock.reset(); // the memo copies text: no block is pasted after it
        else if (FSelectedBlock)
            CopyBlock();
        break;
    case Qt::Key_V:
        PasteBlock(true);
        break;
    case Qt::Key_Delete:
        if (FSelectedBlock)
            DeleteBlock(FSelectedBlock, PersonalSettings().Setup.ConfirmDeletes);
        break;
    case Qt::Key_6:
        if (six)
            NewBlock(0, true);
        break;
    case Qt::Key_1:
        NewBlock(six ? 1 : 0, true);
        break;
    case Qt::Key_2:
        if (ten)
            NewBlock(1, true);
        break;
    case Qt::Key_3:
        NewBlock(quarter ? 1 : 2, true);
        break;
    case Qt::Key_4:
        NewBlock(quarter ? 2 : 3, true);
        break;
    case Qt::Key_H:
        NewBlock(4, true);
        break;
    case Qt::Key_F:
        NewFavouriteBlock(true);
        break;
    case Qt::Key_S:
        if (FSelectedBlock)
            SetFavourite();
        break;
    case Qt::Key_R:
        ClearFavourite();
        break;
    default:
        break;
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
    const int time = fromKeyboard ? Timeline->CurrentTimeOfDay() : day->XToTime(PopupX);
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
