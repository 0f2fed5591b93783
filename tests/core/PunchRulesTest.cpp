// The punch path: where a punch is stored and its bytes, what the board and
// the action screen make of the last punch, and the hours counted up to it.
#include "core/files/MonthFolders.h"
#include "core/files/Paths.h"
#include "core/format/ListFiles.h"
#include "core/format/WeekFile.h"
#include "core/punch/ActionRules.h"
#include "core/punch/LastActionSummary.h"
#include "core/punch/PunchRecorder.h"
#include "core/punch/StatusBoard.h"
#include "support/RecordText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tc::test {
namespace {

using F = TimeRecord::Field;
namespace fs = std::filesystem;

const Punch kIn{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"};
//                        IN     CHANGE LUNCH  OUT    Exit
const ActionButtons kOff{true, false, false, false, true};
const ActionButtons kWork{false, true, true, true, true};
const ActionButtons kLunch{true, false, false, true, true};

// The punch at the button of record `position` (counted from 1, as the week file counts).
PunchInProgress chosen(int position, const std::string& name, const std::string& action,
                       const std::string& job = "", const std::string& dept = "") {
    return {position - 1, name, action, job, dept, {}};
}

TEST(recordPunch, FirstPunchesAtPosition5OfAnEmptyFileByteForByte) {
    ProgramFolder base;
    base.writeWeek(mondayFeb3(), "");
    StationState s(base.path());
    PunchInProgress punch = chosen(5, "Jos\xC3\xA9 Ortiz", "IN", "ABCDEFGHIJKLMN", ".Office");
    ASSERT_TRUE(recordPunch(s, punch, mondayFeb3(9, 5, 7)));
    punch.action = "LUNCH";
    punch.job = punch.department = "";
    ASSERT_TRUE(recordPunch(s, punch, mondayFeb3(12, 0, 0)));

    // Name, then entries 0..100 of each field: actions, jobs, times, dates.
    const auto field = [](std::size_t width, const std::string& first, const std::string& second) {
        return std::string(width, '\0') + pad(first, width) + pad(second, width) +
               std::string(98 * width, '\0');
    };
    const std::string record = pad("Jos\xE9 Ortiz", 20) + field(7, "IN", "LUNCH") +
                               field(20, "ABCDEFGHIJKLMN.Offic", "") +
                               field(11, "9:05:07 AM", "12:00:00 PM") + field(11, "Mon-Feb-3", "Mon-Feb-3");
    EXPECT_EQ(readFile(base.weekFile(mondayFeb3())), std::string(19876, '\0') + record); // 24845 bytes
}

// With the system's own converter: a character the week files' code page lacks is never stored as "?".
TEST(recordPunch, ANameOrJobTheCodePageCannotHoldIsRefusedNotReplaced) {
    ProgramFolder base;
    base.writeWeek(mondayFeb3(), "");
    StationState state(base.path());
    const std::pair<PunchInProgress, std::string> cases[] = {
        {chosen(1, "\xC5\x81ucja", "IN", "1001", ".Dept-1"),
         "\"\xC5\x81ucja\", \"1001\" holds characters (\xC5\x81)"},
        {chosen(2, "Ann", "IN", "\xE2\x82\xAC\xE2\x84\xA2\xCE\xA9", ".Dept-1"),
         "\"Ann\", \"\xE2\x82\xAC\xE2\x84\xA2\xCE\xA9\" holds characters (\xCE\xA9)"},
    };
    for (const auto& [punch, said] : cases) {
        SCOPED_TRACE(said);
        EXPECT_EQ(recordPunch(state, punch, mondayFeb3(9)).message(),
                  "Your punch was NOT recorded.\r\nThe name or the job " + said +
                      " that cannot be stored in the week files.\r\nPlease see the manager.");
        EXPECT_EQ(readFile(base.weekFile(mondayFeb3())), "");
    }
}

TEST(recordPunch, GoesAfterTheUsedEntriesNeverOverAWrittenFieldAndNotIntoAFullRecord) {
    struct Case {
        std::string what;
        TimeRecord before;
        int entry; // 0: refused
    };
    std::vector<Case> cases = {
        {"no punch", rec("Ann"), 1},
        {"four punches", rec("Ann|IN 7:00a Mon-Feb-3|LUNCH 11:00a|IN 11:30a|OUT 3:30p"), 5},
        {"full", fullRecord("Ann", "IN"), 0}};
    for (F field : {F::Action, F::JobNumber, F::ActTime, F::ActDate}) {
        cases.push_back(
            {"entry 2 holds only field " + std::to_string(int(field)), rec("Ann|IN 7:00a Mon-Feb-3"), 3});
        cases.back().before.set(field, 2, "1");
    }
    ProgramFolder base;
    for (std::size_t i = 0; i < cases.size(); ++i)
        base.putRecord(mondayFeb3(), int(i + 1), cases[i].before);
    std::string expected = readFile(base.weekFile(mondayFeb3()));
    StationState s(base.path());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        const Status st = recordPunch(s, chosen(int(i + 1), "Ann", "OUT"), mondayFeb3(16));
        if (const int k = cases[i].entry; k == 0) {
            EXPECT_EQ(st.message(), "Your punch was NOT recorded.\r\nThis week's record for Ann is full (100 "
                                    "punches).\r\nPlease see the manager.");
        } else {
            EXPECT_TRUE(st) << st.message();
            TimeRecord r = cases[i].before;
            r.set(F::Action, k, "OUT");
            r.set(F::JobNumber, k, "");
            r.set(F::ActTime, k, "4:00:00 PM");
            r.set(F::ActDate, k, "Mon-Feb-3");
            putRecord(expected, int(i + 1), r);
        }
    }
    EXPECT_EQ(readFile(base.weekFile(mondayFeb3())), expected);
}

// Entry 1 a LUNCH, entry 2 only a date, entry 3 an IN (written after entry 2,
// the first free entry being 3).
TimeRecord damaged() {
    TimeRecord r = makeRecord(
        "Ann",
        {{"LUNCH", "", "9:00:00 AM", "Mon-Feb-3"}, kIn, {"IN", "101.Dept-2", "10:00:00 AM", "Mon-Feb-3"}});
    for (F f : {F::Action, F::JobNumber, F::ActTime})
        r.clear(f, 2);
    return r;
}

TEST(LastPunch, TheBoardAndThePermittedActionsFollowTheLastWordExactly) {
    const auto last = [](const char* action, const char* job) {
        return makeRecord("Ann", {kIn, {action, job, "9:00:00 AM", "Mon-Feb-3"}});
    };
    struct Case {
        TimeRecord record;
        BoardColour colour;
        std::string job;
        ActionButtons buttons;
    };
    const Case cases[] = {
        {TimeRecord(), BoardColour::Unchanged, "", kOff},
        {last("IN", "101.Dept-2"), BoardColour::Yellow, "101.Dept-2", kWork},
        {last("CHANGE", "  205 .Office "), BoardColour::Yellow, "205 .Office", kWork},
        {last("LUNCH", ""), BoardColour::Red, "", kLunch},
        {last(" LUNCH", ""), BoardColour::Red, "", kLunch},
        {last("OUT", ""), BoardColour::LightGrey, "", kOff},
        {last("in", "101"), BoardColour::Unchanged, "101", kOff},
        {last("BREAK", "77"), BoardColour::Unchanged, "77", kOff},
        {fullRecord("Ann", "LUNCH"), BoardColour::Red, "", kLunch}, // entry 100, not 99 (an IN)
        {damaged(), BoardColour::Yellow, "101.Dept-2", kWork},      // entry 3, where the last punch went
    };
    ProgramFolder base;
    StationState s(base.path());
    setWeekFile(s, mondayFeb3());
    for (std::size_t i = 0; i < std::size(cases); ++i)
        base.putRecord(mondayFeb3(), int(i + 1), cases[i].record);
    const std::string bytes = readFile(s.weekFile);
    for (int p = 1; p <= 24; ++p)
        s.employeeNames[std::size_t(p - 1)] = "Emp " + std::to_string(p);
    StatusBoard board;
    ASSERT_TRUE(readStatusBoard(s, board));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(board[i].colour, cases[i].colour);
        EXPECT_EQ(board[i].caption, "Emp " + std::to_string(i + 1) + "\r\n" + cases[i].job);
        EXPECT_EQ(permittedActions(s, chosen(int(i + 1), "", ""), mondayFeb3()), cases[i].buttons);
    }
    EXPECT_EQ(readFile(s.weekFile), bytes) << "a reader wrote to the week file";
}

// After the week changes, the last punch is last week's at the same
// position under the same name, until this week holds one.
TEST(LastPunch, IsLastWeeksWhileThisWeekHoldsNone) {
    const struct {
        TimeRecord lastWeek, thisWeek;
        ActionButtons buttons;
        const char* summary; // its first line
    } cases[] = {
        {rec(" Ann |IN 10:00p Sun-Feb-2"), TimeRecord(), kWork, "Last Operation        IN     "},
        {rec("Ann|LUNCH 10:00p Sun-Feb-2"), TimeRecord(), kLunch, "Last Operation        LUNCH  "},
        {rec("Bob|IN 10:00p Sun-Feb-2"), TimeRecord(), kOff, "Last Operation        "},
        {rec("Ann|IN 10:00p Sun-Feb-2"), rec("Ann|OUT 6:00a Mon-Feb-3"), kOff,
         "Last Operation        OUT    "},
    };
    ProgramFolder base;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        base.putRecord(sundayFeb2(), int(i + 1), cases[i].lastWeek);
        base.putRecord(mondayFeb3(), int(i + 1), cases[i].thisWeek);
    }
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i + 1);
        StationState s(base.path());
        EXPECT_EQ(permittedActions(s, chosen(int(i + 1), "Ann", ""), mondayFeb3(7)), cases[i].buttons);
        const std::string text = lastActionSummary(s, chosen(int(i + 1), "Ann", ""), mondayFeb3(7)).lastPunch;
        EXPECT_EQ(text.substr(0, text.find('\r')), cases[i].summary);
    }
}

TEST(LastPunch, HoursWorkedUpToIt) {
    struct Case {
        std::string week, lastWeek; // the punches of the position's record and of the week before's
        const char* hours;
        std::string lastWeekName = "Ann";
        char separator = '.';
    };
    const std::string monday = "|OUT 6:00a Mon-Feb-3|IN 8:00a|OUT 9:30a";
    const std::string sunday = "|IN 7:00a Sun-Feb-2|CHANGE 10:00p";
    const Case cases[] = {
        {"|IN 8:00a Mon-Feb-3|LUNCH 12:00p|IN 12:30p|OUT 4:30p|IN 5:00p", "", "8"},
        {"|IN 8:00a Mon-Feb-3|CHANGE 8:20a", "", "0.33"},
        {"|IN 8:00a Mon-Feb-3", "", ""},
        {monday, sunday, "7.5", "Ann "}, // a shift across Sunday midnight, from Monday 00:00
        {"|IN 7:00a Mon-Feb-3|OUT 11:30a", "", "4,5", "Ann", ','},
        // A clock-out missed: the span up to the IN or CHANGE of a later day is flagged, not counted.
        {"|IN 8:00a Mon-Feb-3|LUNCH 12:00p", "|IN 8:00a Sun-Feb-2", "4\r\nno clock-out after Sun 8:00 AM"},
    };
    ProgramFolder base;
    const auto hours = [&](const TimeRecord& week, const TimeRecord& lastWeek, char separator) {
        base.putRecord(mondayFeb3(), 4, week);
        base.putRecord(sundayFeb2(), 4, lastWeek);
        StationState s(base.path());
        return lastActionSummary(s, chosen(4, "", ""), mondayFeb3(18), separator).weekHours;
    };
    for (const Case& c : cases)
        EXPECT_EQ(hours(rec("Ann" + c.week), rec(c.lastWeekName + c.lastWeek), c.separator),
                  "Time As of Last Action. = " + std::string(c.hours) + "\r\n")
            << c.week << " after " << c.lastWeek;
    // Last week's last punch is the one the station reads (entry 1, before
    // the first free entry), not a later damaged one.
    TimeRecord lastWeek = rec("Ann|IN 10:00p Sun-Feb-2|IN 1:00a|OUT 11:00p");
    for (F f : {F::Action, F::JobNumber, F::ActTime, F::ActDate})
        lastWeek.clear(f, 2);
    EXPECT_EQ(hours(rec("Ann" + monday), lastWeek, '.'), "Time As of Last Action. = 7.5\r\n");
}

TEST(MonthFolders, FirstRunMakesTwelveAPunchRemakesItsOwnAndAMissingProgramFolderIsNamed) {
    TempDir dir;
    EXPECT_TRUE(prepareMonthFolders(realFiles(), dir.path()).firstRun);
    for (int m = 1; m <= 12; ++m)
        EXPECT_TRUE(fs::is_directory(monthFolderPath(dir.path(), m))) << m;
    fs::remove(monthFolderPath(dir.path(), 2));
    EXPECT_FALSE(prepareMonthFolders(realFiles(), dir.path()).firstRun);
    EXPECT_FALSE(fs::exists(monthFolderPath(dir.path(), 2)));

    StationState s(dir.path());
    const PunchInProgress ann = chosen(1, "Ann", "IN", "1001", ".Dept-1");
    ASSERT_TRUE(recordPunch(s, ann, mondayFeb3()));
    EXPECT_EQ(recordAt(readFile(s.weekFile), 1).raw(F::Action, 1), "IN     ");

    const std::string moved = dir.path() + "-moved";
    fs::rename(dir.path(), moved);
    const Status st = recordPunch(s, ann, mondayFeb3(9));
    std::vector<JobItem> jobs;
    const Status jobList = readJobList(realFiles(), dir.path(), jobs);
    // The action screen of an employee at work: only Clock IN, and why.
    Status actions;
    EXPECT_EQ(permittedActions(s, ann, mondayFeb3(9), &actions), kOff);
    const SummaryTexts summary = lastActionSummary(s, ann, mondayFeb3(9));
    EXPECT_FALSE(fs::exists(dir.path()));
    fs::rename(moved, dir.path());
    EXPECT_EQ(st.message(), "Your punch was NOT recorded.\r\nThe program folder " + dir.path() +
                                " is missing, so " + s.weekFile + " cannot be opened or created.");
    for (const Status& read : {actions, summary.problem})
        EXPECT_EQ(read.message(),
                  "The program folder " + dir.path() + " is missing, so " + s.weekFile + " cannot be read.");
    EXPECT_EQ(summary.lastPunch + summary.weekHours, "");
    EXPECT_EQ(jobList.message(), "The program folder " + dir.path() + " is missing, so the job list " +
                                     jobListPath(dir.path()) + " cannot be read.");
}

} // namespace
} // namespace tc::test
