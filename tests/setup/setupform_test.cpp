#include "base/datalocations.h"
#include "base/filestamp.h"
#include "base/help.h"
#include "export/exportformat.h"
#include "export/exportformatfiles.h"
#include "localepin.h"
#include "setup/exportformatlistpage.h"
#include "setup/listtreeeditor.h"
#include "setup/listtreeitem.h"
#include "setup/treehelpers.h"
#include "storage/lists/client.h"
#include "base/lockfile.h"
#include "setup/setupcolumnsliders.h"
#include "setup/setupform.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/values/timevalues.h"
#include "storage/server/backup.h"
#include "testsupport.h"

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
// Check boxes and radio buttons take clicks on their box and caption only.
void ClickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}
// The lock probe is built beside the program.
QString LockProbe() {
#ifdef QH_LOCK_PROBE
    return QStringLiteral(QH_LOCK_PROBE);
#else
    return QFileInfo(QStringLiteral(QH_PROGRAM)).absolutePath() + QStringLiteral("/qh_lock_probe");
#endif
}

void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}
} // namespace

// The set-up window over lists and settings files of its own, single-user unless a test
// changes the mode before opening it.
class SetupForm : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Pin = std::make_unique<TLocalePin>(QStringLiteral("C"));
        Locations().ProgramFolder = MakeFolder(QStringLiteral("program"));
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        AdminSettings() = TAdminSettings{};
        AdminSettingsAge().SetStamp(TSharedFileStamp::UnknownStamp);
        SetTimeStep(25);
        PersonalSettings().UserName = QStringLiteral("Mary");
        WriteFile(Path(QStringLiteral("ClientProject.txt")), "Acme\tBuild\tY\r\n");
        WriteFile(Path(QStringLiteral("CategoryActivity.txt")), "Dev\tCode\tY\r\n");
        Clients = TClients(Path(QStringLiteral("ClientProject.txt")));
        Categories = TCategories(Path(QStringLiteral("CategoryActivity.txt")));
        SetHelpHandlers({[this](const QString& topic) { Topics.append(topic); }, {}});
    }
    void TearDown() override {
        Form.reset();
        AdminSettings() = TAdminSettings{};
        AdminSettingsAge().SetStamp(TSharedFileStamp::UnknownStamp);
        SetTimeStep(25);
        Pin.reset();
        TTempFolderTest::TearDown();
    }
    void MakeWorkGroup(int adminMode) {
        Server = MakeFolder(QStringLiteral("server"));
        MakeFolder(QStringLiteral("server/Data"));
        Locations().ServerFolder = Server;
        Locations().AdminMode = adminMode;
    }
    QString AdminFile() const { return AdminSettingsFileName(); }
    void CreateForm() {
        Form = std::make_unique<TSetupForm>();
        TSetupSources sources;
        sources.ClientProjectList = &Clients;
        sources.CategoryActivityList = &Categories;
        sources.CustomColours = &CustomColours;
        sources.ListsChanged = [this] { ++ListsChangedCount; };
        sources.Refresh = [this] { ++RefreshCount; };
        Form->Connect(sources);
        Form->PlaySound = [this](const QString& file) {
            Played.append(file);
            return true;
        };
    }
    // Opens the window modally and lets act work in it; a window still open afterwards is
    // cancelled. The result of the window.
    bool Open(const std::function<void()>& act, bool listMaintenance = false) {
        if (!Form)
            CreateForm();
        bool reached = false;
        // The window lets waiting messages through while it opens; act waits until it is open.
        std::function<void()> attempt = [&] {
            if (!Form->isVisible() || Form->IsOpening()) {
                QTimer::singleShot(5, Form.get(), attempt);
                return;
            }
            reached = true;
            act();
            if (Form->isVisible())
                Form->reject();
        };
        QTimer::singleShot(0, Form.get(), attempt);
        const bool confirmed = Form->Execute(listMaintenance);
        EXPECT_TRUE(reached);
        return confirmed;
    }
    void ClickOK() { QTest::mouseClick(Form->btnOK, Qt::LeftButton); }
    // The page to the front, laid out, so that clicks find their controls.
    void ShowPage(QWidget* page) {
        Form->pageControl->setCurrentWidget(page);
        QApplication::processEvents();
    }
    QStringList MessageTexts() const {
        QStringList texts;
        for (const TShownMessage& shown : Messages->Shown)
            texts.append(shown.Text);
        return texts;
    }
    // OK refused with message; the window stays open on page with the focus on control.
    void ExpectRefused(const QString& message, QWidget* page, QWidget* control) {
        Messages->Shown.clear();
        ClickOK();
        EXPECT_TRUE(Form->isVisible());
        ASSERT_EQ(MessageTexts(), QStringList{message});
        EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Error);
        EXPECT_EQ(Form->pageControl->currentWidget(), page);
        if (control) {
            EXPECT_EQ(Form->focusWidget(), control);
        }
    }

    std::unique_ptr<TLocalePin> Pin;
    QString Server;
    TClients Clients;
    TCategories Categories;
    QList<QColor> CustomColours;
    std::unique_ptr<TSetupForm> Form;
    int ListsChangedCount = 0;
    int RefreshCount = 0;
    QStringList Played;
    QStringList Topics;
};

TEST_F(SetupForm, ShowsItsPagesFilledFromTheSettingsAndHelpsByPage) {
    WriteFile(Locations().LocalFolder + QStringLiteral("QHR.ini"),
              "[Setup]\r\nFirstDayOfWeek=7\r\nTargetDailyHours=7.125\r\nUnitOfTime=10\r\n");
    PersonalSettings().Setup.ReminderInterval = 20;
    PersonalSettings().Setup.ReportType = QStringLiteral("Weekly Activity");
    PersonalSettings().Setup.BreakDownToRemarks = true;
    PersonalSettings().Setup.ShowOvertime = false;
    Open([this] {
        EXPECT_EQ(Form->windowTitle(), QStringLiteral("Setup"));
        QStringList pages;
        for (int i = 0; i < Form->pageControl->count(); ++i)
            pages.append(Form->pageControl->widget(i)->objectName());
        EXPECT_EQ(pages, QStringList({"shtPersonal", "shtAdmin", "shtClientProject",
                                      "shtCategoryActivity", "shtExportFormat"}));
        EXPECT_EQ(Form->pageControl->currentWidget(), Form->shtPersonal);
        EXPECT_EQ(Form->edtUserName->text(), QStringLiteral("Mary"));
        EXPECT_EQ(Form->cmbFirstDayOfWeek->currentText(), QStringLiteral("Sunday"));
        EXPECT_EQ(Form->edtTarget->text(), QStringLiteral("7.13")); // three digits at most
        EXPECT_TRUE(Form->btn10min->isChecked());
        EXPECT_EQ(Form->edtUserHourlyRate->text(), QStringLiteral("0.00"));
        EXPECT_EQ(Form->txtConfig->text(), QStringLiteral("Single-user"));
        EXPECT_TRUE(Form->chkReminder->isChecked());
        EXPECT_EQ(Form->edtReminderInterval->text(), QStringLiteral("20"));
        // The weekly activity report has neither remarks nor a choice about overtime.
        EXPECT_FALSE(Form->chkRemarks->isEnabled());
        EXPECT_FALSE(Form->chkRemarks->isChecked());
        EXPECT_FALSE(Form->chkShowOvertime->isEnabled());
        EXPECT_TRUE(Form->chkShowOvertime->isChecked());
        Form->cmbReportType->setCurrentText(QStringLiteral("Daily Hours"));
        EXPECT_TRUE(Form->chkRemarks->isEnabled());
        EXPECT_TRUE(Form->chkShowOvertime->isEnabled());
        // The tree pages show the lists.
        EXPECT_EQ(Form->Trees()->treeViewClient->topLevelItemCount(), 1);
        for (QWidget* page : {Form->shtPersonal, Form->shtAdmin, Form->shtClientProject,
                              Form->shtCategoryActivity, Form->shtExportFormat}) {
            ShowPage(page);
            QTest::mouseClick(Form->btnHelp, Qt::LeftButton);
        }
        EXPECT_EQ(Form->btnHelp->toolTip(), QStringLiteral("Help"));
        // Hints follow the box at once.
        ClickBox(Form->chkShowHints);
        EXPECT_TRUE(Form->btnHelp->toolTip().isEmpty());
    });
    EXPECT_EQ(
        Topics,
        QStringList({"Getting Started - Personal Preferences.htm",
                     "Getting Started - Admin Settings.htm", "Getting Started - Client-Project.htm",
                     "Getting Started - Category-Activity.htm", "Export Formats.htm"}));
}

TEST_F(SetupForm, ConfigurationButtonPutsTheReportOnTheClipboard) {
    Open([this] {
        ShowPage(Form->shtAdmin);
        QTest::mouseClick(Form->btnConfiguration, Qt::LeftButton);
    });
    EXPECT_EQ(MessageTexts(),
              QStringList{QStringLiteral("Configuration information copied to the clipboard")});
    EXPECT_TRUE(QApplication::clipboard()->text().contains(Locations().LocalFolder));
}

TEST_F(SetupForm, CancelStoresNothing) {
    const TSetupPersonal before = PersonalSettings().Setup;
    EXPECT_FALSE(Open([this] {
        Type(Form->edtUserName, QStringLiteral("Zoe"));
        ClickBox(Form->chkConfirmDeletes);
        ShowPage(Form->shtAdmin);
        Type(Form->edtTarget, QStringLiteral("6"));
        QTest::mouseClick(Form->btnCancel, Qt::LeftButton);
        EXPECT_FALSE(Form->isVisible());
    }));
    EXPECT_EQ(CurrentUserName(), QStringLiteral("Mary"));
    EXPECT_EQ(PersonalSettings().Setup, before);
    EXPECT_EQ(AdminSettings().TargetDailyHours, 8);
    EXPECT_FALSE(QFileInfo::exists(AdminFile()));
    EXPECT_EQ(RefreshCount, 0);
}

TEST_F(SetupForm, WithoutBillingAnyRateIsTakenAsZero) {
    PersonalSettings().Setup.UserHourlyRate = TMoney::FromUnits(450000);
    EXPECT_TRUE(Open([this] {
        EXPECT_FALSE(Form->edtUserHourlyRate->isEnabled());
        Form->edtUserHourlyRate->setText(QStringLiteral("lots"));
        ClickOK();
    }));
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_EQ(PersonalSettings().Setup.UserHourlyRate, TMoney());
    EXPECT_EQ(AdminSettings().CurrencySymbol, LocaleCurrencySymbol());
    EXPECT_EQ(RefreshCount, 1);
    EXPECT_EQ(ListsChangedCount, 1); // the single user may change the lists, so they are saved
}

TEST_F(SetupForm, RateMustBeAnAmountFromZeroToBelowTenThousand) {
    WriteFile(Locations().LocalFolder + QStringLiteral("QHR.ini"),
              "[Setup]\r\nBillingInfoActive=1\r\nCurrencySymbol=$\r\n");
    EXPECT_TRUE(Open([this] {
        EXPECT_TRUE(Form->edtUserHourlyRate->isEnabled());
        EXPECT_FALSE(Form->chkDefaultChargeable->isEnabled());
        EXPECT_EQ(Form->lblRateCurrency->text(), QStringLiteral("$"));
        ShowPage(Form->shtAdmin);
        Type(Form->edtUserHourlyRate, QStringLiteral("abc"));
        ExpectRefused(QStringLiteral("Hourly rate must be a number"), Form->shtPersonal,
                      Form->edtUserHourlyRate);
        Type(Form->edtUserHourlyRate, QStringLiteral("10000"));
        ExpectRefused(QStringLiteral("Hourly rate must be zero or greater, and less than 10,000"),
                      Form->shtPersonal, Form->edtUserHourlyRate);
        Type(Form->edtUserHourlyRate, QStringLiteral("-1"));
        ExpectRefused(QStringLiteral("Hourly rate must be zero or greater, and less than 10,000"),
                      Form->shtPersonal, Form->edtUserHourlyRate);
        Type(Form->edtUserHourlyRate, QStringLiteral("9999.99"));
        Messages->Shown.clear();
        ClickOK();
        EXPECT_FALSE(Form->isVisible());
    }));
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_EQ(PersonalSettings().Setup.UserHourlyRate, TMoney::FromUnits(99999900));
}

TEST_F(SetupForm, CurrencySymbolIsCheckedOnlyWithBilling) {
    EXPECT_TRUE(Open([this] {
        ShowPage(Form->shtAdmin);
        EXPECT_FALSE(Form->edtCurrencySymbol->isEnabled());
        ClickBox(Form->chkBillingInfoActive);
        EXPECT_TRUE(Form->edtCurrencySymbol->isEnabled());
        EXPECT_TRUE(Form->chkBillingReport->isChecked()); // follows the billing box
        Type(Form->edtCurrencySymbol, QStringLiteral(" "));
        ExpectRefused(QStringLiteral("Currency symbol cannot be blank"), Form->shtAdmin,
                      Form->edtCurrencySymbol);
        Type(Form->edtCurrencySymbol, QStringLiteral("."));
        ExpectRefused(QStringLiteral("Currency symbol cannot contain numbers or \".\""),
                      Form->shtAdmin, Form->edtCurrencySymbol);
        Type(Form->edtCurrencySymbol, QStringLiteral("E"));
        EXPECT_EQ(Form->lblRateCurrency->text(), QStringLiteral("E"));
        ClickOK();
    }));
    EXPECT_TRUE(AdminSettings().BillingInfoActive);
    EXPECT_EQ(AdminSettings().CurrencySymbol, QStringLiteral("E"));
    EXPECT_TRUE(PersonalSettings().Setup.BillingReport);
    EXPECT_TRUE(ReadFile(AdminFile()).contains("CurrencySymbol=E"));
}

TEST_F(SetupForm, TargetMustBeANumberFromZeroToTwentyFour) {
    EXPECT_TRUE(Open([this] {
        ShowPage(Form->shtAdmin);
        Type(Form->edtTarget, QString());
        ExpectRefused(QStringLiteral("Target hours are not a number"), Form->shtAdmin,
                      Form->edtTarget);
        ShowPage(Form->shtPersonal);
        Type(Form->edtTarget, QStringLiteral("24.5"));
        ExpectRefused(QStringLiteral("Target hours must be between 0 and 24"), Form->shtAdmin,
                      Form->edtTarget);
        Type(Form->edtTarget, QStringLiteral("-1"));
        ExpectRefused(QStringLiteral("Target hours must be between 0 and 24"), Form->shtAdmin,
                      Form->edtTarget);
        Type(Form->edtTarget, QStringLiteral("24"));
        ClickBox(Form->btn6min);
        ClickOK();
    }));
    EXPECT_EQ(AdminSettings().TargetDailyHours, 24);
    EXPECT_EQ(TimeStep(), 10);
    const QByteArray file = ReadFile(AdminFile());
    EXPECT_TRUE(file.contains("TargetDailyHours=24\r\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("UnitOfTime=6\r\n"));
}

TEST_F(SetupForm, ReminderBoxesSetTheIntervalAndTheSound) {
    PersonalSettings().Setup.ReminderInterval = 15;
    PersonalSettings().Setup.ReminderPlaySound = QStringLiteral("/sounds/Bell.wav");
    EXPECT_TRUE(Open([this] {
        EXPECT_EQ(Form->txtReminderSound->text(), QStringLiteral("/sounds/Bell.wav"));
        ClickBox(Form->chkReminder);
        EXPECT_EQ(Form->edtReminderInterval->text(), QStringLiteral("0"));
        EXPECT_FALSE(Form->chkReminderSound->isChecked());
        EXPECT_FALSE(Form->edtReminderInterval->isEnabled());
        EXPECT_FALSE(Form->btnBrowse->isEnabled());
        EXPECT_TRUE(Form->txtReminderSound->text().isEmpty());
        ClickOK(); // the interval is not checked while reminders are off
    }));
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_EQ(PersonalSettings().Setup.ReminderInterval, 0);
    EXPECT_TRUE(PersonalSettings().Setup.ReminderPlaySound.isEmpty());

    EXPECT_TRUE(Open([this] {
        ClickBox(Form->chkReminder);
        EXPECT_EQ(Form->edtReminderInterval->text(), QStringLiteral("30"));
        ClickBox(Form->chkReminderSound);
        // No file chosen yet: the chime of the program folder is proposed.
        EXPECT_EQ(Form->ReminderSoundFile(), TSetupForm::DefaultReminderSound());
        EXPECT_TRUE(TSetupForm::DefaultReminderSound().startsWith(Locations().ProgramFolder));
        Form->ChooseSoundFile = [] { return QStringLiteral("/Media/Chimes/Ding Dong.WAV"); };
        QTest::mouseClick(Form->btnBrowse, Qt::LeftButton);
        Type(Form->edtReminderInterval, QStringLiteral("1.5"));
        ExpectRefused(QStringLiteral("Reminder interval must be a whole number greater than zero"),
                      Form->shtPersonal, Form->edtReminderInterval);
        Type(Form->edtReminderInterval, QStringLiteral("0"));
        ExpectRefused(QStringLiteral("Reminder interval must be a whole number greater than zero"),
                      Form->shtPersonal, Form->edtReminderInterval);
        Type(Form->edtReminderInterval, QStringLiteral("45"));
        ClickOK();
    }));
    EXPECT_EQ(Played, QStringList{QStringLiteral("/Media/Chimes/Ding Dong.WAV")});
    EXPECT_EQ(PersonalSettings().Setup.ReminderInterval, 45);
    // Stored as chosen: the file system tells letter case apart.
    EXPECT_EQ(PersonalSettings().Setup.ReminderPlaySound,
              QStringLiteral("/Media/Chimes/Ding Dong.WAV"));
}

TEST_F(SetupForm, LongSoundFileNamesLoseFoldersFromTheEnd) {
    PersonalSettings().Setup.ReminderInterval = 5;
    PersonalSettings().Setup.ReminderPlaySound =
        QStringLiteral("/home/somebody/a/rather/long/folder/name/for/sounds/of/the/day/bell.wav");
    Open([this] {
        const QString shown = Form->txtReminderSound->text();
        EXPECT_TRUE(shown.startsWith(QStringLiteral("/home/"))) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(QStringLiteral(".../bell.wav"))) << shown.toStdString();
        const QFontMetrics metrics(Form->txtReminderSound->font());
        EXPECT_LT(metrics.horizontalAdvance(shown),
                  Form->txtReminderSound->contentsRect().width() - 2);
    });
}

TEST_F(SetupForm, UserNameIsTrimmedAndMayNotHoldFileNameCharacters) {
    EXPECT_TRUE(Open([this] {
        Type(Form->edtUserName, QStringLiteral("   "));
        ExpectRefused(QStringLiteral("User name cannot be blank"), Form->shtPersonal,
                      Form->edtUserName);
        ShowPage(Form->shtAdmin);
        Type(Form->edtUserName, QStringLiteral("Ann:Lee"));
        ExpectRefused(QStringLiteral("User name cannot contain \\/:*?\"<>|"), Form->shtPersonal,
                      Form->edtUserName);
        Type(Form->edtUserName, QStringLiteral("Ann Lee "));
        ClickOK();
    }));
    EXPECT_EQ(CurrentUserName(), QStringLiteral("Ann Lee"));
}

TEST_F(SetupForm, OnlyTheFirstOfSeveralErrorsIsShown) {
    Open([this] {
        Type(Form->edtUserName, QString());
        Type(Form->edtTarget, QStringLiteral("x"));
        ShowPage(Form->shtAdmin);
        ExpectRefused(QStringLiteral("User name cannot be blank"), Form->shtPersonal,
                      Form->edtUserName);
        Type(Form->edtUserName, QStringLiteral("A/B"));
        ExpectRefused(QStringLiteral("User name cannot contain \\/:*?\"<>|"), Form->shtPersonal,
                      Form->edtUserName);
    });
}

TEST_F(SetupForm, ExportFormatErrorsKeepTheWindowOpenOnTheirPage) {
    int saves = 0;
    Open([&] {
        Form->SaveExportFormats = [&saves] {
            ++saves;
            return QStringLiteral("The following formats could not be saved:\t\rA: locked");
        };
        ExpectRefused(QStringLiteral("The following formats could not be saved:\t\rA: locked"),
                      Form->shtExportFormat, nullptr);
    });
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(RefreshCount, 0);
}

TEST_F(SetupForm, DraggingTheProjectSliderToItsEndPushesTheOtherColumns) {
    EXPECT_TRUE(Open([this] {
        ShowPage(Form->shtAdmin);
        TSetupColumnSliders& sliders = *Form->gpbxReportColumns;
        EXPECT_TRUE(sliders.chkPrintAtDefault->isChecked());
        EXPECT_FALSE(sliders.lblSlider[rcProject]->isEnabled());
        QWidget* image = sliders.imgSlider[rcProject];
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(900, 5));
        EXPECT_EQ(sliders.txtSlider[rcProject]->text(), QStringLiteral("92")); // not while default
        ClickBox(sliders.chkPrintAtDefault);
        ASSERT_TRUE(sliders.lblSlider[rcProject]->isEnabled());
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(image, QPoint(400, 5));
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(900, 5));
        EXPECT_EQ(sliders.txtSlider[rcProject]->text(), QStringLiteral("598"));
        EXPECT_EQ(sliders.txtSlider[rcCategoryActivity]->text(), QStringLiteral("678"));
        EXPECT_EQ(sliders.txtSlider[rcRemarks]->text(), QStringLiteral("758"));
        const QWidget* track = sliders.pnlSliderTrack[rcProject];
        EXPECT_EQ(image->x(), track->width() - image->width());
        // The page preview places the columns on its own scale.
        const auto* proj = sliders.pnlPage->findChild<QLabel*>(QStringLiteral("lblPageProj"));
        ASSERT_NE(proj, nullptr);
        EXPECT_EQ(proj->x(), PagePreviewX(598, sliders.pnlPage->width()));
        ClickOK();
    }));
    EXPECT_FALSE(AdminSettings().ReportColumnDefault);
    EXPECT_EQ(AdminSettings().ReportProjectColumn, 598);
    EXPECT_EQ(AdminSettings().ReportCategoryActivityColumn, 678);
    EXPECT_EQ(AdminSettings().ReportRemarksColumn, 758);

    Open([this] {
        TSetupColumnSliders& sliders = *Form->gpbxReportColumns;
        EXPECT_EQ(sliders.Positions(), (TColumnPositions{598, 678, 758}));
        ShowPage(Form->shtAdmin);
        ClickBox(sliders.chkPrintAtDefault);
        EXPECT_EQ(sliders.Positions(), DefaultColumnPositions());
        EXPECT_FALSE(sliders.lblSlider[rcRemarks]->isEnabled());
    });
}

TEST_F(SetupForm, UserWithoutAdministrationRightsStoresOnlyPersonalSettings) {
    MakeWorkGroup(0);
    const QByteArray admin = "[Setup]\r\nTargetDailyHours=7\r\nBillingInfoActive=0\r\n";
    WriteFile(AdminFile(), admin);
    WriteFile(ServerDataPath() + QStringLiteral("ClientProject.txt"), "Acme\tBuild\tY\r\n");
    Clients = TClients(ServerDataPath() + QStringLiteral("ClientProject.txt"));
    EXPECT_TRUE(Open([this] {
        EXPECT_EQ(Form->txtConfig->text(), ModeName());
        for (QWidget* control : std::initializer_list<QWidget*>{
                 Form->cmbFirstDayOfWeek, Form->edtTarget, Form->btn6min,
                 Form->chkBillingInfoActive, Form->gpbxReportColumns->chkPrintAtDefault,
                 Form->edtCurrencySymbol, Form->Trees()->btnAddClient})
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
        ClickBox(Form->chkSaveOnChange);
        ClickOK();
    }));
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_FALSE(PersonalSettings().Setup.SaveOnChange);
    EXPECT_EQ(ReadFile(AdminFile()), admin);
    EXPECT_EQ(ListsChangedCount, 0); // the lists were not written
    EXPECT_EQ(AdminSettings().CurrencySymbol, LocaleCurrencySymbol());
}

TEST_F(SetupForm, SharedSaveIsRefusedWhileAnotherProgramHoldsTheLock) {
    MakeWorkGroup(2);
    WriteFile(AdminFile(), "[Setup]\r\nTargetDailyHours=7\r\n");
    ASSERT_TRUE(QFileInfo::exists(LockProbe())) << "build qh_lock_probe first";
    QProcess holder;
    Open([&] {
        holder.start(LockProbe(), {QStringLiteral("hold"), AdminFile()});
        ASSERT_TRUE(holder.waitForReadyRead(10000));
        ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));
        Type(Form->edtTarget, QStringLiteral("6"));
        ClickOK();
        EXPECT_TRUE(Form->isVisible());
        ASSERT_EQ(MessageTexts().size(), 1);
        // Who holds the lock: the probe, a process of this machine.
        EXPECT_TRUE(MessageTexts().front().startsWith(QStringLiteral("Cannot lock \"") +
                                                      AdminFile() + QStringLiteral("\"\n")));
        EXPECT_TRUE(MessageTexts().front().contains(
            QStringLiteral("(process %1)").arg(holder.processId())));
        holder.closeWriteChannel();
        ASSERT_TRUE(holder.waitForFinished(10000));
        Messages->Shown.clear();
        ClickOK(); // free again
        EXPECT_FALSE(Form->isVisible());
    });
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_TRUE(ReadFile(AdminFile()).contains("TargetDailyHours=6\r\n"));
}

TEST_F(SetupForm, ChangeByAnotherWriterReloadsTheWindow) {
    MakeWorkGroup(2);
    WriteFile(AdminFile(), "[Setup]\r\nUnitOfTime=15\r\n");
    ASSERT_TRUE(QFileInfo::exists(LockProbe())) << "build qh_lock_probe first";
    EXPECT_TRUE(Open([&] {
        EXPECT_EQ(Form->edtTarget->text(), QStringLiteral("8"));
        Type(Form->edtTarget, QStringLiteral("5"));
        // Another workstation writes the file under its lock meanwhile.
        QProcess writer;
        writer.start(LockProbe(), {QStringLiteral("append"), AdminFile(),
                                   QStringLiteral("TargetDailyHours=6.5"), QStringLiteral("1")});
        ASSERT_TRUE(writer.waitForFinished(10000));
        ASSERT_EQ(writer.exitCode(), 0);
        ClickOK();
        EXPECT_TRUE(Form->isVisible());
        EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Administration data has been changed "
                                                             "by another user - the new data will "
                                                             "be loaded")});
        EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Warning);
        EXPECT_EQ(Form->edtTarget->text(), QStringLiteral("6.5")); // the unsaved 5 is gone
        Messages->Shown.clear();
        ShowPage(Form->shtAdmin);
        ClickBox(Form->chkBillingInfoActive);
        Type(Form->edtCurrencySymbol, QStringLiteral("$"));
        ClickOK();
        EXPECT_FALSE(Form->isVisible());
        EXPECT_EQ(MessageTexts(), QStringList());
    }));
    EXPECT_EQ(MessageTexts(), QStringList());
    const QByteArray file = ReadFile(AdminFile());
    EXPECT_TRUE(file.contains("TargetDailyHours=6.5\r\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("BillingInfoActive=1\r\n"));
    // The window's own write is not taken for somebody else's next time.
    EXPECT_FALSE(AdminSettingsAge().IsOlderThan(FileStamp(AdminFile())));
}

TEST_F(SetupForm, ServerAdministrationHidesThePersonalPageAndEndsTheProgram) {
    MakeWorkGroup(1);
    int ended = 0;
    CreateForm();
    Form->EndProgram = [&ended] { ++ended; };
    EXPECT_TRUE(Open([this] {
        EXPECT_FALSE(
            Form->pageControl->isTabVisible(Form->pageControl->indexOf(Form->shtPersonal)));
        EXPECT_EQ(Form->pageControl->currentWidget(), Form->shtAdmin);
        EXPECT_EQ(Form->txtConfig->text(), QStringLiteral("Server Administration"));
        ClickOK();
    }));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(RefreshCount, 0); // there is no day view to refresh
}

TEST_F(SetupForm, RenamesTheUsersServerFolderWithTheName) {
    MakeWorkGroup(0);
    MakeFolder(QStringLiteral("server/Data/Mary"));
    EXPECT_TRUE(Open([this] {
        Type(Form->edtUserName, QStringLiteral("Maria"));
        ClickOK();
    }));
    EXPECT_TRUE(QFileInfo(ServerDataPath() + QStringLiteral("Maria")).isDir());
    EXPECT_FALSE(QFileInfo::exists(ServerDataPath() + QStringLiteral("Mary")));
    // A name whose folder belongs to somebody else is refused before anything is written:
    // the backups at close would go over that user's.
    MakeFolder(QStringLiteral("server/Data/Anna"));
    const QByteArray annasMarch = "05 Mar 2024\t0900\t1000\tAcme\tBuild\tDev\tCode\t \tN\tY\tY\r\n";
    WriteFile(ServerDataPath() + QStringLiteral("Anna/2024-03.txt"), annasMarch);
    const QByteArray settings = ReadFile(PersonalSettingsFileName());
    EXPECT_FALSE(Open([this] {
        Type(Form->edtUserName, QStringLiteral("Anna")); // taken by somebody else
        ClickOK();
        EXPECT_TRUE(Form->isVisible());
        EXPECT_EQ(Form->focusWidget(), Form->edtUserName);
    }));
    ASSERT_EQ(MessageTexts().size(), 1) << MessageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(MessageTexts().front().contains(QStringLiteral("\"Anna\" is already used")));
    EXPECT_EQ(CurrentUserName(), QStringLiteral("Maria"));
    EXPECT_EQ(ReadFile(PersonalSettingsFileName()), settings);
    EXPECT_TRUE(QFileInfo(ServerDataPath() + QStringLiteral("Maria")).isDir());
    EXPECT_EQ(ReadFile(ServerDataPath() + QStringLiteral("Anna/2024-03.txt")), annasMarch);
    // Another letter case of the own name is no other user's.
    EXPECT_FALSE(IsServerUserFolderTaken(QStringLiteral("Maria"), QStringLiteral("Maria")));
    EXPECT_TRUE(IsServerUserFolderTaken(QStringLiteral("Maria"), QStringLiteral("Anna")));
    EXPECT_FALSE(IsServerUserFolderTaken(QStringLiteral("Maria"), QStringLiteral("Nobody")));
}

TEST_F(SetupForm, TheFormatPageListsTheFormatsAndOKSavesWhatIsPendingThere) {
    const QString folder = QFileInfo(ExportFormatFileName(QStringLiteral("x"))).absolutePath();
    QDir().mkpath(folder);
    TExportFormat format;
    format.SetName(QStringLiteral("Old"));
    format.AddField(TExportField::Date);
    ASSERT_EQ(format.Save(), QString());
    EXPECT_TRUE(Open([this] {
        TExportFormatListPage* page = Form->FormatPage();
        ASSERT_EQ(page, Form->shtExportFormat);
        ASSERT_EQ(page->FormatNames(), QStringList({"Old"}));
        ShowPage(page);
        page->listExportFormats->setCurrentRow(0);
        Messages->Answer = mrYes;
        QTest::mouseClick(page->btnDeleteExportFormat, Qt::LeftButton);
        EXPECT_EQ(page->PendingDeletions(), QStringList({"Old"}));
        EXPECT_TRUE(QFile::exists(ExportFormatFileName(QStringLiteral("Old")))); // until OK
        ClickOK();
    }));
    EXPECT_FALSE(QFile::exists(ExportFormatFileName(QStringLiteral("Old"))));
    // Cancel drops what was not applied.
    ASSERT_EQ(format.Save(), QString());
    Open([this] {
        TExportFormatListPage* page = Form->FormatPage();
        page->listExportFormats->setCurrentRow(0);
        QTest::mouseClick(page->btnDeleteExportFormat, Qt::LeftButton);
    });
    EXPECT_TRUE(QFile::exists(ExportFormatFileName(QStringLiteral("Old"))));
}

// Other administrators must not find the shared settings locked while this one thinks about
// a question: the questions come first, the lock only for the writes.
TEST_F(SetupForm, QuestionsAreAskedBeforeTheSharedLockIsTaken) {
    MakeWorkGroup(2);
    WriteFile(AdminFile(), "[Setup]\r\nTargetDailyHours=7\r\n");
    WriteFile(ServerDataPath() + QStringLiteral("ClientProject.txt"), "Acme\tBuild\tY\r\n");
    WriteFile(ServerDataPath() + QStringLiteral("CategoryActivity.txt"), "Dev\tCode\tY\r\n");
    Clients = TClients(ServerDataPath() + QStringLiteral("ClientProject.txt"));
    Categories = TCategories(ServerDataPath() + QStringLiteral("CategoryActivity.txt"));
    QStringList lockedWhileAsked;
    QStringList asked;
    SetMessageBoxHandler([&](const QString& text, TMsgKind, int) {
        asked.append(text);
        if (QFile::exists(AdminFile() + QStringLiteral("_LCK")))
            lockedWhileAsked.append(text);
        return int(mrYes);
    });
    EXPECT_TRUE(Open([this] {
        ShowPage(Form->shtClientProject);
        // A client without projects makes OK ask whether to leave it out.
        Form->Trees()->treeViewClient->setCurrentItem(nullptr);
        TListTreeItem* lonely = new TListTreeItem(Form->Trees()->treeViewClient,
                                                  QStringLiteral("Lonely"));
        SetNodeObject(lonely, TClient(QStringLiteral("Lonely")));
        ClickOK();
    }));
    SetMessageBoxHandler({});
    EXPECT_EQ(asked, QStringList{QStringLiteral("One or more clients do not have projects and will "
                                                "not be saved - proceed?")});
    EXPECT_EQ(lockedWhileAsked, QStringList());
    EXPECT_FALSE(QFile::exists(AdminFile() + QStringLiteral("_LCK")));
}

TEST_F(SetupForm, PersonalSettingsNeedNoLockOnTheSharedSettings) {
    MakeWorkGroup(0); // no administration rights
    WriteFile(AdminFile(), "[Setup]\r\nTargetDailyHours=7\r\n");
    // Another program holds the shared settings' lock the whole time.
    TLockFileInfo held;
    LockFile(AdminFile(), held);
    ASSERT_TRUE(IsLocked(held));
    EXPECT_TRUE(Open([this] {
        ClickBox(Form->chkSaveOnChange);
        ClickOK();
        EXPECT_FALSE(Form->isVisible());
    }));
    UnlockFile(held);
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_FALSE(PersonalSettings().Setup.SaveOnChange);
}
