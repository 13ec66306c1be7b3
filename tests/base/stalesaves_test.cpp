#include "base/atomicfile.h"
#include "base/datalocations.h"
#include "base/stalesaves.h"
#include "base/textfile.h"
#include "testsupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
void Age(const QString& file, int seconds) {
    QFile opened(file);
    ASSERT_TRUE(opened.open(QIODevice::ReadWrite));
    ASSERT_TRUE(opened.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                                   QFileDevice::FileModificationTime));
}
} // namespace

class StaleSaves : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Folder = MakeFolder(QStringLiteral("data"));
    }
    QString Folder;
};

TEST_F(StaleSaves, OnlyOldTemporaryFilesOfOurOwnNameAreRemoved) {
    const QString stale = Folder + TemporarySavePrefix + QStringLiteral("2024-03.txt-k2j4h1");
    const QString fresh = Folder + TemporarySavePrefix + QStringLiteral("2024-04.txt-a1b2c3");
    // Names people give their own files, which an older rule took for temporary copies.
    const QStringList theirs{Folder + QStringLiteral("2026-11.txt.backup"),
                             Folder + QStringLiteral("QHR.ini.orig01"),
                             Folder + QStringLiteral("notes.txt.draft1"),
                             Folder + QStringLiteral("ClientProject.txt.before"),
                             Folder + QStringLiteral("2024-03.txt.YinOKW")};
    for (const QString& file : QStringList{stale, fresh} + theirs)
        WriteFile(file, "05 Mar 2024\t0900\t1000\r\n");
    for (const QString& file : QStringList{stale} + theirs)
        Age(file, 3600);
    EXPECT_EQ(StaleTemporaryFiles(Folder), QStringList{stale});
    RemoveStaleTemporaryFiles(Folder);
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(fresh)); // may be another workstation's save under way
    for (const QString& file : theirs)
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
}

TEST_F(StaleSaves, WritingAFileCleansNothingBesideIt) {
    // A report saved into the user's own folder: nothing of theirs goes, not even a file
    // with our temporary prefix, since the folder is not one of the program's.
    const QString docs = MakeFolder(QStringLiteral("docs"));
    const QString thesis = docs + QStringLiteral("thesis.txt.backup");
    const QString prefixed = docs + TemporarySavePrefix + QStringLiteral("mine");
    for (const QString& file : {thesis, prefixed}) {
        WriteFile(file, "chapter one");
        Age(file, 3600);
    }
    WriteTextFile(docs + QStringLiteral("report.txt"), QStringLiteral("Daily report\r\n"));
    EXPECT_TRUE(QFile::exists(thesis));
    EXPECT_TRUE(QFile::exists(prefixed));
}

TEST_F(StaleSaves, OwnDataFoldersAreTheLocationsFolders) {
    Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
    EXPECT_EQ(OwnDataFolders(), QStringList({Locations().LocalFolder, LocalDataPath(),
                                             LocalExportFormatsPath()}));
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    const QStringList folders = OwnDataFolders();
    EXPECT_TRUE(folders.contains(ServerDataPath()));
    EXPECT_FALSE(folders.contains(Path(QStringLiteral("docs/"))));
}
