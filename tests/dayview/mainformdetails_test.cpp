#include "base/datalocations.h"
#include "calendar/graphiccalendar.h"
#include "dayview/blockdetailspanel.h"
#include "dayview/mainform.h"
#include "dayview/timelineview.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/values/timevalues.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {
const QDate Day(2024, 3, 6);

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int index = 0; index < box->count(); ++index)
        items.append(box->itemText(index));
    return items;
}
} // namespace

// The main window over a local data folder with lists and a month of blocks for 6 March 2024.
class MainFormDetails : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Env.Args = {Env.Program, QStringLiteral("/datadir"), MakeFolder(QStringLiteral("local"))};
        ApplyEnvironment();
        ResolveDataLocations();
        ASSERT_TRUE(CheckDataFolders());
        AdminSettings() = TAdminSettings{};
        SetTimeStep(25);
        TClients clients;
        clients.AddEntry(QStringLiteral("Acme"), QStringLiteral("Website"), true, {});
        clients.AddEntry(QStringLiteral("Acme"), QStringLiteral("Support"), true, {});
        clients.AddEntry(QStringLiteral("Globex"), QStringLiteral("Migration"), true, {});
        clients.AddEntry(QStringLiteral("Old Co"), QStringLiteral("Archive"), false, {});
        clients.AddEntry(QStringLiteral("Idle Ltd"), QStringLiteral("Dormant"), false, {});
        clients.AddEntry(QStringLiteral("Idle Ltd"), QStringLiteral("Spare"), false, {});
        clients.SaveTo(LocalDataPath() + QStringLiteral("ClientProject.txt"));
        TCategories categories;
        categories.AddEntry(QStringLiteral("Development"), QStringLiteral("Coding"), true);
        categories.AddEntry(QStringLiteral("Development"), QStringLiteral("Testing"), true);
        categories.AddEntry(QStringLiteral("Meetings"), QStringLiteral("Planning"), true);
        categories.SaveTo(LocalDataPath() + QStringLiteral("CategoryActivity.txt"));
    }
    void TearDown() override {
        Form.reset();
        AdminSettings() = TAdminSettings{};
        TTempFolderTest::TearDown();
    }

    TBlock& Add(TMonth& month, int start, int end, const char* client, const char* project) {
        TBlock& block = month.DayByDate(Day)->AddBlock(start, end);
        block.Client = QString::fromUtf8(client);
        block.Project = QString::fromUtf8(project);
        block.Category = QStringLiteral("Development");
        block.Activity = QStringLiteral("Coding");
        block.Reportable = true;
        block.Chargeable = true;
        return block;
    }
    // Writes the month with a block at 9:00-10:00 (Acme) and one at 10:00-12:00 (client
    // given), then opens the window on the day.
    void Open(const char* secondClient = "Globex", const char* secondProject = "Migration",
              bool billing = false) {
        {
            TMonth month(2024, 3);
            TBlock& first = Add(month, 900, 1000, "Acme", "Website");
            TBlock& second = Add(month, 1000, 1200, secondClient, secondProject);
            if (billing) {
                first.BillingInfo = std::make_unique<TBillingInfo>(bcFixedPrice, rsUser,
                                                                   TMoney::FromUnits(1200000));
                second.BillingInfo.reset();
                second.Chargeable = true;
            }
            month.Save();
        }
        AdminSettings().BillingInfoActive = billing;
        AdminSettings().CurrencySymbol = QStringLiteral("$");
        PersonalSettings().Setup.UserHourlyRate = TMoney::FromUnits(500000); // 50.00
        Form = std::make_unique<TMainForm>();
        Form->Calendar->SetDate(Day);
        Form->LoadData();
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        Details = Form->gpbxDetails;
    }
    TDay* CurrentDay() const { return Form->CurrentDay(); }
    TBlock* BlockAt(int index) const { return CurrentDay()->Blocks[index].get(); }
    // Presses the timeline in the middle of a block, as the user does.
    void Press(const TBlock* block) {
        const int x = CurrentDay()->TimeToX((block->StartTime + block->EndTime) / 2);
        Form->Timeline->ScrollToBlock(block);
        const QPoint at(x, Form->Timeline->pbxDay->height() / 2);
        QTest::mousePress(Form->Timeline->pbxDay, Qt::LeftButton, {}, at);
        QTest::mouseRelease(Form->Timeline->pbxDay, Qt::LeftButton, {}, at);
    }
    void Pick(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index); // as a choice from the list does
    }
    QString MonthFile() const { return LocalDataPath() + QStringLiteral("2024-03.txt"); }
    QByteArray FileBytes() const { return ReadFile(MonthFile()); }

    std::unique_ptr<TMainForm> Form;
    TBlockDetailsPanel* Details = nullptr;
};

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
    QStringList recorded;
    Form->OnRecordControlChange = [&](QWidget* control) {
        recorded.append(control->objectName() + QLatin1Char('=') + BlockAt(1)->Client);
    };
    Pick(Details->cmbClient, QStringLiteral("Acme"));
    EXPECT_EQ(recorded, QStringList{QStringLiteral("cmbClient=Globex")});
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
    EXPECT_FALSE(Form->MonthModified()); // an incomplete block does not count as a change
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
