// A forgotten clock-out, told at the next punch: when the station asks, the
// claim line it keeps, and the station's state afterwards.
#include "core/journal/ClockOutClaim.h"
#include "core/format/TimeText.h"
#include "core/journal/Journal.h"
#include "core/punch/ActionRules.h"
#include "core/punch/ForgottenClockOut.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

const JournalStamp kTold{makeDateTime(2025, 2, 4, 6, 30, 0), -5 * 3600, "", ""};

const PunchInProgress kPressed = PunchInProgress::forEmployee(2, "Ann"); // record 3

std::optional<ForgottenClockOut> asked(const ProgramFolder& base, const DateTime& now) {
    LastPunch last;
    EXPECT_TRUE(findLastPunch(StationState(base.path()), kPressed, now, last));
    return forgottenClockOut(last, kPressed.position, now);
}

TEST(ForgottenClockOut, AskedOnlyAfterAnInOrChangeOfAnEarlierDayOrLongerAgoThanTheLimit) {
    const DateTime mon = mondayFeb3();
    struct Case {
        std::string what;
        Punch last;
        DateTime now;
        std::string question; // empty: not asked
        DateTime latest;
    };
    const std::vector<Case> cases = {
        {"yesterday's IN",
         {"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"},
         mon.addDays(1),
         "You did not clock out on Mon. When did you leave?",
         mondayFeb3(23, 59, 59)},
        {"yesterday's CHANGE",
         {"CHANGE", "1002.Dept-2", "3:00:00 PM", "Mon-Feb-3"},
         mon.addDays(1),
         "You did not clock out on Mon. When did you leave?",
         mondayFeb3(23, 59, 59)},
        {"an IN of last night, 8 hours ago",
         {"IN", "1001.Dept-1", "10:00:00 PM", "Mon-Feb-3"},
         mon.addDays(1).addSeconds(-2 * 3600),
         "You did not clock out on Mon. When did you leave?",
         mondayFeb3(23, 59, 59)},
        {"an IN 13 hours ago", {"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"}, mondayFeb3(20), "", {}},
        {"an IN 14 hours and a second ago",
         {"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"},
         mondayFeb3(21, 0, 1),
         "You did not clock out on Mon. When did you leave?",
         mondayFeb3(21, 0, 1)},
        {"yesterday's LUNCH", {"LUNCH", "", "12:00:00 PM", "Mon-Feb-3"}, mon.addDays(1), "", {}},
        {"yesterday's OUT", {"OUT", "", "4:00:00 PM", "Mon-Feb-3"}, mon.addDays(1), "", {}},
        {"a time without AM or PM", {"IN", "1001.Dept-1", "7:00", "Mon-Feb-3"}, mon.addDays(1), "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder base;
        base.putRecord(mon, 3, makeRecord("Ann", {c.last}));
        const std::optional<ForgottenClockOut> shift = asked(base, c.now);
        EXPECT_EQ(shift ? shift->question() : "", c.question);
        if (shift) {
            EXPECT_EQ(formatTime(shift->earliest), c.last.time);
            EXPECT_EQ(shift->latest, c.latest);
            EXPECT_EQ(shift->entry, 1);
        }
    }
}

TEST(ForgottenClockOut, FollowsTheShiftIntoLastWeeksFile) {
    ProgramFolder base;
    base.putRecord(sundayFeb2(), 3, makeRecord("Ann", {{"IN", "1001.Dept-1", "9:00:00 PM", "Fri-Jan-31"}}));
    const std::optional<ForgottenClockOut> shift = asked(base, mondayFeb3(6));
    ASSERT_TRUE(shift);
    EXPECT_EQ(shift->question(), "You did not clock out on Fri. When did you leave?");
    EXPECT_EQ(shift->weekFile, base.weekFile(sundayFeb2()));
    EXPECT_EQ(shift->latest, makeDateTime(2025, 1, 31, 23, 59, 59));
}

// The answer is a journal line; the week file keeps its bytes; the station
// then offers Clock IN and does not ask again.
TEST(ForgottenClockOut, TheAnswerIsAClaimLineAndTheShiftCountsAsClosedAtTheStation) {
    struct Case {
        std::string what;
        std::optional<DateTime> left;
        std::string claimed;
    };
    const std::vector<Case> cases = {{"a time", mondayFeb3(16, 30), "2025-02-03 16:30:00"},
                                     {"I don't know", std::nullopt, "unknown"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder base;
        base.putRecord(mondayFeb3(), 3,
                       makeRecord("Ann", {{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"}}));
        const std::string week = readFile(base.weekFile(mondayFeb3()));
        const DateTime now = mondayFeb3().addDays(1);
        const std::optional<ForgottenClockOut> shift = asked(base, now);
        ASSERT_TRUE(shift);
        // A time outside the shift is refused, and nothing is written.
        for (const DateTime& wrong : {mondayFeb3(6, 59, 59), mondayFeb3(7).addDays(1)})
            EXPECT_EQ(tellClockOut(realFiles(), *shift, wrong, kTold).message(),
                      "The time told lies outside the shift, so it was not kept.");
        EXPECT_FALSE(fileExists(journalPathOf(base.weekFile(mondayFeb3()))));
        ASSERT_TRUE(tellClockOut(realFiles(), *shift, c.left, kTold));

        EXPECT_EQ(readFile(base.weekFile(mondayFeb3())), week);
        const std::string journal = unsealedJournal(journalPathOf(base.weekFile(mondayFeb3())));
        EXPECT_TRUE(journal.ends_with("\nclaim\t2025-02-04T06:30:00-05:00\t3\t1\tAnn\t" + c.claimed + "\n"))
            << journal;
        EXPECT_FALSE(asked(base, now));
        const ActionButtons offered = permittedActions(StationState(base.path()), kPressed, now);
        EXPECT_EQ(offered, (ActionButtons{true, false, false, false, true}));
        // The next shift is not the claimed one: at work again.
        base.putRecord(mondayFeb3(), 3,
                       makeRecord("Ann", {{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"},
                                          {"IN", "1001.Dept-1", "7:00:00 AM", "Tue-Feb-4"}}));
        EXPECT_EQ(permittedActions(StationState(base.path()), kPressed, now),
                  (ActionButtons{false, true, true, true, true}));
    }
}

} // namespace
} // namespace tc::test
