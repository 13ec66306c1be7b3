#include "app/quillhourprogram.h"
#include "base/datalocations.h"
#include "base/instanceguard.h"
#include "app/tipsform.h"
#include "dayview/mainform.h"
#include "export/exportformat.h"
#include "export/exportformatfiles.h"
#include "reportwindows/selectexportdataform.h"
#include "reportwindows/selectprintreportform.h"
#include "setup/setupform.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <QPushButton>
#include <QToolButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

class QuillhourProgram : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Local = MakeFolder(QStringLiteral("local"));
        Env.Args = {Env.Program, QStringLiteral("/datadir"), Local};
        ApplyEnvironment();
    }

    void WriteSettings(const QByteArray& text) {
        WriteFile(Local + QStringLiteral("QHR.ini"), text);
    }

    QString Local;
};

TEST_F(QuillhourProgram, SingleUserStartShowsTheMainWindowAndKeepsSetupHidden) {
    TQuillhourProgram program;
    ASSERT_TRUE(program.Start());
    ASSERT_NE(program.MainForm(), nullptr);
    ASSERT_NE(program.SetupForm(), nullptr);
    QApplication::processEvents();
    // The title names the user once the window has painted.
    EXPECT_EQ(program.MainForm()->windowTitle(), QStringLiteral("Quillhour - tester"));
    EXPECT_EQ(program.SetupForm()->windowTitle(), QStringLiteral("Setup"));
    EXPECT_TRUE(program.MainForm()->isVisible());
    EXPECT_FALSE(program.SetupForm()->isVisible());
    EXPECT_EQ(program.ApplicationMainWindow(), program.MainForm());
    EXPECT_TRUE(program.HoldsInstanceGuard());
    // A new user is offered the getting-started help (and declines here); with no lists yet,
    // the user of a single-user installation is offered the set-up window.
    ASSERT_EQ(Messages->Shown.size(), 2u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("Do you want help getting started with Quillhour?"));
    EXPECT_EQ(Messages->Shown[1].Text,
              QStringLiteral("Client/Project or Category/Activity information is incomplete - "
                             "go to setup now?"));
    // Create time report opens the report window, which holds the main window until it hides.
    ASSERT_NE(program.ReportForm(), nullptr);
    QTest::mouseClick(program.MainForm()->btnSummary, Qt::LeftButton);
    EXPECT_TRUE(program.ReportForm()->isVisible());
    EXPECT_FALSE(program.MainForm()->isEnabled());
    QTest::mouseClick(program.ReportForm()->btnClose, Qt::LeftButton);
    EXPECT_TRUE(program.MainForm()->isEnabled());

    program.MainForm()->close(); // closing the main window runs the stop sequence
    EXPECT_FALSE(program.HoldsInstanceGuard());
}

TEST_F(QuillhourProgram, ServerAdministrationMakesTheSetupWindowTheMainWindow) {
    WriteFile(Path(QStringLiteral("program/QHR.ini")), "[Server]\r\nServerAdmin=1\r\n");
    TQuillhourProgram program;
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.ApplicationMainWindow(), program.SetupForm());
    EXPECT_TRUE(program.SetupForm()->isVisible());
    EXPECT_FALSE(program.MainForm()->isVisible());
    EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("Setup"));
    program.Stop();
}

TEST_F(QuillhourProgram, ModeConflictStopsBeforeAnyWindow) {
    WriteSettings("[Server]\r\nServerAdmin=2\r\n");
    TQuillhourProgram program;
    EXPECT_FALSE(program.Start());
    EXPECT_EQ(program.MainForm(), nullptr);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("Remote server administration requires a server path"));
}

TEST_F(QuillhourProgram, SecondCopyEndsSilentlyUnlessMultiIsGiven) {
    TInstanceGuard firstCopy;
    ASSERT_TRUE(firstCopy.TryAcquire(InstanceGuardName));
    {
        TQuillhourProgram program;
        EXPECT_FALSE(program.Start());
        EXPECT_EQ(program.MainForm(), nullptr);
        EXPECT_TRUE(Messages->Shown.empty());
    }
    Env.Args.append(QStringLiteral("/MULTI"));
    ApplyEnvironment();
    TQuillhourProgram program;
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(program.MainForm()->isVisible());
    EXPECT_FALSE(program.HoldsInstanceGuard());
    program.Stop();
}

// With /multi two copies may run, but never two on one data location: each would write the
// month files from its own memory over the other's entries.
TEST_F(QuillhourProgram, ACopyOnALocationThatIsInUseSaysSoAndEnds) {
    Env.Args.append(QStringLiteral("/multi"));
    ApplyEnvironment();
    TQuillhourProgram first;
    ASSERT_TRUE(first.Start());
    EXPECT_TRUE(first.HoldsDataLocation());
    Messages->Shown.clear(); // what a first start asks a new user
    {
        TQuillhourProgram second;
        EXPECT_FALSE(second.Start());
        EXPECT_EQ(second.MainForm(), nullptr);
        ASSERT_EQ(Messages->Shown.size(), 1u);
        EXPECT_EQ(Messages->Shown.front().Kind, TMsgKind::Error);
        EXPECT_TRUE(Messages->Shown.front().Text.contains(Local));
        EXPECT_TRUE(Messages->Shown.front().Text.contains(
            QStringLiteral("(process %1)").arg(QCoreApplication::applicationPid())));
    }
    first.Stop();
    EXPECT_FALSE(first.HoldsDataLocation());
    Messages->Shown.clear();
    TQuillhourProgram next;
    ASSERT_TRUE(next.Start());
    for (const TShownMessage& shown : Messages->Shown)
        EXPECT_FALSE(shown.Text.contains(QStringLiteral("already running"))) << shown.Text.toStdString();
    next.Stop();
}

TEST_F(QuillhourProgram, RealSecondProcessExitsAtOnce) {
    TInstanceGuard firstCopy;
    ASSERT_TRUE(firstCopy.TryAcquire(InstanceGuardName));
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("APPDATA"), MakeFolder(QStringLiteral("appdata")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
               Env.EnvironmentValue(QStringLiteral("XDG_RUNTIME_DIR")));
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(QH_PROGRAM), {QStringLiteral("--datadir"), Local});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
}

TEST_F(QuillhourProgram, SettingsAreLoadedAtStartAndSavedAtStop) {
    WriteSettings("[Registration]\r\nUserName=Mary\r\n[Preferences]\r\nLastTip=3\r\n");
    TQuillhourProgram program;
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(CurrentUserName(), QStringLiteral("Mary"));
    EXPECT_EQ(PersonalSettings().LastTip, 3);
    PersonalSettings().LastTip = 4;
    program.Stop();
    EXPECT_TRUE(ReadFile(Local + QStringLiteral("QHR.ini")).contains("LastTip=4"));
}

TEST_F(QuillhourProgram, StartingWithMinMinimisesAndAsksNothing) {
    Env.Args.append(QStringLiteral("/min"));
    ApplyEnvironment();
    TQuillhourProgram program;
    ASSERT_TRUE(program.Start());
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(program.MainForm()->isMinimized());
    EXPECT_TRUE(Messages->Shown.empty()); // a new user without lists, yet no question
    program.MainForm()->close();
}

TEST_F(QuillhourProgram, ExportButtonNeedsAFormatAndOpensTheExportWindowOnTheCalendarsMonth) {
    WriteSettings("[Preferences]\r\nShowTips=0\r\n");
    TQuillhourProgram program;
    ASSERT_TRUE(program.Start());
    QApplication::processEvents();
    EXPECT_EQ(program.TipsForm(), nullptr); // "Show tips at startup" is off
    Messages->Shown.clear();
    QTest::mouseClick(program.MainForm()->btnExportData, Qt::LeftButton);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("There are no export formats available - define these in the Setup Form"));
    EXPECT_FALSE(program.ExportForm()->isVisible());
    EXPECT_TRUE(program.MainForm()->isEnabled());

    QDir().mkpath(QFileInfo(ExportFormatFileName(QStringLiteral("x"))).absolutePath());
    TExportFormat format;
    format.SetName(QStringLiteral("Hours"));
    format.AddField(TExportField::Date);
    ASSERT_EQ(format.Save(), QString());
    QTest::mouseClick(program.MainForm()->btnExportData, Qt::LeftButton);
    TSelectExportDataForm* window = program.ExportForm();
    ASSERT_TRUE(window->isVisible());
    EXPECT_FALSE(program.MainForm()->isEnabled());
    EXPECT_EQ(window->cmbReportType->currentText(), QStringLiteral("Hours"));
    // The format's own period ("This week") replaces the calendar's.
    EXPECT_EQ(window->pickFrom->date().dayOfWeek(), 1);
    QTest::mouseClick(window->sbMonth, Qt::LeftButton); // the calendar's month
    EXPECT_EQ(window->pickFrom->date(), program.MainForm()->SelectedMonth().Start);
    EXPECT_EQ(window->pickTo->date(), program.MainForm()->SelectedMonth().End);
    QTest::mouseClick(window->btnClose, Qt::LeftButton);
    EXPECT_TRUE(program.MainForm()->isEnabled());
    program.Stop();
}

TEST_F(QuillhourProgram, TipsShowAtStartBesideTheMainWindow) {
    WriteSettings("[Preferences]\r\nShowTips=1\r\n");
    TQuillhourProgram program;
    ASSERT_TRUE(program.Start());
    QApplication::processEvents();
    ASSERT_NE(program.TipsForm(), nullptr);
    EXPECT_TRUE(program.TipsForm()->isVisible());
    EXPECT_TRUE(program.MainForm()->isVisible());
    program.TipsForm()->close();
    program.Stop();
}
