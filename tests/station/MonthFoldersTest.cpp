#include "station/MonthFolders.h"
#include "data/Paths.h"
#include "station/AppState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tc;
using tc::test::TempDir;
namespace fs = std::filesystem;

TEST(MonthFolders, FirstRunMakesAllTwelveAndLaterRunsNone) {
    TempDir dir;
    FirstRunFolders first = prepareMonthFolders(realFiles(), dir.path());
    EXPECT_TRUE(first.firstRun);
    EXPECT_TRUE(first.status);
    for (const char* m : {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"})
        EXPECT_TRUE(fs::is_directory(fs::path(dir.path()) / m)) << m;

    // Jan alone decides: a deleted Feb is not made again at start-up.
    fs::remove(fs::path(dir.path()) / "Feb");
    FirstRunFolders second = prepareMonthFolders(realFiles(), dir.path());
    EXPECT_FALSE(second.firstRun);
    EXPECT_FALSE(fs::exists(fs::path(dir.path()) / "Feb"));
}

TEST(MonthFolders, FirstRunKeepsFoldersThatAlreadyHoldWeeks) {
    TempDir dir;
    fs::create_directory(fs::path(dir.path()) / "Mar");
    tc::test::writeFile((fs::path(dir.path()) / "Mar" / "keep.dat").string(), "x");
    FirstRunFolders first = prepareMonthFolders(realFiles(), dir.path());
    EXPECT_TRUE(first.firstRun);
    EXPECT_TRUE(first.status);
    EXPECT_EQ(tc::test::readFile((fs::path(dir.path()) / "Mar" / "keep.dat").string()), "x");
}

TEST(MonthFolders, ReportsAFolderThatCannotBeMade) {
    TempDir dir;
    tc::test::writeFile((fs::path(dir.path()) / "Jan").string(), "a file, not a folder");
    FirstRunFolders first = prepareMonthFolders(realFiles(), dir.path());
    EXPECT_TRUE(first.firstRun);
    EXPECT_FALSE(first.status);
    EXPECT_NE(first.status.message().find("Jan"), std::string::npos);
}

TEST(MonthFolders, WeekFolderIsMadeAgainWhenDeleted) {
    TempDir dir;
    AppState state(dir.path());
    SetWeekFile(state, makeDateTime(2025, 6, 30)); // week ends Sunday Jul 6
    EXPECT_TRUE(ensureWeekFolder(state));
    EXPECT_TRUE(fs::is_directory(fs::path(dir.path()) / "Jul"));
    EXPECT_TRUE(ensureWeekFolder(state)); // already there: fine

    AppState unset(dir.path());
    EXPECT_FALSE(ensureWeekFolder(unset));
}
