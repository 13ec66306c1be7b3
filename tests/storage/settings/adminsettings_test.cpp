#include "base/datalocations.h"
#include "base/filestamp.h"
#include "base/messages.h"
#include "localepin.h"
#include "storage/settings/adminsettings.h"
#include "storage/values/timevalues.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

class AdminSettingsTest : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        AdminSettings() = TAdminSettings{};
        AdminSettingsAge().SetStamp(TSharedFileStamp::UnknownStamp);
        SetTimeStep(25);
    }
    void TearDown() override {
        SetTimeStep(25);
        TTempFolderTest::TearDown();
    }

    QString File() const { return Locations().LocalFolder + QStringLiteral("QHR.ini"); }
};

TEST_F(AdminSettingsTest, MissingFileGivesTheDefaults) {
    TLocalePin pin(QStringLiteral("en_US"));
    LoadAdminSettings();
    const TAdminSettings& s = AdminSettings();
    EXPECT_EQ(s.FirstDayOfWeek, 7); // the locale's first day: Sunday
    EXPECT_DOUBLE_EQ(s.TargetDailyHours, 8);
    EXPECT_EQ(TimeStep(), 25);
    EXPECT_FALSE(s.BillingInfoActive);
    EXPECT_EQ(s.CurrencySymbol, QStringLiteral("$"));
    EXPECT_TRUE(s.ReportColumnDefault);
    EXPECT_EQ(s.ReportRemarksColumn, 0);
}

TEST_F(AdminSettingsTest, ValuesAreReadAndOutOfRangeOnesReplaced) {
    WriteFile(File(), "[SETUP]\r\nfirstdayofweek=8\r\nTargetDailyHours=7.5\r\nUnitOfTime=10\r\n"
                      "BillingInfoActive=-1\r\nCurrencySymbol= EUR \r\nReportColumnDefault=0\r\n"
                      "ReportProjectColumn=120\r\nReportCategoryActivityColumn=x\r\n");
    LoadAdminSettings();
    const TAdminSettings& s = AdminSettings();
    EXPECT_EQ(s.FirstDayOfWeek, 1);
    EXPECT_DOUBLE_EQ(s.TargetDailyHours, 7.5);
    EXPECT_EQ(TimeStep(), 17);
    EXPECT_TRUE(s.BillingInfoActive);
    EXPECT_EQ(s.CurrencySymbol, QStringLiteral("EUR"));
    EXPECT_FALSE(s.ReportColumnDefault);
    EXPECT_EQ(s.ReportProjectColumn, 120);
    EXPECT_EQ(s.ReportCategoryActivityColumn, 0);
}

TEST_F(AdminSettingsTest, ReaderNotesEveryReplacedValueWithItsLine) {
    TIniFile ini;
    ini.LoadFromText(QStringLiteral("[Setup]\r\nFirstDayOfWeek=9\r\nTargetDailyHours=lots\r\n"
                                    "UnitOfTime=15\r\nBillingInfoActive=yes\r\n"));
    std::vector<TSettingsProblem> problems;
    TAdminSettings settings;
    int step = 0;
    ReadAdminSettings(TSettingsReader(ini, &problems), settings, step);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].Line, 2);
    EXPECT_EQ(problems[0].Message,
              QStringLiteral(
                  "[Setup] \"FirstDayOfWeek\": the value \"9\" cannot be used; 1 is used instead"));
    EXPECT_EQ(problems[1].Line, 3);
    EXPECT_EQ(problems[2].Line, 5);
}

TEST_F(AdminSettingsTest, TargetHoursTextKeepsEighteenDigits) {
    EXPECT_EQ(TargetHoursText(8), QStringLiteral("8"));
    EXPECT_EQ(TargetHoursText(7.5), QStringLiteral("7.5"));
    EXPECT_EQ(TargetHoursText(7.1), QStringLiteral("7.09999999999999964"));
    TLocalePin pin(QStringLiteral("de_DE"));
    EXPECT_EQ(TargetHoursText(7.5), QStringLiteral("7,5"));
}

TEST_F(AdminSettingsTest, TargetHoursWrittenUnderAnotherLocaleStillRead) {
    WriteFile(File(), "[Setup]\r\nTargetDailyHours=7,25\r\n");
    LoadAdminSettings();
    EXPECT_DOUBLE_EQ(AdminSettings().TargetDailyHours, 7.25);
}

TEST_F(AdminSettingsTest, SaveWritesTheKeysInOrderAndKeepsOtherSections) {
    WriteFile(File(), "[Personal]\r\nkept=yes\r\n\r\n[Setup]\r\nUnknownKey=1\r\nUnitOfTime=15\r\n");
    LoadAdminSettings();
    AdminSettings().TargetDailyHours = 7.1;
    AdminSettings().CurrencySymbol = QStringLiteral("£");
    SetTimeStep(10);
    EXPECT_EQ(SaveAdminSettings(), TSharedFileResult::Done);
    EXPECT_EQ(ReadFile(File()),
              QByteArray("[Personal]\r\nkept=yes\r\n\r\n[Setup]\r\nUnknownKey=1\r\nUnitOfTime=6\r\n"
                         "FirstDayOfWeek=1\r\nTargetDailyHours=7.09999999999999964\r\n"
                         "BillingInfoActive=0\r\nCurrencySymbol=\xA3\r\nReportColumnDefault=1\r\n"
                         "ReportProjectColumn=0\r\nReportCategoryActivityColumn=0\r\n"
                         "ReportRemarksColumn=0\r\n"));
    AdminSettings() = TAdminSettings{};
    LoadAdminSettings();
    EXPECT_DOUBLE_EQ(AdminSettings().TargetDailyHours, 7.1);
    EXPECT_EQ(AdminSettings().CurrencySymbol, QStringLiteral("£"));
    EXPECT_EQ(TimeStep(), 10);
}

TEST_F(AdminSettingsTest, WorkGroupUserWithoutRightsWritesNothing) {
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    AdminSettings().TargetDailyHours = 6;
    EXPECT_EQ(SaveAdminSettings(), TSharedFileResult::Done);
    EXPECT_FALSE(QFile::exists(Locations().ServerFolder + QStringLiteral("QHR.ini")));
}

TEST_F(AdminSettingsTest, SharedSaveIsRefusedAfterAnotherUsersChange) {
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    Locations().AdminMode = 2;
    const QString shared = Locations().ServerFolder + QStringLiteral("QHR.ini");
    WriteFile(shared, "[Setup]\r\nTargetDailyHours=8\r\n");
    LoadAdminSettings();
    EXPECT_NE(AdminSettingsAge().Stamp(), TSharedFileStamp::UnknownStamp);
    EXPECT_FALSE(QFile::exists(shared + QStringLiteral("_LCK")));
    ASSERT_TRUE(SetFileStamp(shared, FileStamp(shared) + 1)); // another workstation saved
    AdminSettings().TargetDailyHours = 5;
    EXPECT_EQ(SaveAdminSettings(), TSharedFileResult::ChangedByAnother);
    EXPECT_EQ(ReadFile(shared), QByteArray("[Setup]\r\nTargetDailyHours=8\r\n"));
    LoadAdminSettings(); // reload, then the save goes through
    AdminSettings().TargetDailyHours = 5;
    EXPECT_EQ(SaveAdminSettings(), TSharedFileResult::Done);
    LoadAdminSettings();
    EXPECT_DOUBLE_EQ(AdminSettings().TargetDailyHours, 5);
}

TEST_F(AdminSettingsTest, WriteFailureIsReportedOnceAndValuesKept) {
    MakeFolder(QStringLiteral("local/QHR.ini")); // a folder where the file should be
    AdminSettings().TargetDailyHours = 6.5;
    SaveAdminSettings();
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown[0].Text.startsWith(
        QStringLiteral("The settings could not be saved to \"") + File() + QLatin1Char('"')));
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Warning);
    EXPECT_DOUBLE_EQ(AdminSettings().TargetDailyHours, 6.5);
    QDir(File()).removeRecursively();
    SaveAdminSettings(); // the next save writes them
    AdminSettings() = TAdminSettings{};
    LoadAdminSettings();
    EXPECT_DOUBLE_EQ(AdminSettings().TargetDailyHours, 6.5);
}
