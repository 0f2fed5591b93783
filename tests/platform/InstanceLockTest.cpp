#include "platform/InstanceLock.h"
#include "support/TempDir.h"

#include <QLockFile>
#include <QString>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace tc;
using tc::test::TempDir;

TEST(InstanceLock, SecondStationOnTheSameFolderIsRefused) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path());
    InstanceLock first(folder);
    ASSERT_TRUE(first.tryLock());
    EXPECT_TRUE(tc::test::fileExists(dir.file("timeclock.lock")));

    InstanceLock second(folder);
    EXPECT_FALSE(second.tryLock());

    TempDir other;
    InstanceLock elsewhere(QString::fromStdString(other.path()));
    EXPECT_TRUE(elsewhere.tryLock()); // another folder is another station
}

#ifndef _WIN32
TEST(InstanceLock, HeldByAnotherProcessThenKilled) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path());
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A running station: it holds the lock until it is killed.
        QLockFile lock(folder + QStringLiteral("/timeclock.lock"));
        lock.setStaleLockTime(0);
        const char ok = lock.tryLock(0) ? '1' : '0';
        if (write(ready[1], &ok, 1) != 1)
            _exit(2);
        for (;;)
            pause();
    }
    close(ready[1]);
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    close(ready[0]);
    ASSERT_EQ(ok, '1');

    {
        InstanceLock second(folder);
        EXPECT_FALSE(second.tryLock());
    }

    // Killed without a chance to clean up: the lock file stays behind...
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(tc::test::fileExists(dir.file("timeclock.lock")));
    // ...and does not keep the next station from starting.
    InstanceLock next(folder);
    EXPECT_TRUE(next.tryLock());
}
#endif
