#include "base/datalocations.h"
#include "base/lockfile.h"
#include "base/sharedfilestamp.h"
#include "support/scratchfilesystem.h"
#include "testsupport.h"

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

// Two TSharedFileStamp objects stand for two users of one shared file.
class SharedFileStamp : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        File = Locations().ServerFolder + QStringLiteral("QHR.ini");
        LockName = File + QStringLiteral("_LCK");
    }

    std::function<void()> Writer(const QByteArray& content) {
        return [this, content] {
            LockSeenWhileWriting = QFile::exists(LockName);
            WriteFile(File, content);
        };
    }
    std::function<void()> Reader(QByteArray& content) {
        return [this, &content] { content = ReadFile(File); };
    }

    QString File;
    QString LockName;
    bool LockSeenWhileWriting = false;
};

TEST_F(SharedFileStamp, WriteAfterAnotherUsersWriteIsRefusedUntilReadAgain) {
    WriteFile(File, "first");
    TSharedFileStamp mine;
    TSharedFileStamp theirs;
    QByteArray content;
    ASSERT_EQ(mine.Read(File, Reader(content)), TSharedFileResult::Done);
    EXPECT_EQ(content, QByteArray("first"));
    ASSERT_EQ(theirs.Read(File, Reader(content)), TSharedFileResult::Done);
    ASSERT_EQ(theirs.Write(File, Writer("theirs")), TSharedFileResult::Done);
    EXPECT_TRUE(LockSeenWhileWriting);
    EXPECT_FALSE(QFile::exists(LockName));

    // Within the same second (and usually the same clock tick) as their write.
    EXPECT_EQ(mine.Write(File, Writer("mine")), TSharedFileResult::ChangedByAnother);
    EXPECT_EQ(ReadFile(File), QByteArray("theirs"));
    ASSERT_EQ(mine.Read(File, Reader(content)), TSharedFileResult::Done);
    EXPECT_EQ(mine.Write(File, Writer("mine")), TSharedFileResult::Done);
    EXPECT_EQ(ReadFile(File), QByteArray("mine"));
    EXPECT_EQ(mine.Stamp(), FileStamp(File));
    // Their own last write is now older than the file.
    EXPECT_EQ(theirs.Write(File, Writer("theirs again")), TSharedFileResult::ChangedByAnother);
    // Writing twice in a row needs no read in between.
    EXPECT_EQ(mine.Write(File, Writer("mine again")), TSharedFileResult::Done);
}

TEST_F(SharedFileStamp, LaterWriteComparesNewerEvenWhenTheClockSaysOtherwise) {
    WriteFile(File, "first");
    // The file carries a stamp ahead of this machine's clock (another machine's clock, or a
    // file system that keeps coarse times): a plain rewrite would look older.
    const TFileStamp ahead = TFileStamp(4102444800) * 1000000000;
    ASSERT_TRUE(SetFileStamp(File, ahead));
    TSharedFileStamp mine;
    TSharedFileStamp theirs;
    QByteArray content;
    ASSERT_EQ(mine.Read(File, Reader(content)), TSharedFileResult::Done);
    ASSERT_EQ(theirs.Read(File, Reader(content)), TSharedFileResult::Done);
    ASSERT_EQ(theirs.Write(File, Writer("theirs")), TSharedFileResult::Done);
    EXPECT_GT(FileStamp(File), ahead);
    EXPECT_EQ(mine.Write(File, Writer("mine")), TSharedFileResult::ChangedByAnother);
    EXPECT_EQ(ReadFile(File), QByteArray("theirs"));
}

TEST_F(SharedFileStamp, BusyLockRunsNothing) {
    WriteFile(File, "data");
    WriteFile(LockName, "Host=workstation-7\r\nProcess=99\r\n");
    TSharedFileStamp mine;
    mine.SetStamp(FileStamp(File));
    bool ran = false;
    EXPECT_EQ(mine.Read(File, [&] { ran = true; }), TSharedFileResult::NotLocked);
    EXPECT_FALSE(ran);
    // A read that could not lock leaves the stamp unknown: the next write counts as a change.
    EXPECT_EQ(mine.Stamp(), TSharedFileStamp::UnknownStamp);
    EXPECT_EQ(mine.Write(File, [&] { ran = true; }), TSharedFileResult::NotLocked);
    EXPECT_FALSE(ran);
    QFile::remove(LockName);
    EXPECT_EQ(mine.Write(File, Writer("new")), TSharedFileResult::ChangedByAnother);
    EXPECT_EQ(ReadFile(File), QByteArray("data"));
}

TEST_F(SharedFileStamp, NewFileCanBeWrittenWithoutReading) {
    TSharedFileStamp mine;
    EXPECT_EQ(mine.Write(File, Writer("created")), TSharedFileResult::Done);
    EXPECT_EQ(ReadFile(File), QByteArray("created"));
}

TEST_F(SharedFileStamp, FailedWriteReleasesTheLockAndCountsAsAChange) {
    WriteFile(File, "data");
    TSharedFileStamp mine;
    TSharedFileStamp theirs;
    QByteArray content;
    ASSERT_EQ(mine.Read(File, Reader(content)), TSharedFileResult::Done);
    ASSERT_EQ(theirs.Read(File, Reader(content)), TSharedFileResult::Done);
    EXPECT_THROW(mine.Write(File, [] { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
    EXPECT_FALSE(QFile::exists(LockName));
    EXPECT_EQ(theirs.Write(File, Writer("theirs")), TSharedFileResult::ChangedByAnother);
    EXPECT_THROW(mine.Read(File, [] { throw std::runtime_error("unreadable"); }),
                 std::runtime_error);
    EXPECT_FALSE(QFile::exists(LockName));
}

TEST_F(SharedFileStamp, SingleUserNeverCreatesALockFile) {
    Locations().ServerFolder.clear();
    ASSERT_FALSE(IsShared());
    File = Locations().LocalFolder + QStringLiteral("QHR.ini");
    LockName = File + QStringLiteral("_LCK");
    // Another copy started with "/multi" writes in between: nothing is compared either.
    TSharedFileStamp mine;
    QByteArray content;
    EXPECT_EQ(mine.Read(File, Reader(content)), TSharedFileResult::Done);
    EXPECT_FALSE(QFile::exists(File));
    WriteFile(File, "other copy");
    EXPECT_EQ(mine.Write(File, Writer("mine")), TSharedFileResult::Done);
    EXPECT_FALSE(LockSeenWhileWriting);
    EXPECT_EQ(ReadFile(File), QByteArray("mine"));
    EXPECT_TRUE(QDir(Locations().LocalFolder).entryList({QStringLiteral("*_LCK")}).isEmpty());
}

// On file systems that keep whole seconds (SMB, FAT, ext2) a write within the same second as
// the read leaves the stamp as it was; the content tells the change.
TEST_F(SharedFileStamp, AChangeThatKeptTheStampIsSeenByItsContent) {
    WriteFile(File, "first");
    const TFileStamp second = TFileStamp(1700000000) * 1000000000;
    ASSERT_TRUE(SetFileStamp(File, second));
    TSharedFileStamp mine;
    TSharedFileStamp theirs;
    QByteArray content;
    ASSERT_EQ(mine.Read(File, Reader(content)), TSharedFileResult::Done);
    ASSERT_EQ(theirs.Read(File, Reader(content)), TSharedFileResult::Done);
    ASSERT_EQ(theirs.Write(File, Writer("theirs")), TSharedFileResult::Done);
    ASSERT_TRUE(SetFileStamp(File, second)); // what a one-second clock keeps
    EXPECT_EQ(mine.Write(File, Writer("mine")), TSharedFileResult::ChangedByAnother);
    EXPECT_EQ(ReadFile(File), QByteArray("theirs"));
    // Their own write is theirs: writing again needs no read.
    ASSERT_TRUE(SetFileStamp(File, second));
    EXPECT_EQ(theirs.Write(File, Writer("theirs again")), TSharedFileResult::Done);
}

TEST_F(SharedFileStamp, CompanionFilesCountAsPartOfTheFile) {
    const QString list = Locations().ServerFolder + QStringLiteral("ClientProject.txt");
    WriteFile(File, "[Setup]\r\n");
    WriteFile(list, "Acme\tWeb\tY\r\n");
    TSharedFileStamp mine;
    mine.SetCompanions([list] { return QStringList{list}; });
    QByteArray content;
    ASSERT_EQ(mine.Read(File, Reader(content)), TSharedFileResult::Done);
    EXPECT_FALSE(mine.ChangedSince(File, FileStamp(File)));
    // Another administrator changed only the list, within the same second.
    const TFileStamp stamp = FileStamp(list);
    WriteFile(list, "Acme\tWeb\tY\r\nBeta\tApp\tY\r\n");
    ASSERT_TRUE(SetFileStamp(list, stamp));
    EXPECT_TRUE(mine.ChangedSince(File, FileStamp(File)));
    EXPECT_EQ(mine.Write(File, Writer("[Setup]\r\nMine=1\r\n")),
              TSharedFileResult::ChangedByAnother);
}

// Two writers adding 200 lines each to one file on a file system with one-second stamps:
// every line arrives (each writer redoes a line that another's write overtook).
TEST_F(SharedFileStamp, ConcurrentWritersOnCoarseStampsLoseNothing) {
    TScratchFileSystem ext2;
    const QString folder = MakeFolder(QStringLiteral("ext2"));
    if (!ext2.MountExt2(folder, Path(QStringLiteral("ext2.img")), 8))
        GTEST_SKIP() << ext2.Failure().toStdString();
    const QString shared = folder + QStringLiteral("ClientProject.txt");
    WriteFile(shared, QByteArray());
    constexpr int LinesEach = 200;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < 2; ++w) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(QStringLiteral(QH_LOCK_PROBE),
                              {QStringLiteral("append"), shared, QStringLiteral("writer%1").arg(w),
                               QString::number(LinesEach)});
    }
    for (const auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(300000));
        EXPECT_EQ(writer->exitCode(), 0);
    }
    const QList<QByteArray> lines = ReadFile(shared).split('\n');
    EXPECT_EQ(lines.size(), 2 * LinesEach + 1);
    for (int w = 0; w < 2; ++w)
        EXPECT_EQ(lines.count("writer" + QByteArray::number(w) + "\r"), LinesEach) << w;
}
