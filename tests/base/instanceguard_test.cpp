#include "base/instanceguard.h"
#include "testsupport.h"

#include <QProcess>

#include <gtest/gtest.h>

// The guard is tried from separate processes, as a second copy of the program would.
class InstanceGuard : public TTempFolderTest {
protected:
    int TryFromAnotherProcess() {
        QProcess probe;
        probe.setProcessEnvironment(ProbeEnvironment());
        probe.start(QStringLiteral(QH_INSTANCE_PROBE), {QStringLiteral("try"), GuardName});
        EXPECT_TRUE(probe.waitForFinished(10000));
        return probe.exitCode();
    }

    QProcessEnvironment ProbeEnvironment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                   Env.EnvironmentValue(QStringLiteral("XDG_RUNTIME_DIR")));
        return env;
    }

    const QString GuardName = QStringLiteral("QHRInstanceMutexTest");
};

TEST_F(InstanceGuard, SecondProcessIsRefusedWhileTheFirstHoldsIt) {
    TInstanceGuard guard;
    ASSERT_TRUE(guard.TryAcquire(GuardName));
    EXPECT_TRUE(guard.IsHeld());
    EXPECT_EQ(TryFromAnotherProcess(), 3);
    guard.Release();
    EXPECT_EQ(TryFromAnotherProcess(), 0);
}

TEST_F(InstanceGuard, ReleasedWhenTheHoldingProcessEnds) {
    QProcess holder;
    holder.setProcessEnvironment(ProbeEnvironment());
    holder.start(QStringLiteral(QH_INSTANCE_PROBE), {QStringLiteral("hold"), GuardName});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    EXPECT_EQ(holder.readLine().trimmed(), QByteArray("held"));

    TInstanceGuard guard;
    EXPECT_FALSE(guard.TryAcquire(GuardName));
    EXPECT_EQ(TryFromAnotherProcess(), 3);

    holder.kill(); // ends without releasing: the system frees the lock
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(guard.TryAcquire(GuardName));
}

TEST_F(InstanceGuard, LockFileLivesInTheRuntimeFolder) {
    EXPECT_EQ(TInstanceGuard::LockFilePath(QStringLiteral("QHRInstanceMutex")),
              Env.EnvironmentValue(QStringLiteral("XDG_RUNTIME_DIR")) +
                  QStringLiteral("QHRInstanceMutex.lock"));
}
