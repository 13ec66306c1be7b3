#include "base/lockfile.h"
#include "testsupport.h"

#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QSysInfo>

#include <gtest/gtest.h>

// Other holders are real processes (the lock probe), as other copies of the program would be.
class LockFiles : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        DataFile = MakeFolder(QStringLiteral("server")) + QStringLiteral("QHR.ini");
        LockName = DataFile + QStringLiteral("_LCK");
    }

    static int RunProbe(const QStringList& arguments) {
        QProcess probe;
        probe.start(QStringLiteral(QH_LOCK_PROBE), arguments);
        EXPECT_TRUE(probe.waitForFinished(60000));
        EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
        return probe.exitCode();
    }
    int TryFromAnotherProcess() const { return RunProbe({QStringLiteral("try"), DataFile}); }

    // Starts a probe that holds the lock and returns what it printed.
    static QByteArray StartHolder(QProcess& holder, const QString& file) {
        holder.start(QStringLiteral(QH_LOCK_PROBE), {QStringLiteral("hold"), file});
        EXPECT_TRUE(holder.waitForReadyRead(10000));
        return holder.readLine().trimmed();
    }

    static QByteArray HolderText(const QString& host, qint64 processId) {
        return "Host=" + host.toUtf8() + "\r\nProcess=" + QByteArray::number(processId) + "\r\n";
    }

    QString DataFile;
    QString LockName;
};

TEST_F(LockFiles, LockFileSitsBesideTheDataFileAndNamesItsHolder) {
    WriteFile(DataFile, "[Setup]\r\n");
    TLockFileInfo info;
    ResetLock(info);
    EXPECT_FALSE(IsLocked(info));
    LockFile(DataFile, info);
    ASSERT_TRUE(IsLocked(info));
    EXPECT_EQ(info.FileName, DataFile);
    EXPECT_EQ(info.LockFileName, Path(QStringLiteral("server/QHR.ini_LCK")));
    EXPECT_EQ(ReadFile(LockName), HolderText(QSysInfo::machineHostName(), getpid()));
    // The data file's bytes stay readable to everybody while it is locked.
    EXPECT_EQ(ReadFile(DataFile), QByteArray("[Setup]\r\n"));

    UnlockFile(info);
    EXPECT_FALSE(IsLocked(info));
    EXPECT_TRUE(info.LockFileName.isEmpty());
    EXPECT_FALSE(QFile::exists(LockName));
    EXPECT_EQ(info.FileAge, FileStamp(DataFile));
    UnlockFile(info); // nothing held: nothing happens
    EXPECT_FALSE(IsLocked(info));
}

TEST_F(LockFiles, MissingDataFileIsCreatedEmpty) {
    TLockFileInfo info;
    LockFile(DataFile, info);
    ASSERT_TRUE(IsLocked(info));
    EXPECT_TRUE(QFile::exists(DataFile));
    EXPECT_EQ(ReadFile(DataFile), QByteArray());
    EXPECT_EQ(info.LockedAge, MissingFileStamp);
    UnlockFile(info);
}

TEST_F(LockFiles, NoLockWhereTheDataFileCannotBeOpened) {
    TLockFileInfo info;
    LockFile(Path(QStringLiteral("no/such/folder/QHR.ini")), info);
    EXPECT_FALSE(IsLocked(info));
    MakeFolder(QStringLiteral("server/folder.txt"));
    LockFile(Path(QStringLiteral("server/folder.txt")), info);
    EXPECT_FALSE(IsLocked(info));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("server/folder.txt_LCK"))));
}

TEST_F(LockFiles, SecondHolderFailsAtOnceAlsoInTheSameProcess) {
    TLockFileInfo first;
    LockFile(DataFile, first);
    ASSERT_TRUE(IsLocked(first));
    TLockFileInfo second;
    LockFile(DataFile, second);
    EXPECT_FALSE(IsLocked(second));
    EXPECT_TRUE(second.LockFileName.isEmpty());
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    // The failed attempts left the first holder's lock file in place.
    EXPECT_TRUE(QFile::exists(LockName));
    EXPECT_EQ(TryFromAnotherProcess(), 3);

    UnlockFile(first);
    EXPECT_EQ(TryFromAnotherProcess(), 0);
    LockFile(DataFile, second);
    EXPECT_TRUE(IsLocked(second));
    UnlockFile(second);
}

TEST_F(LockFiles, LockHeldByAnotherProcessBlocksUntilReleased) {
    QProcess holder;
    ASSERT_EQ(StartHolder(holder, DataFile), QByteArray("locked"));
    TLockFileInfo info;
    LockFile(DataFile, info);
    EXPECT_FALSE(IsLocked(info));
    EXPECT_EQ(TryFromAnotherProcess(), 3);

    holder.closeWriteChannel(); // the holder releases and ends
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(LockName));
    LockFile(DataFile, info);
    EXPECT_TRUE(IsLocked(info));
    UnlockFile(info);
}

TEST_F(LockFiles, LockOfAKilledHolderIsTakenByTheNext) {
    QProcess holder;
    ASSERT_EQ(StartHolder(holder, DataFile), QByteArray("locked"));
    holder.kill(); // SIGKILL: no chance to remove the lock file
    ASSERT_TRUE(holder.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(LockName));

    TLockFileInfo info;
    LockFile(DataFile, info);
    ASSERT_TRUE(IsLocked(info));
    EXPECT_EQ(ReadFile(LockName), HolderText(QSysInfo::machineHostName(), getpid()));
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    UnlockFile(info);
    EXPECT_FALSE(QFile::exists(LockName));
}

TEST_F(LockFiles, LeftoverOfAnotherMachineKeepsBlocking) {
    WriteFile(LockName, HolderText(QStringLiteral("workstation-7"), 1234));
    TLockFileInfo info;
    LockFile(DataFile, info);
    EXPECT_FALSE(IsLocked(info));
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    EXPECT_EQ(ReadFile(LockName), HolderText(QStringLiteral("workstation-7"), 1234));

    QFile::remove(LockName); // somebody deletes it by hand
    LockFile(DataFile, info);
    EXPECT_TRUE(IsLocked(info));
    UnlockFile(info);
}

TEST_F(LockFiles, LeftoversThatMayStillBeInUseBlock) {
    // This machine, but a process that still runs (this test).
    WriteFile(LockName, HolderText(QSysInfo::machineHostName(), getpid()));
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    // Nothing written yet, as while another holder is just taking the lock, or unreadable.
    WriteFile(LockName, QByteArray());
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    WriteFile(LockName, "Host=\r\nProcess=x\r\n");
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    EXPECT_TRUE(QFile::exists(LockName));
}

TEST_F(LockFiles, MarkFileWrittenLeavesALaterStamp) {
    WriteFile(DataFile, "old");
    // A stamp far ahead of any clock: the write below would otherwise look older.
    const TFileStamp ahead = TFileStamp(4102444800) * 1000000000 + 5;
    ASSERT_TRUE(SetFileStamp(DataFile, ahead));
    TLockFileInfo info;
    LockFile(DataFile, info);
    ASSERT_TRUE(IsLocked(info));
    EXPECT_EQ(info.LockedAge, ahead);
    WriteFile(DataFile, "new");
    MarkFileWritten(info);
    UnlockFile(info);
    EXPECT_EQ(info.FileAge, ahead + 1);
    EXPECT_EQ(FileStamp(DataFile), ahead + 1);
}

TEST_F(LockFiles, FileStampsHaveNanoseconds) {
    EXPECT_EQ(FileStamp(DataFile), MissingFileStamp);
    EXPECT_EQ(FileStamp(Path(QStringLiteral("server"))), MissingFileStamp);
    WriteFile(DataFile, "x");
    const TFileStamp stamp = TFileStamp(1700000000) * 1000000000 + 123456789;
    ASSERT_TRUE(SetFileStamp(DataFile, stamp));
    EXPECT_EQ(FileStamp(DataFile), stamp);
    ASSERT_TRUE(SetFileStamp(DataFile, stamp + 1));
    EXPECT_LT(stamp, FileStamp(DataFile));
    EXPECT_FALSE(SetFileStamp(Path(QStringLiteral("missing")), stamp));
}

// Several processes each add lines to one file, every line read under one lock and written
// under the next; a write that comes after somebody else's must be refused and redone. Every
// line must arrive.
TEST_F(LockFiles, ConcurrentWritersLoseNoAddition) {
    constexpr int Writers = 4;
    constexpr int LinesEach = 40;
    WriteFile(DataFile, QByteArray());
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < Writers; ++w) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(QStringLiteral(QH_LOCK_PROBE),
                              {QStringLiteral("append"), DataFile,
                               QStringLiteral("writer%1").arg(w), QString::number(LinesEach)});
    }
    for (const auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0);
    }
    const QList<QByteArray> lines = ReadFile(DataFile).split('\n');
    EXPECT_EQ(lines.size(), Writers * LinesEach + 1);
    for (int w = 0; w < Writers; ++w)
        EXPECT_EQ(lines.count("writer" + QByteArray::number(w) + "\r"), LinesEach) << w;
    EXPECT_FALSE(QFile::exists(LockName));
}
