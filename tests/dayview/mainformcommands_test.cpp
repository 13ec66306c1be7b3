#include "mainformtest.h"

#include "dayview/blockpalette.h"
#include "dayview/searchpanel.h"
#include "dayview/undomanager.h"
#include "base/messages.h"
#include "calendar/graphiccalendar.h"
#include "reporting/layouts/reportavailability.h"
#include "storage/settings/adminsettings.h"

#include <QClipboard>
#include <QTimer>

// The window's keys, the block clipboard, the favourite, the reminder and the tool bar.
class MainFormCommands : public TMainFormTest {
protected:
    void SetUp() override {
        TMainFormTest::SetUp();
        Open();
        Form->Timeline->Clock = [] { return QTime(16, 20); };
    }
    std::size_t Blocks() const { return CurrentDay()->Blocks.size(); }
};

TEST_F(MainFormCommands, PasteNeedsABlockAndCopyingTextInTheRemarksForgetsIt) {
    Press(BlockAt(0));
    Key(Qt::Key_V, Qt::ControlModifier); // nothing copied yet
    EXPECT_EQ(Blocks(), 2u);
    EXPECT_EQ(Form->UndoManager().Count(), 0u);

    Key(Qt::Key_C, Qt::ControlModifier); // from the client box: the block
    ASSERT_NE(Form->ClipboardBlock(), nullptr);
    Details->edtRemarks->setFocus();
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("abc"));
    Details->edtRemarks->selectAll();
    Key(Qt::Key_C, Qt::ControlModifier); // the memo copies its text
    EXPECT_EQ(Form->ClipboardBlock(), nullptr);
    QTest::keyClick(Details->edtRemarks, Qt::Key_End);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Details->edtRemarks->toPlainText(), QStringLiteral("abcabc"));
    EXPECT_EQ(Blocks(), 2u);
}

TEST_F(MainFormCommands, KeyboardPastesLandAtTheCurrentTimeAndCoverEachOther) {
    Press(BlockAt(1)); // Globex 10:00-12:00
    Key(Qt::Key_C, Qt::ControlModifier);
    for (int paste = 0; paste < 3; ++paste)
        Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Blocks(), 3u);
    const TBlock* pasted = CurrentDay()->FindByStart(1625); // 16:20 down to 16:15
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->EndTime, 1825);
    EXPECT_EQ(pasted->Client, QStringLiteral("Globex"));
    EXPECT_EQ(Form->SelectedBlock(), pasted);
    EXPECT_EQ(Form->UndoManager().LastKind(), ukCopy);
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1615\t1815\tGlobex"));
    // From the menu it goes where the menu was opened.
    Form->PopupX = Form->Timeline->View().TimeToX(700);
    Form->menuPaste->trigger();
    EXPECT_NE(CurrentDay()->FindByStart(700), nullptr);
    // Cut takes the block to the clipboard without asking.
    PersonalSettings().Setup.ConfirmDeletes = true;
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(CurrentDay()->FindByStart(700), nullptr);
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_NE(Form->ClipboardBlock(), nullptr);
}

TEST_F(MainFormCommands, NewKeysFollowTheUnitOfTime) {
    Key(Qt::Key_4, Qt::ControlModifier); // 15-minute unit: 45 minutes
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    EXPECT_EQ(Form->SelectedBlock()->StartTime, 1625);
    EXPECT_EQ(Form->SelectedBlock()->EndTime, 1700);
    Form->DeleteBlock(Form->SelectedBlock(), false);
    SetTimeStep(StepFromMinutes(6));
    Form->SetupPalette();
    Key(Qt::Key_2, Qt::ControlModifier); // no 2 in the 6-minute unit
    EXPECT_EQ(Blocks(), 2u);
    Key(Qt::Key_1, Qt::ControlModifier); // 18 minutes there
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    EXPECT_EQ(Form->SelectedBlock()->Duration(), 30);
    SetTimeStep(25);
}

TEST_F(MainFormCommands, LockedHoursStopCtrlLettersButNotCtrlTab) {
    Press(BlockAt(0));
    QTest::mouseClick(Form->sbLock, Qt::LeftButton);
    ASSERT_TRUE(Form->HoursLocked());
    Key(Qt::Key_H, Qt::ControlModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Blocks(), 2u);
    EXPECT_EQ(Form->ClipboardBlock(), nullptr);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Form->SelectedBlock(), BlockAt(1));
}

TEST_F(MainFormCommands, ArrowsMoveTheCalendarWhenNoBlockIsSelected) {
    QTest::mouseClick(Form->btnSearch, Qt::LeftButton);
    Form->pnlSearch->edtFilterValue1->setEnabled(true);
    Form->pnlSearch->edtFilterValue1->setFocus();
    Key(Qt::Key_Right);
    EXPECT_EQ(Form->Calendar->Date(), Day.addDays(1));
    Key(Qt::Key_Down);
    EXPECT_EQ(Form->Calendar->Date(), Day.addDays(8));
    Key(Qt::Key_Up, Qt::ControlModifier);
    Key(Qt::Key_Left);
    EXPECT_EQ(Form->Calendar->Date(), Day);
    // With a block selected, Ctrl+Up and Ctrl+Down are swallowed and the day stays.
    Press(BlockAt(0));
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Form->Calendar->Date(), Day);
}

TEST_F(MainFormCommands, RemindersComeAfterTheIntervalAndThenEveryFiveMinutes) {
    PersonalSettings().Setup.ReminderInterval = 30;
    PersonalSettings().Setup.ReminderPlaySound = QStringLiteral("/sounds/chime.wav");
    QStringList played;
    Form->PlaySound = [&played](const QString& file) {
        played.append(file);
        return true;
    };
    Form->activateWindow();
    QApplication::processEvents();
    const auto ticks = [this](int count) {
        for (int tick = 0; tick < count; ++tick)
            Form->TimerTick();
    };
    ticks(29);
    EXPECT_TRUE(played.isEmpty());
    ticks(1);
    EXPECT_EQ(played.size(), 1);
    ticks(4);
    EXPECT_EQ(played.size(), 1);
    ticks(1);
    EXPECT_EQ(played.size(), 2);
    ticks(5);
    EXPECT_EQ(played.size(), 3);
    // Activity starts the count again; an open message box holds the reminder back.
    Press(BlockAt(0));
    EXPECT_EQ(Form->IdleMinutes, 0);
    MessageBoxShowing = true;
    ticks(40);
    EXPECT_EQ(played.size(), 3);
    MessageBoxShowing = false;
    ticks(1);
    EXPECT_EQ(played.size(), 4);
    EXPECT_EQ(Form->Timer->interval(), 60000);
    EXPECT_TRUE(Form->Timer->isActive());
}

TEST_F(MainFormCommands, TheFavouriteSurvivesARestart) {
    Press(BlockAt(1));
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_NE(PersonalSettings().FavouriteBlock, nullptr);
    EXPECT_TRUE(Form->FavouritePicture->isEnabled());
    EXPECT_TRUE(Form->FavouritePicture->toolTip().contains(QStringLiteral("Client: Globex")));
    SavePersonalSettings();
    PersonalSettings() = TPersonalSettings{};
    LoadPersonalSettings();
    ASSERT_NE(PersonalSettings().FavouriteBlock, nullptr);
    EXPECT_EQ(PersonalSettings().FavouriteBlock->Client, QStringLiteral("Globex"));
    EXPECT_EQ(PersonalSettings().FavouriteBlock->Project, QStringLiteral("Migration"));
    EXPECT_EQ(PersonalSettings().FavouriteBlock->Duration(), 200);
    Key(Qt::Key_F, Qt::ControlModifier); // a new block from it, now
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    EXPECT_EQ(Form->SelectedBlock()->StartTime, 1625);
    EXPECT_EQ(Form->SelectedBlock()->Client, QStringLiteral("Globex"));
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(PersonalSettings().FavouriteBlock, nullptr);
    EXPECT_FALSE(Form->FavouritePicture->isEnabled());
}

TEST_F(MainFormCommands, ToolBarCommandsCheckAndSave) {
    ReportsAvailable = false;
    QTest::mouseClick(Form->btnSummary, Qt::LeftButton);
    ReportsAvailable = true;
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("An error occurred while trying to prepare reports.\rPlease check "
                             "your default printer is available."));
    Press(BlockAt(0));
    Details->cmbActivity->clear();
    Messages->Shown.clear();
    QTest::mouseClick(Form->btnExportData, Qt::LeftButton);
    ASSERT_EQ(Messages->Shown.size(), 1u); // the details first
    EXPECT_TRUE(Messages->Shown[0].Text.contains(QStringLiteral("missing information")));
    Form->IdleMinutes = 7;
    QTest::mouseClick(Form->sbToday, Qt::LeftButton);
    EXPECT_EQ(Form->IdleMinutes, 0);
}

TEST_F(MainFormCommands, TheSetUpWindowsOkRefreshesTheLists) {
    TClients clients(LocalDataPath() + QStringLiteral("ClientProject.txt"));
    clients.AddEntry(QStringLiteral("Initech"), QStringLiteral("TPS"), true, {});
    clients.Save();
    Press(BlockAt(0));
    ASSERT_LT(Details->cmbClient->findText(QStringLiteral("Initech")), 0);
    Form->RefreshAfterSetup();
    EXPECT_GE(Details->cmbClient->findText(QStringLiteral("Initech")), 0);
    EXPECT_EQ(Details->cmbClient->currentText(), QStringLiteral("Acme"));
    EXPECT_EQ(Form->UndoManager().Count(), 0u);
}

TEST_F(MainFormCommands, ADayIsRecordedWithTheKeyboardAlone) {
    Key(Qt::Key_H, Qt::ControlModifier); // an hour from now, its client box focused
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    ASSERT_TRUE(Details->cmbClient->hasFocus());
    Key(Qt::Key_Down); // the first client, and its first project with it
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_TRUE(Details->cmbCategory->hasFocus());
    Key(Qt::Key_Down);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_TRUE(Details->edtRemarks->hasFocus());
    QTest::keyClicks(Focus(), QStringLiteral("typed"));
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1615\t1715\tAcme\tSupport\tDevelopment\t"
                                     "Coding\ttyped"));
    Key(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier); // back to the block before
    EXPECT_EQ(Form->SelectedBlock(), BlockAt(1));
}

TEST_F(MainFormCommands, CtrlZInTheRemarksUndoesOnce) {
    Press(BlockAt(0));
    Details->edtRemarks->setFocus();
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("abc"));
    Press(BlockAt(1));
    Details->edtRemarks->setFocus();
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("xyz"));
    ASSERT_EQ(Form->UndoManager().Count(), 2u);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(BlockAt(1)->Remarks.isEmpty());
    EXPECT_EQ(BlockAt(0)->Remarks, QStringLiteral("abc")); // the step before stays
    EXPECT_EQ(Form->UndoManager().Count(), 1u);
}

TEST_F(MainFormCommands, CreateTimeReportOpensTheReportWindowWithTheCalendarsPeriods) {
    int opened = 0;
    Form->OpenTimeReport = [&opened] { ++opened; };
    AdminSettings().FirstDayOfWeek = 7;
    Form->Calendar->SetDate(QDate(2024, 3, 6));
    MessageBoxShowing = false;
    QTest::mouseClick(Form->btnSummary, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(MessageBoxShowing); // the reminder stays quiet until the window closes
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_EQ(Form->SelectedWeek(), (TDateRange{QDate(2024, 3, 3), QDate(2024, 3, 9)}));
    EXPECT_EQ(Form->SelectedMonth(), (TDateRange{QDate(2024, 3, 1), QDate(2024, 3, 31)}));
    MessageBoxShowing = false;
    AdminSettings().FirstDayOfWeek = 1;
    // Incomplete details come first.
    Press(BlockAt(0));
    Details->cmbActivity->clear();
    QTest::mouseClick(Form->btnSummary, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
}

TEST_F(MainFormCommands, CutPasteAndDeleteInTheRemarksEditTheTextNotTheBlock) {
    Press(BlockAt(0));
    Details->edtRemarks->setFocus();
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("keep this"));
    Details->edtRemarks->selectAll();
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Blocks(), 2u); // no block cut, no question asked
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_TRUE(Details->edtRemarks->toPlainText().isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("keep this"));
    EXPECT_EQ(Form->ClipboardBlock(), nullptr);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Details->edtRemarks->toPlainText(), QStringLiteral("keep this"));
    EXPECT_EQ(Blocks(), 2u);
    QTest::keyClick(Details->edtRemarks, Qt::Key_Home);
    Key(Qt::Key_Delete, Qt::ControlModifier); // the word after the caret
    EXPECT_EQ(Details->edtRemarks->toPlainText(), QStringLiteral("this"));
    EXPECT_EQ(Blocks(), 2u);
    EXPECT_EQ(BlockAt(0)->Remarks, QStringLiteral("this"));
    // Undoing brings back the remarks as they were, with the block where it is.
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(BlockAt(0)->Remarks.isEmpty());
}

TEST_F(MainFormCommands, SearchValueFieldsKeepTheirTextKeys) {
    Form->ToggleSearchPanel();
    Press(BlockAt(0));
    QLineEdit* value = Form->pnlSearch->edtFilterValue1;
    ASSERT_NE(value, nullptr);
    value->setEnabled(true);
    value->setText(QStringLiteral("acme"));
    value->setFocus();
    value->selectAll();
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(value->text().isEmpty());
    EXPECT_EQ(Blocks(), 2u);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(value->text(), QStringLiteral("acme"));
    EXPECT_EQ(Blocks(), 2u);
}

TEST_F(MainFormCommands, ACtrlCommandRunsOnThePressEvenWhenCtrlIsLetGoFirst) {
    Press(BlockAt(0));
    Form->edtTakeFocus->setFocus();
    QTest::keyPress(Focus(), Qt::Key_Control);
    QTest::keyPress(Focus(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyRelease(Focus(), Qt::Key_Control);
    QTest::keyRelease(Focus(), Qt::Key_C); // Ctrl is up already
    ASSERT_NE(Form->ClipboardBlock(), nullptr);
    QTest::keyPress(Focus(), Qt::Key_Control);
    QTest::keyPress(Focus(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyRelease(Focus(), Qt::Key_Control);
    QTest::keyRelease(Focus(), Qt::Key_V);
    EXPECT_EQ(Blocks(), 3u); // pasted once, at 16:20
    EXPECT_EQ(Form->SelectedBlock()->StartTime, 1625);
    // Ctrl+Z is not swallowed: with nothing for the window to undo, the text field takes it.
    Form->UndoManager().DiscardLast();
    Form->UpdateUndoButton();
    ASSERT_FALSE(Form->btnUndo->isEnabled());
    Form->ToggleSearchPanel();
    QLineEdit* value = Form->pnlSearch->edtFilterValue1;
    value->setEnabled(true);
    value->setFocus();
    QTest::keyClicks(value, QStringLiteral("ab"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(value->text(), QStringLiteral("ab"));
}
