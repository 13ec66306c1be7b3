#include "mainformtest.h"

#include "base/applocale.h"
#include "base/processenvironment.h"
#include "calendar/calendaraccessible.h"
#include "calendar/calendargeometry.h"
#include "dayview/blockpalette.h"
#include "sampledata/sampledata.h"
#include "storage/months/day.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QScreen>

// The window as a whole: the palette's menu items, day and month changes, the size rules.
class MainFormWindow : public TMainFormTest {
protected:
    // Presses the calendar's cell of a day of the shown month.
    void ClickCalendarDay(int day) {
        const TMonthLayout layout = Form->Calendar->Layout();
        const QRect cell = CalendarCell(layout.ColumnOf(day), layout.WeekOf(day),
                                        Form->Calendar->size());
        QTest::mouseClick(Form->Calendar, Qt::LeftButton, {}, cell.center());
    }
};

TEST_F(MainFormWindow, TheQuarterHourPaletteAndItsNewItems) {
    Open();
    EXPECT_EQ(Form->menuNew[0]->text(), QStringLiteral("New &15 Mins\tCtrl+1"));
    EXPECT_EQ(Form->menuNew[1]->text(), QStringLiteral("New &30 Mins\tCtrl+3"));
    EXPECT_EQ(Form->menuNew[2]->text(), QStringLiteral("New &45 Mins\tCtrl+4"));
    EXPECT_FALSE(Form->menuNew[3]->isVisible());
    EXPECT_EQ(Form->menuNew[4]->text(), QStringLiteral("New &Hour\tCtrl+H"));
    EXPECT_EQ(Form->FavouritePicture, Form->Palette[4]);
    EXPECT_FALSE(Form->Palette[5]->isVisible());
    // "New Hour" from the menu makes an hour where the menu was opened, from img4.
    Form->PopupX = Form->Timeline->View().TimeToX(1410);
    Form->menuNew[4]->trigger();
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    EXPECT_EQ(Form->SelectedBlock()->StartTime, 1400);
    EXPECT_EQ(Form->SelectedBlock()->EndTime, 1500);
    EXPECT_EQ(Form->DropSource, Form->Palette[3]);
    // From the keyboard at the current time, once the new block is complete.
    Pick(Details->cmbClient, QStringLiteral("Acme"));
    Pick(Details->cmbCategory, QStringLiteral("Meetings"));
    Form->Timeline->Clock = [] { return QTime(16, 20); };
    Key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Form->SelectedBlock()->StartTime, 1625);
    EXPECT_EQ(Form->SelectedBlock()->EndTime, 1650);

    SetTimeStep(StepFromMinutes(10));
    Form->SetupPalette();
    EXPECT_TRUE(Form->menuNew[3]->isVisible());
    EXPECT_EQ(Form->menuNew[3]->text(), QStringLiteral("New &40 Mins\tCtrl+4"));
    EXPECT_EQ(Form->menuNew[4]->text(), QStringLiteral("New &Hour\tCtrl+H"));
    SetTimeStep(25);
}

TEST_F(MainFormWindow, DayChangesSaveAndKeepTheMonthAndAMonthChangeLoadsTheNext) {
    PersonalSettings().Setup.SaveOnChange = false;
    Open();
    const TMonth* march = Form->LoadedMonth();
    Press(BlockAt(0));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("kept"));
    ASSERT_TRUE(Form->MonthModified());
    Form->Calendar->SetDate(Day.addDays(1)); // 6 -> 7 March: saved, the same month
    EXPECT_EQ(Form->LoadedMonth(), march);
    EXPECT_FALSE(Form->MonthModified());
    EXPECT_TRUE(FileBytes().contains("kept"));

    Form->Calendar->SetDate(QDate(2024, 3, 31));
    Form->Calendar->SetDate(QDate(2024, 4, 1));
    ASSERT_NE(Form->LoadedMonth(), nullptr);
    EXPECT_EQ(Form->LoadedMonth()->Month, 4);
    EXPECT_EQ(CurrentDay()->Date, QDate(2024, 4, 1));
    EXPECT_TRUE(CurrentDay()->Blocks.empty());
}

TEST_F(MainFormWindow, ClickingTheCurrentDateEmptiesTheSelection) {
    Open();
    Press(BlockAt(1));
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    const TDay* day = CurrentDay();
    ClickCalendarDay(Day.day());
    EXPECT_EQ(Form->SelectedBlock(), nullptr);
    EXPECT_EQ(CurrentDay(), day);
    ClickCalendarDay(12);
    EXPECT_EQ(CurrentDay()->Date, QDate(2024, 3, 12));
}

TEST_F(MainFormWindow, TheSearchPanelKeepsTheWindowOnTheScreen) {
    Open();
    const QRect screen = Form->screen()->availableGeometry();
    Form->move(screen.right() - Form->frameGeometry().width() + 1, screen.top());
    const int width = Form->width();
    QTest::mouseClick(Form->btnSearch, Qt::LeftButton);
    EXPECT_TRUE(Form->pnlSearch->isVisible());
    EXPECT_TRUE(Form->btnSearch->isChecked());
    EXPECT_EQ(Form->width(), width + 154);
    EXPECT_LE(Form->frameGeometry().right(), screen.right());
    EXPECT_EQ(Form->minimumWidth(), 543 + 154);
    EXPECT_EQ(Form->pnlSearch->x(), Form->width() - 154);
    EXPECT_EQ(Form->gpbxDetails->width(), Form->pnlSearch->x() - 14);
    QTest::mouseClick(Form->btnSearch, Qt::LeftButton);
    EXPECT_FALSE(Form->pnlSearch->isVisible());
    EXPECT_EQ(Form->width(), width);
    EXPECT_EQ(Form->minimumWidth(), 543);
}

TEST_F(MainFormWindow, TheMaximumWidthFollowsTheZoom) {
    Open();
    Form->Timeline->SetZoom(625);
    // 625 + 27 pixels for the whole window, 9 of them its frame.
    EXPECT_EQ(Form->maximumWidth(), 625 + 27 - 9);
    Form->resize(2000, Form->height());
    EXPECT_EQ(Form->width(), 643);
    Form->Timeline->SetZoom(2500);
    EXPECT_EQ(Form->maximumWidth(), 2500 + 27 - 9);
    // Extra height goes to the calendar only.
    const int dayViewHeight = Form->pnlDayView->height();
    const int calendarHeight = Form->pnlCalendar->height();
    Form->resize(Form->width(), Form->height() + 100);
    EXPECT_EQ(Form->pnlCalendar->height(), calendarHeight + 100);
    EXPECT_EQ(Form->pnlDayView->height(), dayViewHeight);
}

TEST_F(MainFormWindow, ToolBarControlsAndTheTitle) {
    Open();
    for (const char* name : {"pnlButtons", "sbToday", "btnMorning", "btnDayTime", "btnNight",
                             "sbLock", "btnUndo", "btnSearch", "btnSummary", "btnExportData",
                             "sbnSetup", "btnHelp", "btnClose", "pnlCalendar",
                             "pnlCalendarControl", "pnlDayView", "pnlTimeView", "pnlDay",
                             "pnlTime", "pnlData", "pnlSearch", "img1", "img6"})
        EXPECT_NE(Form->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(Form->btnSummary->toolTip(), QStringLiteral("Create time report"));
    EXPECT_EQ(Form->sbnSetup->toolTip(),
              QStringLiteral("Set up personal and admin options, clients and projects, and "
                             "export formats"));
    EXPECT_EQ(Form->btnClose->x(), Form->width() + 9 - 37);
    EXPECT_EQ(Form->btnSearch->geometry(), QRect(185, 3, 24, 24));
    // A window that does not exist yet says so.
    QTest::mouseClick(Form->btnSummary, Qt::LeftButton);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Information);
    PersonalSettings().UserName = QStringLiteral("Ann");
    Form->repaint();
    QApplication::processEvents();
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Quillhour - Ann"));
    EXPECT_EQ(Form->mnuHelp->actions().size(), 10); // six items, two separators, two more
    EXPECT_EQ(Form->SharedCustomColours.size(), 16);
    Messages->Shown.clear();
    Form->findChild<QAction*>(QStringLiteral("Datalocationinformation1"))->trigger();
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown[0].Text.startsWith(QStringLiteral("Quillhour data locations\r\n\r\n")));
    EXPECT_TRUE(Messages->Shown[0].Text.endsWith(
        QStringLiteral("(This information has been copied to the Windows clipboard)")));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral("Quillhour data locations\r\n")));
}

// A work-group workstation: the shared lists on the server, the user's months at home.
class MainFormWorkGroup : public TMainFormTest {
protected:
    void SetUp() override {
        TMainFormTest::SetUp();
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        MakeFolder(QStringLiteral("server/Data/_ExportFormats"));
        TSampleDataGenerator(11).WriteServerData(ServerDataPath(), 3, 2024, 3, 1);
        for (const QString& list : {QStringLiteral("ClientProject.txt"),
                                    QStringLiteral("CategoryActivity.txt")})
            ASSERT_TRUE(QFile::rename(LocalDataPath() + list, ServerDataPath() + list));
        WriteFile(ServerDataPath() + QStringLiteral("_ExportFormats/ef-Weekly.txt"), "format\r\n");
        PersonalSettings().UserName = QStringLiteral("mary");
    }
};

TEST_F(MainFormWorkGroup, TheCloseSequenceWritesCopiesInUseListsAndTheBackup) {
    PersonalSettings().Setup.SaveOnChange = false;
    Open();
    // Creation brought the shared lists and the export formats down.
    EXPECT_TRUE(QFile::exists(LocalDataPath() + QStringLiteral("ClientProject.txt")));
    EXPECT_TRUE(QFile::exists(LocalExportFormatsPath() + QStringLiteral("ef-Weekly.txt")));
    QFile::remove(LocalDataPath() + QStringLiteral("ClientProject.txt"));
    Press(BlockAt(0));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("before closing"));

    EXPECT_TRUE(Form->close());
    EXPECT_TRUE(Form->ClosedDown());
    EXPECT_TRUE(FileBytes().contains("before closing"));
    EXPECT_TRUE(QFile::exists(LocalDataPath() + QStringLiteral("ClientProject.txt")));
    const QByteArray inUse = ReadFile(LocalDataPath() + QStringLiteral("InUse_ClientProject.txt"));
    EXPECT_TRUE(inUse.contains("Acme\tWebsite")) << inUse.constData();
    EXPECT_TRUE(inUse.contains("Globex\tMigration"));
    const QString backup = ServerDataPath() + QStringLiteral("mary/2024-03.txt");
    ASSERT_TRUE(QFile::exists(backup));
    EXPECT_EQ(ReadFile(backup), FileBytes());
    EXPECT_TRUE(QFile::exists(Locations().LocalFolder + SettingsFileName));
}

TEST_F(MainFormWindow, TheCalendarMarksTheDaysWithTime) {
    InstallCalendarAccessibility(); // as the program does at start
    Open();
    Form->Calendar->SetMarkDays(mdGraphic);
    Form->Timeline->RepaintDay();
    EXPECT_TRUE(Form->Calendar->IsMarked(6));
    EXPECT_FALSE(Form->Calendar->IsMarked(7));
    // The accessible cell of the day says so.
    QAccessibleInterface* calendar = QAccessible::queryAccessibleInterface(Form->Calendar);
    ASSERT_NE(calendar, nullptr);
    QStringList told;
    for (int index = 0; index < calendar->childCount(); ++index) {
        QAccessibleInterface* cell = calendar->child(index);
        if (cell && cell->text(QAccessible::Description) == QStringLiteral("time recorded"))
            told.append(cell->text(QAccessible::Name));
    }
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told.front(), AppLocale().toString(Day, QLocale::LongFormat));
    // Without time on the day the mark goes.
    PersonalSettings().Setup.ConfirmDeletes = false;
    Press(BlockAt(0));
    Key(Qt::Key_Delete, Qt::ControlModifier);
    Press(BlockAt(0));
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_FALSE(Form->Calendar->IsMarked(6));
}

TEST_F(MainFormWindow, TheTitleSizesAndTheFavouriteHintAreAsDrawn) {
    Open();
    QApplication::processEvents();
    const QString title = QStringLiteral("Quillhour - ") + CurrentUserName();
    EXPECT_EQ(Form->windowTitle(), title);
    // The window system adds the application's name only when the title does not end with it.
    EXPECT_TRUE(Form->windowTitle().endsWith(QGuiApplication::applicationDisplayName()));
    EXPECT_EQ(Form->pnlTime->width(), Form->pnlDay->width() - 19);
    EXPECT_EQ(Form->Timeline->pnlZoom->width(), 19);
    auto favourite = std::make_unique<TBlock>(0, 25);
    favourite->Client = QStringLiteral("Acme");
    favourite->Project = QStringLiteral("Website");
    favourite->Reportable = true;
    favourite->Chargeable = true;
    PersonalSettings().FavouriteBlock = std::move(favourite);
    Form->ShowFavourite();
    EXPECT_EQ(Form->FavouritePicture->toolTip(),
              QStringLiteral("Client: Acme\nProject: Website\nChargeable"));
    PersonalSettings().FavouriteBlock.reset();
}
