#include "station/StatusBoard.h"
#include "data/Paths.h"
#include "data/WeekFile.h"
#include "station/AppState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tc;
using tc::test::TempDir;

namespace {

using F = TimeRecord::Field;

void punch(TimeRecord& r, int k, const std::string& action, const std::string& job) {
    r.set(F::Action, k, action);
    r.set(F::JobNumber, k, job);
    r.set(F::ActTime, k, "8:00:00 AM");
    r.set(F::ActDate, k, "Mon-Feb-3");
}

struct Board : ::testing::Test {
    TempDir dir;
    AppState state{dir.path()};
    void SetUp() override {
        std::filesystem::create_directory(monthFolderPath(dir.path(), 2));
        SetWeekFile(state, makeDateTime(2025, 2, 3, 9, 0, 0));
        for (int p = 1; p <= 24; ++p)
            state.EmpNames[std::size_t(p)] = "Emp " + std::to_string(p);
    }
};

} // namespace

TEST(StatusBoardColours, FollowTheLastActionExactly) {
    EXPECT_EQ(colourForAction("IN"), BoardColour::Yellow);
    EXPECT_EQ(colourForAction("CHANGE"), BoardColour::Yellow);
    EXPECT_EQ(colourForAction("LUNCH"), BoardColour::Red);
    EXPECT_EQ(colourForAction("OUT"), BoardColour::LightGrey);
    EXPECT_EQ(colourForAction(""), BoardColour::Unchanged);
    EXPECT_EQ(colourForAction("in"), BoardColour::Unchanged);
    EXPECT_EQ(colourForAction("BREAK"), BoardColour::Unchanged);
}

TEST_F(Board, ShowsEachEmployeesLastPunch) {
    std::string bytes;
    TimeRecord in, change, lunch, out, unknown, lower, full99, full100;
    punch(in, 1, "IN", "101.Dept-2");
    punch(change, 1, "IN", "101.Dept-2");
    punch(change, 2, "CHANGE", "  205 .Office  ");
    punch(lunch, 1, "IN", "101.Dept-2");
    punch(lunch, 2, "LUNCH", "");
    punch(out, 1, "IN", "101.Dept-2");
    punch(out, 2, "OUT", "");
    punch(unknown, 1, "BREAK", "77");
    punch(lower, 1, "in", "101.Dept-1");
    for (int k = 1; k <= 99; ++k)
        punch(full99, k, k == 99 ? "LUNCH" : "IN", k == 99 ? "" : "J" + std::to_string(k));
    for (int k = 1; k <= 100; ++k)
        punch(full100, k, k == 100 ? "CHANGE" : "IN", "J" + std::to_string(k));
    putRecord(bytes, 1, in);
    putRecord(bytes, 2, change);
    putRecord(bytes, 3, lunch);
    putRecord(bytes, 4, out);
    // position 5: no punch
    putRecord(bytes, 6, unknown);
    putRecord(bytes, 7, lower);
    putRecord(bytes, 8, full99);
    putRecord(bytes, 9, full100);
    // positions beyond 9 lie past the end of the file
    tc::test::writeFile(state.WeekFile, bytes);

    StatusBoard board;
    ASSERT_TRUE(readStatusBoard(state, board));
    EXPECT_EQ(board[0].colour, BoardColour::Yellow);
    EXPECT_EQ(board[0].caption, "Emp 1\r\n101.Dept-2");
    EXPECT_EQ(board[1].colour, BoardColour::Yellow);
    EXPECT_EQ(board[1].caption, "Emp 2\r\n205 .Office");
    EXPECT_EQ(board[2].colour, BoardColour::Red);
    EXPECT_EQ(board[2].caption, "Emp 3\r\n");
    EXPECT_EQ(board[3].colour, BoardColour::LightGrey);
    EXPECT_EQ(board[3].caption, "Emp 4\r\n");
    EXPECT_EQ(board[4].colour, BoardColour::Unchanged);
    EXPECT_EQ(board[4].caption, "Emp 5\r\n");
    EXPECT_EQ(board[5].colour, BoardColour::Unchanged);
    EXPECT_EQ(board[5].caption, "Emp 6\r\n77");
    EXPECT_EQ(board[6].colour, BoardColour::Unchanged);
    EXPECT_EQ(board[6].caption, "Emp 7\r\n101.Dept-1");
    EXPECT_EQ(board[7].colour, BoardColour::Red);
    EXPECT_EQ(board[7].caption, "Emp 8\r\n");
    // All 100 entries written: entry 100 is the last, and the board goes on.
    EXPECT_EQ(board[8].colour, BoardColour::Yellow);
    EXPECT_EQ(board[8].caption, "Emp 9\r\nJ100");
    for (int i = 9; i < 24; ++i) {
        EXPECT_EQ(board[std::size_t(i)].colour, BoardColour::Unchanged);
        EXPECT_EQ(board[std::size_t(i)].caption, "Emp " + std::to_string(i + 1) + "\r\n");
    }
    // The board never writes to the week file.
    EXPECT_EQ(tc::test::readFile(state.WeekFile), bytes);
}

TEST_F(Board, NewWeekCreatesAnEmptyFileAndAnEmptyNameGivesOnlyTheBreak) {
    state.EmpNames[5] = "";
    StatusBoard board;
    ASSERT_TRUE(readStatusBoard(state, board));
    EXPECT_TRUE(tc::test::fileExists(state.WeekFile));
    EXPECT_EQ(tc::test::readFile(state.WeekFile), "");
    EXPECT_EQ(board[4].caption, "\r\n");
    EXPECT_EQ(board[0].caption, "Emp 1\r\n");
}

TEST_F(Board, RemakesADeletedMonthFolderBeforeOpeningTheWeek) {
    std::filesystem::remove_all(monthFolderPath(dir.path(), 2));
    StatusBoard board;
    ASSERT_TRUE(readStatusBoard(state, board));
    EXPECT_TRUE(std::filesystem::is_directory(monthFolderPath(dir.path(), 2)));
    EXPECT_TRUE(tc::test::fileExists(state.WeekFile));
}

TEST_F(Board, FailureLeavesTheBoardAsItWas) {
    // The week file's name taken by a folder: it cannot be read.
    std::filesystem::create_directory(state.WeekFile);
    StatusBoard board;
    board[0].caption = "before";
    board[0].colour = BoardColour::Red;
    EXPECT_FALSE(readStatusBoard(state, board));
    EXPECT_EQ(board[0].caption, "before");
    EXPECT_EQ(board[0].colour, BoardColour::Red);
}
