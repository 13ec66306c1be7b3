#include "base/datalocations.h"
#include "base/version.h"
#include "storage/months/block.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

class PersonalSettingsTest : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        PersonalSettings() = TPersonalSettings{};
        AdminSettings() = TAdminSettings{};
    }

    QString File() const { return Locations().LocalFolder + QStringLiteral("QHR.ini"); }
    const QDate Today{2024, 3, 5};
};

TEST_F(PersonalSettingsTest, FreshFileGivesTheDefaults) {
    LoadPersonalSettings(Today);
    const TPersonalSettings& s = PersonalSettings();
    EXPECT_EQ(s.UserName, QStringLiteral("tester")); // the logon name
    EXPECT_EQ(CurrentUserName(), QStringLiteral("tester"));
    TSetupPersonal defaults;
    defaults.LastUse = Today;
    EXPECT_EQ(s.Setup, defaults);
    EXPECT_EQ(s.Setup.Calendar.SelectionStyle, 24);
    EXPECT_EQ(s.Setup.Calendar.DayMarkerText, 32768);
    EXPECT_EQ(s.Setup.StandardColour, 65535);
    EXPECT_EQ(s.Window.Size, QStringLiteral("552,550"));
    EXPECT_EQ(s.Window.Zoom, 1250);
    EXPECT_EQ(s.LastTip, -1);
    EXPECT_FALSE(s.FavouriteBlock);
    EXPECT_TRUE(s.VersionChanged); // no stored version at all
}

TEST_F(PersonalSettingsTest, UserNameFallbacks) {
    WriteFile(File(), "[Setup]\r\nUserName=Old Name\r\n");
    LoadPersonalSettings(Today);
    EXPECT_EQ(PersonalSettings().UserName, QStringLiteral("Old Name"));
    WriteFile(File(), "[Setup]\r\nUserName=Old Name\r\n[Registration]\r\nUserName=Mary\r\n");
    LoadPersonalSettings(Today);
    EXPECT_EQ(CurrentUserName(), QStringLiteral("Mary"));
    Env.Logon.clear();
    ApplyEnvironment();
    WriteFile(File(), "");
    LoadPersonalSettings(Today);
    EXPECT_EQ(PersonalSettings().UserName, QStringLiteral("Your Name"));
    Locations().AdminMode = 1;
    LoadPersonalSettings(Today);
    EXPECT_EQ(PersonalSettings().UserName, QStringLiteral("Administrator"));
}

TEST_F(PersonalSettingsTest, OlderKeysWinAndAreRemovedOnSave) {
    WriteFile(File(), "[Setup]\r\nLockHoursOnStartup=1\r\nDefaultToChargeable=0\r\nMailTo=x@y\r\n"
                      "UserName=Old\r\nFirstDayOfWeek=3\r\n"
                      "[Preferences]\r\nLockHoursOnStartup=0\r\nDefaultToChargeable=1\r\n"
                      "FirstDayOfWeek=2\r\n[Unknown]\r\nkeep=me\r\n");
    LoadPersonalSettings(Today);
    EXPECT_TRUE(PersonalSettings().Setup.LockHoursOnStartup);
    EXPECT_FALSE(PersonalSettings().Setup.DefaultToChargeable);
    SavePersonalSettings(QDateTime(QDate(2024, 3, 6), QTime(17, 0)));
    TIniFile saved(File());
    EXPECT_EQ(saved.Keys(QStringLiteral("Setup")), QStringList({QStringLiteral("FirstDayOfWeek")}));
    EXPECT_FALSE(
        saved.ValueExists(QStringLiteral("Preferences"), QStringLiteral("FirstDayOfWeek")));
    EXPECT_EQ(saved.ReadString(QStringLiteral("Preferences"), QStringLiteral("LockHoursOnStartup")),
              QStringLiteral("1"));
    EXPECT_EQ(saved.ReadString(QStringLiteral("Registration"), QStringLiteral("UserName")),
              QStringLiteral("Old"));
    EXPECT_EQ(saved.ReadString(QStringLiteral("Unknown"), QStringLiteral("keep")),
              QStringLiteral("me"));
    EXPECT_EQ(saved.ReadString(QStringLiteral("Version"), QStringLiteral("LastUse")),
              QStringLiteral("06 Mar 2024"));
    EXPECT_EQ(saved.ReadString(QStringLiteral("Version"), QStringLiteral("Number")),
              QString::fromLatin1(QuillhourVersion));
}

TEST_F(PersonalSettingsTest, EveryValueSurvivesARoundTrip) {
    TPersonalSettings& s = PersonalSettings();
    s.UserName = QStringLiteral("Zoë");
    PersonalSettings().UserName = s.UserName;
    s.Setup.StandardColour = 1;
    s.Setup.UnreportedColour = 2;
    s.Setup.UnchargedColour = 3;
    s.Setup.OvertimeColour = 4;
    s.Setup.LockHoursOnStartup = true;
    s.Setup.ConfirmDeletes = false;
    s.Setup.ShowHints = false;
    s.Setup.ShowTips = false;
    s.Setup.SaveOnChange = false;
    s.Setup.BillingReport = true;
    s.Setup.ActiveClients = false;
    s.Setup.BreakDownToRemarks = true;
    s.Setup.ShowOvertime = false;
    s.Setup.DefaultToChargeable = false;
    s.Setup.DecimalDurationFormat = false;
    s.Setup.ReportType = QStringLiteral("Weekly Activity");
    s.Setup.ExportFileName = QStringLiteral("/tmp/out.csv");
    s.Setup.PaperSizeA4 = false;
    s.Setup.PrinterName = QStringLiteral("Office");
    ASSERT_TRUE(ParseAmount(QStringLiteral("45.50"), s.Setup.UserHourlyRate));
    s.Setup.ReminderInterval = 30;
    s.Setup.ReminderPlaySound = QStringLiteral("/usr/share/sounds/bell.wav");
    TCalendarSetup& calendar = s.Setup.Calendar;
    calendar.TitleEffect = 1;
    calendar.TextEffect = 2;
    calendar.TitleBackground = 3;
    calendar.Background = 4;
    calendar.LineColor = 5;
    calendar.SelectionBackground = 6;
    calendar.DayMarkerFill = 7;
    calendar.DayMarkerLine = 8;
    calendar.DayMarkerText = 9;
    calendar.MarkDays = 2;
    calendar.ShowPictures = true;
    calendar.FitType = 2;
    calendar.PicturePath = QStringLiteral("/pics");
    calendar.LastPictureName = QStringLiteral("a.jpg");
    calendar.PictureChangeType = 1;
    calendar.SelectionStyle = ssSquare | ssDot;
    s.Window.Size = QStringLiteral("max");
    s.Window.Left = 1921;
    s.Window.Zoom = 900;
    s.LastTip = 4;
    s.FavouriteBlock = std::make_unique<TBlock>(900, 1025);
    s.FavouriteBlock->SetFields({}, QStringLiteral("Acme"), QStringLiteral("Web"),
                                QStringLiteral("Dev"), QStringLiteral("Code"),
                                QStringLiteral("a\r\nb"), true, false, true, nullptr);
    const TSetupPersonal expected = s.Setup;
    SavePersonalSettings(QDateTime(QDate(2024, 3, 6), QTime(17, 0)));

    PersonalSettings() = TPersonalSettings{};
    LoadPersonalSettings(Today);
    TSetupPersonal wanted = expected;
    wanted.LastUse = QDate(2024, 3, 6);
    EXPECT_EQ(PersonalSettings().Setup, wanted);
    EXPECT_EQ(PersonalSettings().UserName, QStringLiteral("Zoë"));
    EXPECT_EQ(PersonalSettings().Window.Size, QStringLiteral("max"));
    EXPECT_EQ(PersonalSettings().Window.Left, 1921);
    EXPECT_EQ(PersonalSettings().Window.Zoom, 900);
    EXPECT_EQ(PersonalSettings().LastTip, 4);
    EXPECT_FALSE(PersonalSettings().VersionChanged);
    ASSERT_TRUE(PersonalSettings().FavouriteBlock);
    EXPECT_TRUE(PersonalSettings().FavouriteBlock->Equals(*s.FavouriteBlock));
}

TEST_F(PersonalSettingsTest, OddValues) {
    WriteFile(File(),
              "[Favourites]\r\nPaperSize= letter \r\n[Preferences]\r\nReminderInterval=-5\r\n"
              "ReminderPlaySound=/x.wav\r\n[Calendar]\r\nMarkDays=3\r\nSelectionStyle=0\r\n"
              "[Favourite Activity]\r\nStartTime=600\r\nEndTime=600\r\n");
    LoadPersonalSettings(Today);
    const TSetupPersonal& s = PersonalSettings().Setup;
    EXPECT_FALSE(s.PaperSizeA4);
    EXPECT_EQ(s.ReminderInterval, 0);
    EXPECT_TRUE(s.ReminderPlaySound.isEmpty()); // read only when reminders are on
    EXPECT_EQ(s.Calendar.MarkDays, 0);
    EXPECT_EQ(s.Calendar.SelectionStyle, 24);
    EXPECT_FALSE(PersonalSettings().FavouriteBlock); // "Block time data corrupt" means none
    WriteFile(File(),
              "[Preferences]\r\nReminderInterval=15\r\n[Favourites]\r\nPaperSize=Legal\r\n");
    LoadPersonalSettings(Today);
    EXPECT_EQ(PersonalSettings().Setup.ReminderPlaySound, Locations().ProgramFolder + "chimes.wav");
    EXPECT_TRUE(PersonalSettings().Setup.PaperSizeA4);
}

TEST_F(PersonalSettingsTest, BillingReportDefaultsToTheAdministrationSetting) {
    AdminSettings().BillingInfoActive = true;
    LoadPersonalSettings(Today);
    EXPECT_TRUE(PersonalSettings().Setup.BillingReport);
}

TEST_F(PersonalSettingsTest, VersionComparisonIgnoresTheLastPart) {
    EXPECT_FALSE(IsOtherVersion(QStringLiteral("v3.3.0"), QStringLiteral("v3.3.1")));
    EXPECT_TRUE(IsOtherVersion(QStringLiteral("v3.2.5"), QStringLiteral("v3.3.1")));
    EXPECT_TRUE(IsOtherVersion(QStringLiteral("v3"), QStringLiteral("v3.3.1")));
    EXPECT_FALSE(IsOtherVersion(QStringLiteral("v3"), QStringLiteral("v3")));
}

TEST_F(PersonalSettingsTest, NothingIsSavedInServerAdministration) {
    Locations().AdminMode = 1;
    SavePersonalSettings();
    EXPECT_FALSE(QFile::exists(File()));
}

TEST_F(PersonalSettingsTest, WriteFailureIsReportedAndTheNextSaveWrites) {
    MakeFolder(QStringLiteral("local/QHR.ini"));
    PersonalSettings().LastTip = 7;
    SavePersonalSettings();
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown[0].Text.contains(File()));
    QDir(File()).removeRecursively();
    SavePersonalSettings();
    PersonalSettings() = TPersonalSettings{};
    LoadPersonalSettings(Today);
    EXPECT_EQ(PersonalSettings().LastTip, 7);
}
