#include "mainformtest.h"

#include "dayview/undomanager.h"

#include <QAction>
#include <QMenu>

class MainFormUndo : public TMainFormTest {
protected:
    void SetUp() override {
        TMainFormTest::SetUp();
        Open();
    }
    TUndoManager& Undo() const { return Form->UndoManager(); }
    void ClickUndo() { QTest::mouseClick(Form->btnUndo, Qt::LeftButton); }
};

TEST_F(MainFormUndo, TypingIntoTheRemarksLeavesOneStepThatRestoresTheOldText) {
    Press(BlockAt(0));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("first"));
    Press(BlockAt(1));
    EXPECT_FALSE(Form->btnUndo->isEnabled() && Undo().Count() == 0);
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("0123456789"));
    EXPECT_EQ(Undo().Count(), 2u); // one step per block
    EXPECT_TRUE(Form->btnUndo->isEnabled());
    EXPECT_EQ(Form->btnUndo->toolTip(), QStringLiteral("Undo change activity details"));

    ClickUndo();
    EXPECT_TRUE(BlockAt(1)->Remarks.isEmpty());
    EXPECT_EQ(Form->SelectedBlock(), BlockAt(1));
    EXPECT_TRUE(Details->edtRemarks->toPlainText().isEmpty());
    EXPECT_TRUE(Details->edtRemarks->hasFocus());
    EXPECT_EQ(Undo().Count(), 1u);
    ClickUndo();
    EXPECT_TRUE(BlockAt(0)->Remarks.isEmpty());
    EXPECT_EQ(Form->SelectedBlock(), BlockAt(0));
    EXPECT_FALSE(Form->btnUndo->isEnabled());
    EXPECT_EQ(Form->btnUndo->toolTip(), QStringLiteral("Undo"));
    // Undone changes reach the file as every change does.
    EXPECT_FALSE(FileBytes().contains("first"));
}

TEST_F(MainFormUndo, TickingAndUntickingABoxLeavesNoStep) {
    Press(BlockAt(0));
    QTest::mouseClick(Details->chkOvertime, Qt::LeftButton);
    EXPECT_EQ(Undo().Count(), 1u);
    QTest::mouseClick(Details->chkOvertime, Qt::LeftButton);
    EXPECT_EQ(Undo().Count(), 0u);
    EXPECT_FALSE(Form->btnUndo->isEnabled());
    EXPECT_FALSE(BlockAt(0)->OverTime);
}

TEST_F(MainFormUndo, AComboStepRestoresClientAndProjectTogether) {
    Press(BlockAt(1));
    Pick(Details->cmbClient, QStringLiteral("Acme"));
    Pick(Details->cmbClient, QStringLiteral("Globex"));
    Pick(Details->cmbClient, QStringLiteral("Acme")); // a run on one box is one step
    Pick(Details->cmbProject, QStringLiteral("Website"));
    EXPECT_EQ(Undo().Count(), 2u);
    ClickUndo(); // the project box's step
    EXPECT_EQ(BlockAt(1)->Client, QStringLiteral("Acme"));
    EXPECT_EQ(BlockAt(1)->Project, QStringLiteral("Support"));
    ClickUndo();
    EXPECT_EQ(BlockAt(1)->Client, QStringLiteral("Globex"));
    EXPECT_EQ(BlockAt(1)->Project, QStringLiteral("Migration"));
    EXPECT_EQ(Details->cmbProject->currentText(), QStringLiteral("Migration"));
}

TEST_F(MainFormUndo, ARunOfDayChangesGoesBackToTheFirstDayTogetherWithItsChange) {
    Press(BlockAt(1));
    QTest::mouseClick(Details->chkReportable, Qt::LeftButton);
    ASSERT_FALSE(BlockAt(1)->Reportable);
    for (int day : {7, 8, 12})
        Form->Calendar->SetDate(QDate(2024, 3, day));
    EXPECT_EQ(Undo().Count(), 2u);
    EXPECT_EQ(Form->btnUndo->toolTip(), QStringLiteral("Undo day selection"));

    ClickUndo();
    EXPECT_EQ(Form->Calendar->Date(), Day);
    EXPECT_EQ(CurrentDay()->Date, Day);
    EXPECT_TRUE(BlockAt(1)->Reportable);
    EXPECT_EQ(Form->SelectedBlock(), BlockAt(1));
    EXPECT_EQ(Undo().Count(), 0u);
    EXPECT_FALSE(Form->btnUndo->isEnabled());
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1000\t1200\tGlobex\tMigration\tDevelopment\t"
                                     "Coding\t \tN\tY"));
}

TEST_F(MainFormUndo, ALoneDaySelectionIsNoStep) {
    Form->Calendar->SetDate(QDate(2024, 3, 7));
    Form->Calendar->SetDate(QDate(2024, 4, 2)); // another month too
    EXPECT_EQ(Undo().Count(), 1u);
    EXPECT_FALSE(Form->btnUndo->isEnabled());
    EXPECT_FALSE(Form->menuUndo->isEnabled());
    EXPECT_EQ(Form->btnUndo->toolTip(), QStringLiteral("Undo"));
    // A change on the new day makes the day selection part of a step.
    Form->Calendar->SetDate(Day);
    Press(BlockAt(0));
    QTest::mouseClick(Details->chkOvertime, Qt::LeftButton);
    EXPECT_EQ(Form->btnUndo->toolTip(), QStringLiteral("Undo change activity details"));
}

TEST_F(MainFormUndo, LockedHoursDisableUndoAndCtrlZ) {
    Press(BlockAt(0));
    QTest::mouseClick(Details->chkOvertime, Qt::LeftButton);
    QTest::mouseClick(Form->sbLock, Qt::LeftButton);
    ASSERT_TRUE(Form->HoursLocked());
    EXPECT_FALSE(Form->btnUndo->isEnabled());
    EXPECT_FALSE(Form->menuUndo->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(BlockAt(0)->OverTime);

    QTest::mouseClick(Form->sbLock, Qt::LeftButton);
    EXPECT_TRUE(Form->btnUndo->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(BlockAt(0)->OverTime);
    EXPECT_EQ(Undo().Count(), 0u);
}

TEST_F(MainFormUndo, ABillingCodeChangeIsOneStepWithItsRate) {
    Form.reset();
    Open("Globex", "Migration", true);
    Press(BlockAt(0)); // Fixed Price 120.00
    Pick(Details->cmbBillingCode, QStringLiteral("Hourly Rate"));
    EXPECT_EQ(Details->edtBillingRate->text(), QStringLiteral("50.00"));
    EXPECT_EQ(Undo().Count(), 1u);
    ClickUndo();
    ASSERT_NE(BlockAt(0)->BillingInfo, nullptr);
    EXPECT_EQ(BlockAt(0)->BillingInfo->Code, bcFixedPrice);
    EXPECT_EQ(BlockAt(0)->BillingInfo->Rate, TMoney::FromUnits(1200000));
    EXPECT_EQ(Details->edtBillingRate->text(), QStringLiteral("120.00"));
    EXPECT_EQ(Details->txtExtendedCharge->text(), QStringLiteral("$120.00"));
}

TEST_F(MainFormUndo, TheMenuItemCarriesCtrlZ) {
    EXPECT_EQ(Form->menuUndo->text(), QStringLiteral("&Undo\tCtrl+Z"));
    EXPECT_TRUE(Form->PopupMenu->actions().contains(Form->menuUndo));
    Press(BlockAt(0));
    QTest::mouseClick(Details->chkOvertime, Qt::LeftButton);
    Form->menuUndo->trigger();
    EXPECT_FALSE(BlockAt(0)->OverTime);
}
