#include "base/datalocations.h"
#include "base/filestamp.h"
#include "sampledata/sampledata.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/lists/listlines.h"
#include "storage/months/datalineerror.h"
#include "storage/server/inuselists.h"
#include "storage/server/monthpairs.h"
#include "storage/server/scanprogress.h"
#include "storage/server/serverdatascan.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <map>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
// Records what the scan shows and asks for a cancel right after the update number
// CancelAfterUpdate (0: never), answering "cancelled" only once, as a window whose flag
// someone reset might.
class TRecordingProgress : public IScanProgress {
public:
    void Start(const QString& heading) override {
        Events.append(QStringLiteral("start ") + heading);
    }
    bool Update(const QString& text) override {
        Events.append(QStringLiteral("update ") + text);
        ++Updates;
        return true;
    }
    bool Cancelled() override {
        if (CancelAfterUpdate == 0 || Updates != CancelAfterUpdate || Answered)
            return false;
        Answered = true;
        return true;
    }
    void Finish() override { Events.append(QStringLiteral("finish")); }

    QStringList Events;
    int CancelAfterUpdate = 0;
    int Updates = 0;
    bool Answered = false;
};

// Every file of a folder tree with its stamp, to see that nothing was written.
std::map<QString, TFileStamp> FileStamps(const QString& root) {
    std::map<QString, TFileStamp> stamps;
    QDir dir(root);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        stamps[root + name] = FileStamp(root + name);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        stamps.merge(FileStamps(root + name + QLatin1Char('/')));
    return stamps;
}

bool HasInUseFiles(const QString& folder) {
    return QFile::exists(folder + InUseClientListFileName) &&
           QFile::exists(folder + InUseCategoryListFileName);
}
} // namespace

// A work group workstation "mary" whose server holds the generator's month files of four
// users, from November 2023 to February 2024, none of them with in-use files yet.
class ServerDataScan : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        MakeFolder(QStringLiteral("local/Data/_ExportFormats"));
        MakeFolder(QStringLiteral("server/Data/_ExportFormats"));
        PersonalSettings().UserName = QStringLiteral("mary");
        TSampleDataGenerator(11).WriteServerData(ServerDataPath(), 4, 2023, 11, 4, &Folders);
        OwnClients.AddEntry(QStringLiteral("Own"), QStringLiteral("Work"), true, QString());
        OwnCategories.AddEntry(QStringLiteral("Own"), QStringLiteral("Task"), true);
    }

    // The users the folders should give, each with the latest entry the month store finds.
    TServerUsers Expected(const QStringList& folders) const {
        TServerUsers users;
        for (const QString& folder : folders)
            users.push_back({folder, PackDateTime(TMonthPairs(folder).LastEntry)});
        return users;
    }
    QStringList ExpectedClientPairs(const QStringList& folders) const {
        QStringList pairs;
        for (const QString& folder : folders)
            pairs += TMonthPairs(folder).ClientProjects;
        TMonthPairs::Tidy(pairs);
        return pairs;
    }
    QStringList ExpectedCategoryPairs(const QStringList& folders) const {
        QStringList pairs;
        for (const QString& folder : folders)
            pairs += TMonthPairs(folder).CategoryActivities;
        TMonthPairs::Tidy(pairs);
        return pairs;
    }

    void Scan(bool writeInUseFiles = true) {
        Users = {{QStringLiteral("stale/"), 1}};
        Clients = TClients();
        Categories = TCategories();
        TServerDataScan scan(OwnClients, OwnCategories, &Progress);
        scan.WriteInUseFiles = writeInUseFiles;
        scan.Run(Users, Clients, Categories);
    }

    QStringList Folders;
    TClients OwnClients;
    TCategories OwnCategories;
    TRecordingProgress Progress;
    TServerUsers Users;
    TClients Clients;
    TCategories Categories;
};

TEST_F(ServerDataScan, UsersWithoutInUseFilesAreRebuiltUnderProgressAndWritten) {
    Scan();
    EXPECT_EQ(Users, Expected(Folders));
    EXPECT_EQ(Users.front().Name(), QStringLiteral("user001"));
    EXPECT_EQ(Users.front().LastEntryMoment().Date().month(), 2);
    EXPECT_EQ(ListPairs(Clients), ExpectedClientPairs(Folders));
    EXPECT_EQ(ListPairs(Categories), ExpectedCategoryPairs(Folders));
    EXPECT_EQ(Progress.Events,
              QStringList({QStringLiteral("start Scanning server data for..."),
                           QStringLiteral("update user001"), QStringLiteral("update user002"),
                           QStringLiteral("update user003"), QStringLiteral("update user004"),
                           QStringLiteral("finish")}));
    for (const QString& folder : Folders) {
        ASSERT_TRUE(HasInUseFiles(folder)) << folder.toStdString();
        const TMonthPairs pairs(folder);
        EXPECT_EQ(ListPairs(TClients(folder + InUseClientListFileName)), pairs.ClientProjects);
        EXPECT_EQ(ListPairs(TCategories(folder + InUseCategoryListFileName)),
                  pairs.CategoryActivities);
    }
}

TEST_F(ServerDataScan, UsersWithInUseFilesAreReadWithoutProgressFromTheNewestMonthOn) {
    Scan();
    const TServerUsers first = Users;
    const QString firstClients = Clients.FileText();
    // An older month that cannot be read does not matter: the newest month has entries.
    QFile::remove(Folders[1] + QStringLiteral("2023-11.txt"));
    WriteFile(Folders[1] + QStringLiteral("2023-11.txt"), "never a date\t0900\t1000\r\n");
    Progress = TRecordingProgress();
    Scan();
    EXPECT_EQ(Users, first);
    EXPECT_EQ(Clients.FileText(), firstClients);
    EXPECT_TRUE(Progress.Events.isEmpty());
    // A pair that is only in a user's in-use file stays available to the filters.
    WriteFile(Folders[2] + InUseClientListFileName, "Retired Client\tOld Project\tY\r\n");
    Scan();
    EXPECT_NE(Clients.FindClientProject(QStringLiteral("Retired Client"),
                                        QStringLiteral("Old Project"), true),
              nullptr);
}

TEST_F(ServerDataScan, AnEmptyNewestMonthLeavesTheLastEntryToTheOlderOne) {
    Scan();
    const TServerUsers first = Users;
    // user002 gets an empty March; user003's months are all empty: it has no entry at all.
    WriteFile(Folders[1] + QStringLiteral("2024-03.txt"), "\r\n");
    for (const QString& name : MonthFileNames(Folders[2])) {
        QFile::remove(Folders[2] + name);
        WriteFile(Folders[2] + name, "");
    }
    // A user folder without any file: rebuilt to nothing, not listed.
    const QString empty = MakeFolder(QStringLiteral("server/Data/user005"));
    Scan();
    EXPECT_EQ(Users, TServerUsers({first[0], first[1], first[3]}));
    EXPECT_TRUE(HasInUseFiles(empty));
    EXPECT_TRUE(ReadFile(empty + InUseClientListFileName).isEmpty());
}

TEST_F(ServerDataScan, CancelSkipsEveryFurtherUserThatNeedsARebuild) {
    // user003 already has its in-use files; the others need a rebuild.
    TClients clients;
    TCategories categories;
    TMoment lastEntry;
    RebuildInUseLists(Folders[2], clients, categories, lastEntry, false, false);
    SaveInUseLists(Folders[2], clients, categories);
    Progress.CancelAfterUpdate = 1;
    Scan();
    EXPECT_EQ(Users, Expected({Folders[0], Folders[2]}));
    EXPECT_EQ(ListPairs(Clients), ExpectedClientPairs({Folders[0], Folders[2]}));
    EXPECT_EQ(Progress.Events,
              QStringList({QStringLiteral("start Scanning server data for..."),
                           QStringLiteral("update user001"), QStringLiteral("finish")}));
    EXPECT_TRUE(HasInUseFiles(Folders[0]));
    EXPECT_FALSE(QFile::exists(Folders[1] + InUseClientListFileName));
    EXPECT_FALSE(QFile::exists(Folders[3] + InUseClientListFileName));
    // The next scan catches up with the users skipped.
    Progress = TRecordingProgress();
    Scan();
    EXPECT_EQ(Users, Expected(Folders));
    EXPECT_EQ(Progress.Events.mid(1, 2),
              QStringList({QStringLiteral("update user002"), QStringLiteral("update user004")}));
}

TEST_F(ServerDataScan, AnUnreadableMonthLineEndsTheScanWithItsError) {
    const QString file = Folders[2] + QStringLiteral("2023-12.txt");
    QByteArray bytes = ReadFile(file);
    bytes.insert(0, "01 Dec 2023\t0900\t09:30\tAcme\tWeb\tDev\tCoding\r\n");
    WriteFile(file, bytes);
    try {
        Scan();
        FAIL() << "no error";
    } catch (const EDataLineError& error) {
        EXPECT_EQ(error.FileName(), file);
        EXPECT_EQ(error.Line(), 1);
        EXPECT_EQ(error.Field(), QStringLiteral("End"));
    }
    EXPECT_EQ(Progress.Events.last(), QStringLiteral("finish"));
    EXPECT_FALSE(QFile::exists(Folders[2] + InUseClientListFileName));
    EXPECT_FALSE(QFile::exists(Folders[3] + InUseClientListFileName));
    EXPECT_THROW(Scan(), EDataLineError);
    // A user with in-use files: the newest month is read by the month store, with its error.
    TClients clients;
    TCategories categories;
    SaveInUseLists(Folders[2], clients, categories);
    const QString newest = Folders[2] + QStringLiteral("2024-02.txt");
    WriteFile(newest, "01 Feb 2024\tnine\t1000\tAcme\tWeb\tDev\tCoding\r\n");
    try {
        Scan();
        FAIL() << "no error";
    } catch (const EDataLineError& error) {
        EXPECT_EQ(error.FileName(), newest);
        EXPECT_EQ(error.Field(), QStringLiteral("Start"));
    }
}

TEST_F(ServerDataScan, OnlyPlainFoldersAreUsersAndTheyComeInNameOrder) {
    const QString root = ServerDataPath();
    TSampleDataGenerator generator(5);
    MakeFolder(QStringLiteral("server/Data/alice"));
    generator.WriteUserMonths(root + QStringLiteral("Bob"), 2, 2024, 1, 1);
    generator.WriteUserMonths(root + QStringLiteral("_ExportFormats"), 3, 2024, 1, 1);
    generator.WriteUserMonths(root + QStringLiteral(".trash"), 3, 2024, 1, 1);
    WriteFile(root + ClientListFileName, "Acme\tWeb\tY\r\n");
    WriteFile(root + QStringLiteral("2024-01.txt"), "");
    ASSERT_TRUE(QFile::link(Folders[0], root + QStringLiteral("alias")));
    EXPECT_EQ(ServerUserFolderNames(root),
              QStringList({QStringLiteral("alice"), QStringLiteral("Bob"),
                           QStringLiteral("user001"), QStringLiteral("user002"),
                           QStringLiteral("user003"), QStringLiteral("user004")}));
    Scan();
    EXPECT_EQ(Users.size(), 5u);
    EXPECT_EQ(Users.front().Folder, root + QStringLiteral("Bob/"));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("_ExportFormats/") + InUseClientListFileName));
}

TEST_F(ServerDataScan, WithoutServerUsersTheOwnInUseListsAreTheFilterLists) {
    const auto expectOwnListsOnly = [this]() {
        Scan();
        EXPECT_TRUE(Users.empty());
        EXPECT_EQ(Clients, OwnClients);
        EXPECT_EQ(Categories, OwnCategories);
        EXPECT_TRUE(Progress.Events.isEmpty());
    };
    // No user folder on the server.
    for (const QString& folder : Folders)
        ASSERT_TRUE(QDir(folder).removeRecursively());
    expectOwnListsOnly();
    // The server's data folder missing, also after the program fell back to local data.
    ASSERT_TRUE(QDir(ServerDataPath()).removeRecursively());
    Locations().UseLocalData = true;
    expectOwnListsOnly();
    // Single-user use, with month files in the local folder.
    Locations().ServerFolder.clear();
    TSampleDataGenerator(3).WriteUserMonths(LocalDataPath() + QStringLiteral("mary"), 1, 2024, 1,
                                            1);
    expectOwnListsOnly();
    // Server administration: the local folder is the server's, still no user list.
    Locations().AdminMode = 1;
    expectOwnListsOnly();
}

TEST_F(ServerDataScan, WithoutWritingNothingChangesOnTheServer) {
    const std::map<QString, TFileStamp> before = FileStamps(Locations().ServerFolder);
    Scan(false);
    EXPECT_EQ(FileStamps(Locations().ServerFolder), before);
    EXPECT_EQ(Users, Expected(Folders));
    EXPECT_EQ(ListPairs(Clients), ExpectedClientPairs(Folders));
    EXPECT_EQ(Progress.Events.size(), 6);
}

TEST_F(ServerDataScan, AFailedWriteOfTheInUseFilesEndsTheScan) {
    // A folder where the category file should go: the write cannot replace it.
    ASSERT_TRUE(QDir().mkpath(Folders[1] + InUseCategoryListFileName));
    try {
        Scan();
        FAIL() << "no error";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.FileName(), Folders[1] + InUseCategoryListFileName);
    }
    EXPECT_EQ(Progress.Events.last(), QStringLiteral("finish"));
    EXPECT_TRUE(HasInUseFiles(Folders[0]));
    EXPECT_FALSE(QFile::exists(Folders[2] + InUseClientListFileName));
}
