#include "base/datalocations.h"
#include "base/messages.h"
#include "reporting/layouts/basereport.h"
#include "reporting/layouts/reportlayouts.h"
#include "reportwindows/selectprintreportform.h"
#include "sampledata/sampledata.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"
#include "widgets/progressbarform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {
struct TPreviewed {
    QString Title;
    int Users = 0;
    bool Billing = false;
};
} // namespace

// Workstation "mary" of a work group whose server holds March 2024 of three generated users.
class SelectPrintReportForm : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        MakeFolder(QStringLiteral("local/Data/_ExportFormats"));
        MakeFolder(QStringLiteral("server/Data/_ExportFormats"));
        AdminSettings() = TAdminSettings{};
        PersonalSettings().UserName = QStringLiteral("mary");
        PersonalSettings().Setup = TSetupPersonal{};
        TSampleDataGenerator(4).WriteServerData(ServerDataPath(), 3, 2024, 3, 1, &Folders);
        Layouts = CreateReportLayouts();
        Form = std::make_unique<TSelectPrintReportForm>(*Layouts);
        Form->PrinterInstalled = [] { return false; };
        TBaseReport::SetPreviewHandler([this](TBaseReport& report) {
            Previewed.push_back({report.Title(), report.UserCount(), report.IsBilling()});
        });
        Sources.InUseClients = &InUseClients;
        Sources.InUseCategories = &InUseCategories;
        Sources.ClientProjectList = &ClientList;
        Sources.Week = {QDate(2024, 3, 4), QDate(2024, 3, 10)};
        Sources.Month = {QDate(2024, 3, 1), QDate(2024, 3, 31)};
    }
    void TearDown() override {
        Form.reset();
        TBaseReport::SetPreviewHandler(nullptr);
        AdminSettings() = TAdminSettings{};
        TTempFolderTest::TearDown();
    }
    void Open() {
        Form->ShowFor(&MainWindow, Sources);
        QApplication::processEvents();
    }
    void Choose(QComboBox* box, const QString& text) {
        box->setCurrentIndex(box->findText(text));
        QApplication::processEvents();
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QStringList Folders;
    TClients InUseClients;
    TCategories InUseCategories;
    TClients ClientList;
    TSelectReportSources Sources;
    QWidget MainWindow;
    std::unique_ptr<TReportLayouts> Layouts;
    std::unique_ptr<TSelectPrintReportForm> Form;
    std::vector<TPreviewed> Previewed;
};

TEST_F(SelectPrintReportForm, OpeningFindsTheWorkGroupAndDisablesTheMainWindow) {
    PersonalSettings().Setup.ActiveClients = false;
    Open();
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Time Report"));
    EXPECT_FALSE(MainWindow.isEnabled());
    ASSERT_EQ(Form->cmbUser->count(), 2);
    EXPECT_EQ(Form->cmbUser->itemText(0), QStringLiteral("mary"));
    EXPECT_EQ(Form->cmbUser->itemText(1), QStringLiteral("All Users (3)"));
    EXPECT_TRUE(Form->cmbUser->isEnabled());
    EXPECT_FALSE(Form->btnUsers->isEnabled()); // the current user is chosen
    EXPECT_FALSE(Form->btnPrintEach->isEnabled());
    EXPECT_EQ(Form->cmbReportType->currentText(), QStringLiteral("Client/Project Activity"));
    EXPECT_EQ(Form->pickFrom->date(), QDate(2024, 3, 1));
    EXPECT_EQ(Form->pickTo->date(), QDate(2024, 3, 31));
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("no number"));
    EXPECT_FALSE(Form->cmbPrinters->isEnabled()); // no printer: the list says so
    EXPECT_TRUE(Form->cmbPrinters->currentText().startsWith(QStringLiteral("No printer installed")));
    Choose(Form->cmbUser, QStringLiteral("All Users (3)"));
    EXPECT_TRUE(Form->btnUsers->isEnabled());
    EXPECT_TRUE(Form->btnPrintEach->isEnabled());
    EXPECT_GT(Form->cmbClient->count(), 1); // the work group's clients (Show Active is off)
    Click(Form->btnClose);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(MainWindow.isEnabled());
    EXPECT_TRUE(Form->AllUsers.empty()); // the showing's lists are freed
}

TEST_F(SelectPrintReportForm, AWorkGroupOfOnlyTheCurrentUserOffersNoWorkGroupEntry) {
    QDir(ServerDataPath()).removeRecursively();
    TSampleDataGenerator(4).WriteUserMonths(MakeFolder(QStringLiteral("server/Data/mary")), 1, 2024,
                                            3, 1);
    Open();
    EXPECT_EQ(Form->cmbUser->count(), 1);
    EXPECT_FALSE(Form->cmbUser->isEnabled());
    EXPECT_FALSE(Form->btnUsers->isEnabled());
    EXPECT_EQ(Form->AllUserCount, 0);
}

TEST_F(SelectPrintReportForm, TheWeeklyReportForcesAWeekAndItsBoxes) {
    AdminSettings().BillingInfoActive = true;
    AdminSettings().FirstDayOfWeek = 7; // weeks from Sunday
    PersonalSettings().Setup.ActiveClients = false;
    Open();
    Choose(Form->cmbReportType, QStringLiteral("Daily Hours"));
    Click(Form->chkBillingReport);
    Click(Form->chkRemarks);
    Choose(Form->cmbCharging, QStringLiteral("Chargeable only"));
    ASSERT_TRUE(Form->chkBillingReport->isChecked());
    Choose(Form->cmbReportType, QStringLiteral("Weekly Activity"));
    EXPECT_EQ(Form->pickFrom->date(), QDate(2024, 2, 25)); // the Sunday before Friday the 1st
    EXPECT_EQ(Form->pickTo->date(), QDate(2024, 3, 2));
    for (QWidget* control : std::initializer_list<QWidget*>{
             Form->cmbClient, Form->cmbProject, Form->cmbCharging, Form->chkBillingReport,
             Form->chkRemarks, Form->pickTo, Form->sbMonth, Form->chkShowOvertime})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(Form->chkBillingReport->isChecked());
    EXPECT_TRUE(Form->chkShowOvertime->isChecked());
    EXPECT_EQ(Form->cmbCharging->currentIndex(), 0);
    // Another start date: the period moves to its week once the date control is done.
    Form->pickFrom->setDate(QDate(2024, 3, 20));
    EXPECT_EQ(Form->pickTo->date(), QDate(2024, 3, 2)); // not yet
    QApplication::processEvents();
    EXPECT_EQ(Form->pickFrom->date(), QDate(2024, 3, 17));
    EXPECT_EQ(Form->pickTo->date(), QDate(2024, 3, 23));
    // Back to the daily report: the boxes as the user left them, the filters reset.
    Choose(Form->cmbReportType, QStringLiteral("Daily Hours"));
    EXPECT_TRUE(Form->chkBillingReport->isChecked());
    EXPECT_TRUE(Form->chkRemarks->isChecked());
    EXPECT_TRUE(Form->chkRemarks->isEnabled());
    EXPECT_EQ(Form->cmbCharging->currentIndex(), 0);
    EXPECT_EQ(Form->cmbClient->currentIndex(), 0);
    EXPECT_TRUE(Form->pickTo->isEnabled());
    Choose(Form->cmbReportType, QStringLiteral("Overtime"));
    EXPECT_FALSE(Form->chkShowOvertime->isEnabled());
    EXPECT_TRUE(Form->chkShowOvertime->isChecked());
}

TEST_F(SelectPrintReportForm, WeekNumberButtonsCrossTheYearsEnd) {
    Open();
    Form->pickTo->setDate(QDate(2005, 1, 9));
    Form->pickFrom->setDate(QDate(2005, 1, 3));
    QApplication::processEvents();
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("2005-W1"));
    Click(Form->sbWeeknumDn);
    EXPECT_EQ(Form->pickFrom->date(), QDate(2004, 12, 27));
    EXPECT_EQ(Form->pickTo->date(), QDate(2005, 1, 2));
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("2004-W53"));
    EXPECT_TRUE(Form->txtWeeknum->isEnabled());
    Click(Form->sbWeeknumUp);
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("2005-W1"));
    // A period that is not a whole week snaps to the week of its start first.
    Form->pickTo->setDate(QDate(2005, 1, 20));
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("no number"));
    Click(Form->sbWeeknumUp);
    EXPECT_EQ(Form->pickFrom->date(), QDate(2005, 1, 3));
    EXPECT_EQ(Form->pickTo->date(), QDate(2005, 1, 9));
    // From week 1 of 2006 back to week 52 of 2005 (a year of 52 weeks).
    Form->pickTo->setDate(QDate(2006, 1, 8));
    Form->pickFrom->setDate(QDate(2006, 1, 2));
    Click(Form->sbWeeknumDn);
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("2005-W52"));
}

TEST_F(SelectPrintReportForm, PreviewRunsTheChosenLayoutForTheChosenUsers) {
    AdminSettings().BillingInfoActive = true;
    // Mary's own month, which the window's backup brings to the server: four users there.
    TSampleDataGenerator(9).WriteUserMonths(LocalDataPath(), 5, 2024, 3, 1);
    Open();
    Click(Form->btnPreview);
    ASSERT_EQ(Previewed.size(), 1u);
    EXPECT_EQ(Previewed[0].Title, QStringLiteral("Activity Summary"));
    EXPECT_EQ(Previewed[0].Users, 0); // the current user's own data
    Choose(Form->cmbUser, QStringLiteral("All Users (4)"));
    Choose(Form->cmbReportType, QStringLiteral("Daily Hours"));
    Click(Form->chkBillingReport);
    Click(Form->btnPreview);
    ASSERT_EQ(Previewed.size(), 2u);
    EXPECT_EQ(Previewed[1].Title, QStringLiteral("Daily Summary"));
    EXPECT_EQ(Previewed[1].Users, 4);
    EXPECT_TRUE(Previewed[1].Billing);
    // Choosing two users names them in the list entry and allows Print Each.
    Form->ChooseUsers = [](QWidget*, const TServerUsers& all, TServerUsers& selection, bool latest) {
        EXPECT_TRUE(latest);
        selection = {all[0], all[2]};
        return true;
    };
    Click(Form->btnUsers);
    EXPECT_EQ(Form->cmbUser->currentText(), QStringLiteral("Selected Users (2 of 4)"));
    EXPECT_TRUE(Form->btnPrintEach->isEnabled());
    Click(Form->btnPreview);
    EXPECT_EQ(Previewed.back().Users, 2);
    // Choosing only oneself goes back to one's own data, with every user chosen again.
    Form->ChooseUsers = [](QWidget*, const TServerUsers& all, TServerUsers& selection, bool) {
        for (const TServerUser& user : all)
            if (user.Name() == QStringLiteral("mary"))
                selection = {user};
        return true;
    };
    Click(Form->btnUsers);
    EXPECT_EQ(Form->cmbUser->currentIndex(), 0);
    EXPECT_EQ(Form->cmbUser->itemText(1), QStringLiteral("All Users (4)"));
    EXPECT_EQ(Form->SelectedUsers.size(), 4u);
}

TEST_F(SelectPrintReportForm, PrintWithoutAPrinterWritesAPdfFile) {
    Open();
    Choose(Form->cmbUser, QStringLiteral("All Users (3)"));
    const QString pdf = Path(QStringLiteral("report.pdf"));
    Form->AskPdfFile = [&pdf](QWidget*) { return pdf; };
    Messages->Answer = mrYes;
    Click(Form->btnAction);
    EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF-"));
    EXPECT_TRUE(Messages->Shown.front().Text.startsWith(QStringLiteral("No printer is installed.")));
    EXPECT_TRUE(Form->isVisible()); // the window stays open after a run
}

TEST_F(SelectPrintReportForm, PrintEachSummarisesTheReportsNotPrinted) {
    // The second user has a working day with a block without its activity.
    WriteFile(Folders[1] + QStringLiteral("2024-03.txt"),
              ReadFile(Folders[1] + QStringLiteral("2024-03.txt")) +
                  "06 Mar 2024\t0600\t0700\tAcme\tWeb\tDev\t\t \tN\tY\tY\t \r\n");
    Open();
    Choose(Form->cmbUser, QStringLiteral("All Users (3)"));
    const QString folder = MakeFolder(QStringLiteral("pdfs"));
    Form->AskPdfFolder = [&folder](QWidget*) { return folder; };
    Messages->Answer = mrYes; // PDF files instead, and yes to "Cancel operation?"
    // Cancel is clicked while the second user's report is under way.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<TProgressBarForm*>(window);
            if (progress && progress->isVisible() &&
                progress->ProgressLabel->text() == QStringLiteral("Printing ... 2 of 3")) {
                watcher.stop();
                QTest::mouseClick(progress->btnCancel, Qt::LeftButton);
            }
        }
    });
    watcher.start(0);
    Click(Form->btnPrintEach);
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("user001.pdf")));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("user002.pdf")));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("user003.pdf")));
    const QString summary = Messages->Shown.back().Text;
    EXPECT_TRUE(summary.startsWith(QStringLiteral("One or more reports were not printed:\r\r")));
    EXPECT_TRUE(summary.contains(QStringLiteral("user002 - Wednesday "))) << summary.toStdString();
    EXPECT_FALSE(summary.contains(QStringLiteral("user001")));
    EXPECT_TRUE(summary.contains(QStringLiteral(" has missing task information\r")));
    EXPECT_TRUE(summary.endsWith(QStringLiteral("user003 - operation cancelled\r")));
    EXPECT_TRUE(Form->isEnabled());
}

TEST_F(SelectPrintReportForm, TheBoxesShowTheSavedDefaultsEachTimeTheWindowOpens) {
    AdminSettings().BillingInfoActive = true;
    Open(); // remembers the boxes as they are by default
    Click(Form->btnClose);
    PersonalSettings().Setup.ReportType = QStringLiteral("Daily Hours");
    PersonalSettings().Setup.BillingReport = true;
    PersonalSettings().Setup.BreakDownToRemarks = true;
    PersonalSettings().Setup.ShowOvertime = false;
    Open();
    EXPECT_EQ(Form->cmbReportType->currentText(), QStringLiteral("Daily Hours"));
    EXPECT_TRUE(Form->chkBillingReport->isChecked());
    EXPECT_TRUE(Form->chkRemarks->isChecked());
    EXPECT_FALSE(Form->chkShowOvertime->isChecked());
    // And they are what the boxes come back to after the weekly report.
    Choose(Form->cmbReportType, QStringLiteral("Weekly Activity"));
    EXPECT_TRUE(Form->chkShowOvertime->isChecked());
    Choose(Form->cmbReportType, QStringLiteral("Daily Hours"));
    EXPECT_TRUE(Form->chkBillingReport->isChecked());
    EXPECT_TRUE(Form->chkRemarks->isChecked());
    EXPECT_FALSE(Form->chkShowOvertime->isChecked());
    Click(Form->btnClose);
    PersonalSettings().Setup.BillingReport = false;
    PersonalSettings().Setup.ShowOvertime = true;
    Open();
    EXPECT_FALSE(Form->chkBillingReport->isChecked());
    EXPECT_TRUE(Form->chkShowOvertime->isChecked());
}

TEST_F(SelectPrintReportForm, WeeksFromSundayStepForwardAndBackAndHaveNoIsoNumber) {
    AdminSettings().FirstDayOfWeek = 7;
    Sources.Week = {QDate(2020, 12, 6), QDate(2020, 12, 12)}; // Sunday to Saturday
    PersonalSettings().Setup.ReportType = QStringLiteral("Weekly Activity");
    Open();
    EXPECT_EQ(Form->pickFrom->date(), QDate(2020, 12, 6));
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("no number"));
    EXPECT_FALSE(Form->txtWeeknum->isEnabled());
    Click(Form->sbWeeknumUp);
    EXPECT_EQ(Form->pickFrom->date(), QDate(2020, 12, 13));
    EXPECT_EQ(Form->pickTo->date(), QDate(2020, 12, 19));
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("no number"));
    Click(Form->sbWeeknumDn);
    Click(Form->sbWeeknumDn);
    EXPECT_EQ(Form->pickFrom->date(), QDate(2020, 11, 29));
    EXPECT_EQ(Form->pickTo->date(), QDate(2020, 12, 5));
    // Across the year's end, a week at a time.
    Form->pickFrom->setDate(QDate(2020, 12, 27));
    QApplication::processEvents();
    Click(Form->sbWeeknumUp);
    EXPECT_EQ(Form->pickFrom->date(), QDate(2021, 1, 3));
    // Weeks from Monday are ISO weeks: the box names them.
    AdminSettings().FirstDayOfWeek = 1;
    Click(Form->sbWeeknumUp);
    EXPECT_EQ(Form->pickFrom->date(), QDate(2021, 1, 4));
    EXPECT_EQ(Form->txtWeeknum->text(), QStringLiteral("2021-W1"));
    EXPECT_TRUE(Form->txtWeeknum->isEnabled());
}

// Not yet true: the preview does not take the printer chosen in the window.
TEST_F(SelectPrintReportForm, DISABLED_ThePreviewPrintsOnThePrinterChosenInTheWindow) {
    Form->PrinterInstalled = [] { return true; };
    QString printer;
    TBaseReport::SetPreviewHandler([&printer](TBaseReport& report) { printer = report.PrinterName; });
    Open();
    // The test machine may have no printer: the list is given one to choose.
    Form->cmbPrinters->addItem(QStringLiteral("Office Laser"));
    Form->cmbPrinters->setCurrentIndex(Form->cmbPrinters->count() - 1);
    Click(Form->btnPreview);
    EXPECT_EQ(printer, QStringLiteral("Office Laser"));
}
