#include "core/report/PayRules.h"
#include "RecordText.h"
#include "cli/ReportCommand.h"
#include "core/files/Paths.h"
#include "core/format/WeekMoments.h"
#include "core/report/WeekReport.h"
#include "support/ReportRun.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

const DateTime kWeek = makeDateTime(2009, 2, 4); // the week of Monday Feb 2 to Sunday Feb 8 2009
const DateTime kLater = makeDateTime(2009, 3, 2, 9);

PayRules rules(std::initializer_list<std::pair<std::string, std::string>> settings) {
    PayRules r;
    for (const auto& [key, value] : settings)
        EXPECT_TRUE(r.set(key, value, "test")) << key;
    return r;
}

// The punches of working from `in` to `out` on each of `days` (0: Mon-Feb-2), as a record text goes on.
std::string shifts(const std::string& in, const std::string& out, std::initializer_list<int> days) {
    const char* const dates[] = {"Mon-Feb-2", "Tue-Feb-3", "Wed-Feb-4", "Thu-Feb-5",
                                 "Fri-Feb-6", "Sat-Feb-7", "Sun-Feb-8"};
    std::string s;
    for (const int d : days)
        s += "|IN " + in + " " + dates[d] + "|OUT " + out;
    return s;
}

// "Ann Mon 8.00 = 8.00: 8.00 + 0.00 ot + 0.00 dt, exact 8.23; flags", the figures as shown; a line whose
// parts do not add up says so.
std::string describe(const WeekReport& report) {
    const char* const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    std::string s;
    for (const PersonWeek& p : report.people) {
        s += p.name;
        long long daySum = 0;
        for (std::size_t d = 0; d < 7; ++d) {
            s += p.dayHundredths[d] ? std::string(" ") + days[d] + " " + formatShownHours(p.dayHundredths[d])
                                    : "";
            daySum += p.dayHundredths[d];
        }
        s += " = " + formatShownHours(p.totalHundredths) + ": " + formatShownHours(p.regularHundredths) +
             " + " + formatShownHours(p.overtimeHundredths) + " ot + " +
             formatShownHours(p.doubleTimeHundredths) + " dt, exact " + formatHours(p.exactSeconds);
        if (daySum != p.totalHundredths ||
            p.regularHundredths + p.overtimeHundredths + p.doubleTimeHundredths != p.totalHundredths)
            s += " (DOES NOT ADD UP)";
        for (const std::string& flag : p.flags)
            s += "; " + flag;
        s += "\n";
    }
    return s;
}

TEST(PayRules, EachRuleAndEachPairThatMeet) {
    const PayRules daily = rules({{"daily-overtime-after", "8"}});
    const PayRules california =
        rules({{"daily-overtime-after", "8"}, {"daily-double-time-after", "12"}, {"seventh-day", "on"}});
    const PayRules round15 = rules({{"round-minutes", "15"}});
    const PayRules meal = rules({{"meal-after-hours", "5"}, {"meal-minutes", "30"}});
    const std::string tenHourDays = "Ann" + shifts("7:00a", "5:00p", {0, 1, 2, 3, 4});
    const std::string tenHourWeek = "Ann Mon 10.00 Tue 10.00 Wed 10.00 Thu 10.00 Fri 10.00 = 50.00: 40.00 + "
                                    "10.00 ot + 0.00 dt, exact 50.00\n";
    const std::tuple<PayRules, std::vector<std::string>, std::string> cases[] = {
        // No rule on: weekly overtime as always. 10 h a day, 50 h: 10 h over 40.
        {PayRules(), {tenHourDays}, tenHourWeek},
        // Daily overtime after 8: the same week is 5 x 2 h daily overtime; the regular 40 h reach the weekly
        // 40 only on Friday's last hour, so no hour is overtime twice: 10 h over, not 20.
        {daily, {tenHourDays}, tenHourWeek},
        // Daily overtime then weekly: 4 x 11 h = 44 h; daily 4 x 3 h = 12 h over; regular 32 h < 40. A fifth
        // day of 10 h: 2 h daily, its 8 regular h bring 32 to 40 exactly: 14 h over.
        {daily,
         {"Bo" + shifts("6:00a", "5:00p", {0, 1, 2, 3}) + shifts("7:00a", "5:00p", {4}) +
          shifts("8:00a", "10:00a", {5})},
         "Bo Mon 11.00 Tue 11.00 Wed 11.00 Thu 11.00 Fri 10.00 Sat 2.00 = 56.00: 40.00 + 16.00 ot + 0.00 dt, "
         "exact 56.00\n"},
        // Double time after 12: a 13-hour day is 8 regular, 4 overtime (8 to 12), 1 double time.
        {california,
         {"Cy|IN 6:00a Mon-Feb-2|OUT 7:00p"},
         "Cy Mon 13.00 = 13.00: 8.00 + 4.00 ot + 1.00 dt, exact 13.00\n"},
        // The 13-hour day in a 50-hour week with the seventh day: Mon 8 + 4 ot + 1 dt; Tue to Thu 8 regular
        // each (32 regular so far); Fri 5 (37); Sat 4: 3 regular reach 40, 1 weekly overtime; Sun, the
        // seventh
        // day in a row, 4 h all overtime. Regular 40, overtime 4 + 1 + 4 = 9, double time 1.
        {california,
         {"Ann" + shifts("6:00a", "7:00p", {0}) + shifts("8:00a", "4:00p", {1, 2, 3}) +
          shifts("8:00a", "1:00p", {4}) + shifts("8:00a", "12:00p", {5, 6})},
         "Ann Mon 13.00 Tue 8.00 Wed 8.00 Thu 8.00 Fri 5.00 Sat 4.00 Sun 4.00 = 50.00: 40.00 + 9.00 ot + "
         "1.00 dt, exact 50.00\n"},
        // The seventh day alone: 6 x 6 h = 36 regular, Sunday 10 h: its first 8 overtime, 2 double time.
        {rules({{"seventh-day", "on"}}),
         {"Di" + shifts("8:00a", "2:00p", {0, 1, 2, 3, 4, 5}) + shifts("8:00a", "6:00p", {6})},
         "Di Mon 6.00 Tue 6.00 Wed 6.00 Thu 6.00 Fri 6.00 Sat 6.00 Sun 10.00 = 46.00: 36.00 + 8.00 ot + 2.00 "
         "dt, exact 46.00\n"},
        // Six days only: no seventh day, Sunday off; the same hours are plain regular.
        {rules({{"seventh-day", "on"}}),
         {"Di" + shifts("8:00a", "2:00p", {0, 1, 2, 3, 5}) + shifts("8:00a", "6:00p", {6})},
         "Di Mon 6.00 Tue 6.00 Wed 6.00 Thu 6.00 Sat 6.00 Sun 10.00 = 40.00: 40.00 + 0.00 ot + 0.00 dt, "
         "exact 40.00\n"},
        // Rounding to 15 minutes: 7:53 -> 8:00, 4:07 -> 4:00: 8 h paid of 8 h 14 min (8.23) worked; 8:07:30
        // is half way: up to 8:15; 4:07:29 down to 4:00: 7.75 h of 7 h 59 min 59 s (8.00).
        {round15,
         {"Ed|IN 7:53a Mon-Feb-2|OUT 4:07p", "Flo|IN 8:07:30a Mon-Feb-2|OUT 4:07:29p"},
         "Ed Mon 8.00 = 8.00: 8.00 + 0.00 ot + 0.00 dt, exact 8.23\n"
         "Flo Mon 7.75 = 7.75: 7.75 + 0.00 ot + 0.00 dt, exact 8.00\n"},
        // Rounding across midnight: IN Mon 11:53 PM is paid from Tue 0:00, so Monday's 7 minutes go; OUT Tue
        // 11:55 PM is paid to Wed 0:00, on Tuesday: Tue 24.00 paid of 24 h 2 min worked (24.03).
        {round15,
         {"Gil|IN 11:53p Mon-Feb-2|OUT 11:55p Tue-Feb-3"},
         "Gil Tue 24.00 = 24.00: 24.00 + 0.00 ot + 0.00 dt, exact 24.03; over 16 hours: Mon 11:53 PM to Tue "
         "11:55 PM\n"},
        // Rounding and daily overtime meet: 7:52 -> 7:45, 4:08 -> 4:15: 8.5 h paid, 0.5 of it overtime; the
        // overtime is counted on the paid hours.
        {rules({{"round-minutes", "15"}, {"daily-overtime-after", "8"}}),
         {"Hy|IN 7:52a Mon-Feb-2|OUT 4:08p"},
         "Hy Mon 8.50 = 8.50: 8.00 + 0.50 ot + 0.00 dt, exact 8.27\n"},
        // A meal at 5 hours 1 minute is late: flagged (5 h 1 min + 3 h = 8.02 h); at 5 hours it is not; a
        // 10-minute break does not end the stretch (7:00 to 12:30 is 5.5 h; 3 + 2 h 20 min + 2 h = 7.33 h).
        {meal,
         {"Ivy|IN 7:00a Mon-Feb-2|LUNCH 12:01p|IN 12:31p|OUT 3:31p",
          "Jo|IN 7:00a Mon-Feb-2|LUNCH 12:00p|IN 12:30p|OUT 3:30p",
          "Kit|IN 7:00a Mon-Feb-2|LUNCH 10:00a|IN 10:10a|LUNCH 12:30p|IN 1:00p|OUT 3:00p"},
         "Ivy Mon 8.02 = 8.02: 8.02 + 0.00 ot + 0.00 dt, exact 8.02; meal break: 5.02 hours of work from Mon "
         "7:00 AM to Mon 12:01 PM without a break of 30 minutes\n"
         "Jo Mon 8.00 = 8.00: 8.00 + 0.00 ot + 0.00 dt, exact 8.00\n"
         "Kit Mon 7.33 = 7.33: 7.33 + 0.00 ot + 0.00 dt, exact 7.33; meal break: 5.50 hours of work from Mon "
         "7:00 AM to Mon 12:30 PM without a break of 30 minutes\n"},
    };
    for (const auto& [pay, records, expected] : cases) {
        SCOPED_TRACE(expected);
        ProgramFolder folder;
        folder.writeWeek(kWeek, week(records));
        EXPECT_EQ(describe(makeWeekReport(realFiles(), {{folder.path(), "Front"}}, kWeek, kLater, 40 * 3600,
                                          nullptr, ZoneRules(), pay)),
                  expected);
    }
}

TEST(PayRules, RefusesASettingItCannotUseAndWritesNothing) {
    const std::pair<std::string, std::string> cases[] = {
        // [pay] line, the message's words after the file's name
        {"round-minutes = 7", "round-minutes must be 0, 5, 6, 10 or 15, not \"7\"."},
        {"daily-overtime-after = eight",
         "daily-overtime-after must be a number of hours in a day such as 8 or 7.5, not \"eight\"."},
        {"meal-minutes = -5",
         "meal-minutes must be a number of minutes from 1 to 240 such as 30, not \"-5\"."},
        {"seventh-day = yes", "seventh-day must be on or off, not \"yes\"."},
        {"overtime-after = -1", "overtime-after must be a number of hours such as 40 or 37.5."},
        {"double = 12", "[pay] has no setting \"double\" (there are " + std::string(PayRules::keys()) + ")."},
    };
    for (const auto& [line, said] : cases) {
        SCOPED_TRACE(line);
        ProgramFolder folder;
        folder.writeWeek(kWeek, week({"Ann|IN 8:00a Mon-Feb-2|OUT 4:00p"}));
        writeFile(folder.file("timeclock.ini"), "[pay]\n" + line + "\n");
        const std::string csv = folder.file("week.csv");
        const ReportRun run = runReport({"--week", "2009-02-04", "--csv", csv}, folder.path(), kLater);
        EXPECT_EQ(run.code, ReportCommand::BadUsage);
        EXPECT_EQ(run.err, "timeclock-report: In " + folder.file("timeclock.ini") + ", " + said + "\n");
        EXPECT_FALSE(fileExists(csv));
    }
}

TEST(PayRules, CsvFilesGainTheirColumnsAndTheRoundingAudit) {
    ProgramFolder folder;
    // Ann 7:53 AM to 9:08 PM: 13 h 15 min exact, paid 8:00 AM to 9:15 PM = 13.25 h: 8 + 4 ot + 1.25 dt; she
    // gains 0 min (-7 + 7). Bob 8:07 AM to 4:07 PM: paid 8:00 to 4:00, gains 0; 12:07 AM to 12:10 AM Tue:
    // paid 12:00 to 12:15, gains 12 min. Shop: 12 min gained.
    folder.writeWeek(
        kWeek,
        week({"Ann|IN 7:53a Mon-Feb-2 1001.Dept-1|OUT 9:08p",
              "Bob|IN 8:07a Mon-Feb-2 1001.Dept-1|OUT 4:07p|IN 12:07a Tue-Feb-3 1001.Dept-1|OUT 12:10a"}));
    writeFile(folder.file("timeclock.ini"), "[pay]\nround-minutes = 15\ndaily-overtime-after = 8\n"
                                            "daily-double-time-after = 12\n");
    const std::string csv = folder.file("w.csv"), detail = folder.file("d.csv"), audit = folder.file("a.csv");
    const ReportRun run =
        runReport({"--week", "2009-02-04", "--csv", csv, "--detail-csv", detail, "--rounding-audit", audit},
                  folder.path(), kLater);
    ASSERT_EQ(run.code, ReportCommand::Done) << run.err;
    const std::string bom = "\xEF\xBB\xBF", head = "2009-02-08," + stationName(folder.path()) + ",";
    EXPECT_EQ(
        readFile(csv),
        bom +
            "Week Ending,Station,Position,Name,Mon,Tue,Wed,Thu,Fri,Sat,Sun,Total,Regular,"
            "Overtime,Double Time,Flags,Approved,Closed\r\n" +
            head + "1,Ann,13.25,0.00,0.00,0.00,0.00,0.00,0.00,13.25,8.00,4.00,1.25,,no,no\r\n" + head +
            "2,Bob,8.00,0.25,0.00,0.00,0.00,0.00,0.00,8.25,8.25,0.00,0.00,,no,no\r\nSeal,not sealed\r\n");
    EXPECT_EQ(
        readFile(detail),
        bom +
            "Week Ending,Station,Position,Name,Job,Department,Start,End,Paid Start,Paid End,Hours,Flags\r\n" +
            head +
            "1,Ann,1001,Dept-1,2009-02-02 07:53:00,2009-02-02 21:08:00,2009-02-02 08:00:00,2009-02-02 "
            "21:15:00,13.25,\r\n" +
            head +
            "2,Bob,1001,Dept-1,2009-02-02 08:07:00,2009-02-02 16:07:00,2009-02-02 08:00:00,2009-02-02 "
            "16:00:00,8.00,\r\n" +
            head +
            "2,Bob,1001,Dept-1,2009-02-03 00:07:00,2009-02-03 00:10:00,2009-02-03 00:00:00,2009-02-03 "
            "00:15:00,0.25,\r\nSeal,not sealed\r\n");
    EXPECT_EQ(readFile(audit), bom + "Week Ending,Name,Exact Hours,Paid Hours,Minutes Gained\r\n"
                                     "2009-02-08,Ann,13.25,13.25,0.00\r\n"
                                     "2009-02-08,Bob,8.05,8.25,12.00\r\n"
                                     "2009-02-08,Total,21.30,21.50,12.00\r\n");
    EXPECT_NE(run.out.find("Overtime  Double Time  Approved  Flags\n"), std::string::npos) << run.out;
}

} // namespace
} // namespace tc::test
