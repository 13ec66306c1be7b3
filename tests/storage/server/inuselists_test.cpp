#include "base/datalocations.h"
#include "base/filestamp.h"
#include "sampledata/sampledata.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/lists/listlines.h"
#include "storage/months/datalineerror.h"
#include "storage/server/inuselists.h"
#include "storage/server/monthpairs.h"
#include "testsupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
// Fixed stamps, so that no test depends on the clock.
constexpr TFileStamp Monday = TFileStamp(1717977600) * 1000000000 + 111;
constexpr TFileStamp Tuesday = Monday + TFileStamp(86400) * 1000000000;
constexpr TFileStamp Wednesday = Tuesday + TFileStamp(86400) * 1000000000;

const QByteArray MarchLines =
    "01 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tY\tY\r\n"
    "\r\n"
    "  02 Mar 2024\tx\t1200  \t Acme \tDesign\tDev\tReview\t \tN\tY\tY\r\n"
    "02 Mar 2024\t1300\t2400\tACME\tweb\tMeet\tPlanning\t \tN\tY\tY\r\n";
} // namespace

class InUseLists : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Folder = MakeFolder(QStringLiteral("mary"));
    }

    void WriteStamped(const QString& name, const QByteArray& bytes, TFileStamp stamp) {
        WriteFile(Folder + name, bytes);
        ASSERT_TRUE(SetFileStamp(Folder + name, stamp));
    }
    bool Rebuild(bool keepExisting, bool checkAge) {
        return RebuildInUseLists(Folder, Clients, Categories, LastEntry, keepExisting, checkAge);
    }

    QString Folder;
    TClients Clients;
    TCategories Categories;
    TMoment LastEntry = TMoment(QDate(2000, 1, 1));
};

TEST_F(InUseLists, RebuildTakesEveryPairOnceAndTheLatestEnd) {
    WriteStamped(QStringLiteral("2024-03.txt"), MarchLines, Monday);
    // A line dated in another month still counts; its end is the latest.
    WriteStamped(QStringLiteral("2024-02.txt"),
                 "03 Mar 2024\t0100\t2430\tBeta\tRun\tDev\tCoding\r\n", Monday);
    Clients.AddEntry(QStringLiteral("Old"), QStringLiteral("Gone"), false, QString());
    EXPECT_TRUE(Rebuild(false, false));
    // Files in name order, lines in file order; names trimmed and met again in any letter case.
    EXPECT_EQ(Clients.FileText(),
              QStringLiteral("Beta\tRun\tY\r\nAcme\tWeb\tY\r\nAcme\tDesign\tY\r\n"));
    EXPECT_EQ(Categories.FileText(),
              QStringLiteral("Dev\tCoding\tY\r\nDev\tReview\tY\r\nMeet\tPlanning\tY\r\n"));
    EXPECT_EQ(LastEntry, TMoment(QDate(2024, 3, 3), QTime(23, 59, 59, 999)));

    QFile::remove(Folder + QStringLiteral("2024-02.txt"));
    EXPECT_TRUE(Rebuild(false, false));
    EXPECT_EQ(LastEntry, TMoment(QDate(2024, 3, 2), QTime(23, 59, 59, 999)));
}

TEST_F(InUseLists, KeepExistingAddsToTheListsInsteadOfEmptyingThem) {
    WriteStamped(QStringLiteral("2024-03.txt"), MarchLines, Monday);
    Clients.AddEntry(QStringLiteral("Old"), QStringLiteral("Gone"), true, QString());
    Categories.AddEntry(QStringLiteral("Old"), QStringLiteral("Gone"), true);
    EXPECT_TRUE(Rebuild(true, false));
    EXPECT_TRUE(Clients.FileText().startsWith(QStringLiteral("Old\tGone\tY\r\nAcme\tWeb")));
    EXPECT_TRUE(Categories.FileText().startsWith(QStringLiteral("Old\tGone\tY\r\nDev\tCoding")));
    EXPECT_TRUE(Rebuild(false, false));
    EXPECT_EQ(Clients.FindClient(QStringLiteral("Old"), false), nullptr);
    EXPECT_EQ(Categories.FindCategory(QStringLiteral("Old"), false), nullptr);
}

TEST_F(InUseLists, WithCheckAgeOnlyAMonthNewerThanTheInUseFilesRebuilds) {
    WriteStamped(QStringLiteral("2024-03.txt"), MarchLines, Monday);
    WriteStamped(InUseClientListFileName, "Kept\tAs read\tY\r\n", Tuesday);
    // The newer of the two in-use files counts; a missing one counts as older than anything.
    Clients.AddEntry(QStringLiteral("Kept"), QStringLiteral("As read"), true, QString());
    EXPECT_FALSE(Rebuild(false, true));
    EXPECT_EQ(Clients.FileText(), QStringLiteral("Kept\tAs read\tY\r\n"));
    EXPECT_EQ(LastEntry, TMoment());

    WriteStamped(QStringLiteral("2024-04.txt"), "", Wednesday);
    EXPECT_TRUE(Rebuild(false, true));
    EXPECT_EQ(Clients.FindClient(QStringLiteral("Kept"), false), nullptr);
    EXPECT_NE(Clients.FindClientProject(QStringLiteral("Acme"), QStringLiteral("Design"), true),
              nullptr);

    WriteStamped(InUseCategoryListFileName, "", Wednesday + 1);
    EXPECT_FALSE(Rebuild(false, true));
    // Without age check any month file is reason enough; without month files nothing is.
    EXPECT_TRUE(Rebuild(false, false));
    QFile::remove(Folder + QStringLiteral("2024-03.txt"));
    QFile::remove(Folder + QStringLiteral("2024-04.txt"));
    EXPECT_FALSE(Rebuild(false, false));
    EXPECT_EQ(LastEntry, TMoment());
}

TEST_F(InUseLists, OnlyMonthFilesAreRead) {
    WriteStamped(QStringLiteral("2024-03.txt"), MarchLines, Monday);
    // These fit the pattern "????-??.txt" but are no month files; read, they would fail.
    WriteStamped(QStringLiteral("copy-03.txt"), "not a month\r\n", Tuesday);
    WriteStamped(QStringLiteral("2024-3x.txt"), "not a month\r\n", Tuesday);
    WriteStamped(QStringLiteral("2024-03.bak"), "not a month\r\n", Tuesday);
    WriteStamped(InUseClientListFileName, "", Monday + 1);
    EXPECT_FALSE(Rebuild(false, true));
    EXPECT_TRUE(Rebuild(false, false));
    EXPECT_EQ(Clients.Items().size(), 1u);
}

TEST_F(InUseLists, ALineWithoutReadableDateOrEndNamesFileAndLine) {
    WriteStamped(QStringLiteral("2024-03.txt"),
                 MarchLines + "31 Feb 2024\t0900\t1000\tA\tB\tC\tD\r\n", Monday);
    try {
        Rebuild(false, false);
        FAIL() << "no error";
    } catch (const EDataLineError& error) {
        EXPECT_EQ(error.FileName(), Folder + QStringLiteral("2024-03.txt"));
        EXPECT_EQ(error.Line(), 5);
        EXPECT_EQ(error.Field(), QStringLiteral("Date"));
    }
    WriteStamped(QStringLiteral("2024-03.txt"), "01 Mar 2024\t0900\t10h30\tA\tB\tC\tD\r\n", Monday);
    try {
        Rebuild(false, false);
        FAIL() << "no error";
    } catch (const EDataLineError& error) {
        EXPECT_EQ(error.Line(), 1);
        EXPECT_EQ(error.Message(), QStringLiteral("End: '10h30' is not a whole number"));
    }
}

TEST_F(InUseLists, RebuildOfGeneratedMonthsMatchesTheMonthStore) {
    TSampleDataGenerator(7).WriteUserMonths(Folder, 3, 2023, 11, 4);
    EXPECT_TRUE(Rebuild(false, false));
    const TMonthPairs expected(Folder);
    EXPECT_EQ(ListPairs(Clients), expected.ClientProjects);
    EXPECT_EQ(ListPairs(Categories), expected.CategoryActivities);
    EXPECT_EQ(LastEntry, expected.LastEntry);
    EXPECT_GT(expected.ClientProjects.size(), 10);
}

TEST_F(InUseLists, UpdateSavesOnlyWhenTheMonthsChanged) {
    WriteStamped(QStringLiteral("2024-03.txt"), MarchLines, Monday);
    EXPECT_TRUE(UpdateInUseLists(Folder, Clients, Categories));
    EXPECT_EQ(ReadFile(Folder + InUseClientListFileName),
              QByteArray("Acme\tWeb\tY\r\nAcme\tDesign\tY\r\n"));
    EXPECT_EQ(ReadFile(Folder + InUseCategoryListFileName),
              QByteArray("Dev\tCoding\tY\r\nDev\tReview\tY\r\nMeet\tPlanning\tY\r\n"));
    ASSERT_TRUE(SetFileStamp(Folder + InUseClientListFileName, Tuesday));
    ASSERT_TRUE(SetFileStamp(Folder + InUseCategoryListFileName, Tuesday));
    EXPECT_FALSE(UpdateInUseLists(Folder, Clients, Categories));
    EXPECT_EQ(FileStamp(Folder + InUseClientListFileName), Tuesday);
    WriteStamped(QStringLiteral("2024-04.txt"),
                 "01 Apr 2024\t0900\t1000\tNew\tOne\tDev\tCoding\r\n", Wednesday);
    EXPECT_TRUE(UpdateInUseLists(Folder, Clients, Categories));
    EXPECT_TRUE(ReadFile(Folder + InUseClientListFileName).endsWith("New\tOne\tY\r\n"));
}

TEST_F(InUseLists, RebuildIsNeededAtStartWhenAnInUseListIsEmptyButItsAdminListIsNot) {
    TClients admin;
    TCategories adminCategories;
    TClients inUse;
    TCategories inUseCategories;
    EXPECT_FALSE(InUseRebuildNeededAtStart(admin, inUse, adminCategories, inUseCategories));
    admin.AddEntry(QStringLiteral("Acme"), QStringLiteral("Web"), true, QString());
    EXPECT_TRUE(InUseRebuildNeededAtStart(admin, inUse, adminCategories, inUseCategories));
    inUse.AddEntry(QStringLiteral("Other"), QStringLiteral("Job"), true, QString());
    EXPECT_FALSE(InUseRebuildNeededAtStart(admin, inUse, adminCategories, inUseCategories));
    adminCategories.AddEntry(QStringLiteral("Dev"), QStringLiteral("Coding"), false);
    EXPECT_TRUE(InUseRebuildNeededAtStart(admin, inUse, adminCategories, inUseCategories));
    inUseCategories.AddEntry(QStringLiteral("Dev"), QStringLiteral("Coding"), true);
    EXPECT_FALSE(InUseRebuildNeededAtStart(admin, inUse, adminCategories, inUseCategories));
}

TEST_F(InUseLists, CheckWorksOnTheOwnDataFolderOnlyWhileTheFlagIsSet) {
    Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
    Folder = LocalDataPath();
    WriteStamped(QStringLiteral("2024-03.txt"), MarchLines, Monday);
    bool needed = false;
    CheckInUseLists(needed, Clients, Categories);
    EXPECT_FALSE(QFile::exists(Folder + InUseClientListFileName));
    needed = true;
    CheckInUseLists(needed, Clients, Categories);
    EXPECT_FALSE(needed);
    EXPECT_EQ(Clients.Items().size(), 1u);
    EXPECT_TRUE(QFile::exists(Folder + InUseClientListFileName));
    EXPECT_TRUE(QFile::exists(Folder + InUseCategoryListFileName));
    ASSERT_TRUE(SetFileStamp(Folder + InUseClientListFileName, Tuesday));
    ASSERT_TRUE(SetFileStamp(Folder + InUseCategoryListFileName, Tuesday));
    // A month line that cannot be read leaves the flag set for the next window.
    WriteStamped(QStringLiteral("2024-04.txt"), "someday\t0900\t1000\tA\tB\tC\tD\r\n", Wednesday);
    needed = true;
    EXPECT_THROW(CheckInUseLists(needed, Clients, Categories), EDataLineError);
    EXPECT_TRUE(needed);
}
