#include "platform/InstanceLock.h"
#include "support/TempDir.h"

#include <QString>
#include <gtest/gtest.h>

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

// A station killed while holding the lock: tests/reliability/TwoStationsTest.cpp.
