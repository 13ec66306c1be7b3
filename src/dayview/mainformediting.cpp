// The main window's block editing: the palette, the gestures on the timeline (press, edge
// drags, block drags and copies, palette drops) and the editing commands (delete, nudge,
// previous and next block). Gestures are tracked from the widgets' own mouse events.
#include "mainform.h"

#include "base/messages.h"
#include "calendar/colornumber.h"
#include "dayview/blockdetailspanel.h"
#include "dayview/blockpalette.h"
#include "dayview/dragcursors.h"
#include "dayview/timelinerules.h"
#include "dayview/timelineview.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/windowgeometry.h"
#include "storage/values/timevalues.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QToolButton>

namespace {
constexpr int PictureSize = 31;
// A press becomes a drag once the pointer has moved this far (at 96 ppi).
constexpr int DragThreshold = 5;
constexpr std::array<int, 6> PictureLefts{4, 40, 76, 112, 148, 184};

QString DeleteQuestion(const TBlock& block, bool decimal) {
    const QString lineBreak = QStringLiteral("\r\n");
    return QStringLiteral("Delete this activity block?") + lineBreak + lineBreak +
           QStringLiteral("Time:     \t") + block.TimeRangeText() + lineBreak +
           QStringLiteral("Duration:  \t") + block.DurationText(decimal) + lineBreak +
           QStringLiteral("Client:    \t") + block.Client + lineBreak +
           QStringLiteral("Project:   \t") + block.Project + lineBreak +
           QStringLiteral("Activity:   \t") + block.Activity;
}
} // namespace

void TMainForm::CreatePalette() {
    for (std::size_t index = 0; index < Palette.size(); ++index) {
        auto* picture = new TPalettePicture(pnlTime);
        picture->setObjectName(QStringLiteral("img%1").arg(index + 1));
        picture->setGeometry(Scaled(PictureLefts[index]), Scaled(4), Scaled(PictureSize),
                             Scaled(PictureSize));
        picture->OnMousePress = [this](TPalettePicture& p, QMouseEvent& e) { PalettePressed(p, e); };
        picture->OnMouseMove = [this](TPalettePicture& p, QMouseEvent& e) { PaletteMoved(p, e); };
        picture->OnMouseRelease = [this](TPalettePicture& p, QMouseEvent& e) {
            PaletteReleased(p, e);
        };
        Palette[index] = picture;
    }
    Timeline->pbxDay->setMouseTracking(true);
    FDayHint = Timeline->pbxDay->toolTip();
    qApp->installEventFilter(this); // the window sees every key before the focused control
}

void TMainForm::SetupPalette() {
    const std::array<TPaletteSlot, 6> slots = PaletteSlots(TimeStep());
    const QColor standard = ColorOfNumber(BlockColoursOf(PersonalSettings().Setup).Standard);
    FavouritePicture = nullptr;
    for (std::size_t index = 0; index < Palette.size(); ++index) {
        TPalettePicture* picture = Palette[index];
        picture->setVisible(slots[index].Minutes >= 0);
        picture->setEnabled(true);
        if (slots[index].Minutes > 0)
            picture->ShowBlock(slots[index].Minutes, standard);
        else if (slots[index].Minutes == 0)
            FavouritePicture = picture;
    }
    SetupNewItems(slots);
    ShowFavourite();
}

void TMainForm::ShowFavourite() {
    if (!FavouritePicture)
        return;
    TBlock* favourite = PersonalSettings().FavouriteBlock.get();
    FavouritePicture->ShowFavourite(favourite != nullptr);
    if (favourite) {
        // The summary's lines end with LF CR; a hint draws the CR as a space at the start of
        // the next line.
        FavouritePicture->setToolTip(favourite->SummaryText(AdminSettings().CurrencySymbol)
                                         .replace(QStringLiteral("\n\r"), QStringLiteral("\n")));
        TDay::SnapBlock(favourite);
    } else {
        FavouritePicture->setToolTip(QStringLiteral("Favourite activity block"));
    }
    FavouritePicture->setAccessibleName(QStringLiteral("Favourite activity block"));
}

void TMainForm::CreateEditingMenu() {
    PopupMenu->addSeparator();
    const auto item = [this](const char* name, const char* caption, const char* keys) {
        // The keys are shown beside the item; the window's key handling carries them out.
        QAction* action = PopupMenu->addAction(QString::fromLatin1(caption) + QLatin1Char('\t') +
                                               QString::fromLatin1(keys));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    menuCut = item("menuCut", "Cu&t", "Ctrl+X");
    menuCopy = item("menuCopy", "&Copy", "Ctrl+C");
    menuPaste = item("menuPaste", "&Paste", "Ctrl+V");
    PopupMenu->addSeparator();
    menuDelete = item("menuDelete", "&Delete", "Ctrl+Del");
    PopupMenu->addSeparator();
    CreateNewItems();
    PopupMenu->addSeparator();
    menuMoveEarlier = item("menuMoveEarlier", "Move Earlier", "Ctrl+Left");
    menuMoveLater = item("menuMoveLater", "Move Later", "Ctrl+Right");
    PopupMenu->addSeparator();
    menuSelectPrevious = item("menuSelectPrevious", "Select Previous Block", "Ctrl+Shift+Tab");
    menuSelectNext = item("menuSelectNext", "Select Next Block", "Ctrl+Tab");
    PopupMenu->addSeparator();
    menuSetFavourite = item("menuSetFavourite", "&Set Favourite", "Ctrl+S");
    menuClearFavourite = item("menuClearFavourite", "Clea&r Favourite", "Ctrl+R");
    connect(menuCut, &QAction::triggered, this, [this] { CutBlock(); });
    connect(menuCopy, &QAction::triggered, this, [this] { CopyBlock(); });
    connect(menuPaste, &QAction::triggered, this, [this] { PasteBlock(false); });
    connect(menuDelete, &QAction::triggered, this,
            [this] { DeleteBlock(FSelectedBlock, PersonalSettings().Setup.ConfirmDeletes); });
    connect(menuMoveEarlier, &QAction::triggered, this, [this] { NudgeSelected(-1); });
    connect(menuMoveLater, &QAction::triggered, this, [this] { NudgeSelected(1); });
    connect(menuSelectPrevious, &QAction::triggered, this, [this] { SelectNeighbour(-1, true); });
    connect(menuSelectNext, &QAction::triggered, this, [this] { SelectNeighbour(1, true); });
    connect(menuSetFavourite, &QAction::triggered, this, [this] { SetFavourite(); });
    connect(menuClearFavourite, &QAction::triggered, this, [this] { ClearFavourite(); });
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] { UpdateEditingMenu(); });
}

// The "New" items: one per block picture and the favourite. Their captions and keys follow
// the unit of time (SetupPalette); from the menu a block is made where the menu was opened,
// from the keyboard at the current time.
void TMainForm::CreateNewItems() {
    for (std::size_t index = 0; index < menuNew.size(); ++index) {
        menuNew[index] = PopupMenu->addAction(QString());
        menuNew[index]->setObjectName(QStringLiteral("menuNew%1").arg(index + 1));
        connect(menuNew[index], &QAction::triggered, this, [this, index] { NewBlock(index, false); });
    }
    menuNewFavourite = PopupMenu->addAction(QStringLiteral("New &Favourite\tCtrl+F"));
    menuNewFavourite->setObjectName(QStringLiteral("menuNewFavourite"));
    connect(menuNewFavourite, &QAction::triggered, this, [this] { NewFavouriteBlock(false); });
}

void TMainForm::NewBlock(std::size_t item, bool fromKeyboard) {
    if (item >= FNewPictures.size() || !FNewPictures[item])
        return;
    DropSource = FNewPictures[item];
    CreateBlockAt(fromKeyboard, PopupX);
}

void TMainForm::NewFavouriteBlock(bool fromKeyboard) {
    DropSource = FavouritePicture;
    CreateBlockAt(fromKeyboard, PopupX);
}

// The item and key of each block picture: in the 15-minute unit the four pictures belong to
// the first, second, third and fifth item, and the fourth item is hidden.
void TMainForm::SetupNewItems(const std::array<TPaletteSlot, 6>& slots) {
    const bool quarterHours = slots[4].Minutes == 0;
    const std::array<int, 5> itemOfPicture =
        quarterHours ? std::array<int, 5>{0, 1, 2, 4, -1} : std::array<int, 5>{0, 1, 2, 3, 4};
    for (std::size_t item = 0; item < menuNew.size(); ++item) {
        menuNew[item]->setVisible(false);
        FNewPictures[item] = nullptr;
    }
    for (std::size_t picture = 0; picture < itemOfPicture.size(); ++picture) {
        const int item = itemOfPicture[picture];
        if (item < 0 || slots[picture].Minutes <= 0)
            continue;
        const QString caption = slots[picture].Caption;
        const QChar key = caption.at(caption.indexOf(QLatin1Char('&')) + 1);
        const QKeySequence keys(QStringLiteral("Ctrl+") + key);
        menuNew[std::size_t(item)]->setText(caption + QLatin1Char('\t') +
                                            keys.toString(QKeySequence::NativeText));
        menuNew[std::size_t(item)]->setVisible(true);
        FNewPictures[std::size_t(item)] = Palette[picture];
    }
}

void TMainForm::UpdateEditingMenu() {
    const TDay* day = CurrentDay();
    const bool editable = !FHoursLocked && FSelectedBlock && day;
    menuDelete->setEnabled(editable);
    menuMoveEarlier->setEnabled(editable && day->CanNudge(FSelectedBlock, -TimeStep()));
    menuMoveLater->setEnabled(editable && day->CanNudge(FSelectedBlock, TimeStep()));
    menuSelectPrevious->setEnabled(day && day->PreviousBlock(FSelectedBlock));
    menuSelectNext->setEnabled(day && day->NextBlock(FSelectedBlock));
    for (QAction* item : menuNew)
        item->setEnabled(!FHoursLocked);
    menuUndo->setEnabled(!FHoursLocked && btnUndo->isEnabled());
    menuCut->setEnabled(editable);
    menuCopy->setEnabled(FSelectedBlock != nullptr);
    menuPaste->setEnabled(!FHoursLocked && FClipboardBlock);
    menuSetFavourite->setEnabled(FSelectedBlock != nullptr);
    menuClearFavourite->setEnabled(PersonalSettings().FavouriteBlock != nullptr);
    menuNewFavourite->setEnabled(!FHoursLocked && PersonalSettings().FavouriteBlock != nullptr);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Hints are shown only when the user wants them.
    if (event->type() == QEvent::ToolTip && !PersonalSettings().Setup.ShowHints)
        return true;
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        IsWindowKeyReceiver(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress)
            return KeyDown(*key);
        KeyUp(*key);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ShowDragCursor() {
    Timeline->pbxDay->setCursor(TimeFlysCursor(FCopyKeyDown, devicePixelRatioF()));
}

bool TMainForm::IsOverDay(QPoint globalPosition, int& x) const {
    QWidget* day = Timeline->pbxDay;
    const QWidget* viewport = Timeline->ScrollBox->viewport();
    const QRect visible =
        QRect(day->mapFrom(viewport, QPoint(0, 0)), viewport->size()).intersected(day->rect());
    const QPoint at = day->mapFromGlobal(globalPosition);
    x = at.x();
    return visible.contains(at);
}

bool TMainForm::PastDragThreshold(QPoint globalPosition) const {
    return (globalPosition - FPressGlobal).manhattanLength() >= Scaled(DragThreshold);
}

void TMainForm::SetDayCursor(int x) {
    const TDayHit hit = CurrentDay() ? Timeline->View().HitTest(*CurrentDay(), x) : TDayHit();
    Timeline->pbxDay->setCursor(hit.Block && hit.Zone != hzBody ? Qt::SizeHorCursor
                                                                : Qt::ArrowCursor);
}

void TMainForm::DayPressed(QMouseEvent& event) {
    TDay* day = CurrentDay();
    if (!day)
        return;
    const int x = qRound(event.position().x());
    FPressInProgress = true;
    IdleMinutes = 0;
    Timeline->pbxDay->setToolTip(QString());
    FPressX = FLastDragX = x;
    FPressGlobal = event.globalPosition().toPoint();
    FCopyKeyDown = event.modifiers().testFlag(Qt::ControlModifier);
    const TDayHit hit = Timeline->View().HitTest(*day, x);
    FPressZone = hit.Zone;
    FGesture = TGesture::Idle;
    if (hit.Block) {
        if (hit.Block != FSelectedBlock && !IsBlockComplete(FSelectedBlock, true)) {
            FPressInProgress = false;
            return;
        }
        SelectBlock(hit.Block);
        if (FHoursLocked)
            Timeline->RepaintDay();
    }
    if (!FHoursLocked && event.button() != Qt::RightButton && hit.Block &&
        FSelectedBlock == hit.Block) {
        if (hit.Zone != hzBody) {
            FLoaded.BeginGesture(FSelectedBlock);
            FResizeBlock = FSelectedBlock;
            Timeline->DrawDragOutline(FResizeBlock);
            FGesture = TGesture::Resizing;
        } else {
            FResizeBlock = nullptr;
            FGesture = TGesture::PressedOnBody;
        }
    }
    FPressInProgress = false;
}

void TMainForm::DayMoved(QMouseEvent& event) {
    TDay* day = CurrentDay();
    if (!day || FHoursLocked)
        return;
    const int x = qRound(event.position().x());
    const QPoint global = event.globalPosition().toPoint();
    if (FGesture != TGesture::Dragging)
        SetDayCursor(x);
    if (FGesture == TGesture::Resizing && FResizeBlock) {
        if (!FUndo->ChangePending)
            FLoaded.BeginGesture(FResizeBlock);
        if (Timeline->View().ResizeBlockEdge(*day, FResizeBlock, x, FPressZone)) {
            Timeline->DrawDragOutline(FResizeBlock);
            gpbxDetails->ShowTimes(FResizeBlock);
        }
        return;
    }
    if (FGesture == TGesture::PressedOnBody &&
        (event.buttons() & (Qt::LeftButton | Qt::MiddleButton)) && PastDragThreshold(global))
        StartBlockDrag();
    int over = 0;
    if (FGesture == TGesture::Dragging && IsOverDay(global, over))
        DragOver(over);
}

void TMainForm::StartBlockDrag() {
    DropSource = nullptr;
    FDragBlock = nullptr;
    FGesture = TGesture::Dragging;
    ShowDragCursor();
}

void TMainForm::DragOver(int x) {
    TDay* day = CurrentDay();
    if (FResizeBlock || DropSource || FHoursLocked || !day)
        return;
    if (!FDragBlock) {
        if (!FSelectedBlock)
            return;
        FDragStartCopy = TBlock::CreateDuplicate(*FSelectedBlock);
        FDragBlock = FSelectedBlock;
        Timeline->DrawDragOutline(FDragBlock);
        FLoaded.BeginGesture(FDragBlock);
        return;
    }
    if (SnapDown(std::abs(Timeline->View().XToTime(x) - Timeline->View().XToTime(FLastDragX))) <= 0)
        return;
    Timeline->DrawDragOutline(nullptr);
    Timeline->View().DragMoveBlock(*day, FDragBlock, FLastDragX, x);
    Timeline->DrawDragOutline(FDragBlock);
    FLastDragX = x;
    gpbxDetails->txtTime->setText(FDragBlock->TimeRangeText());
}

void TMainForm::EndBlockDrag(int x, bool overDay) {
    TDay* day = CurrentDay();
    FGesture = TGesture::Idle;
    Timeline->DrawDragOutline(nullptr);
    if (FHoursLocked || !day)
        return;
    const bool copy = FCopyKeyDown && FDragStartCopy;
    if (copy && !IsBlockComplete(FDragBlock, false)) {
        // A copy of an incomplete block is refused: the block goes back where it was.
        FLoaded.CancelGesture();
        if (FDragBlock)
            FDragBlock->Assign(*FDragStartCopy);
        FDragStartCopy.reset();
        FDragBlock = nullptr;
        Timeline->RepaintDay();
        IsBlockComplete(FSelectedBlock, true);
        return;
    }
    const int from = FDragBlock ? FLastDragX : FPressX;
    if (!overDay)
        x = from;
    if (FDragBlock && Timeline->View().DragMoveBlock(*day, FDragBlock, from, x)) {
        if (copy)
            day->Append(std::move(FDragStartCopy));
        FDragStartCopy.reset();
        FLoaded.EndGesture(copy, false, FDragBlock, PersonalSettings().Setup.SaveOnChange);
        Timeline->RepaintDay();
        gpbxDetails->ShowBlockDetails(FDragBlock, FSelectionSnapshot.get(), FHoursLocked);
    }
    FDragBlock = nullptr;
}

void TMainForm::DayReleased(QMouseEvent& event) {
    const QPoint global = event.globalPosition().toPoint();
    if (FGesture == TGesture::Dragging) {
        int x = 0;
        const bool over = IsOverDay(global, x);
        EndBlockDrag(x, over);
    }
    FinishRelease(event.button(), qRound(event.position().x()), global);
}

void TMainForm::FinishRelease(Qt::MouseButton button, int x, QPoint globalPosition) {
    Timeline->pbxDay->setToolTip(PersonalSettings().Setup.ShowHints ? FDayHint : QString());
    if (FHoursLocked) {
        gpbxDetails->ShowBlockDetails(FSelectedBlock, FSelectionSnapshot.get(), true);
    } else {
        if (!FPressInProgress && FUndo->ChangePending && FResizeBlock && !FDragBlock)
            FLoaded.EndGesture(false, true, FResizeBlock, PersonalSettings().Setup.SaveOnChange);
        FResizeBlock = nullptr;
        Timeline->pbxDay->setCursor(Qt::ArrowCursor);
        Timeline->DrawDragOutline(nullptr);
        if (!FDragBlock && CurrentDay()) {
            Timeline->RepaintDay();
            gpbxDetails->ShowBlockDetails(FSelectedBlock, FSelectionSnapshot.get(), false);
            if (PersonalSettings().Setup.SaveOnChange)
                SaveMonthIfModified();
        }
    }
    FGesture = TGesture::Idle;
    if (button == Qt::RightButton) {
        PopupX = x;
        PopupMenu->popup(globalPosition);
    }
}

void TMainForm::PalettePressed(TPalettePicture& picture, QMouseEvent& event) {
    if (event.button() != Qt::LeftButton || !picture.isEnabled())
        return;
    FGesture = TGesture::PalettePressed;
    FPressGlobal = event.globalPosition().toPoint();
}

void TMainForm::PaletteMoved(TPalettePicture& picture, QMouseEvent& event) {
    if (FGesture != TGesture::PalettePressed || FHoursLocked ||
        !PastDragThreshold(event.globalPosition().toPoint()))
        return;
    DropSource = &picture;
    FGesture = TGesture::PaletteDrag;
    picture.setCursor(Qt::DragCopyCursor);
}

void TMainForm::PaletteReleased(TPalettePicture& picture, QMouseEvent& event) {
    const bool dragging = FGesture == TGesture::PaletteDrag;
    IdleMinutes = 0;
    FGesture = TGesture::Idle;
    picture.unsetCursor();
    int x = 0;
    if (dragging && IsOverDay(event.globalPosition().toPoint(), x))
        CreateBlockAt(false, x);
}

void TMainForm::CreateBlockAt(bool fromKeyboard, int x) {
    TDay* day = CurrentDay();
    if (!DropSource || FResizeBlock || FHoursLocked || !day)
        return;
    const TBlock* favourite =
        DropSource->IsFavourite() ? PersonalSettings().FavouriteBlock.get() : nullptr;
    if (DropSource->IsFavourite() && !favourite)
        return; // the favourite picture without a favourite makes nothing
    if (FSelectedBlock && !StoreBlockDetails(FSelectedBlock, spNewBlock, false))
        return;
    SaveMonthIfModified();
    const int time = fromKeyboard ? Timeline->CurrentTimeOfDay() : Timeline->View().XToTime(x);
    const int start = SnapDown(time);
    const int length =
        favourite ? favourite->EndTime - favourite->StartTime : MinutesToTime(DropSource->Tag);
    const TSetupPersonal& setup = PersonalSettings().Setup;
    const bool billing = AdminSettings().BillingInfoActive;
    const std::uint8_t code = billing                     ? bcHourlyRate
                              : setup.DefaultToChargeable ? bcChargeable
                                                          : bcNotChargeable;
    // The block is settled before the month counts as changed, so that a save on change
    // writes the blocks it cut as the timeline shows them.
    const std::size_t steps = FUndo->Count();
    TBlock* created = nullptr;
    FLoaded.Edit(
        ukCreate, FSelectedBlock,
        [&](TDay& editDay, TBlock*& winner) {
            created = &editDay.AddNewBlock(start, std::min(start + length, DayEnd),
                                           setup.UserHourlyRate, rsUser, code, billing);
            if (favourite)
                created->AssignContent(*favourite);
            winner = created;
            return true;
        },
        setup.SaveOnChange);
    SelectEditedBlock(created, steps);
    if (fromKeyboard)
        Timeline->ScrollToBlock(created);
}

// The selected block may have been cut away by the edit; its details were stored before.
void TMainForm::SelectEditedBlock(TBlock* block, std::size_t stepsBefore) {
    FSelectedBlock = nullptr;
    Timeline->SetSelectedBlock(nullptr);
    SelectBlock(block);
    FSelectionUndoMark = stepsBefore;
    Timeline->RepaintDay();
}

void TMainForm::DeleteBlock(TBlock* block, bool confirm) {
    TDay* day = CurrentDay();
    if (!block || !day || FHoursLocked)
        return;
    const bool described = !block->Client.isEmpty() || !block->Project.isEmpty() ||
                           !block->Category.isEmpty() || !block->Activity.isEmpty();
    if (confirm && described &&
        ShowMessageBox(DeleteQuestion(*block, PersonalSettings().Setup.DecimalDurationFormat),
                       TMsgKind::Confirmation, mbYesNo) != mrYes)
        return;
    FLoaded.Edit(
        ukDelete, FSelectedBlock,
        [this, block](TDay& editDay, TBlock*&) {
            if (block == FSelectedBlock) {
                FSelectedBlock = nullptr;
                Timeline->SetSelectedBlock(nullptr);
            }
            return editDay.Remove(block) != nullptr;
        },
        PersonalSettings().Setup.SaveOnChange);
    SelectBlock(nullptr);
    Timeline->RepaintDay();
}

void TMainForm::NudgeSelected(int direction) {
    TDay* day = CurrentDay();
    if (FHoursLocked || !FSelectedBlock || !day || gpbxDetails->edtRemarks->hasFocus())
        return;
    const bool moved = FLoaded.Edit(
        ukMove, FSelectedBlock,
        [this, direction](TDay& editDay, TBlock*& winner) {
            winner = FSelectedBlock;
            return editDay.NudgeBlock(FSelectedBlock, direction * TimeStep(), false);
        },
        PersonalSettings().Setup.SaveOnChange);
    if (!moved)
        return; // refused: no step is left
    Timeline->RepaintDay();
    gpbxDetails->ShowTimes(FSelectedBlock);
    Timeline->ScrollToBlock(FSelectedBlock);
}

void TMainForm::SelectNeighbour(int direction, bool fromMenu) {
    const TDay* day = CurrentDay();
    if (!day || (fromMenu && !IsBlockComplete(FSelectedBlock, true)))
        return;
    TBlock* neighbour =
        direction < 0 ? day->PreviousBlock(FSelectedBlock) : day->NextBlock(FSelectedBlock);
    if (!neighbour)
        return;
    SelectBlock(nullptr); // so that the shown details are not checked again
    SelectBlock(neighbour);
    Timeline->RepaintDay();
    Timeline->ScrollToBlock(neighbour);
}
