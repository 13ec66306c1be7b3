#include "base/datalocations.h"
#include "base/messages.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

class DataLocations : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        ProgramFolder = MakeFolder(QStringLiteral("program"));
        AppData = MakeFolder(QStringLiteral("appdata"));
        Env.Variables[QStringLiteral("APPDATA")] = AppData;
        ApplyEnvironment();
    }

    void SetArguments(const QStringList& args) {
        Env.Args = QStringList{Env.Program} + args;
        ApplyEnvironment();
    }

    QString ProgramFolder;
    QString AppData;
};

TEST_F(DataLocations, FirstRunUnderAppDataCreatesTheFoldersAndCopiesProgramFiles) {
    WriteFile(ProgramFolder + QStringLiteral("QHR.inf"), "info");
    WriteFile(ProgramFolder + QStringLiteral("Data/ClientProject.txt"), "clients");
    WriteFile(ProgramFolder + QStringLiteral("Data/_ExportFormats/ef-Daily.txt"), "format");
    WriteFile(ProgramFolder + QStringLiteral("Data/Sub/ignored.txt"), "not copied");
    ResolveDataLocations();

    const QString local = AppData + QStringLiteral("Brackwater/Quillhour/");
    EXPECT_EQ(Locations().ProgramFolder, ProgramFolder);
    EXPECT_EQ(Locations().LocalFolder, local);
    EXPECT_TRUE(QFileInfo(local + QStringLiteral("Data/_ExportFormats")).isDir());
    EXPECT_EQ(ReadFile(local + QStringLiteral("QHR.inf")), QByteArray("info"));
    EXPECT_EQ(ReadFile(local + QStringLiteral("Data/ClientProject.txt")), QByteArray("clients"));
    EXPECT_EQ(ReadFile(local + QStringLiteral("Data/_ExportFormats/ef-Daily.txt")),
              QByteArray("format"));
    EXPECT_FALSE(QFileInfo::exists(local + QStringLiteral("Data/Sub")));
    EXPECT_TRUE(Locations().NewUser);
    EXPECT_TRUE(IsSingleUser());
    EXPECT_EQ(ModeName(), QStringLiteral("Single-user"));
    EXPECT_EQ(LocalDataPath(), local + QStringLiteral("Data/"));
    EXPECT_EQ(LocalExportFormatsPath(), local + QStringLiteral("Data/_ExportFormats/"));
}

TEST_F(DataLocations, ProgramSettingsFileIsCopiedOnFirstUseSoTheUserIsNotNew) {
    WriteFile(ProgramFolder + QStringLiteral("QHR.ini"), "[Server]\r\nServerAdmin=0\r\n");
    ResolveDataLocations();
    EXPECT_FALSE(Locations().NewUser);
    EXPECT_TRUE(QFileInfo::exists(Locations().LocalFolder + QStringLiteral("QHR.ini")));
}

TEST_F(DataLocations, LaterRunsDoNotCopyAgain) {
    ResolveDataLocations();
    const QString local = Locations().LocalFolder;
    WriteFile(local + QStringLiteral("Data/ClientProject.txt"), "mine");
    WriteFile(ProgramFolder + QStringLiteral("Data/ClientProject.txt"), "defaults");
    ResolveDataLocations();
    EXPECT_EQ(ReadFile(local + QStringLiteral("Data/ClientProject.txt")), QByteArray("mine"));
}

TEST_F(DataLocations, MissingOrUnsetAppDataFallsBack) {
    Env.Variables[QStringLiteral("APPDATA")] = Path(QStringLiteral("does-not-exist"));
    ApplyEnvironment();
    ResolveDataLocations();
    EXPECT_EQ(Locations().LocalFolder, ProgramFolder);

    // Without APPDATA the XDG data home stands in, created when missing.
    Env.Variables.erase(QStringLiteral("APPDATA"));
    ApplyEnvironment();
    ResolveDataLocations();
    EXPECT_EQ(Locations().LocalFolder, Env.DataHome + QStringLiteral("/Brackwater/Quillhour/"));
    EXPECT_TRUE(QFileInfo(LocalExportFormatsPath()).isDir());
}

TEST_F(DataLocations, DataDirSwitchSetsTheFolderWithoutProductSubFolder) {
    const QString chosen = Path(QStringLiteral("chosen/deeper"));
    SetArguments({QStringLiteral("/DataDir"), chosen, QStringLiteral("/datadir"),
                  Path(QStringLiteral("second"))});
    ResolveDataLocations();
    EXPECT_EQ(Locations().LocalFolder, chosen + QLatin1Char('/'));
    EXPECT_EQ(Locations().ParameterFolder, chosen + QLatin1Char('/'));
    EXPECT_TRUE(QFileInfo(chosen + QStringLiteral("/Data/_ExportFormats")).isDir());
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("second"))));
}

TEST_F(DataLocations, DataDirAsLastArgumentIsIgnored) {
    SetArguments({QStringLiteral("/datadir")});
    ResolveDataLocations();
    EXPECT_TRUE(Locations().ParameterFolder.isEmpty());
    EXPECT_EQ(Locations().LocalFolder, AppData + QStringLiteral("Brackwater/Quillhour/"));
}

TEST_F(DataLocations, LinuxSpellingOfTheSwitchIsTheSame) {
    SetArguments({QStringLiteral("--datadir"), Path(QStringLiteral("dd"))});
    ResolveDataLocations();
    EXPECT_EQ(Locations().LocalFolder, Path(QStringLiteral("dd/")));
}

TEST_F(DataLocations, RedirectToAFolderWithSettingsMakesItTheLocalFolder) {
    const QString target = MakeFolder(QStringLiteral("redirected"));
    WriteFile(target + QStringLiteral("QHR.ini"), "[Server]\r\nServerPath=/srv/never\r\n");
    WriteFile(ProgramFolder + QStringLiteral("QHR.ini"),
              "[Setup]\r\nRedirect=  " + target.toUtf8() + "  \r\n[Server]\r\nServerAdmin=2\r\n");
    ResolveDataLocations();
    EXPECT_EQ(Locations().LocalFolder, target);
    EXPECT_EQ(Locations().RedirectOrigin, ProgramFolder);
    EXPECT_TRUE(Locations().ServerFolder.isEmpty());
    EXPECT_EQ(Locations().AdminMode, 0);
    EXPECT_FALSE(Locations().NewUser);
    EXPECT_EQ(ModeName(), QStringLiteral("Single-user"));
    EXPECT_TRUE(DataLocationsText(true).endsWith(
        QStringLiteral("Server location set by redirection at: \"") + ProgramFolder +
        QStringLiteral("\"\r\n")));
}

TEST_F(DataLocations, RedirectWithoutSettingsFileIsIgnored) {
    const QString target = MakeFolder(QStringLiteral("empty-redirect"));
    WriteFile(ProgramFolder + QStringLiteral("QHR.ini"),
              "[setup]\r\nredirect=" + target.toUtf8() + "\r\n[SERVER]\r\nserveradmin=1\r\n");
    ResolveDataLocations();
    EXPECT_TRUE(Locations().RedirectOrigin.isEmpty());
    EXPECT_EQ(Locations().AdminMode, 1);
    EXPECT_TRUE(IsServerAdministration());
    // Server administration stops before the product folder is appended.
    EXPECT_EQ(Locations().LocalFolder, AppData);
    EXPECT_EQ(ModeName(), QStringLiteral("Server Administration"));
}

TEST_F(DataLocations, AdminModeOutsideItsRangeCountsAsNone) {
    WriteFile(ProgramFolder + QStringLiteral("QHR.ini"), "[Server]\r\nServerAdmin=7\r\n");
    ResolveDataLocations();
    EXPECT_EQ(Locations().AdminMode, 0);
    WriteFile(Locations().LocalFolder + QStringLiteral("QHR.ini"), "[Server]\r\nServerAdmin=x\r\n");
    ResolveDataLocations();
    EXPECT_EQ(Locations().AdminMode, 0);
}

TEST_F(DataLocations, UnreachableServerWarnsAndFallsBackToLocalData) {
    ResolveDataLocations();
    const QString missing = Path(QStringLiteral("server-file"));
    WriteFile(missing, "a file, so no folder can be made here");
    WriteFile(Locations().LocalFolder + QStringLiteral("QHR.ini"),
              "[Server]\r\nServerPath=" + missing.toUtf8() + "\r\n");
    ResolveDataLocations();
    EXPECT_TRUE(CheckDataFolders());
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text, QStringLiteral("Server path \"") + missing +
                                           QStringLiteral("/\" does not exist.\nUsing local data"));
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(ModeName(), QStringLiteral("Work Group"));
    bool useLocal = false;
    EXPECT_EQ(DataPath(useLocal), LocalDataPath());
    EXPECT_TRUE(useLocal);
    bool formatsLocal = false;
    EXPECT_EQ(ExportFormatsPath(formatsLocal), LocalExportFormatsPath());
    EXPECT_TRUE(formatsLocal);
}

TEST_F(DataLocations, ReachableServerIsUsedAndItsFoldersCreated) {
    ResolveDataLocations();
    const QString server = MakeFolder(QStringLiteral("server"));
    WriteFile(Locations().LocalFolder + QStringLiteral("QHR.ini"),
              "[Server]\r\nServerPath = " + server.toUtf8() + "\r\nServerAdmin=2\r\n");
    ResolveDataLocations();
    EXPECT_TRUE(CheckDataFolders());
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_TRUE(QFileInfo(server + QStringLiteral("Data/_ExportFormats")).isDir());
    EXPECT_EQ(ModeName(), QStringLiteral("Work Group (admin rights)"));
    EXPECT_TRUE(MayEditAdminData());
    EXPECT_TRUE(IsShared());
    bool useLocal = false;
    EXPECT_EQ(DataPath(useLocal), server + QStringLiteral("Data/"));
    EXPECT_FALSE(useLocal);
    useLocal = true;
    EXPECT_EQ(DataPath(useLocal), LocalDataPath());
    EXPECT_EQ(AdminSettingsFileName(), server + QStringLiteral("QHR.ini"));
    EXPECT_EQ(PersonalSettingsFileName(), Locations().LocalFolder + QStringLiteral("QHR.ini"));
}

TEST_F(DataLocations, ModeConflictsStopTheProgram) {
    Locations().ServerFolder = MakeFolder(QStringLiteral("srv"));
    Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
    Locations().AdminMode = 1;
    EXPECT_FALSE(CheckDataFolders());
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("Server administration setting does not allow a server path"));
    EXPECT_EQ(Messages->Shown.back().Kind, TMsgKind::Error);

    Locations().ServerFolder.clear();
    Locations().AdminMode = 2;
    EXPECT_FALSE(CheckDataFolders());
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("Remote server administration requires a server path"));
    EXPECT_EQ(Messages->Shown.back().Buttons, mbOK);
}

TEST_F(DataLocations, ModeTable) {
    TDataLocations& loc = Locations();
    loc.AdminMode = 0;
    EXPECT_TRUE(IsSingleUser());
    EXPECT_FALSE(IsShared());
    EXPECT_TRUE(MayEditAdminData());
    loc.ServerFolder = QStringLiteral("/srv/");
    EXPECT_TRUE(IsWorkGroup());
    EXPECT_FALSE(MayEditAdminData());
    EXPECT_FALSE(HasAdminRights());
    loc.AdminMode = 1;
    EXPECT_FALSE(IsWorkGroup());
    EXPECT_TRUE(IsServerAdministration());
    EXPECT_TRUE(MayEditAdminData());
    loc.ServerFolder.clear();
    loc.AdminMode = 2;
    EXPECT_FALSE(IsSingleUser());
    EXPECT_FALSE(IsWorkGroup());
    EXPECT_EQ(ModeName(), QStringLiteral("Unknown (admin rights)"));
    EXPECT_EQ(AdminSettingsFileName(), QStringLiteral("QHR.ini")); // the (empty) server folder
}

TEST_F(DataLocations, LocationTexts) {
    TDataLocations& loc = Locations();
    loc.LocalFolder = QStringLiteral("/home/mary/Quillhour/");
    EXPECT_EQ(
        DataLocationsText(false),
        QStringLiteral("Local location: \"/home/mary/Quillhour/\"\r\nNo server location\r\n"));
    EXPECT_EQ(DataLocationsText(true),
              QStringLiteral("Local location: \"/home/mary/Quillhour/\"\r\n"
                             "Local location not set by parameter\r\n"
                             "No server location\r\n"
                             "Server location not set by redirection\r\n"));
    loc.ParameterFolder = loc.LocalFolder;
    loc.ServerFolder = QStringLiteral("/srv/team/");
    EXPECT_EQ(DataLocationsText(false),
              QStringLiteral("Local location: \"/home/mary/Quillhour/\"\r\n"
                             "Local location set by parameter: \"/home/mary/Quillhour/\"\r\n"
                             "Server location: \"/srv/team/\"\r\n"));
}

TEST_F(DataLocations, CurrentUserNamePrefersTheSettings) {
    EXPECT_EQ(CurrentUserName(), QStringLiteral("tester"));
    PersonalSettings().UserName = QStringLiteral("Mary");
    EXPECT_EQ(CurrentUserName(), QStringLiteral("Mary"));
}

TEST_F(DataLocations, ReadOnlyResolutionWritesNothingButAgreesWithThePreparedOne) {
    const QString chosen = Path(QStringLiteral("new-location"));
    WriteFile(ProgramFolder + QStringLiteral("QHR.ini"), "[Server]\r\nServerPath=/srv/team\r\n");
    SetArguments({QStringLiteral("--datadir"), chosen});
    ResolveDataLocations(TResolveMode::ReadOnly);
    const TDataLocations readOnly = Locations();
    EXPECT_FALSE(QFileInfo::exists(chosen));
    ResolveDataLocations(TResolveMode::Prepare);
    EXPECT_TRUE(QFileInfo::exists(chosen));
    EXPECT_EQ(readOnly.LocalFolder, Locations().LocalFolder);
    EXPECT_EQ(readOnly.ServerFolder, QStringLiteral("/srv/team/"));
    EXPECT_EQ(readOnly.ServerFolder, Locations().ServerFolder);
    EXPECT_EQ(readOnly.NewUser, Locations().NewUser);
}
