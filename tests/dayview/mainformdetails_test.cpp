#include "mainformtest.h"

class MainFormDetails : public TMainFormTest {};

TEST_F(MainFormDetails, ControlsHintsAndBothLayouts) {
    Open();
    for (const char* name :
         {"gpbxDetails", "cmbClient", "cmbProject", "cmbCategory", "cmbActivity", "txtTime",
          "txtDuration", "edtRemarks", "chkReportable", "chkOvertime", "chkCharge",
          "lblBillingRate", "cmbBillingCode", "edtBillingRate", "lblEquals", "txtExtendedCharge",
          "edtTakeFocus", "sbLock", "Calendar", "pbxDay", "lblDayHours"})
        EXPECT_NE(Form->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(Details->title(), QStringLiteral("Block details"));
    EXPECT_EQ(Details->chkReportable->toolTip(),
              QStringLiteral("Unselect to exclude the entry from all reports"));
    EXPECT_EQ(Details->cmbBillingCode->toolTip(), QStringLiteral("Select a billing code"));
    EXPECT_EQ(Form->sbLock->toolTip(), QStringLiteral("Lock and unlock hours"));
    // Without billing: "Chargeable" sits 10 pixels right of "Overtime", which starts at the
    // remarks' left edge, and the billing controls are hidden.
    EXPECT_TRUE(Details->chkCharge->isVisible());
    EXPECT_EQ(Details->chkOvertime->x(), Details->edtRemarks->x());
    EXPECT_EQ(Details->chkCharge->x(), Details->chkOvertime->geometry().right() + 1 + 10);
    EXPECT_FALSE(Details->cmbBillingCode->isVisible());
    EXPECT_FALSE(Details->txtExtendedCharge->isVisible());
    // Nothing selected: everything is disabled and empty.
    EXPECT_FALSE(Details->cmbClient->isEnabled());
    EXPECT_TRUE(Details->txtTime->text().isEmpty());

    AdminSettings().BillingInfoActive = true;
    Form->ApplySettings();
    EXPECT_FALSE(Details->chkCharge->isVisible());
    EXPECT_EQ(Details->chkOvertime->x(), 166);
    EXPECT_TRUE(Details->lblBillingRate->isVisible());
    EXPECT_TRUE(Details->txtExtendedCharge->isVisible());
    EXPECT_EQ(Items(Details->cmbBillingCode),
              (QStringList{QStringLiteral("Hourly Rate"), QStringLiteral("Fixed Price"),
                           QStringLiteral("Contract"), QStringLiteral("Free of Charge")}));
    EXPECT_EQ(Details->cmbBillingCode->itemData(3).toInt(), int(bcFreeOfCharge));
}

TEST_F(MainFormDetails, PressingABlockShowsItsDetailsAndChangesReachTheFileOnAnotherDay) {
    Open();
    Press(BlockAt(1));
    ASSERT_EQ(Form->SelectedBlock(), BlockAt(1));
    EXPECT_EQ(Details->cmbClient->currentText(), QStringLiteral("Globex"));
    EXPECT_EQ(Details->cmbProject->currentText(), QStringLiteral("Migration"));
    EXPECT_EQ(Details->cmbActivity->currentText(), QStringLiteral("Coding"));
    EXPECT_EQ(Items(Details->cmbClient),
              (QStringList{QStringLiteral("Acme"), QStringLiteral("Globex")}));
    EXPECT_EQ(Items(Details->cmbActivity),
              (QStringList{QStringLiteral("Coding"), QStringLiteral("Testing")}));
    EXPECT_EQ(Details->txtTime->text(), QStringLiteral("10:00 - 12:00"));
    EXPECT_EQ(Details->txtDuration->text(), BlockAt(1)->DurationText(true));
    EXPECT_TRUE(Details->cmbClient->hasFocus());
    EXPECT_TRUE(Details->cmbClient->isEnabled());

    // A new client brings its projects, with the first one chosen, and is stored at once;
    // the undo step is taken while the block still holds what it had.
    PersonalSettings().Setup.SaveOnChange = false;
    Pick(Details->cmbClient, QStringLiteral("Acme"));
    EXPECT_EQ(Form->btnUndo->toolTip(), QStringLiteral("Undo change activity details"));
    EXPECT_EQ(Items(Details->cmbProject),
              (QStringList{QStringLiteral("Support"), QStringLiteral("Website")}));
    EXPECT_EQ(BlockAt(1)->Client, QStringLiteral("Acme"));
    EXPECT_EQ(BlockAt(1)->Project, QStringLiteral("Support"));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("Call"));
    QTest::keyClick(Details->edtRemarks, Qt::Key_Return);
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("back"));
    QTest::mouseClick(Details->chkOvertime, Qt::LeftButton);
    EXPECT_EQ(BlockAt(1)->Remarks, QStringLiteral("Call\r\nback"));
    EXPECT_TRUE(BlockAt(1)->OverTime);
    EXPECT_TRUE(Form->MonthModified());
    EXPECT_FALSE(FileBytes().contains("Support"));

    Form->Calendar->SetDate(Day.addDays(1));
    EXPECT_FALSE(Form->MonthModified());
    EXPECT_TRUE(Form->InUseListsStale());
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1000\t1200\tAcme\tSupport\tDevelopment\t"
                                     "Coding\tCall%%back\tY"));
    EXPECT_EQ(Form->SelectedBlock(), nullptr);
}

TEST_F(MainFormDetails, SaveOnChangeOffWritesOnlyOnTheListedMoments) {
    PersonalSettings().Setup.SaveOnChange = false;
    Open();
    const QByteArray before = FileBytes();
    Press(BlockAt(0));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("x"));
    EXPECT_EQ(FileBytes(), before);
    Press(BlockAt(1)); // selecting another block does not save without SaveOnChange
    EXPECT_EQ(FileBytes(), before);
    QApplication::processEvents();
    Form->Calendar->SetDate(Day.addDays(-1)); // the day changes: saved
    EXPECT_NE(FileBytes(), before);

    // With SaveOnChange every change of a complete block is written at once.
    PersonalSettings().Setup.SaveOnChange = true;
    Form->Calendar->SetDate(Day);
    Press(BlockAt(1));
    QTest::mouseClick(Details->chkReportable, Qt::LeftButton);
    EXPECT_TRUE(FileBytes().contains("06 Mar 2024\t1000\t1200\tGlobex\tMigration\tDevelopment\t"
                                     "Coding\t \tN\tN"));
}

TEST_F(MainFormDetails, AnInactiveClientIsShownAndKeptUntilAnotherBlockIsSelected) {
    Open("Old Co", "Archive");
    Press(BlockAt(1));
    EXPECT_EQ(Details->cmbClient->currentText(), QStringLiteral("Old Co"));
    EXPECT_EQ(Details->cmbProject->currentText(), QStringLiteral("Archive"));
    EXPECT_EQ(Items(Details->cmbClient), (QStringList{QStringLiteral("Acme"),
                                                      QStringLiteral("Globex"),
                                                      QStringLiteral("Old Co")}));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("kept"));
    EXPECT_EQ(BlockAt(1)->Client, QStringLiteral("Old Co"));
    EXPECT_EQ(BlockAt(1)->Project, QStringLiteral("Archive"));

    Pick(Details->cmbClient, QStringLiteral("Globex"));
    EXPECT_TRUE(Items(Details->cmbClient).contains(QStringLiteral("Old Co")));
    Pick(Details->cmbClient, QStringLiteral("Old Co")); // back: its project comes back too
    EXPECT_EQ(Items(Details->cmbProject), QStringList{QStringLiteral("Archive")});
    EXPECT_EQ(BlockAt(1)->Project, QStringLiteral("Archive"));

    Press(BlockAt(0));
    EXPECT_FALSE(Items(Details->cmbClient).contains(QStringLiteral("Old Co")));
}

TEST_F(MainFormDetails, ANameSpelledInOtherLetterCaseIsNeverLost) {
    Open("acme", "website");
    Press(BlockAt(1));
    EXPECT_EQ(Details->cmbClient->currentText(), QStringLiteral("Acme"));
    EXPECT_EQ(Details->cmbProject->currentText(), QStringLiteral("Website"));
    EXPECT_EQ(Items(Details->cmbClient),
              (QStringList{QStringLiteral("Acme"), QStringLiteral("Globex")}));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("r"));
    EXPECT_EQ(BlockAt(1)->Client, QStringLiteral("Acme"));
    EXPECT_EQ(BlockAt(1)->Project, QStringLiteral("Website"));
    EXPECT_TRUE(BlockAt(1)->IsComplete());
}

TEST_F(MainFormDetails, AClientWithoutActiveProjectsLeavesTheBlockIncomplete) {
    PersonalSettings().Setup.SaveOnChange = false;
    Open("Idle Ltd", ""); // an inactive client, and no project to offer with it
    Press(BlockAt(1));
    EXPECT_EQ(Details->cmbClient->currentText(), QStringLiteral("Idle Ltd"));
    EXPECT_EQ(Details->cmbProject->count(), 0);
    EXPECT_FALSE(Details->cmbProject->isEnabled());
    Pick(Details->cmbClient, QStringLiteral("Acme"));
    EXPECT_TRUE(BlockAt(1)->IsComplete());
    Form->SaveMonthIfModified();
    const QByteArray saved = FileBytes();
    ASSERT_TRUE(saved.contains("Acme\tSupport"));

    Pick(Details->cmbClient, QStringLiteral("Idle Ltd"));
    EXPECT_EQ(Details->cmbProject->count(), 0);
    EXPECT_FALSE(Details->cmbProject->isEnabled());
    EXPECT_FALSE(BlockAt(1)->IsComplete());
    // An incomplete block is not saved at once; it differs from the file until it is.
    EXPECT_EQ(FileBytes(), saved);
    EXPECT_TRUE(Form->MonthModified());
    Press(BlockAt(0));
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("The task you were editing has missing information (Client, "
                             "Project, Category or Activity).\t\rPlease select values for any "
                             "empty fields before proceeding."));
    EXPECT_EQ(Form->SelectedBlock(), BlockAt(1));
    // Nor does the day change while the block is incomplete.
    Form->Calendar->SetDate(Day.addDays(1));
    EXPECT_EQ(Form->Calendar->Date(), Day);
    EXPECT_EQ(FileBytes(), saved);
}

TEST_F(MainFormDetails, PickingAClientWithNoActiveProjectEmptiesAndDisablesTheProjects) {
    Open();
    TClients clients;
    clients.AddEntry(QStringLiteral("Acme"), QStringLiteral("Website"), true, {});
    clients.AddEntry(QStringLiteral("Bare"), QStringLiteral("Gone"), false, {});
    clients.AddEntry(QStringLiteral("Bare"), QStringLiteral("Live"), true, {});
    Form->ClientProjectList = clients;
    Form->ClientProjectList.AddEntry(QStringLiteral("Husk"), QStringLiteral("Shell"), false, {});
    Press(BlockAt(1));
    Messages->Shown.clear();
    // "Husk" is not offered: it has no active project. "Bare" is, with only its live project.
    EXPECT_LT(Details->cmbClient->findText(QStringLiteral("Husk")), 0);
    Pick(Details->cmbClient, QStringLiteral("Bare"));
    EXPECT_EQ(Items(Details->cmbProject), QStringList{QStringLiteral("Live")});
    // A client of the list whose projects were made inactive meanwhile.
    Form->ClientProjectList = TClients();
    Form->ClientProjectList.AddEntry(QStringLiteral("Acme"), QStringLiteral("Website"), true, {});
    Form->ClientProjectList.AddEntry(QStringLiteral("Bare"), QStringLiteral("Live"), false, {});
    Pick(Details->cmbClient, QStringLiteral("Acme"));
    Pick(Details->cmbClient, QStringLiteral("Bare"));
    EXPECT_EQ(Details->cmbProject->count(), 0);
    EXPECT_FALSE(Details->cmbProject->isEnabled());
    EXPECT_TRUE(BlockAt(1)->Project.isEmpty());
    EXPECT_FALSE(BlockAt(1)->IsComplete());
    EXPECT_FALSE(Form->IsBlockComplete(BlockAt(1), false));
}

TEST_F(MainFormDetails, BillingCodesRatesAndCharges) {
    Open("Globex", "Migration", true);
    Press(BlockAt(0)); // Fixed Price 120.00
    EXPECT_EQ(Details->cmbBillingCode->currentText(), QStringLiteral("Fixed Price"));
    EXPECT_EQ(Details->edtBillingRate->text(), QStringLiteral("120.00"));
    EXPECT_TRUE(Details->edtBillingRate->isEnabled());
    EXPECT_EQ(Details->txtExtendedCharge->text(), QStringLiteral("$120.00"));

    // A block from before billing was switched on offers its own code first.
    Press(BlockAt(1));
    EXPECT_EQ(Items(Details->cmbBillingCode),
              (QStringList{QStringLiteral("Chargeable"), QStringLiteral("Hourly Rate"),
                           QStringLiteral("Fixed Price"), QStringLiteral("Contract"),
                           QStringLiteral("Free of Charge")}));
    EXPECT_EQ(Details->cmbBillingCode->currentText(), QStringLiteral("Chargeable"));
    EXPECT_EQ(Details->edtBillingRate->text(), QStringLiteral("No rate"));
    EXPECT_FALSE(Details->edtBillingRate->isEnabled());
    EXPECT_TRUE(Details->txtExtendedCharge->text().isEmpty());

    Pick(Details->cmbBillingCode, QStringLiteral("Hourly Rate")); // two hours at 50.00
    EXPECT_EQ(Details->edtBillingRate->text(), QStringLiteral("50.00"));
    EXPECT_EQ(Details->txtExtendedCharge->text(), QStringLiteral("$100.00"));
    ASSERT_NE(BlockAt(1)->BillingInfo, nullptr);
    EXPECT_EQ(BlockAt(1)->BillingInfo->Code, bcHourlyRate);
    EXPECT_EQ(BlockAt(1)->BillingInfo->Rate, TMoney::FromUnits(500000));
    EXPECT_EQ(BlockAt(1)->BillingInfo->Source, rsUser);
    Details->edtBillingRate->selectAll();
    QTest::keyClicks(Details->edtBillingRate, QStringLiteral("12.5"));
    EXPECT_EQ(Details->txtExtendedCharge->text(), QStringLiteral("$25.00"));
    EXPECT_EQ(BlockAt(1)->BillingInfo->Rate, TMoney::FromUnits(125000));

    Pick(Details->cmbBillingCode, QStringLiteral("Contract"));
    EXPECT_EQ(Details->edtBillingRate->text(), QStringLiteral("No rate"));
    EXPECT_FALSE(Details->edtBillingRate->isEnabled());
    EXPECT_TRUE(Details->txtExtendedCharge->text().isEmpty());
    EXPECT_TRUE(BlockAt(1)->Chargeable);

    Pick(Details->cmbBillingCode, QStringLiteral("Free of Charge"));
    EXPECT_EQ(Details->edtBillingRate->text(), QStringLiteral("0.00"));
    EXPECT_EQ(Details->txtExtendedCharge->text(), QStringLiteral("$0.00"));
    EXPECT_FALSE(BlockAt(1)->Chargeable);
    // The shown block now has a code of the billing list: the older codes are gone.
    Press(BlockAt(0));
    Press(BlockAt(1));
    EXPECT_EQ(Details->cmbBillingCode->count(), 4);

    // An unreadable rate makes the block incomplete, named "Billing" in the message.
    Pick(Details->cmbBillingCode, QStringLiteral("Fixed Price"));
    EXPECT_EQ(Details->edtBillingRate->text(), QStringLiteral("0.00"));
    Details->edtBillingRate->selectAll();
    QTest::keyClicks(Details->edtBillingRate, QStringLiteral("lots"));
    EXPECT_TRUE(Details->txtExtendedCharge->text().isEmpty());
    EXPECT_FALSE(Form->IsBlockComplete(BlockAt(1), true));
    EXPECT_TRUE(Messages->Shown.back().Text.startsWith(
        QStringLiteral("The task you were editing has missing information (Client, Project, "
                       "Category, Activity or Billing).")));
    EXPECT_TRUE(Details->edtBillingRate->hasFocus());
}

TEST_F(MainFormDetails, LockingIsRefusedWhileIncompleteAndDisablesTheDetails) {
    Open();
    Press(BlockAt(1));
    Details->cmbActivity->clear();
    QTest::mouseClick(Form->sbLock, Qt::LeftButton);
    EXPECT_FALSE(Form->HoursLocked());
    EXPECT_FALSE(Form->sbLock->isChecked());
    EXPECT_EQ(Form->sbLock->icon().cacheKey(), Form->imgUnlock.cacheKey());
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Details->cmbActivity->hasFocus() || !Details->cmbActivity->isEnabled());

    Pick(Details->cmbCategory, QStringLiteral("Meetings"));
    QTest::mouseClick(Form->sbLock, Qt::LeftButton);
    EXPECT_TRUE(Form->HoursLocked());
    EXPECT_TRUE(Form->sbLock->isChecked());
    EXPECT_EQ(Form->sbLock->icon().cacheKey(), Form->imgLock.cacheKey());
    EXPECT_FALSE(Details->cmbClient->isEnabled());
    EXPECT_FALSE(Details->edtRemarks->isEnabled());
    EXPECT_FALSE(Form->pnlTime->isEnabled());
    // Locked hours still let the user look at other blocks.
    Press(BlockAt(0));
    EXPECT_EQ(Form->SelectedBlock(), BlockAt(0));
    EXPECT_FALSE(Details->cmbClient->isEnabled());
    EXPECT_EQ(Details->cmbClient->currentText(), QStringLiteral("Acme"));

    QTest::mouseClick(Form->sbLock, Qt::LeftButton);
    EXPECT_FALSE(Form->HoursLocked());
    EXPECT_TRUE(Details->cmbClient->isEnabled());
}

TEST_F(MainFormDetails, CtrlInADropDownListLetsTheWindowsShortcutRun) {
    Open();
    int copies = 0;
    auto* copy = new QAction(Form.get());
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Form->addAction(copy);
    QObject::connect(copy, &QAction::triggered, [&copies] { ++copies; });
    Press(BlockAt(0));
    ASSERT_TRUE(Details->cmbClient->hasFocus());
    QTest::keyClick(Details->cmbClient, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 1);
    EXPECT_TRUE(Form->edtTakeFocus->hasFocus());
    EXPECT_EQ(Details->cmbClient->currentText(), QStringLiteral("Acme"));
}

TEST_F(MainFormDetails, AMonthThatCannotBeWrittenKeepsTheEditAndTheFile) {
    Open();
    const QByteArray before = FileBytes();
    const QString fileName = Form->LoadedMonth()->FileName;
    // The folder the month is written to has gone away (a network drive, say).
    Form->LoadedMonth()->FileName = Path(QStringLiteral("gone/2024-03.txt"));
    Press(BlockAt(0));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("Keep me"));
    ASSERT_FALSE(Messages->Shown.empty());
    EXPECT_EQ(Messages->Shown.back().Kind, TMsgKind::Error);
    EXPECT_TRUE(Messages->Shown.back().Text.contains(QStringLiteral("gone/2024-03.txt")));
    EXPECT_EQ(FileBytes(), before);
    EXPECT_TRUE(Form->MonthModified());
    EXPECT_EQ(BlockAt(0)->Remarks, QStringLiteral("Keep me"));

    // Another month is not loaded over the unwritten one: the calendar stays on the day.
    Form->Calendar->SetDate(QDate(2024, 4, 2));
    EXPECT_EQ(Form->Calendar->Date(), Day);
    ASSERT_NE(CurrentDay(), nullptr);
    EXPECT_EQ(CurrentDay()->Date, Day);

    // Once the folder is back the next save writes everything.
    Form->LoadedMonth()->FileName = fileName;
    Form->SaveMonthIfModified();
    EXPECT_FALSE(Form->MonthModified());
    EXPECT_TRUE(FileBytes().contains("Keep me"));
}

TEST_F(MainFormDetails, ClosingWithAnIncompleteBlockOffersToDeleteIt) {
    PersonalSettings().Setup.SaveOnChange = false;
    Open();
    Press(BlockAt(1));
    Details->cmbProject->clear();
    Form->StoreBlockDetails(BlockAt(1), TMainForm::spSilent, false);
    Messages->Answer = mrCancel;
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(CurrentDay()->Blocks.size(), 2u);
    EXPECT_TRUE(Messages->Shown.back().Text.endsWith(
        QStringLiteral("Click [OK] to delete the task and leave, or [CANCEL] to return to the "
                       "application.")));

    Messages->Answer = mrOk;
    EXPECT_TRUE(Form->close());
    // The block left the day and the file: the deletion was saved on the way out.
    EXPECT_FALSE(FileBytes().contains("Globex"));
    EXPECT_TRUE(FileBytes().contains("Acme"));
}

TEST_F(MainFormDetails, VeryLongRemarksAreShownCutAndKeptWhole) {
    Open();
    const QString huge = QString(3'000'000, QLatin1Char('r'));
    BlockAt(0)->Remarks = huge;
    Press(BlockAt(0));
    EXPECT_LT(Details->edtRemarks->toPlainText().size(), huge.size());
    EXPECT_TRUE(Details->edtRemarks->isReadOnly());
    EXPECT_FALSE(Details->edtRemarks->toolTip().isEmpty());
    Pick(Details->cmbCategory, QStringLiteral("Meetings")); // any change stores the details
    EXPECT_EQ(BlockAt(0)->Remarks, huge);
    Form->SaveMonthIfModified();
    TMonth read(2024, 3);
    EXPECT_EQ(read.DayByDate(Day)->Blocks.front()->Remarks, huge);
    Press(BlockAt(1)); // an ordinary block: the memo edits again
    EXPECT_FALSE(Details->edtRemarks->isReadOnly());
}
