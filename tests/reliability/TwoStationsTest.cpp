// Two stations on one folder: the second is refused while the first runs,
// and a station killed without cleaning up does not block the next start.
#include "ChildProcess.h"
#include "platform/InstanceLock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <unistd.h>
#endif

namespace tc::test {
namespace {

#ifndef _WIN32
TEST(TwoStations, SecondIsRefusedAndAKilledFirstDoesNotBlockTheNextStart) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path());
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        // The first station, as the program holds it, in its own process.
        ChildProcess first([&](int) {
            close(ready[0]);
            InstanceLock lock(folder);
            const char ok = lock.tryLock() ? '1' : '0';
            if (write(ready[1], &ok, 1) != 1)
                return 2;
            for (;;)
                pause();
        });
        close(ready[1]);
        char ok = 0;
        ASSERT_EQ(read(ready[0], &ok, 1), 1);
        close(ready[0]);
        ASSERT_EQ(ok, '1');

        InstanceLock second(folder);
        EXPECT_FALSE(second.tryLock());
        EXPECT_FALSE(second.isLocked());

        first.kill(SIGKILL);
        EXPECT_EQ(first.wait(), 128 + SIGKILL);
        EXPECT_TRUE(fileExists(dir.file("timeclock.lock"))); // left behind by the kill
        // The next start takes the folder over; the following round's station
        // must then wait for this one to let go.
        InstanceLock next(folder);
        EXPECT_TRUE(next.tryLock());
    }
}
#endif

} // namespace
} // namespace tc::test
