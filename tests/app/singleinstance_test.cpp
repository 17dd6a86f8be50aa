// One running copy per user: a second start is refused while the first
// holds the lock, and a lock left by a dead process does not count.
#include "app/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class AppSingleInstance : public ::testing::Test
{
protected:
    QString lockPath() const { return QDir(dir.path()).filePath(QStringLiteral("morvex.lock")); }
    QTemporaryDir dir;
};

TEST_F(AppSingleInstance, SecondInstanceRefusedUntilTheFirstReleases)
{
    SingleInstance first(lockPath());
    SingleInstance second(lockPath());
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_FALSE(second.isHeld());

    first.release();
    EXPECT_FALSE(QFile::exists(lockPath()));
    EXPECT_TRUE(second.tryAcquire());
}

TEST_F(AppSingleInstance, LockEndsWithItsOwner)
{
    {
        SingleInstance first(lockPath());
        ASSERT_TRUE(first.tryAcquire());
    }
    SingleInstance next(lockPath());
    EXPECT_TRUE(next.tryAcquire());
}

// The first instance as another process: it takes the lock, says so on a
// pipe and waits to be killed, as a crash would end it.
pid_t startHoldingProcess(const QString &path)
{
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        SingleInstance first(path);
        const char held = first.tryAcquire() ? '1' : '0';
        if (write(ready[1], &held, 1) != 1)
            _exit(2);
        for (;;)
            pause();
    }
    close(ready[1]);
    char held = '0';
    const bool answered = read(ready[0], &held, 1) == 1;
    close(ready[0]);
    return answered && held == '1' ? child : -1;
}

TEST_F(AppSingleInstance, LockOfAnotherRunningProcessRefusesAndItsCrashFreesIt)
{
    const pid_t first = startHoldingProcess(lockPath());
    ASSERT_GT(first, 0);

    SingleInstance second(lockPath());
    EXPECT_FALSE(second.tryAcquire());

    // The first instance crashes: its lock file stays behind, stale.
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    ASSERT_TRUE(QFile::exists(lockPath()));
    EXPECT_TRUE(second.tryAcquire());
}

TEST_F(AppSingleInstance, LockInAMissingFolderIsMade)
{
    SingleInstance first(QDir(dir.path()).filePath(QStringLiteral("runtime/morvex.lock")));
    EXPECT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.isHeld());
}

TEST_F(AppSingleInstance, LockThatCannotBeMadeDoesNotPreventTheStart)
{
    // A regular file where the lock's folder should be.
    const QString notAFolder = QDir(dir.path()).filePath(QStringLiteral("file"));
    QFile file(notAFolder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    SingleInstance first(notAFolder + QStringLiteral("/morvex.lock"));
    EXPECT_TRUE(first.tryAcquire());
    EXPECT_FALSE(first.isHeld());
}

TEST(AppSingleInstanceDefault, LockIsPerUser)
{
    const QString path = SingleInstance::defaultLockFilePath();
    EXPECT_FALSE(path.isEmpty());
    EXPECT_TRUE(path.endsWith(QStringLiteral(".lock")));
}

} // namespace
