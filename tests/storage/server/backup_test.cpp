#include "base/datalocations.h"
#include "base/filestamp.h"
#include "base/messages.h"
#include "storage/server/backup.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
// Fixed stamps, so that no test depends on the clock.
constexpr TFileStamp Monday = TFileStamp(1717977600) * 1000000000 + 111;
constexpr TFileStamp Tuesday = Monday + TFileStamp(86400) * 1000000000;
} // namespace

// A work group workstation "mary" with a local data folder and a server folder.
class Backup : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        MakeFolder(QStringLiteral("local/Data/_ExportFormats"));
        MakeFolder(QStringLiteral("server/Data/_ExportFormats"));
        PersonalSettings().UserName = QStringLiteral("mary");
        UserFolder = ServerDataPath() + QStringLiteral("mary/");
    }

    void WriteStamped(const QString& path, const QByteArray& bytes, TFileStamp stamp) {
        WriteFile(path, bytes);
        ASSERT_TRUE(SetFileStamp(path, stamp));
    }
    void WriteLocal(const QString& name, const QByteArray& bytes, TFileStamp stamp) {
        WriteStamped(LocalDataPath() + name, bytes, stamp);
    }
    QStringList Entries(const QString& folder) const {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }
    QStringList ShownTexts() const {
        QStringList texts;
        for (const TShownMessage& message : Messages->Shown)
            texts.append(message.Text);
        return texts;
    }

    static QString WithoutTrailing(const QString& folder) {
        return folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
    }
    QString UserFolder;
};

TEST_F(Backup, FirstBackupCopiesEveryPlainFileKeepingItsStamp) {
    WriteLocal(QStringLiteral("2024-05.txt"), "may\r\n", Monday);
    WriteLocal(QStringLiteral("ClientProject.txt"), "lists\r\n", Tuesday);
    WriteLocal(QStringLiteral(".hidden"), "not data", Monday);
    WriteLocal(QStringLiteral("_ExportFormats/ef-Daily.txt"), "format", Monday);
    BackupToServer();
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_EQ(Entries(UserFolder),
              QStringList({QStringLiteral("2024-05.txt"), QStringLiteral("ClientProject.txt")}));
    EXPECT_EQ(ReadFile(UserFolder + QStringLiteral("2024-05.txt")), QByteArray("may\r\n"));
    EXPECT_EQ(FileStamp(UserFolder + QStringLiteral("2024-05.txt")), Monday);
    EXPECT_EQ(FileStamp(UserFolder + QStringLiteral("ClientProject.txt")), Tuesday);
}

TEST_F(Backup, OnlyFilesWhoseStampsDifferAreCopied) {
    WriteLocal(QStringLiteral("2024-05.txt"), "may\r\n", Monday);
    WriteLocal(QStringLiteral("2024-06.txt"), "june changed\r\n", Tuesday);
    WriteLocal(QStringLiteral("2024-07.txt"), "july\r\n", Monday);
    // Same stamp on the server: counts as backed up, whatever the content.
    WriteStamped(UserFolder + QStringLiteral("2024-05.txt"), "server may", Monday);
    WriteStamped(UserFolder + QStringLiteral("2024-06.txt"), "old june", Monday);
    // A server copy newer than the local file (put back by hand) is replaced all the same.
    WriteStamped(UserFolder + QStringLiteral("2024-07.txt"), "restored july", Tuesday);
    EXPECT_EQ(FilesNeedingCopy(LocalDataPath(), UserFolder, QStringLiteral("*")),
              QStringList({QStringLiteral("2024-06.txt"), QStringLiteral("2024-07.txt")}));
    BackupToServer();
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_EQ(ReadFile(UserFolder + QStringLiteral("2024-05.txt")), QByteArray("server may"));
    EXPECT_EQ(ReadFile(UserFolder + QStringLiteral("2024-06.txt")), QByteArray("june changed\r\n"));
    EXPECT_EQ(ReadFile(UserFolder + QStringLiteral("2024-07.txt")), QByteArray("july\r\n"));
    EXPECT_EQ(FileStamp(UserFolder + QStringLiteral("2024-07.txt")), Monday);
    EXPECT_TRUE(FilesNeedingCopy(LocalDataPath(), UserFolder, QStringLiteral("*")).isEmpty());
}

TEST_F(Backup, NothingHappensWithoutServerDataFolderUserNameOrWorkGroup) {
    WriteLocal(QStringLiteral("2024-05.txt"), "may\r\n", Monday);
    QDir(ServerDataPath()).removeRecursively();
    BackupToServer();
    EXPECT_FALSE(QFile::exists(ServerDataPath()));
    MakeFolder(QStringLiteral("server/Data"));

    Locations().AdminMode = 1; // server administration
    BackupToServer();
    Locations().AdminMode = 0;
    Env.Logon.clear();
    ApplyEnvironment();
    PersonalSettings().UserName = QString();
    BackupToServer();
    EXPECT_FALSE(QFile::exists(UserFolder));
    EXPECT_TRUE(Messages->Shown.empty());
}

TEST_F(Backup, UserNameThatIsNoPlainFolderNameIsNeverUsedOnTheServer) {
    WriteLocal(QStringLiteral("2024-05.txt"), "may\r\n", Monday);
    const QStringList before = Entries(Locations().ServerFolder);
    const QStringList names = {QStringLiteral(".."), QStringLiteral("."), QStringLiteral("../x"),
                               QStringLiteral("a:b"), QStringLiteral("tab\tname")};
    for (const QString& name : names) {
        PersonalSettings().UserName = name;
        BackupToServer();
    }
    EXPECT_EQ(ShownTexts(), QStringList(names.size(), BackupFailedText));
    EXPECT_EQ(Messages->Shown.front().Kind, TMsgKind::Warning);
    EXPECT_EQ(Messages->Shown.front().Buttons, mbOK);
    EXPECT_EQ(Entries(ServerDataPath()), QStringList{QStringLiteral("_ExportFormats")});
    EXPECT_EQ(Entries(Locations().ServerFolder), before);
    EXPECT_FALSE(QFile::exists(Locations().ServerFolder + QStringLiteral("2024-05.txt")));
}

TEST_F(Backup, FailedCopyStopsTheRunAndKeepsWhatWasCopied) {
    WriteLocal(QStringLiteral("2024-04.txt"), "april\r\n", Monday);
    WriteLocal(QStringLiteral("2024-05.txt"), "may\r\n", Monday);
    WriteLocal(QStringLiteral("2024-06.txt"), "june\r\n", Monday);
    MakeFolder(QStringLiteral("server/Data/mary/2024-05.txt")); // cannot be replaced by a file
    BackupToServer();
    EXPECT_EQ(ShownTexts(), QStringList{BackupFailedText});
    EXPECT_EQ(ReadFile(UserFolder + QStringLiteral("2024-04.txt")), QByteArray("april\r\n"));
    EXPECT_FALSE(QFile::exists(UserFolder + QStringLiteral("2024-06.txt")));
    // No temporary copy is left behind.
    EXPECT_EQ(Entries(UserFolder),
              QStringList({QStringLiteral("2024-04.txt"), QStringLiteral("2024-05.txt")}));
}

TEST_F(Backup, UserFolderThatCannotBeMadeGivesTheWarning) {
    WriteLocal(QStringLiteral("2024-05.txt"), "may\r\n", Monday);
    WriteFile(ServerDataPath() + QStringLiteral("mary"), "a file in the way");
    BackupToServer();
    EXPECT_EQ(ShownTexts(), QStringList{BackupFailedText});
}

TEST_F(Backup, ExportFormatsComeDownWhenNewOrChanged) {
    const QString server = ServerDataPath() + ExportFormatsFolderName;
    const QString local = LocalExportFormatsPath();
    WriteStamped(server + QStringLiteral("ef-Daily.txt"), "daily v2", Tuesday);
    WriteStamped(server + QStringLiteral("ef-Weekly.txt"), "weekly", Monday);
    WriteStamped(server + QStringLiteral("notes.txt"), "not a format", Monday);
    WriteStamped(local + QStringLiteral("ef-Daily.txt"), "daily v1", Monday);
    WriteStamped(local + QStringLiteral("ef-Gone.txt"), "deleted on the server", Monday);
    CopyExportFormatsDown();
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_EQ(Entries(local),
              QStringList({QStringLiteral("ef-Daily.txt"), QStringLiteral("ef-Gone.txt"),
                           QStringLiteral("ef-Weekly.txt")}));
    EXPECT_EQ(ReadFile(local + QStringLiteral("ef-Daily.txt")), QByteArray("daily v2"));
    EXPECT_EQ(FileStamp(local + QStringLiteral("ef-Daily.txt")), Tuesday);
    EXPECT_EQ(ReadFile(local + QStringLiteral("ef-Weekly.txt")), QByteArray("weekly"));
}

TEST_F(Backup, ExportFormatsStayWhenTheServerIsMissing) {
    WriteStamped(LocalExportFormatsPath() + QStringLiteral("ef-Daily.txt"), "daily", Monday);
    QDir(ServerDataPath()).removeRecursively();
    CopyExportFormatsDown();
    EXPECT_TRUE(Locations().UseLocalData);
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_EQ(Entries(LocalExportFormatsPath()), QStringList{QStringLiteral("ef-Daily.txt")});
}

TEST_F(Backup, ExportFormatCopyFailureGivesTheWarning) {
    WriteStamped(ServerDataPath() + ExportFormatsFolderName + QStringLiteral("ef-Daily.txt"),
                 "daily", Monday);
    QDir(LocalExportFormatsPath()).removeRecursively();
    CopyExportFormatsDown();
    EXPECT_EQ(ShownTexts(), QStringList{BackupFailedText});
}

TEST_F(Backup, RenameMovesTheServerFolder) {
    WriteFile(UserFolder + QStringLiteral("2024-05.txt"), "may");
    EXPECT_TRUE(RenameServerUserFolder(QStringLiteral("mary"), QStringLiteral("Mary Smith")));
    EXPECT_EQ(ReadFile(ServerDataPath() + QStringLiteral("Mary Smith/2024-05.txt")),
              QByteArray("may"));
    EXPECT_FALSE(QFile::exists(UserFolder));
    // Nothing to move: no folder of the old name.
    EXPECT_TRUE(RenameServerUserFolder(QStringLiteral("nobody"), QStringLiteral("somebody")));
    EXPECT_FALSE(QFile::exists(ServerDataPath() + QStringLiteral("somebody")));
    EXPECT_TRUE(Messages->Shown.empty());
}

TEST_F(Backup, RenameOntoATakenNameWarnsAndMovesNothing) {
    WriteFile(UserFolder + QStringLiteral("2024-05.txt"), "mary's");
    // An empty folder would silently be replaced by a plain rename.
    MakeFolder(QStringLiteral("server/Data/john"));
    EXPECT_FALSE(RenameServerUserFolder(QStringLiteral("mary"), QStringLiteral("john")));
    EXPECT_EQ(ShownTexts(), QStringList{RenameBackupFailedText});
    EXPECT_EQ(ReadFile(UserFolder + QStringLiteral("2024-05.txt")), QByteArray("mary's"));
    EXPECT_TRUE(Entries(ServerDataPath() + QStringLiteral("john")).isEmpty());
}

TEST_F(Backup, RenameWithNamesThatAreNoPlainFolderNamesWarnsAndMovesNothing) {
    WriteFile(UserFolder + QStringLiteral("2024-05.txt"), "may");
    const QStringList before = Entries(Locations().ServerFolder);
    // An empty or "." old name would be the whole server data folder.
    EXPECT_FALSE(RenameServerUserFolder(QString(), QStringLiteral("mary2")));
    EXPECT_FALSE(RenameServerUserFolder(QStringLiteral("."), QStringLiteral("mary2")));
    EXPECT_FALSE(RenameServerUserFolder(QStringLiteral("mary"), QStringLiteral("../mary")));
    EXPECT_FALSE(RenameServerUserFolder(QStringLiteral("mary"), QStringLiteral("..")));
    EXPECT_EQ(ShownTexts(), QStringList(4, RenameBackupFailedText));
    EXPECT_EQ(Entries(Locations().ServerFolder), before);
    EXPECT_EQ(Entries(ServerDataPath()),
              QStringList({QStringLiteral("_ExportFormats"), QStringLiteral("mary")}));
}

TEST_F(Backup, RenameDoesNothingWithoutServerOrChange) {
    WriteFile(UserFolder + QStringLiteral("2024-05.txt"), "may");
    EXPECT_TRUE(RenameServerUserFolder(QStringLiteral("mary"), QStringLiteral("mary")));
    Locations().ServerFolder.clear();
    EXPECT_TRUE(RenameServerUserFolder(QStringLiteral("mary"), QStringLiteral("john")));
    EXPECT_TRUE(QFile::exists(UserFolder));
    EXPECT_TRUE(Messages->Shown.empty());
}

// A user folder on the server (or a file in it) that is a symbolic link would lead the copies
// anywhere the link points: the backup refuses to follow it.
TEST_F(Backup, LinksNeverLeadTheBackupOutOfTheServerFolder) {
    WriteLocal(QStringLiteral("2024-06.txt"), "june", Monday);
    const QString outside = MakeFolder(QStringLiteral("outside"));
    ASSERT_TRUE(QFile::link(WithoutTrailing(outside), WithoutTrailing(UserFolder)));
    BackupToServer();
    EXPECT_TRUE(Entries(outside).isEmpty());
    EXPECT_EQ(ShownTexts(), QStringList{BackupFailedText});

    Messages->Shown.clear();
    QFile::remove(WithoutTrailing(UserFolder));
    MakeFolder(QStringLiteral("server/Data/mary"));
    const QString victim = outside + QStringLiteral("notes.txt");
    WriteFile(victim, "mine");
    ASSERT_TRUE(QFile::link(victim, UserFolder + QStringLiteral("2024-06.txt")));
    BackupToServer();
    EXPECT_EQ(ReadFile(victim), QByteArray("mine"));
    EXPECT_EQ(ShownTexts(), QStringList{BackupFailedText});
}
