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
        ForgetCleanedFolders();
        Folder = MakeFolder(QStringLiteral("data"));
    }
    void TearDown() override {
        ForgetCleanedFolders();
        TTempFolderTest::TearDown();
    }
    QString Folder;
};

TEST_F(StaleSaves, OnlyOldCopiesOfOurOwnFilesAreRemovedAtTheNextWrite) {
    const QString stale = Folder + QStringLiteral("2024-03.txt.YinOKW");
    const QString fresh = Folder + QStringLiteral("2024-04.txt.a1B2c3"); // a save under way
    const QString settings = Folder + QStringLiteral("QHR.ini.Zz9Zz9");
    const QString foreign = Folder + QStringLiteral("notes.doc.Abcdef");
    const QString longer = Folder + QStringLiteral("2024-03.txt.backup1");
    for (const QString& file : {stale, fresh, settings, foreign, longer})
        WriteFile(file, "05 Mar 2024\t0900\t1000\r\n");
    for (const QString& file : {stale, settings, foreign, longer})
        Age(file, 120);
    EXPECT_EQ(StaleTemporaryFiles(Folder), QStringList({stale, settings})); // in name order
    WriteTextFile(Folder + QStringLiteral("2024-05.txt"), QStringLiteral("new\r\n"));
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_FALSE(QFile::exists(settings));
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_TRUE(QFile::exists(foreign));
    EXPECT_TRUE(QFile::exists(longer));
    // Once a run: a copy that turns stale later waits for the next run.
    Age(fresh, 120);
    WriteTextFile(Folder + QStringLiteral("2024-05.txt"), QStringLiteral("again\r\n"));
    EXPECT_TRUE(QFile::exists(fresh));
    ForgetCleanedFolders();
    WriteTextFile(Folder + QStringLiteral("2024-05.txt"), QStringLiteral("next run\r\n"));
    EXPECT_FALSE(QFile::exists(fresh));
}
