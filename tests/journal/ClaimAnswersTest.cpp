// The manager's answer to a clock-out told at the station: accepting stores
// exactly one OUT through a save, rejecting stores nothing; the report shows
// the claim until it is answered.
#include "JournalWeek.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

const std::string kUnpaid = "no clock-out after Mon 7:00 AM";
const std::string kStillIn = "in since Tue 7:00 AM";
PersonWeek kim(const JournalWeek& w) {
    return w.report().people.at(0);
}

TEST(ClaimAnswers, AcceptingStoresExactlyOneOutAtTheClaimedTimeThroughASave) {
    JournalWeek week;
    const ClockOutClaim claim = week.toldClockOut(mondayFeb3(16, 30));
    EXPECT_EQ(kim(week).dayHundredths[0], 0);
    EXPECT_EQ(kim(week).flags,
              (std::vector<std::string>{kUnpaid, kStillIn,
                                        "punch 1: clock-out claimed, not accepted: left Mon-Feb-3 4:30:00 PM "
                                        "(told 2025-02-04 06:30:00)"}));
    RecordingTalk talk;
    ASSERT_EQ(acceptClaim(realFiles(), week.path(), claim, talk, kManager), SaveOutcome::Saved)
        << talk.toldText();
    const std::string after = readFile(week.path());
    EXPECT_EQ(recordAt(after, 3),
              rec("Kim|IN 7:00a Mon-Feb-3 1001.Dept-1|OUT 4:30p|IN 7:00a Tue-Feb-4 1001.Dept-1"));
    EXPECT_TRUE(
        week.events().ends_with("\naccepted\t" + kWhen + "\t3\t1\t2025-02-04T06:30:00-05:00\tann\toffice\n"));
    EXPECT_TRUE(week.verify().passed());
    EXPECT_EQ(kim(week).dayHundredths[0], 950);
    EXPECT_EQ(kim(week).flags.back(), kStillIn);

    // Answered: accepting it again stores nothing more.
    EXPECT_EQ(acceptClaim(realFiles(), week.path(), claim, talk, kManager), SaveOutcome::Refused);
    EXPECT_EQ(readFile(week.path()), after);
}

TEST(ClaimAnswers, RejectingNeedsANoteAndStoresNothing) {
    JournalWeek week;
    const ClockOutClaim claim = week.toldClockOut(std::nullopt);
    const std::string bytes = readFile(week.path());
    RecordingTalk talk; // no time to store
    EXPECT_EQ(acceptClaim(realFiles(), week.path(), claim, talk, kManager), SaveOutcome::Refused);
    EXPECT_EQ(rejectClaim(realFiles(), week.path(), claim, "  ", kManager).message(),
              "A claim is rejected with a note saying why.");
    ASSERT_TRUE(rejectClaim(realFiles(), week.path(), claim, "Left at noon", kManager));
    EXPECT_EQ(readFile(week.path()), bytes);
    EXPECT_TRUE(week.events().ends_with("\nrejected\t" + kWhen +
                                        "\t3\t1\t2025-02-04T06:30:00-"
                                        "05:00\tLeft at noon\tann\toffice\n"));
    EXPECT_EQ(kim(week).flags, (std::vector<std::string>{kUnpaid, kStillIn}));
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
