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

// A punch as the station stores it, on Monday unless said.
Punch punch(const std::string& action, const std::string& time, const std::string& date = "Mon-Feb-3") {
    return {action, action == "IN" || action == "CHANGE" ? "1001.Dept-1" : "", time, date};
}

std::optional<ForgottenClockOut> asked(const ProgramFolder& base, const DateTime& now) {
    LastPunch last;
    EXPECT_TRUE(findLastPunch(StationState(base.path()), kPressed, now, last));
    return forgottenClockOut(last, kPressed.position, now);
}

// Asked only after an IN or CHANGE of an earlier day (last week's too) or longer ago than the limit.
TEST(ForgottenClockOut, AskedOnlyAfterAnInOrChangeOfAnEarlierDayOrLongerAgoThanTheLimit) {
    const DateTime tue = mondayFeb3().addDays(1), endOfMon = mondayFeb3(23, 59, 59);
    struct Case {
        std::string what;
        Punch last;
        DateTime now;
        std::optional<DateTime> latest; // none: not asked
        DateTime week = mondayFeb3();
    };
    const Case cases[] = {
        {"yesterday's IN", punch("IN", "7:00:00 AM"), tue, endOfMon},
        {"yesterday's CHANGE", punch("CHANGE", "3:00:00 PM"), tue, endOfMon},
        {"an IN of last night, 8 hours ago", punch("IN", "10:00:00 PM"), tue.addSeconds(-2 * 3600), endOfMon},
        {"an IN 13 hours ago", punch("IN", "7:00:00 AM"), mondayFeb3(20), {}},
        {"an IN 14 hours and a second ago", punch("IN", "7:00:00 AM"), mondayFeb3(21, 0, 1),
         mondayFeb3(21, 0, 1)},
        {"yesterday's LUNCH", punch("LUNCH", "12:00:00 PM"), tue, {}},
        {"yesterday's OUT", punch("OUT", "4:00:00 PM"), tue, {}},
        {"a time without AM or PM", punch("IN", "7:00"), tue, {}},
        {"last week's IN", punch("IN", "9:00:00 PM", "Fri-Jan-31"), mondayFeb3(6),
         makeDateTime(2025, 1, 31, 23, 59, 59), sundayFeb2()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder base;
        base.putRecord(c.week, 3, makeRecord("Ann", {c.last}));
        const std::optional<ForgottenClockOut> shift = asked(base, c.now);
        ASSERT_EQ(shift.has_value(), c.latest.has_value());
        if (shift) {
            EXPECT_EQ(shift->question(),
                      "You did not clock out on " + c.last.date.substr(0, 3) + ". When did you leave?");
            EXPECT_EQ(formatTime(shift->earliest), c.last.time);
            EXPECT_EQ(shift->latest, *c.latest);
            EXPECT_EQ(shift->entry, 1);
            EXPECT_EQ(shift->weekFile, base.weekFile(c.week));
        }
    }
}

// The answer is a journal line; the week file keeps its bytes; the station
// then offers Clock IN and does not ask again.
TEST(ForgottenClockOut, TheAnswerIsAClaimLineAndTheShiftCountsAsClosedAtTheStation) {
    ProgramFolder base;
    base.putRecord(mondayFeb3(), 3, makeRecord("Ann", {punch("IN", "7:00:00 AM")}));
    const std::string week = readFile(base.weekFile(mondayFeb3()));
    const DateTime now = mondayFeb3().addDays(1);
    const std::optional<ForgottenClockOut> shift = asked(base, now);
    ASSERT_TRUE(shift);
    // A time outside the shift is refused, and nothing is written.
    for (const DateTime& wrong : {mondayFeb3(6, 59, 59), mondayFeb3(7).addDays(1)})
        EXPECT_EQ(tellClockOut(realFiles(), *shift, wrong, kTold).message(),
                  "The time told lies outside the shift, so it was not kept.");
    EXPECT_FALSE(fileExists(journalPathOf(base.weekFile(mondayFeb3()))));
    ASSERT_TRUE(tellClockOut(realFiles(), *shift, mondayFeb3(16, 30), kTold));

    EXPECT_EQ(readFile(base.weekFile(mondayFeb3())), week);
    const std::string journal = unsealedJournal(journalPathOf(base.weekFile(mondayFeb3())));
    EXPECT_TRUE(journal.ends_with("\nclaim\t2025-02-04T06:30:00-05:00\t3\t1\tAnn\t2025-02-03 16:30:00\n"))
        << journal;
    EXPECT_FALSE(asked(base, now));
    EXPECT_EQ(permittedActions(StationState(base.path()), kPressed, now),
              (ActionButtons{true, false, false, false, true}));
    // The next shift is not the claimed one: at work again.
    base.putRecord(mondayFeb3(), 3,
                   makeRecord("Ann", {punch("IN", "7:00:00 AM"), punch("IN", "7:00:00 AM", "Tue-Feb-4")}));
    EXPECT_EQ(permittedActions(StationState(base.path()), kPressed, now),
              (ActionButtons{false, true, true, true, true}));
}

} // namespace
} // namespace tc::test
