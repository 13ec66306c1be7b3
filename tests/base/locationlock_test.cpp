#include "base/locationlock.h"
#include "testsupport.h"

#include <unistd.h>

#include <QFile>
#include <QSysInfo>

#include <gtest/gtest.h>

class LocationLock : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Location = MakeFolder(QStringLiteral("location"));
        LockName = TDataLocationLock::LockFilePath(Location);
    }
    QString Location;
    QString LockName;
};

TEST_F(LocationLock, OneCopyHoldsALocationAndTheNextIsToldWho) {
    TDataLocationLock first;
    ASSERT_EQ(first.TryAcquire(Location), TDataLocationLock::TResult::Acquired);
    EXPECT_TRUE(first.IsHeld());
    EXPECT_EQ(LockName, Location + QStringLiteral(".quillhour-location-lock"));

    TDataLocationLock second;
    ASSERT_EQ(second.TryAcquire(Location), TDataLocationLock::TResult::HeldByOther);
    EXPECT_FALSE(second.IsHeld());
    EXPECT_EQ(second.Holder().Host, QSysInfo::machineHostName());
    EXPECT_EQ(second.Holder().Process, qint64(getpid()));
    const QString text = LocationInUseText(Location, second.Holder());
    EXPECT_TRUE(text.contains(Location)) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::number(getpid())));

    // Another location is free all the same.
    TDataLocationLock other;
    EXPECT_EQ(other.TryAcquire(MakeFolder(QStringLiteral("other"))),
              TDataLocationLock::TResult::Acquired);

    first.Release();
    EXPECT_FALSE(QFile::exists(LockName));
    EXPECT_EQ(second.TryAcquire(Location), TDataLocationLock::TResult::Acquired);
}

TEST_F(LocationLock, ALockLeftByACopyThatEndedIsTakenOver) {
    // Left by a copy that was killed: its text is there, its byte-range lock went with it.
    WriteFile(LockName, "User=ann\r\nHost=" + QSysInfo::machineHostName().toUtf8() +
                            "\r\nProcess=1\r\nSince=2024-03-05T14:02:10\r\n");
    TDataLocationLock lock;
    ASSERT_EQ(lock.TryAcquire(Location), TDataLocationLock::TResult::Acquired);
    EXPECT_EQ(ParseLockHolder(ReadFile(LockName)).Process, qint64(getpid()));
}

TEST_F(LocationLock, AFolderWithoutRoomForALockDoesNotStopTheProgram) {
    TDataLocationLock lock;
    EXPECT_EQ(lock.TryAcquire(Path(QStringLiteral("no/such/folder"))),
              TDataLocationLock::TResult::Unavailable);
    EXPECT_FALSE(lock.IsHeld());
}
