// One station per program folder: a live one keeps the folder; a lock whose
// owner cannot be running is taken over; any other failure says what is wrong.

#include "platform/InstanceLock.h"
#include "ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace tc::test {
namespace {

namespace fs = std::filesystem;
using O = InstanceLock::Outcome;

// A start that waits or reads for ever ends the child (SIGALRM) rather than the test run.
int timeLimited() {
    alarm(5);
    const rlimit memory{rlim_t(2) << 30, rlim_t(2) << 30};
    return setrlimit(RLIMIT_AS, &memory);
}

TEST(InstanceLock, ALiveStationKeepsTheFolderAndAnyOtherLockIsTakenOverOrSaysWhatIsWrong) {
    TempDir live;
    InstanceLock first(QString::fromStdString(live.path()));
    ASSERT_TRUE(first.tryLock());
    EXPECT_EQ(InstanceLock(QString::fromStdString(live.path())).acquire().message.toStdString(),
              "The time clock is already running from this folder.");

    struct Row {
        const char* what;
        void (*plant)(const std::string& folder, const std::string& lock);
        int (*condition)();
        O outcome;
        const char* said;
    };
    const Row rows[] = {
        {"station killed",
         [](auto& folder, auto&) {
             ChildProcess([&](int) -> int {
                 InstanceLock lock(QString::fromStdString(folder));
                 _exit(lock.tryLock() ? 0 : 1); // ends holding it, as a kill does
             }).wait();
         },
         nullptr, O::Locked, ""},
        {"garbage", [](auto&, auto& lock) { writeFile(lock, "\xFF\x01junk"); }, nullptr, O::Locked, ""},
        {"another computer", [](auto&, auto& lock) { writeFile(lock, "4242\ntimeclock\nfront-office-pc\n"); },
         nullptr, O::OtherComputer, "on the computer front-office-pc (process 4242)"},
        {"a folder in its place", [](auto&, auto& lock) { fs::create_directory(lock); }, nullptr, O::Failed,
         "a folder"},
        {"a pipe in its place", [](auto&, auto& lock) { mkfifo(lock.c_str(), 0666); }, timeLimited, O::Failed,
         "is not a regular file"},
        {"a link to /dev/zero", [](auto&, auto& lock) { fs::create_symlink("/dev/zero", lock); }, timeLimited,
         O::Failed, "is not a regular file"},
        {"3 GB", [](auto&, auto& lock) { fs::resize_file((writeFile(lock, "1\n"), lock), 3LL << 30); },
         timeLimited, O::Locked, ""},
        {"disk full", [](auto&, auto&) {}, diskFull, O::Failed, "cannot be made (File too large)"},
        {"read-only folder", [](auto& folder, auto&) { chmod(folder.c_str(), 0555); }, unprivileged,
         O::Failed, "cannot be made (Permission denied)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        row.plant(dir.path(), dir.file("timeclock.lock"));
        const auto said = inChild(row.what, row.condition, [&] {
            const InstanceLock::Result r = InstanceLock(QString::fromStdString(dir.path())).acquire();
            return char('0' + int(r.outcome)) + r.message.toStdString();
        });
        chmod(dir.path().c_str(), 0755);
        if (!said)
            continue;
        EXPECT_EQ(said->substr(0, 1), std::string(1, char('0' + int(row.outcome)))) << *said;
        EXPECT_NE(said->find(row.said), std::string::npos) << *said;
    }
}

} // namespace
} // namespace tc::test
