#include "punch/ActionRules.h"

#include "data/Paths.h"
#include "data/WeekFile.h"
#include "punch/PunchRecorder.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

using F = TimeRecord::Field;
//                                   IN     CHANGE  LUNCH  OUT    Exit
const ActionButtons kOffTheClock = {true, false, false, false, true};
const ActionButtons kAtWork = {false, true, true, true, true};
const ActionButtons kAtLunch = {true, false, false, true, true};

ActionButtons judge(const ProgramFolder& base, const TimeRecord& r, int position = 7) {
    base.putRecord(mondayFeb3(), position, r);
    AppState s(base.path());
    SetWeekFile(s, mondayFeb3());
    s.ButtonNumber = std::int16_t(position);
    return SetActionButtons(s);
}

TEST(SetActionButtons, FollowTheLastPunchThroughADay) {
    ProgramFolder base;
    AppState s(base.path());
    SetWeekFile(s, mondayFeb3());
    s.ButtonNumber = 7;
    s.CurName = "Ann";
    EXPECT_EQ(SetActionButtons(s), kOffTheClock); // no file yet
    EXPECT_TRUE(fileExists(s.WeekFile));          // the read made it, empty
    EXPECT_EQ(readFile(s.WeekFile), "");

    struct Step {
        const char* action;
        const char* job;
        ActionButtons then;
    };
    for (const Step& step :
         {Step{"IN", "1001", kAtWork}, Step{"CHANGE", "1002", kAtWork}, Step{"LUNCH", "", kAtLunch},
          Step{"IN", "1002", kAtWork}, Step{"OUT", "", kOffTheClock}}) {
        s.CurAction = step.action;
        s.CurJob = step.job;
        s.CurDept = *step.job ? ".Dept-3" : "";
        ASSERT_TRUE(RecordPunch(s, mondayFeb3(9)));
        EXPECT_EQ(SetActionButtons(s), step.then) << "after " << step.action;
    }
    // Someone else's record beyond the end of the file.
    s.ButtonNumber = 24;
    EXPECT_EQ(SetActionButtons(s), kOffTheClock);
}

TEST(SetActionButtons, OnlyTheExactLastWordCounts) {
    ProgramFolder base;
    const Punch in{"IN", "1001.Dept-1", "8:00:00 AM", "Mon-Feb-3"};
    // Lower case, unknown words and spaces-only actions are off the clock; spaces around a word are not.
    EXPECT_EQ(judge(base, makeRecord("A", {in, {"in", "", "9:00:00 AM", "Mon-Feb-3"}})), kOffTheClock);
    EXPECT_EQ(judge(base, makeRecord("A", {in, {"Lunch", "", "9:00:00 AM", "Mon-Feb-3"}})), kOffTheClock);
    EXPECT_EQ(judge(base, makeRecord("A", {in, {"BREAK", "", "9:00:00 AM", "Mon-Feb-3"}})), kOffTheClock);
    EXPECT_EQ(judge(base, makeRecord("A", {in, {"", "", "9:00:00 AM", "Mon-Feb-3"}})), kOffTheClock);
    EXPECT_EQ(judge(base, makeRecord("A", {{" LUNCH ", "", "9:00:00 AM", "Mon-Feb-3"}})), kAtLunch);
    // An IN from an earlier day without a clock out still counts as at work.
    EXPECT_EQ(judge(base, makeRecord("A", {in, {"CHANGE", "1", "9:00:00 AM", "Wed-Feb-5"}})), kAtWork);

    // Entries 1 and 2 written, 3 never written: entry 2 decides whatever 4..100 hold.
    TimeRecord gap = makeRecord("A", {in, {"OUT", "", "9:00:00 AM", "Mon-Feb-3"}});
    for (int k = 4; k <= 100; ++k)
        gap.set(F::Action, k, "IN");
    EXPECT_EQ(judge(base, gap), kOffTheClock);
    gap.set(F::Action, 2, "LUNCH");
    EXPECT_EQ(judge(base, gap), kAtLunch);

    // A full record is judged from entry 100.
    EXPECT_EQ(judge(base, fullRecord("A", "LUNCH")), kAtLunch);
    EXPECT_EQ(judge(base, fullRecord("A", "CHANGE")), kAtWork);
    EXPECT_EQ(judge(base, fullRecord("A", "OUT")), kOffTheClock);
}

TEST(SetActionButtons, AnUnreadableWeekFileCountsAsOffTheClock) {
    ProgramFolder base;
    AppState s(base.path());
    s.ButtonNumber = 1;
    s.WeekFile = pathJoin(pathJoin(base.path(), "Nowhere"), "Week Ending Sunday Feb 9 2025.dat");
    EXPECT_EQ(SetActionButtons(s), kOffTheClock);
    EXPECT_FALSE(fileExists(pathJoin(base.path(), "Nowhere")));
    s.WeekFile.clear(); // before the first SetWeekFile
    EXPECT_EQ(SetActionButtons(s), kOffTheClock);
}

TEST(WeekBoundary, TheFirstPressIsJudgedFromTheOldWeekAndThePunchGoesToTheNew) {
    ProgramFolder base;
    AppState s(base.path());
    s.ButtonNumber = 2;
    s.CurName = "Night Shift";
    s.CurAction = "IN";
    s.CurJob = "1003";
    s.CurDept = ".Other";
    ASSERT_TRUE(RecordPunch(s, sundayFeb2(23, 59, 59)));
    const std::string oldWeek = s.WeekFile;
    const std::string oldBytes = readFile(oldWeek);

    // One second later, Monday: WeekFile still names the old week until a punch or summary works it out.
    EXPECT_EQ(SetActionButtons(s), kAtWork);
    s.CurAction = "OUT";
    s.CurJob.clear();
    s.CurDept.clear();
    ASSERT_TRUE(RecordPunch(s, mondayFeb3(0, 0, 0)));
    EXPECT_EQ(s.WeekFile, pathJoin(pathJoin(base.path(), "Feb"), "Week Ending Sunday Feb 9 2025.dat"));
    EXPECT_NE(s.WeekFile, oldWeek);
    EXPECT_EQ(readFile(oldWeek), oldBytes);
    const TimeRecord r = base.record(mondayFeb3(), 2);
    EXPECT_EQ(r.raw(F::Action, 1), "OUT    ");
    EXPECT_EQ(r.raw(F::ActTime, 1), "12:00:00 AM");
    EXPECT_EQ(r.raw(F::ActDate, 1), "Mon-Feb-3  ");
    EXPECT_EQ(SetActionButtons(s), kOffTheClock);
}

} // namespace
} // namespace tc::test
