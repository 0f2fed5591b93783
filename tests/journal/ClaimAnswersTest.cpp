// The manager's answer to a clock-out told at the station: accepting stores
// exactly one OUT through a save, rejecting stores nothing; the report shows
// the claim until it is answered.
#include "manage/ClaimAnswers.h"
#include "data/ClockOutClaim.h"
#include "data/Journal.h"
#include "manage/JournalReplay.h"
#include "manage/WeekReport.h"
#include "punch/ActionRules.h"
#include "punch/ForgottenClockOut.h"
#include "punch/PunchRecorder.h"
#include "support/RecordingTalk.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

const JournalStamp kTold{makeDateTime(2025, 2, 4, 6, 30, 0), -5 * 3600, "", ""};
const JournalStamp kManager{makeDateTime(2025, 2, 5, 10, 0, 0), -5 * 3600, "ann", "office"};
const Punch kMonIn{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"};
const Punch kTueIn{"IN", "1001.Dept-1", "7:00:00 AM", "Tue-Feb-4"};

// Kim at position 3 clocked in on Monday, told on Tuesday when she left
// (`left`, none: unknown) and clocked in again.
struct ToldWeek {
    explicit ToldWeek(std::optional<DateTime> left) {
        base.putRecord(mondayFeb3(), 3, makeRecord("Kim", {kMonIn}));
        AppState s(base.path());
        s.ButtonNumber = 3;
        s.CurName = "Kim";
        LastPunch last;
        EXPECT_TRUE(findLastPunch(s, kTold.when, last));
        const std::optional<ForgottenClockOut> shift = forgottenClockOut(last, 3, kTold.when);
        EXPECT_TRUE(shift && tellClockOut(realFiles(), *shift, left, kTold));
        s.CurAction = "IN";
        s.CurJob = "1001";
        s.CurDept = ".Dept-1";
        EXPECT_TRUE(RecordPunch(s, mondayFeb3(7).addDays(1), -5 * 3600));
    }
    std::string path() const { return base.weekFile(mondayFeb3()); }
    std::string journal() const { return readFile(journalPathOf(path())); }
    ClockOutClaim claim() const {
        std::vector<ClockOutClaim> open;
        EXPECT_TRUE(openClaims(realFiles(), path(), open));
        EXPECT_EQ(open.size(), 1u);
        return open.empty() ? ClockOutClaim() : open[0];
    }
    PersonWeek report() const {
        const WeekReport r = makeWeekReport(realFiles(), {{base.path(), "Door"}}, mondayFeb3(), kManager.when,
                                            kDefaultOvertimeAfterSeconds);
        EXPECT_EQ(r.people.size(), 1u);
        return r.people.empty() ? PersonWeek() : r.people[0];
    }
    ProgramFolder base;
};

TEST(ClaimAnswers, TheReportFlagsTheClaimedShiftUnpaidUntilAccepted) {
    ToldWeek week(mondayFeb3(16, 30));
    const PersonWeek before = week.report();
    EXPECT_EQ(before.dayHundredths[0], 0);
    EXPECT_EQ(before.flags, (std::vector<std::string>{
                                "no clock-out after Mon 7:00 AM", "in since Tue 7:00 AM",
                                "punch 1: clock-out claimed, not accepted: left Mon-Feb-3 4:30:00 PM (told "
                                "2025-02-04 06:30:00)"}));
}

TEST(ClaimAnswers, AcceptingStoresExactlyOneOutAtTheClaimedTimeThroughASave) {
    ToldWeek week(mondayFeb3(16, 30));
    RecordingTalk talk;
    ASSERT_EQ(acceptClaim(realFiles(), week.path(), week.claim(), talk, kManager), SaveOutcome::Saved)
        << talk.toldText();
    const std::string after = readFile(week.path());
    EXPECT_EQ(recordAt(after, 3),
              makeRecord("Kim", {kMonIn, {"OUT", "", "4:30:00 PM", "Mon-Feb-3"}, kTueIn}));
    EXPECT_TRUE(week.journal().ends_with(
        "\naccepted\t2025-02-05T10:00:00-05:00\t3\t1\t2025-02-04T06:30:00-05:00\tann\toffice\n"))
        << week.journal();
    EXPECT_NE(week.journal().find("\nsave\t2025-02-05T10:00:00-05:00\t"), std::string::npos);
    WeekVerification v;
    ASSERT_TRUE(verifyWeekFile(realFiles(), week.path(), v));
    EXPECT_TRUE(v.passed());

    const PersonWeek paid = week.report();
    EXPECT_EQ(paid.dayHundredths[0], 950);
    // The save moved Tuesday's IN down a row to make room.
    EXPECT_EQ(paid.flags,
              (std::vector<std::string>{"punch 2 corrected 2025-02-05 10:00:00, was action IN, job "
                                        "1001.Dept-1, time 7:00:00 AM, date Tue-Feb-4",
                                        "punch 3 added in the time sheet 2025-02-05 10:00:00",
                                        "in since Tue 7:00 AM"}));

    // Answered: a second accept stores nothing more.
    ClockOutClaim again;
    again.told = "2025-02-04T06:30:00-05:00";
    again.position = 3;
    again.entry = 1;
    again.name = "Kim";
    again.left = mondayFeb3(16, 30);
    RecordingTalk second;
    EXPECT_EQ(acceptClaim(realFiles(), week.path(), again, second, kManager), SaveOutcome::Refused);
    EXPECT_EQ(readFile(week.path()), after);
}

TEST(ClaimAnswers, RejectingNeedsANoteAndStoresNothing) {
    struct Case {
        std::string what;
        std::optional<DateTime> left;
    };
    for (const Case& c : {Case{"a time", mondayFeb3(16, 30)}, Case{"unknown", std::nullopt}}) {
        SCOPED_TRACE(c.what);
        ToldWeek week(c.left);
        const std::string bytes = readFile(week.path());
        const ClockOutClaim claim = week.claim();
        if (!c.left) { // nothing to store: refused
            RecordingTalk talk;
            EXPECT_EQ(acceptClaim(realFiles(), week.path(), claim, talk, kManager), SaveOutcome::Refused);
        }
        const Status noNote = rejectClaim(realFiles(), week.path(), claim, "  ", kManager);
        EXPECT_EQ(noNote.message(), "A claim is rejected with a note saying why.");
        ASSERT_TRUE(rejectClaim(realFiles(), week.path(), claim, "Left at noon, says the foreman", kManager));
        EXPECT_EQ(readFile(week.path()), bytes);
        EXPECT_TRUE(
            week.journal().ends_with("\nrejected\t2025-02-05T10:00:00-05:00\t3\t1\t2025-02-04T06:30:00-"
                                     "05:00\tLeft at noon, says the foreman\tann\toffice\n"))
            << week.journal();
        std::vector<ClockOutClaim> open;
        ASSERT_TRUE(openClaims(realFiles(), week.path(), open));
        EXPECT_TRUE(open.empty());
        EXPECT_EQ(week.report().flags,
                  (std::vector<std::string>{"no clock-out after Mon 7:00 AM", "in since Tue 7:00 AM"}));
    }
}

} // namespace
} // namespace tc::test
