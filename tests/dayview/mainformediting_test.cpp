#include "mainformtest.h"

#include "dayview/blockpalette.h"
#include "dayview/dragcursors.h"
#include "dayview/undomanager.h"

#include <QMenu>
#include <QScrollArea>

// Gestures on the timeline, driven with QTest presses, moves and releases.
class MainFormEditing : public TMainFormTest {
protected:
    void SetUp() override {
        TMainFormTest::SetUp();
        Open();
        Day = Form->Timeline->pbxDay;
    }
    TUndoManager& Undo() const { return Form->UndoManager(); }
    // The timeline position of a time, with the time scrolled into view.
    QPoint At(int time) {
        Form->Timeline->ScrollToTime(time);
        return {Form->Timeline->View().TimeToX(time), Day->height() / 2};
    }
    QPoint Visible(int time) const { return {Form->Timeline->View().TimeToX(time), Day->height() / 2}; }
    // Press on one time, move past the drag threshold, then to another time, and release.
    void Drag(int from, int to, Qt::KeyboardModifiers keys = {}) {
        Form->Timeline->ScrollToTime((from + to) / 2);
        const QPoint press = Visible(from);
        QTest::mousePress(Day, Qt::LeftButton, keys, press);
        QTest::mouseMove(Day, press + QPoint(QApplication::startDragDistance() + 1, 0));
        QTest::mouseMove(Day, Visible(to));
        QTest::mouseRelease(Day, Qt::LeftButton, keys, Visible(to));
    }
    // Drags a palette picture onto the timeline at time.
    void DropPicture(TPalettePicture* picture, int time) {
        const QPoint target = picture->mapFromGlobal(Day->mapToGlobal(At(time)));
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(15, 15));
        QTest::mouseMove(picture, QPoint(15, 15 + QApplication::startDragDistance() + 1));
        QTest::mouseMove(picture, target);
        QTest::mouseRelease(picture, Qt::LeftButton, {}, target);
    }
    QString Spans() const {
        QStringList spans;
        for (const auto& block : CurrentDay()->Blocks)
            spans.append(QStringLiteral("%1-%2 %3")
                             .arg(block->StartTime)
                             .arg(block->EndTime)
                             .arg(block->Client));
        spans.sort();
        return spans.join(QStringLiteral(", "));
    }
    QWidget* Day = nullptr;
};

TEST_F(MainFormEditing, ThePaletteFollowsTheUnitOfTime) {
    EXPECT_EQ(Form->Palette[0]->objectName(), QStringLiteral("img1"));
    EXPECT_EQ(Form->Palette[0]->Tag, 15);
    EXPECT_EQ(Form->Palette[3]->Tag, 60);
    EXPECT_EQ(Form->Palette[3]->toolTip(), QStringLiteral("60 min activity block"));
    EXPECT_EQ(Form->FavouritePicture, Form->Palette[4]);
    EXPECT_FALSE(Form->Palette[5]->isVisible());
    EXPECT_FALSE(Form->FavouritePicture->isEnabled()); // no favourite yet
    EXPECT_EQ(Form->FavouritePicture->toolTip(), QStringLiteral("Favourite activity block"));
    SetTimeStep(StepFromMinutes(6));
    Form->SetupPalette();
    EXPECT_EQ(Form->Palette[3]->Tag, 42);
    EXPECT_EQ(Form->FavouritePicture, Form->Palette[5]);
    EXPECT_TRUE(Form->Palette[5]->isVisible());
    SetTimeStep(25);
}

TEST_F(MainFormEditing, DroppingAPictureMakesABlockThatCutsWhatItCovers) {
    DropPicture(Form->Palette[1], 1113); // 30 minutes, from 11:00
    EXPECT_EQ(Spans(), QStringLiteral("1000-1100 Globex, 1100-1150 , 1150-1200 Globex, "
                                      "900-1000 Acme"));
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    EXPECT_EQ(Form->SelectedBlock()->StartTime, 1100);
    EXPECT_TRUE(Form->SelectedBlock()->Reportable);
    EXPECT_TRUE(Form->SelectedBlock()->Chargeable);
    EXPECT_EQ(Undo().Count(), 1u);
    EXPECT_EQ(Undo().LastKind(), ukCreate);
    // The block it cut is written at once (and the new block with it), so that the file
    // never counts the cut time twice.
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1000\t1100\tGlobex"));
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1100\t1130\t \t"));
    Pick(Details->cmbClient, QStringLiteral("Acme"));
    Pick(Details->cmbCategory, QStringLiteral("Meetings"));
    // (The file keeps clock times: 1150 hundredths are 11:30.)
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1100\t1130\tAcme\tSupport\tMeetings\t"
                                     "Planning"));
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1130\t1200\tGlobex"));

    // Undo takes the whole creation back, the cut block included.
    while (Undo().Count() > 0)
        QTest::mouseClick(Form->btnUndo, Qt::LeftButton);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
}

TEST_F(MainFormEditing, APictureDroppedBesideTheTimelineMakesNothing) {
    TPalettePicture* picture = Form->Palette[0];
    const QPoint calendar = picture->mapFromGlobal(Form->Calendar->mapToGlobal(QPoint(40, 40)));
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseMove(picture, QPoint(15, 30));
    QTest::mouseMove(picture, calendar);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, calendar);
    EXPECT_EQ(CurrentDay()->Blocks.size(), 2u);
    EXPECT_EQ(Undo().Count(), 0u);
    // A drop at the day's end is cut at midnight.
    DropPicture(Form->Palette[3], 2390);
    EXPECT_EQ(Form->SelectedBlock()->StartTime, 2375);
    EXPECT_EQ(Form->SelectedBlock()->EndTime, 2400);
}

TEST_F(MainFormEditing, DraggingABlockMovesItAndTrimsItsNeighbour) {
    Drag(950, 1150); // Acme 9:00-10:00 by two hours
    EXPECT_EQ(Spans(), QStringLiteral("1000-1100 Globex, 1100-1200 Acme"));
    EXPECT_EQ(Form->SelectedBlock()->Client, QStringLiteral("Acme"));
    EXPECT_EQ(Undo().Count(), 1u);
    EXPECT_EQ(Undo().LastKind(), ukMove);
    EXPECT_EQ(Form->btnUndo->toolTip(), QStringLiteral("Undo move activity"));
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1100\t1200\tAcme"));
    EXPECT_FALSE(FileBytes().contains("0900"));
    QTest::mouseClick(Form->btnUndo, Qt::LeftButton);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
    EXPECT_EQ(Form->SelectedBlock(), CurrentDay()->FindByStart(900));
}

TEST_F(MainFormEditing, ACtrlDragCopiesACompleteBlockAndRefusesAnIncompleteOne) {
    Drag(950, 1450, Qt::ControlModifier);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 1400-1500 Acme, 900-1000 Acme"));
    EXPECT_EQ(Undo().LastKind(), ukCopy);
    EXPECT_EQ(Undo().Count(), 1u);
    const TBlock* copy = CurrentDay()->FindByStart(1400);
    EXPECT_EQ(Form->SelectedBlock(), copy);
    EXPECT_TRUE(copy->Equals(*CurrentDay()->FindByStart(900)) == false); // other times
    EXPECT_EQ(copy->Project, QStringLiteral("Website"));
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1400\t1500\tAcme\tWebsite"));
    QTest::mouseClick(Form->btnUndo, Qt::LeftButton);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));

    // The same with details that are not complete: the block goes back, nothing is recorded.
    Press(CurrentDay()->FindByStart(900));
    Details->cmbActivity->clear(); // an undo step of its own
    Messages->Shown.clear();
    const std::size_t steps = Undo().Count();
    Drag(950, 1450, Qt::ControlModifier);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
    EXPECT_EQ(Undo().Count(), steps);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown[0].Text.contains(QStringLiteral("missing information")));
}

TEST_F(MainFormEditing, DraggingAnEdgeStretchesTheBlock) {
    const QPoint edge = At(1200); // Globex's end
    QTest::mousePress(Day, Qt::LeftButton, {}, edge);
    EXPECT_EQ(Form->SelectedBlock(), CurrentDay()->FindByStart(1000));
    QTest::mouseMove(Day, Visible(1260));
    EXPECT_EQ(Details->txtTime->text(), QStringLiteral("10:00 - 12:30"));
    QTest::mouseMove(Day, Visible(1310));
    QTest::mouseRelease(Day, Qt::LeftButton, {}, Visible(1310));
    EXPECT_EQ(Spans(), QStringLiteral("1000-1300 Globex, 900-1000 Acme"));
    EXPECT_EQ(Undo().Count(), 1u);
    EXPECT_EQ(Undo().LastKind(), ukDuration);
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1000\t1300\tGlobex"));
    // The start edge drawn back over Acme takes the time from it at the release.
    QTest::mousePress(Day, Qt::LeftButton, {}, At(1000) + QPoint(1, 0));
    QTest::mouseMove(Day, Visible(940));
    QTest::mouseRelease(Day, Qt::LeftButton, {}, Visible(940));
    EXPECT_EQ(Spans(), QStringLiteral("900-925 Acme, 925-1300 Globex"));
    EXPECT_EQ(Undo().Count(), 2u);
}

TEST_F(MainFormEditing, TheCursorShowsEdgesAndWhetherADragMovesOrCopies) {
    const auto hover = [this](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, Day->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Day, &move);
        return Day->cursor().shape();
    };
    EXPECT_EQ(hover(At(1200)), Qt::SizeHorCursor);
    EXPECT_EQ(hover(Visible(1100)), Qt::ArrowCursor);
    const auto shows = [this](bool copy) {
        const QCursor expected = TimeFlysCursor(copy, Day->devicePixelRatioF());
        return Day->cursor().shape() == Qt::BitmapCursor &&
               Day->cursor().pixmap().toImage() == expected.pixmap().toImage() &&
               Day->cursor().hotSpot() == QPoint(1, 1);
    };
    const QPoint press = Visible(1100);
    QTest::mousePress(Day, Qt::LeftButton, {}, press);
    QTest::mouseMove(Day, press + QPoint(QApplication::startDragDistance() + 1, 0));
    EXPECT_TRUE(shows(false));
    QTest::keyPress(Focus(), Qt::Key_Control);
    EXPECT_TRUE(shows(true));
    QTest::keyRelease(Focus(), Qt::Key_Control);
    EXPECT_TRUE(shows(false));
    QTest::mouseRelease(Day, Qt::LeftButton, {}, Visible(1150));
    EXPECT_EQ(Day->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(Undo().LastKind(), ukMove);
    EXPECT_FALSE(TimeFlysCursor(false, 1).pixmap().isNull());
    EXPECT_FALSE(TimeFlysCursor(true, 2).pixmap().isNull());
}

TEST_F(MainFormEditing, ADragThatEndsBesideTheTimelineKeepsItsLastPlace) {
    Form->Timeline->ScrollToTime(1100);
    const QPoint press = Visible(950);
    QTest::mousePress(Day, Qt::LeftButton, {}, press);
    QTest::mouseMove(Day, press + QPoint(QApplication::startDragDistance() + 1, 0));
    QTest::mouseMove(Day, Visible(1250));
    const QPoint outside(Visible(1250).x(), -60);
    QTest::mouseMove(Day, outside);
    QTest::mouseRelease(Day, Qt::LeftButton, {}, outside);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 1200-1300 Acme"));
    EXPECT_EQ(Undo().LastKind(), ukMove);
    EXPECT_EQ(Undo().Count(), 1u);
}

TEST_F(MainFormEditing, ARightPressSelectsWithoutMoving) {
    const QPoint point = At(1100);
    QTest::mousePress(Day, Qt::RightButton, {}, point);
    EXPECT_EQ(Form->SelectedBlock(), CurrentDay()->FindByStart(1000));
    QTest::mouseMove(Day, point + QPoint(60, 0));
    QTest::mouseRelease(Day, Qt::RightButton, {}, point + QPoint(60, 0));
    EXPECT_EQ(Form->PopupX, point.x() + 60);
    EXPECT_TRUE(Form->PopupMenu->isVisible());
    EXPECT_TRUE(Form->menuDelete->isEnabled());
    EXPECT_FALSE(Form->menuMoveEarlier->isEnabled()); // Acme is right before it
    EXPECT_TRUE(Form->menuMoveLater->isEnabled());
    EXPECT_FALSE(Form->menuSelectNext->isEnabled());
    Form->PopupMenu->close();
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
    EXPECT_EQ(Undo().Count(), 0u);
}

TEST_F(MainFormEditing, NudgesNeighboursAndDeletes) {
    Press(CurrentDay()->FindByStart(900));
    Key(Qt::Key_Right, Qt::ControlModifier); // into Globex: refused
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
    EXPECT_EQ(Undo().Count(), 0u);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 875-975 Acme"));
    EXPECT_EQ(Undo().LastKind(), ukMove);
    EXPECT_EQ(Details->txtTime->text(), QStringLiteral("08:45 - 09:45"));
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t0845\t0945\tAcme"));

    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Form->SelectedBlock(), CurrentDay()->FindByStart(1000));
    Key(Qt::Key_Tab, Qt::ControlModifier); // the last block: nothing
    EXPECT_EQ(Form->SelectedBlock(), CurrentDay()->FindByStart(1000));

    Messages->Answer = mrNo;
    Key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("Delete this activity block?\r\n\r\nTime:     \t10:00 - 12:00\r\n"
                             "Duration:  \t2 hrs\r\nClient:    \tGlobex\r\nProject:   \t"
                             "Migration\r\nActivity:   \tCoding"));
    EXPECT_EQ(CurrentDay()->Blocks.size(), 2u);
    Messages->Answer = mrYes;
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Spans(), QStringLiteral("875-975 Acme"));
    EXPECT_EQ(Form->SelectedBlock(), nullptr);
    EXPECT_EQ(Undo().LastKind(), ukDelete);
    EXPECT_FALSE(FileBytes().contains("Globex"));
    QTest::mouseClick(Form->btnUndo, Qt::LeftButton);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 875-975 Acme"));
    EXPECT_EQ(Form->SelectedBlock(), CurrentDay()->FindByStart(1000));
}

TEST_F(MainFormEditing, LockedHoursOnlySelect) {
    QTest::mouseClick(Form->sbLock, Qt::LeftButton);
    ASSERT_TRUE(Form->HoursLocked());
    EXPECT_FALSE(Form->Palette[0]->isEnabled());
    QTest::mousePress(Day, Qt::LeftButton, {}, At(1200));
    QTest::mouseMove(Day, Visible(1300));
    QTest::mouseRelease(Day, Qt::LeftButton, {}, Visible(1300));
    EXPECT_EQ(Form->SelectedBlock(), CurrentDay()->FindByStart(1000));
    Drag(1100, 1500);
    Key(Qt::Key_Left, Qt::ControlModifier);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
    EXPECT_EQ(Undo().Count(), 0u);
    Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Form->SelectedBlock(), CurrentDay()->FindByStart(900));
}

TEST_F(MainFormEditing, TheFavouritePictureMakesACopyOfTheFavourite) {
    auto favourite = std::make_unique<TBlock>(800, 855); // 08:00-08:33: snapped when shown
    favourite->Client = QStringLiteral("Globex");
    favourite->Project = QStringLiteral("Migration");
    favourite->Category = QStringLiteral("Meetings");
    favourite->Activity = QStringLiteral("Planning");
    favourite->Remarks = QStringLiteral("Weekly call");
    favourite->Reportable = true;
    PersonalSettings().FavouriteBlock = std::move(favourite);
    Form->SetupPalette();
    ASSERT_TRUE(Form->FavouritePicture->isEnabled());
    EXPECT_TRUE(Form->FavouritePicture->toolTip().startsWith(QStringLiteral("Client: Globex")));
    DropPicture(Form->FavouritePicture, 1410);
    const TBlock* made = Form->SelectedBlock();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->StartTime, 1400);
    EXPECT_EQ(made->EndTime, 1450); // the favourite's length, 800-850 after snapping
    EXPECT_EQ(made->Remarks, QStringLiteral("Weekly call"));
    EXPECT_EQ(Undo().LastKind(), ukCreate);
    // A favourite is complete: it is written at once.
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1400\t1430\tGlobex\tMigration\tMeetings\t"
                                     "Planning\tWeekly call"));
}

TEST_F(MainFormEditing, AnUndoDuringADragForgetsTheDraggedBlock) {
    Press(CurrentDay()->FindByStart(900));
    QTest::mouseClick(Details->chkOvertime, Qt::LeftButton); // something to undo
    Form->Timeline->ScrollToTime(1100);
    const QPoint press = Visible(950);
    QTest::mousePress(Day, Qt::LeftButton, {}, press);
    QTest::mouseMove(Day, press + QPoint(QApplication::startDragDistance() + 1, 0));
    QTest::mouseMove(Day, Visible(1250));
    Key(Qt::Key_Z, Qt::ControlModifier); // keys do nothing under a drag
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    EXPECT_TRUE(Form->SelectedBlock()->OverTime);
    Form->UndoLast(); // the undo button still could: it replaces the day's blocks
    QTest::mouseMove(Day, Visible(1300));
    QTest::mouseRelease(Day, Qt::LeftButton, {}, Visible(1300));
    EXPECT_EQ(Spans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
    EXPECT_FALSE(Form->UndoManager().ChangePending);
}
