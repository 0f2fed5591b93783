#include "punch/LastActionSummary.h"

#include "data/Paths.h"
#include "data/WeekFile.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

using F = TimeRecord::Field;

// `lastWeek`: the same position's record in the week before, when given.
SummaryTexts summaryOf(const TimeRecord& r, const TimeRecord* lastWeek = nullptr, char separator = '.') {
    ProgramFolder base;
    base.putRecord(mondayFeb3(), 4, r);
    if (lastWeek)
        base.putRecord(sundayFeb2(), 4, *lastWeek);
    AppState s(base.path());
    s.WeekFile = "stale";
    s.ButtonNumber = 4;
    SummaryTexts t = LastActionSummary(s, mondayFeb3(18), separator);
    EXPECT_EQ(s.WeekFile, base.weekFile(mondayFeb3()));
    return t;
}

std::string hoursOf(std::initializer_list<Punch> punches) {
    const std::string line = summaryOf(makeRecord("A", punches)).Text2;
    const std::string prefix = "Time As of Last Action. = ";
    EXPECT_EQ(line.rfind(prefix, 0), 0u);
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    return line.substr(prefix.size(), line.size() - prefix.size() - 2);
}

Punch at(const char* action, const char* time, const char* date = "Mon-Feb-3") {
    return {action, *action == 'I' || *action == 'C' ? "1001.Dept-1" : "", time, date};
}

TEST(LastActionSummary, DescribesTheLastPunchAsStored) {
    const SummaryTexts t = summaryOf(makeRecord("Ann", {at("IN", "8:00:00 AM"), at("LUNCH", "12:00:00 PM"),
                                                        at("IN", "12:30:00 PM"), at("OUT", "4:30:00 PM")}));
    EXPECT_EQ(t.Text1, "Last Operation        OUT    \r\n"
                       "On Job Number                          \r\n"
                       "At Time                   4:30:00 PM \r\n"
                       "On Date                   Mon-Feb-3  ");
    EXPECT_EQ(t.Text2, "Time As of Last Action. = 8\r\n");

    const SummaryTexts in = summaryOf(makeRecord("Ann", {at("IN", "12:30:00 PM", "Wed-Feb-12")}));
    EXPECT_EQ(in.Text1, "Last Operation        IN     \r\n"
                        "On Job Number      1001.Dept-1         \r\n"
                        "At Time                   12:30:00 PM\r\n"
                        "On Date                   Wed-Feb-12 ");
    EXPECT_EQ(in.Text2, "Time As of Last Action. = \r\n");

    // No punch this week: entry 0 is all NULs, and the box shows nothing past the first.
    const SummaryTexts none = summaryOf(TimeRecord());
    EXPECT_EQ(none.Text1, "Last Operation        ");
    EXPECT_EQ(none.Text2, "Time As of Last Action. = \r\n");
}

TEST(LastActionSummary, CountsEachWorkedPeriodInWholeHundredths) {
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("LUNCH", "12:00:00 PM"), at("IN", "12:30:00 PM"),
                       at("OUT", "4:30:00 PM")}),
              "8"); // 4 + 4, never 7.99
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("LUNCH", "12:00:00 PM"), at("IN", "12:30:00 PM")}), "4");
    EXPECT_EQ(hoursOf({at("IN", "10:00:00 PM"), at("OUT", "6:00:00 AM", "Tue-Feb-4")}), "8");
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("CHANGE", "8:20:00 AM")}), "0.33");
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("CHANGE", "8:20:00 AM"), at("OUT", "9:00:00 AM")}), "0.99");
    EXPECT_EQ(hoursOf({at("IN", "7:00:00 AM"), at("OUT", "11:30:00 AM")}), "4.5");
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("OUT", "9:00:00 AM", "Tue-Feb-4")}), "1");
    EXPECT_EQ(hoursOf({at("LUNCH", "12:00:00 PM"), at("IN", "1:00:00 PM"), at("OUT", "1:00:00 PM")}), "0");
    // The clock set back (autumn change, a corrected clock): a later punch on the same date is no day later.
    EXPECT_EQ(hoursOf({at("IN", "1:50:05 AM"), at("OUT", "1:10:01 AM")}), "0");
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("OUT", "7:58:30 AM"), at("IN", "8:00:00 AM"),
                       at("OUT", "9:00:00 AM")}),
              "1");
    // Two days of the usual pattern add up.
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("LUNCH", "12:00:00 PM"), at("IN", "12:30:00 PM"),
                       at("OUT", "4:30:00 PM"), at("IN", "7:00:00 AM", "Tue-Feb-4"),
                       at("OUT", "3:15:00 PM", "Tue-Feb-4")}),
              "16.25");
}

TEST(LastActionSummary, AShiftAcrossSundayMidnightCountsFromLastWeeksPunch) {
    const TimeRecord monday =
        makeRecord("Ann", {at("OUT", "6:00:00 AM"), at("IN", "8:00:00 AM"), at("OUT", "9:30:00 AM")});
    auto hours = [&](const TimeRecord& sunday) { return summaryOf(monday, &sunday).Text2; };
    EXPECT_EQ(hours(makeRecord(
                  "Ann ", {at("IN", "7:00:00 AM", "Sun-Feb-2"), at("CHANGE", "10:00:00 PM", "Sun-Feb-2")})),
              "Time As of Last Action. = 9.5\r\n"); // 8 across midnight, 1.5 on Monday
    EXPECT_EQ(hours(makeRecord(
                  "Ann", {at("IN", "10:00:00 PM", "Sun-Feb-2"), at("OUT", "11:00:00 PM", "Sun-Feb-2")})),
              "Time As of Last Action. = 1.5\r\n"); // clocked out on Sunday: nothing carried
    EXPECT_EQ(hours(makeRecord("Bob", {at("IN", "10:00:00 PM", "Sun-Feb-2")})),
              "Time As of Last Action. = 1.5\r\n"); // another person on the button last week
    EXPECT_EQ(
        summaryOf(makeRecord("Ann", {at("IN", "7:00:00 AM"), at("OUT", "11:30:00 AM")}), nullptr, ',').Text2,
        "Time As of Last Action. = 4,5\r\n"); // the machine's decimal separator
}

TEST(LastActionSummary, AnUnreadableTimeLosesOnlyItsOwnPeriod) {
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("OUT", "8 o'clock"), at("IN", "1:00:00 PM"),
                       at("OUT", "3:00:00 PM")}),
              "2");
    EXPECT_EQ(
        hoursOf({at("IN", "soon"), at("OUT", "9:00:00 AM"), at("IN", "1:00:00 PM"), at("OUT", "3:00:00 PM")}),
        "2");
    // A following time of blanks only is not a never-written entry: the count goes on.
    EXPECT_EQ(
        hoursOf({at("IN", "8:00:00 AM"), at("OUT", ""), at("IN", "1:00:00 PM"), at("OUT", "3:00:00 PM")}),
        "2");
    EXPECT_EQ(hoursOf({at("IN", "8:00:00 AM"), at("OUT", "")}), "");
}

TEST(LastActionSummary, AFullRecordStopsAtEntryOneHundred) {
    // 50 one-hour periods (IN 8:00, OUT 9:00), then entry 100 turned into an IN.
    TimeRecord r = fullRecord("A", "IN");
    // Whatever follows entry 100 in memory is not an entry and must not be read as one.
    r.set(F::ActDate, 0, "9:00:00 PM");
    const SummaryTexts t = summaryOf(r);
    EXPECT_EQ(t.Text2, "Time As of Last Action. = 50\r\n");
    EXPECT_EQ(t.Text1, "Last Operation        IN     \r\n"
                       "On Job Number      " +
                           std::string(20, ' ') +
                           "\r\n"
                           "At Time                   9:00:00 AM \r\n"
                           "On Date                   Mon-Feb-3  ");
}

} // namespace
} // namespace tc::test
