#include "platform/InstanceLock.h"
#include "support/TempDir.h"

#include <QString>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace tc;
using tc::test::TempDir;

TEST(InstanceLock, SecondStationOnTheSameFolderIsRefused) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path());
    InstanceLock first(folder);
    ASSERT_TRUE(first.tryLock());
    EXPECT_TRUE(tc::test::fileExists(dir.file("timeclock.lock")));

    InstanceLock second(folder);
    const InstanceLock::Result refused = second.acquire();
    EXPECT_EQ(refused.outcome, InstanceLock::Outcome::Running);
    EXPECT_EQ(refused.message, "The time clock is already running from this folder.");

    TempDir other;
    InstanceLock elsewhere(QString::fromStdString(other.path()));
    EXPECT_TRUE(elsewhere.tryLock()); // another folder is another station
}

// A station killed while holding the lock: tests/reliability/TwoStationsTest.cpp.

TEST(InstanceLock, AStaleLockIsTakenOverAndAnyOtherFailureSaysWhatIsWrong) {
    using O = InstanceLock::Outcome;
    struct Row {
        const char* what;
        std::function<void(const std::string& folder, const std::string& lock)> make;
        O outcome;
        const char* said; // part of the message
    };
    const Row rows[] = {
        {"empty", [](auto&, auto& lock) { tc::test::writeFile(lock, ""); }, O::Locked, ""},
        {"garbage", [](auto&, auto& lock) { tc::test::writeFile(lock, "\xFF\x01junk"); }, O::Locked, ""},
        {"another computer",
         [](auto&, auto& lock) { tc::test::writeFile(lock, "4242\ntimeclock\nfront-office-pc\n"); },
         O::OtherComputer, "on the computer front-office-pc (process 4242)"},
        {"a folder in its place", [](auto&, auto& lock) { std::filesystem::create_directory(lock); },
         O::Failed, "a folder"},
        {"no program folder", [](auto& folder, auto&) { std::filesystem::remove(folder); }, O::Failed,
         "cannot be made"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        row.make(dir.path(), dir.file("timeclock.lock"));
        InstanceLock lock(QString::fromStdString(dir.path()));
        const InstanceLock::Result r = lock.acquire();
        EXPECT_EQ(r.outcome, row.outcome) << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QString::fromUtf8(row.said))) << r.message.toStdString();
        EXPECT_EQ(lock.isLocked(), row.outcome == O::Locked);
    }
}
