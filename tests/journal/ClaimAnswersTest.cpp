// The manager's answer to a clock-out told at the station: accepting stores
// exactly one OUT through a save, rejecting stores nothing; the report shows
// the claim until it is answered.
#include "core/sheet/ClaimAnswers.h"
#include "core/journal/JournalReplay.h"
#include "core/punch/ForgottenClockOut.h"
#include "core/punch/PunchRecorder.h"
#include "core/report/WeekReport.h"
#include "support/RecordingTalk.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

const JournalStamp kManager{makeDateTime(2025, 2, 5, 10, 0, 0), -5 * 3600, "ann", "office"};
const Punch kMonIn{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"};
const Punch kTueIn{"IN", "1001.Dept-1", "7:00:00 AM", "Tue-Feb-4"};
const std::string kUnpaid = "no clock-out after Mon 7:00 AM";
const std::string kStillIn = "in since Tue 7:00 AM";

// Kim at position 3 clocked in on Monday, told on Tuesday at 6:30 when she
// left (`left`, none: unknown) and clocked in again.
struct ToldWeek {
    explicit ToldWeek(std::optional<DateTime> left) {
        StationState s(base.path());
        const PunchInProgress in{2, "Kim", "IN", "1001", ".Dept-1", {}};
        EXPECT_TRUE(recordPunch(s, in, mondayFeb3(7), -5 * 3600));
        const DateTime told = mondayFeb3(6, 30).addDays(1);
        LastPunch last;
        EXPECT_TRUE(findLastPunch(s, in, told, last));
        EXPECT_TRUE(tellClockOut(realFiles(), *forgottenClockOut(last, in.position, told), left,
                                 {told, -5 * 3600, {}, {}}));
        EXPECT_TRUE(recordPunch(s, in, mondayFeb3(7).addDays(1), -5 * 3600));
        std::vector<ClockOutClaim> open;
        EXPECT_TRUE(openClaims(realFiles(), path(), open));
        EXPECT_EQ(open.size(), 1u);
        claim = open.at(0);
    }
    std::string path() const { return base.weekFile(mondayFeb3()); }
    std::string journal() const { return unsealedJournal(journalPathOf(path())); }
    PersonWeek report() const {
        return makeWeekReport(realFiles(), {{base.path(), "Door"}}, mondayFeb3(), kManager.when,
                              kDefaultOvertimeAfterSeconds)
            .people.at(0);
    }
    ProgramFolder base;
    ClockOutClaim claim;
};

TEST(ClaimAnswers, AcceptingStoresExactlyOneOutAtTheClaimedTimeThroughASave) {
    ToldWeek week(mondayFeb3(16, 30));
    EXPECT_EQ(week.report().dayHundredths[0], 0);
    EXPECT_EQ(week.report().flags,
              (std::vector<std::string>{kUnpaid, kStillIn,
                                        "punch 1: clock-out claimed, not accepted: left Mon-Feb-3 4:30:00 PM "
                                        "(told 2025-02-04 06:30:00)"}));
    RecordingTalk talk;
    ASSERT_EQ(acceptClaim(realFiles(), week.path(), week.claim, talk, kManager), SaveOutcome::Saved)
        << talk.toldText();
    const std::string after = readFile(week.path());
    EXPECT_EQ(recordAt(after, 3),
              makeRecord("Kim", {kMonIn, {"OUT", "", "4:30:00 PM", "Mon-Feb-3"}, kTueIn}));
    EXPECT_TRUE(week.journal().ends_with(
        "\naccepted\t2025-02-05T10:00:00-05:00\t3\t1\t2025-02-04T06:30:00-05:00\tann\toffice\n"));
    EXPECT_NE(week.journal().find("\nsave\t2025-02-05T10:00:00-05:00\t"), std::string::npos);
    WeekVerification v;
    EXPECT_TRUE(verifyWeekFile(realFiles(), week.path(), v) && v.passed());
    EXPECT_EQ(week.report().dayHundredths[0], 950);
    EXPECT_EQ(week.report().flags.back(), kStillIn);

    // Answered: accepting it again stores nothing more.
    EXPECT_EQ(acceptClaim(realFiles(), week.path(), week.claim, talk, kManager), SaveOutcome::Refused);
    EXPECT_EQ(readFile(week.path()), after);
}

TEST(ClaimAnswers, RejectingNeedsANoteAndStoresNothing) {
    ToldWeek week(std::nullopt);
    const std::string bytes = readFile(week.path());
    RecordingTalk talk; // no time to store
    EXPECT_EQ(acceptClaim(realFiles(), week.path(), week.claim, talk, kManager), SaveOutcome::Refused);
    EXPECT_EQ(rejectClaim(realFiles(), week.path(), week.claim, "  ", kManager).message(),
              "A claim is rejected with a note saying why.");
    ASSERT_TRUE(rejectClaim(realFiles(), week.path(), week.claim, "Left at noon", kManager));
    EXPECT_EQ(readFile(week.path()), bytes);
    EXPECT_TRUE(week.journal().ends_with("\nrejected\t2025-02-05T10:00:00-05:00\t3\t1\t2025-02-04T06:30:00-"
                                         "05:00\tLeft at noon\tann\toffice\n"));
    std::vector<ClockOutClaim> open;
    ASSERT_TRUE(openClaims(realFiles(), week.path(), open));
    EXPECT_TRUE(open.empty());
    EXPECT_EQ(week.report().flags, (std::vector<std::string>{kUnpaid, kStillIn}));
}

// A claimed time changed by hand into one the calendar or the clock lacks
// claims no time: accepting it could only store a punch at an impossible moment.
TEST(ClaimAnswers, OnlyAWholeRealMomentIsAClaimedTime) {
    const std::pair<std::string, std::string> cases[] = {{"2025-02-03 16:30:00", "left Mon-Feb-3 4:30:00 PM"},
                                                         {"2025-02-30 16:30:00", ""},
                                                         {"2025-02-03 24:00:00", ""},
                                                         {"2025-02-03 16:60:00", ""},
                                                         {"2025-02-03 16:30:00x", ""},
                                                         {"2025-02-03 16:30", ""},
                                                         {"unknown", ""}};
    for (const auto& [left, said] : cases) {
        const std::string text =
            "timeclock-journal\t2\tx.journal\tDoor\nclaim\t2025-02-04T06:30:00-05:00\t3\t1\tKim\t" + left +
            "\n";
        const std::vector<ClockOutClaim> claims = clockOutClaims(parseJournal(text));
        ASSERT_EQ(claims.size(), 1u) << left;
        EXPECT_EQ(claimText(claims[0]).substr(0, claimText(claims[0]).find(" (told")),
                  said.empty() ? "left at a time not known" : said)
            << left;
    }
}

} // namespace
} // namespace tc::test
