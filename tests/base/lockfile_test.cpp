#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/lockfile.h"
#include "base/lockremedy.h"
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

    void ExpectOwnHolder() const {
        const TLockHolder holder = ParseLockHolder(ReadFile(LockName));
        EXPECT_EQ(holder.Host, QSysInfo::machineHostName());
        EXPECT_EQ(holder.Process, qint64(getpid()));
        EXPECT_EQ(holder.User, Env.Logon); // no user name set up yet: the logon name
        EXPECT_LE(qAbs(holder.Since.secsTo(QDateTime::currentDateTime())), 60);
    }
    // Gives the lock file a modification time that many seconds ago.
    void AgeLockFile(int seconds) const {
        QFile file(LockName);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                                     QFileDevice::FileModificationTime));
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
    ExpectOwnHolder();
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
    ExpectOwnHolder();
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

TEST_F(LockFiles, LeftoversOfThisMachineAreTakenOverWhateverProcessNumberTheyName) {
    // This machine and a process that still runs (this test), as when the holder's number
    // has since gone to another program: a live holder would keep the byte range.
    WriteFile(LockName, HolderText(QSysInfo::machineHostName(), getpid()));
    EXPECT_EQ(TryFromAnotherProcess(), 0);
    EXPECT_FALSE(QFile::exists(LockName));
}

TEST_F(LockFiles, AnEmptyLockFileBlocksOnlyWhileItMayBeBeingTaken) {
    // Nothing written yet, as while another holder is just taking the lock.
    WriteFile(LockName, QByteArray());
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    WriteFile(LockName, "Host=\r\nProcess=x\r\n");
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    EXPECT_TRUE(QFile::exists(LockName));
    // Still empty long after: its maker ended before it could write its name.
    AgeLockFile(60);
    EXPECT_EQ(TryFromAnotherProcess(), 0);
}

TEST_F(LockFiles, CannotLockNamesTheHolderAndTheRemedy) {
    WriteFile(LockName, "User=user002\r\nHost=workstation-7\r\nProcess=1234\r\n"
                        "Since=2024-03-05T14:02:10\r\n");
    const QString text = CannotLockText(DataFile);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Cannot lock \"") + DataFile + QLatin1Char('"')));
    EXPECT_TRUE(text.contains(
        QStringLiteral("user002 on workstation-7 (process 1234) since 2024-03-05 14:02:10")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(LockName));
    QFile::remove(LockName);
    EXPECT_EQ(CannotLockText(DataFile), QStringLiteral("Cannot lock \"") + DataFile + "\"");
}

TEST_F(LockFiles, AnAdministratorMayRemoveAnOldLockOfAnotherMachineAfterConfirming) {
    Locations().ServerFolder = FolderOf(DataFile);
    Locations().AdminMode = 1; // server administration: administration data may be edited
    ASSERT_TRUE(MayEditAdminData());
    WriteFile(LockName, HolderText(QStringLiteral("workstation-7"), 1234));
    TLockFileInfo info;
    // A young lock is somebody's write in progress: no question.
    LockFileOrOfferRemoval(DataFile, info);
    EXPECT_FALSE(IsLocked(info));
    EXPECT_TRUE(Messages->Shown.empty());

    AgeLockFile(AbandonedLockSeconds + 60);
    Messages->Answer = mrNo;
    LockFileOrOfferRemoval(DataFile, info);
    EXPECT_FALSE(IsLocked(info));
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown.back().Text.contains(QStringLiteral("workstation-7")));
    EXPECT_TRUE(Messages->Shown.back().Buttons & mbDefaultNo);
    EXPECT_TRUE(QFile::exists(LockName));

    Messages->Answer = mrYes;
    LockFileOrOfferRemoval(DataFile, info);
    EXPECT_TRUE(IsLocked(info));
    UnlockFile(info);

    // A holder that still runs keeps its lock even when an administrator says yes.
    QProcess holder;
    ASSERT_EQ(StartHolder(holder, DataFile), QByteArray("locked"));
    AgeLockFile(AbandonedLockSeconds + 60);
    LockFileOrOfferRemoval(DataFile, info);
    EXPECT_FALSE(IsLocked(info));
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
}

TEST_F(LockFiles, OthersMayNotRemoveLocks) {
    Locations().ServerFolder = FolderOf(DataFile);
    Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
    ASSERT_FALSE(MayEditAdminData()); // a workstation without administration rights
    WriteFile(LockName, HolderText(QStringLiteral("workstation-7"), 1234));
    AgeLockFile(AbandonedLockSeconds + 60);
    Messages->Answer = mrYes;
    TLockFileInfo info;
    LockFileOrOfferRemoval(DataFile, info);
    EXPECT_FALSE(IsLocked(info));
    EXPECT_TRUE(Messages->Shown.empty());
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
