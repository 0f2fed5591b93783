#include "core/report/WeekReport.h"
#include "cli/ReportCommand.h"
#include "core/files/Paths.h"
#include "core/format/WeekMoments.h"
#include "core/journal/Journal.h"
#include "core/report/PayRules.h"
#include "core/report/ReportCsv.h"
#include "core/report/ReportSettings.h"
#include "core/report/StationsReport.h"
#include "support/RecordText.h"
#include "support/ReportRun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>
#include <regex>

namespace tc::test {
namespace {

const DateTime kWeek = makeDateTime(2009, 2, 4); // Wednesday; the week ends Sunday Feb 8 2009
const DateTime kLater = makeDateTime(2009, 3, 2, 9), kNextWeek = makeDateTime(2009, 2, 11, 9);
const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

// The week files of a case: this week's, last week's and next week's of the station "Front", then this
// week's of "Back" ({"/"}: a folder in the file's place).
struct Stations {
    ProgramFolder front, back;
    std::vector<ReportSource> sources = {{front.path(), "Front"}};
    explicit Stations(const std::vector<std::vector<std::string>>& files) {
        const int days[] = {0, -7, 7, 0};
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string path = (i < 3 ? front : back).weekFile(kWeek.addDays(days[i]));
            files[i] == std::vector<std::string>{"/"} ? void(std::filesystem::create_directory(path))
                                                      : writeFile(path, week(files[i]));
        }
        if (files.size() > 3)
            sources.push_back({back.path(), "Back"});
    }
};

// The punches of working from `in` to `out` on each of `days` (0: Mon-Feb-2), as a record text goes on.
std::string shifts(const std::string& in, const std::string& out, std::initializer_list<int> days) {
    std::string s;
    for (const int d : days)
        s += "|IN " + in + " " + kDays[d] + "-Feb-" + std::to_string(2 + d) + "|OUT " + out;
    return s;
}

// Each person on a line, the figures as shown: "Ann Tue 2.00 Wed 11.00 = 13.00, 4.00 over, 1.00 double,
// exact 12.95; flags", overtime, double time and the hours before rounding only where they say something;
// then the problems' first words. A line whose shown parts do not add up says so.
std::string describe(const WeekReport& report) {
    std::string s;
    for (const PersonWeek& p : report.people) {
        s += p.name;
        for (std::size_t d = 0; d < 7; ++d)
            s += p.dayHundredths[d] ? std::string(" ") + kDays[d] + " " + formatShownHours(p.dayHundredths[d])
                                    : "";
        const std::string total = formatShownHours(p.totalHundredths), exact = formatHours(p.exactSeconds);
        s += " = " + total;
        s += p.overtimeHundredths ? ", " + formatShownHours(p.overtimeHundredths) + " over" : "";
        s += p.doubleTimeHundredths ? ", " + formatShownHours(p.doubleTimeHundredths) + " double" : "";
        s += exact != total ? ", exact " + exact : "";
        if (std::accumulate(p.dayHundredths.begin(), p.dayHundredths.end(), 0LL) != p.totalHundredths ||
            p.regularHundredths + p.overtimeHundredths + p.doubleTimeHundredths != p.totalHundredths)
            s += " (DOES NOT ADD UP)";
        for (const std::string& flag : p.flags)
            s += "; " + flag;
        s += "\n";
    }
    for (const ReportProblem& problem : report.problems)
        s += problem.message.substr(0, problem.message.find(' ')) + "\n";
    return s;
}

// The rules of the week (a span across midnight, Sunday's carry to and from the weeks beside, what is not
// counted and why, stations added up) and of pay, each alone and where two meet.
TEST(WeekReport, TheRulesOfTheWeekAndOfPay) {
    using Settings = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        std::vector<std::vector<std::string>> files; // as Stations takes them
        std::string people;
        Settings pay = {}; // [pay]
        long long overtimeAfter = 40 * 3600;
    };
    const Settings daily = {{"daily-overtime-after", "8"}}, round15 = {{"round-minutes", "15"}};
    const Settings california = {
        {"daily-overtime-after", "8"}, {"daily-double-time-after", "12"}, {"seventh-day", "on"}};
    const std::string fourDays = "Ann|IN 8:00a Mon-Feb-2|OUT 6:30p" + shifts("8:00a", "6:00p", {1, 2, 3});
    const std::string fourDaysShown = "Ann Mon 10.50 Tue 10.00 Wed 10.00 Thu 10.00 = 40.50";
    const Case cases[] = {
        {{{"Ann|IN 10:00p Tue-Feb-3|OUT 6:00a Wed-Feb-4", "Bob|IN 4:02p Tue-Feb-3",
           "Cy|IN 6:00a Mon-Feb-2|OUT 11:00p", "Dee|IN 8:00a Mon-Feb-2|OUT 12:00p|IN 11:00a|OUT 3:00p",
           "Eve|IN 8:00a Mon-Feb-2|OUT 25:00p|IN 1:00p Tue-Feb-2|OUT 2:00p Mon-Feb-2|X 3:00p|OUT 4:00p "
           "Mon-Feb-9",
           "Fay|IN 8:00a Mon-Feb-2|OUT 8:00:18a|IN 8:00a Tue-Feb-3|OUT 8:00:18a|IN 8:00a Wed-Feb-4|OUT "
           "8:00:17a"}},
         "Ann Tue 2.00 Wed 6.00 = 8.00\n"
         "Bob = 0.00; no clock-out after Tue 4:02 PM\n"
         "Cy Mon 17.00 = 17.00; over 16 hours: Mon 6:00 AM to Mon 11:00 PM\n"
         "Dee Mon 4.00 = 4.00; punch 3 (Mon 11:00 AM) is earlier than the punch before it; its hours are not "
         "counted\n"
         "Eve = 0.00; punch 2 cannot be read (\"25:00:00 PM\", \"Mon-Feb-2\"); its hours are not counted; "
         "punch 3 cannot be read (\"1:00:00 PM\", \"Tue-Feb-2\"); its hours are not counted; punch 5 has no "
         "action IN, CHANGE, LUNCH or OUT (\"X\"); punch 6 is dated Mon-Feb-9, outside the week; its hours "
         "are not counted\n"
         "Fay Mon 0.01 = 0.01\n"},
        // a lunch without a return, the next day's IN following (at a record's end: Cy below)
        {{{"Gus|IN 8:00a Mon-Feb-2|LUNCH 12:00p|IN 8:00a Tue-Feb-3|OUT 4:00p"}},
         "Gus Mon 4.00 Tue 8.00 = 12.00; no return from lunch after Mon 12:00 PM\n"},
        {{{"Ann|IN 10:00p Sun-Feb-8"}, {}, {" Ann|OUT 6:00a Mon-Feb-9"}}, "Ann Sun 2.00 = 2.00\n"},
        {{{"Ann|OUT 6:00a Mon-Feb-2"}, {"Ann|IN 10:00p Sun-Feb-1"}}, "Ann Mon 6.00 = 6.00\n"},
        {{{"Ann|OUT 6:00a Mon-Feb-2"}, {"Ann|IN 8:00a Sun-Feb-1|OUT 12:00p|IN 10:00p"}},
         "Ann Mon 6.00 = 6.00\n"},
        // last week's open IN of one employee is never paid to another at that position, nor next week's
        // first punch of another closing this week's
        {{{"Bob|OUT 6:00a Mon-Feb-2"}, {"Ann|IN 10:00p Sun-Feb-1"}}, "Bob = 0.00\n"},
        {{{"Ann|IN 10:00p Sun-Feb-8"}, {}, {"Bob|OUT 6:00a Mon-Feb-9"}},
         "Ann = 0.00; no clock-out after Sun 10:00 PM\n"},
        {{{"Ann|IN 6:00a Mon-Feb-2|OUT 6:00p|IN 6:00a Tue-Feb-3|OUT 6:00p"},
          {"/"},
          {},
          {"", "Ann |IN 6:00a Wed-Feb-4|OUT 6:00p|IN 6:00a Thu-Feb-5|OUT 1:00p"}},
         "Ann Mon 12.00 Tue 12.00 Wed 12.00 Thu 7.00 = 43.00, 3.00 over\nCannot\n"},
        // An IN or CHANGE of a later day ends a span without its clock-out,
        // in one week's file or across two.
        {{{"Ann|IN 8:00a Mon-Feb-2|IN 8:00a Tue-Feb-3|OUT 4:00p",
           "Bob|IN 10:00p Mon-Feb-2|CHANGE 1:00a Tue-Feb-3|OUT 2:00a|IN 3:00a|CHANGE 4:00a|OUT 5:00a",
           "Cy|IN 8:00a Mon-Feb-2|LUNCH 12:00p", "Dee|IN 8:00a Sun-Feb-8"},
          {"", "", "Cy|IN 8:00a Sun-Feb-1"},
          {"", "", "", "Dee|CHANGE 7:00a Mon-Feb-9|OUT 8:00a"}},
         "Ann Tue 8.00 = 8.00; no clock-out after Mon 8:00 AM\n"
         "Bob Tue 3.00 = 3.00; no clock-out after Mon 10:00 PM\n"
         "Cy Mon 4.00 = 4.00; no clock-out after Sun 8:00 AM; no return from lunch after Mon 12:00 PM\n"
         "Dee = 0.00; no clock-out after Sun 8:00 AM\n"},
        // Overtime on a week and a threshold that are not whole hours.
        {{{fourDays}}, fourDaysShown + ", 0.50 over\n"},
        {{{fourDays}}, fourDaysShown + ", 3.00 over\n", {}, 37 * 3600 + 1800},
        // Daily overtime after 8: 5 x 2 h daily overtime; the regular 40 h reach the weekly 40 only on
        // Friday's last hour, so no hour is overtime twice: 10 h over, not 20.
        {{{"Ann" + shifts("7:00a", "5:00p", {0, 1, 2, 3, 4})}},
         "Ann Mon 10.00 Tue 10.00 Wed 10.00 Thu 10.00 Fri 10.00 = 50.00, 10.00 over\n",
         daily},
        // Daily overtime then weekly: 4 x 11 h = 44 h; daily 4 x 3 h = 12 h over; regular 32 h < 40. A fifth
        // day of 10 h: 2 h daily, its 8 regular h bring 32 to 40 exactly: 14 h over.
        {{{"Bo" + shifts("6:00a", "5:00p", {0, 1, 2, 3}) + shifts("7:00a", "5:00p", {4}) +
           shifts("8:00a", "10:00a", {5})}},
         "Bo Mon 11.00 Tue 11.00 Wed 11.00 Thu 11.00 Fri 10.00 Sat 2.00 = 56.00, 16.00 over\n",
         daily},
        // The 13-hour day in a 50-hour week with the seventh day: Mon 8 + 4 ot + 1 dt; Tue to Thu 8 regular
        // each (32 regular so far); Fri 5 (37); Sat 4: 3 regular reach 40, 1 weekly overtime; Sun, the
        // seventh day in a row, 4 h all overtime. Regular 40, overtime 4 + 1 + 4 = 9, double time 1.
        {{{"Ann" + shifts("6:00a", "7:00p", {0}) + shifts("8:00a", "4:00p", {1, 2, 3}) +
           shifts("8:00a", "1:00p", {4}) + shifts("8:00a", "12:00p", {5, 6})}},
         "Ann Mon 13.00 Tue 8.00 Wed 8.00 Thu 8.00 Fri 5.00 Sat 4.00 Sun 4.00 = 50.00, 9.00 over, 1.00 "
         "double\n",
         california},
        // The seventh day alone: 6 x 6 h = 36 regular, Sunday 10 h: its first 8 overtime, 2 double time.
        {{{"Di" + shifts("8:00a", "2:00p", {0, 1, 2, 3, 4, 5}) + shifts("8:00a", "6:00p", {6})}},
         "Di Mon 6.00 Tue 6.00 Wed 6.00 Thu 6.00 Fri 6.00 Sat 6.00 Sun 10.00 = 46.00, 8.00 over, 2.00 "
         "double\n",
         {{"seventh-day", "on"}}},
        // Six days only: no seventh day, Sunday off; the same hours are plain regular.
        {{{"Di" + shifts("8:00a", "2:00p", {0, 1, 2, 3, 5}) + shifts("8:00a", "6:00p", {6})}},
         "Di Mon 6.00 Tue 6.00 Wed 6.00 Thu 6.00 Sat 6.00 Sun 10.00 = 40.00\n",
         {{"seventh-day", "on"}}},
        // Rounding to 15 minutes: 7:53 -> 8:00, 4:07 -> 4:00: 8 h paid of 8 h 14 min (8.23) worked; 8:07:30
        // is half way: up to 8:15; 4:07:29 down to 4:00: 7.75 h of 7 h 59 min 59 s (8.00).
        {{{"Ed|IN 7:53a Mon-Feb-2|OUT 4:07p", "Flo|IN 8:07:30a Mon-Feb-2|OUT 4:07:29p"}},
         "Ed Mon 8.00 = 8.00, exact 8.23\nFlo Mon 7.75 = 7.75, exact 8.00\n",
         round15},
        // Rounding across midnight: IN Mon 11:53 PM is paid from Tue 0:00, so Monday's 7 minutes go; OUT Tue
        // 11:55 PM is paid to Wed 0:00, on Tuesday: Tue 24.00 paid of 24 h 2 min worked (24.03).
        {{{"Gil|IN 11:53p Mon-Feb-2|OUT 11:55p Tue-Feb-3"}},
         "Gil Tue 24.00 = 24.00, exact 24.03; over 16 hours: Mon 11:53 PM to Tue 11:55 PM\n",
         round15},
        // A meal at 5 hours 1 minute is late: flagged (5 h 1 min + 3 h = 8.02 h); at 5 hours it is not; a
        // 10-minute break does not end the stretch (7:00 to 12:30 is 5.5 h; 3 + 2 h 20 min + 2 h = 7.33 h).
        {{{"Ivy|IN 7:00a Mon-Feb-2|LUNCH 12:01p|IN 12:31p|OUT 3:31p",
           "Jo|IN 7:00a Mon-Feb-2|LUNCH 12:00p|IN 12:30p|OUT 3:30p",
           "Kit|IN 7:00a Mon-Feb-2|LUNCH 10:00a|IN 10:10a|LUNCH 12:30p|IN 1:00p|OUT 3:00p"}},
         "Ivy Mon 8.02 = 8.02; meal break: 5.02 hours of work from Mon 7:00 AM to Mon 12:01 PM without a "
         "break "
         "of 30 minutes\n"
         "Jo Mon 8.00 = 8.00\n"
         "Kit Mon 7.33 = 7.33; meal break: 5.50 hours of work from Mon 7:00 AM to Mon 12:30 PM without a "
         "break "
         "of 30 minutes\n",
         {{"meal-after-hours", "5"}, {"meal-minutes", "30"}}},
    };
    for (const auto& [files, people, settings, overtimeAfter] : cases) {
        SCOPED_TRACE(people);
        PayRules pay;
        for (const auto& [key, value] : settings)
            EXPECT_TRUE(pay.set(key, value, "test")) << key;
        EXPECT_EQ(describe(makeWeekReport(realFiles(), Stations(files).sources, kWeek, kLater, overtimeAfter,
                                          nullptr, ZoneRules(), pay)),
                  people);
    }
}

// The detail and jobs files as a clerk re-adds and pivots them: a job's rows add up to its line and the
// jobs to the week's total, as shown; every span has its row, those not counted with 0 hours and why.
TEST(WeekReport, DetailRowsAddUpToTheirJobAndEverySpanHasOne) {
    const Stations stations({{
        "Ann|IN 8:00a Mon-Feb-2 1001.Dept-1|OUT 8:00:18a|IN 9:00a Mon-Feb-2 1001.Dept-1|OUT 9:00:18a",
        "Ann|IN 10:00a Mon-Feb-2 1001.Dept-1|OUT 10:00:18a|IN 11:00a Mon-Feb-2 1002.Office|OUT 11:00:18a",
        "Bob|IN 8:00a Mon-Feb-2 1002.Office|OUT 8:00:18a",
        // a department cut short to fit the job field's 20 characters
        "Cy|IN 8:00a Mon-Feb-2 12345678901234.Offic|OUT 9:00a",
        "Eve|IN 8:00a Mon-Feb-2 1001.Dept-1|OUT 25:00p|IN 1:00p Mon-Feb-9 1001.Dept-1|OUT 2:00p Mon-Feb-2",
        "Eve|IN 3:00p Mon-Feb-2 1001.Dept-1|OUT 1:00p|IN 3:30p Mon-Feb-2 1001.Dept-1|OUT 5:30p",
        "Eve|IN 6:00p Mon-Feb-2 1001.Dept-1|IN 5:00p Mon-Feb-30 1001.Dept-1",
    }});
    const WeekReport report = makeWeekReport(realFiles(), stations.sources, kWeek, kLater, 40 * 3600);
    // Without the headers, the week and station and the seals.
    const std::regex cut("\xEF\xBB\xBF.*\r\n|2009-02-08,(Front,)?|Seal,not sealed\r\n");
    EXPECT_EQ(
        std::regex_replace(ReportCsv::detail(report) + ReportCsv::jobs(report), cut, ""),
        "1,Ann,1001,Dept-1,2009-02-02 08:00:00,2009-02-02 08:00:18,0.01,\r\n"
        "1,Ann,1001,Dept-1,2009-02-02 09:00:00,2009-02-02 09:00:18,0.01,\r\n"
        "2,Ann,1001,Dept-1,2009-02-02 10:00:00,2009-02-02 10:00:18,0.00,\r\n"
        "2,Ann,1002,Office,2009-02-02 11:00:00,2009-02-02 11:00:18,0.01,\r\n"
        "3,Bob,1002,Office,2009-02-02 08:00:00,2009-02-02 08:00:18,0.00,\r\n"
        "4,Cy,12345678901234,Office,2009-02-02 08:00:00,2009-02-02 09:00:00,1.00,\r\n"
        "5,Eve,1001,Dept-1,2009-02-02 08:00:00,,0.00,not counted: punch 2 cannot be read\r\n"
        "5,Eve,1001,Dept-1,2009-02-09 13:00:00,2009-02-02 14:00:00,0.00,not counted: punch 3 is dated "
        "outside the week\r\n"
        "6,Eve,1001,Dept-1,2009-02-02 15:00:00,2009-02-02 13:00:00,0.00,not counted: punch 2 is earlier "
        "than the punch before it\r\n"
        "6,Eve,1001,Dept-1,2009-02-02 15:30:00,2009-02-02 17:30:00,2.00,\r\n"
        "7,Eve,1001,Dept-1,2009-02-02 18:00:00,,0.00,not counted: punch 2 cannot be read\r\n"
        "7,Eve,1001,Dept-1,,,0.00,not counted: punch 2 cannot be read\r\n"
        "1001,,Dept-1,2.02\r\n1002,,Office,0.01\r\n12345678901234,,Office,1.00\r\n");
}

// The command as payroll runs it: exit codes, what stderr says, no CSV file
// written in part, and the three files of one fixed week byte for byte
// (quoting, the byte-order mark, an accent, CR LF, a span split at midnight,
// one closed from next week's file, one open while the employee may still be
// in, the settings' overtime).
TEST(ReportCommand, WritesThreeWholeCsvFilesOrNoneAndSaysWhy) {
    const std::string zoe = "Zo\u00eb \"Z\", Ray";
    const Stations stations(
        {{zoe + "|IN 9:00p Tue-Feb-3 1001.Dept-1|OUT 1:00a Wed-Feb-4|IN 10:00p Sun-Feb-8 1002.Office",
          "Cy|IN 7:00a Fri-Feb-6 1001.Dept-1"},
         {},
         {zoe + "|OUT 2:00a Mon-Feb-9"}});
    const std::string& base = stations.front.path();
    writeFile(pathJoin(base, "Jobs.dat"), "1001,Welding\r\n1002,\"Office, paper\"\r\n");
    writeFile(pathJoin(base, "timeclock.ini"), "; payroll\n[report]\novertime-after = 5\n");
    const ProgramFolder& dir = stations.back; // where the CSV files go
    const std::string csv = dir.file("week.csv"), detail = dir.file("detail.csv"),
                      jobs = dir.file("jobs.csv"), blocked = dir.file("blocked.csv"),
                      other = dir.file("other"), missing = dir.file("nowhere"),
                      weekFile = weekFilePath(base, kWeek), wk = "2009-02-04";
    using C = ReportCommand;
#ifdef _WIN32
    const std::string kIsAFolder = "Access denied", program = pathJoin(base, "timeclock-report.exe");
#else
    const std::string kIsAFolder = "Is a directory",
                      program = pathJoin(other, "../../" + stationName(base) + "/timeclock-report");
#endif
    std::vector<std::tuple<int, std::string, std::vector<std::string>>> cases = {
        // exit code, stderr or stdout, arguments after --week and --csv
        {C::NoFolder, "the folder " + missing + " does not exist.\n", {"--folder", missing}},
        {C::NoWeekFile,
         "no week file for the week ending 2009-02-08 in\n  " + weekFilePath(dir.path(), kWeek) + "\n",
         {"--folder", dir.path()}},
        {C::NotWritten,
         "Nothing was written: the folder " + missing + " does not exist.\n",
         {"--jobs-csv", pathJoin(missing, "jobs.csv")}},
        {C::NotWritten,
         "Cannot write " + blocked + ": the temporary file beside it cannot be made (" + kIsAFolder +
             "). Nothing was written.\n",
         {"--detail-csv", blocked, "--jobs-csv", jobs}},
        {C::NotWritten, "Nothing was written: " + other + " is a folder.\n", {"--jobs-csv", other}},
        {C::BadUsage,
         "only one CSV can be written to standard output (-).\n",
         {"--detail-csv", "-", "--jobs-csv", "-"}},
    };
    // Every file of a program folder, however the path is spelt, and anything in its month folders.
    std::filesystem::create_directory(other);
    std::filesystem::create_directory(blocked + ".tmp~");
    std::error_code noLinks; // wine has none
    std::filesystem::create_symlink(pathJoin(base, "timeclock.ini"), dir.file("settings.csv"), noLinks);
    for (const std::string& own :
         {noLinks ? weekFile : dir.file("settings.csv"), weekFile, pathJoin(other, "x.dat."),
          pathJoin(other, "x.WKB "), journalPathOf(weekFile), pathJoin(base, "employeelist.txt"),
          pathJoin(pathJoin(base, "."), "Jobs.dat"), pathJoin(base, "timeclock.lock"),
          pathJoin(pathJoin(base, "Mar"), "a.csv"), program})
        cases.push_back(
            {C::NotWritten,
             "Not written: " + own +
                 " would replace a file of the time clock's own (its week files, journals, lists, "
                 "settings or anything in its month folders). Choose a name ending in .csv "
                 "elsewhere.\n",
             {"--detail-csv", own}});
    cases.push_back({C::Done,
                     "Week ending 2009-02-08, overtime after 5.00 hours\n",
                     {"--detail-csv", detail, "--jobs-csv", jobs}});
    const std::string weekBefore = readFile(weekFile);
    for (auto [code, said, args] : cases) {
        SCOPED_TRACE(said);
        args.insert(args.begin(), {"--week", wk, "--csv", csv});
        const ReportRun run = runReport(args, base, kNextWeek);
        EXPECT_EQ(run.code, code);
        EXPECT_EQ(run.err, code ? "timeclock-report: " + said : "");
        EXPECT_NE(run.out.find(code ? "" : said), std::string::npos) << run.out;
        EXPECT_EQ(fileExists(csv) || fileExists(detail) || fileExists(jobs), code == C::Done);
        EXPECT_TRUE(readFile(weekFile) == weekBefore); // the report never writes a week file
        EXPECT_FALSE(fileExists(csv + ".tmp~"));
    }
    EXPECT_EQ(readFile(pathJoin(base, "timeclock.ini")), "; payroll\n[report]\novertime-after = 5\n");
    const ReportRun toStdout = runReport({"--week", wk, "--jobs-csv", "-"}, base, kNextWeek);
    EXPECT_EQ(toStdout.code, C::Done);
    EXPECT_EQ(toStdout.out, readFile(jobs));
    const std::string bom = "\xEF\xBB\xBF", head = "2009-02-08," + stationName(base) + ",",
                      z = "\"Zo\xC3\xAB \"\"Z\"\", Ray\"", unsealed = "Seal,not sealed\r\n";
    EXPECT_EQ(
        readFile(csv),
        bom +
            "Week Ending,Station,Position,Name,Mon,Tue,Wed,Thu,Fri,Sat,Sun,Total,Regular,Overtime,Flags,"
            "Approved,Closed\r\n" +
            head + "1," + z + ",0.00,3.00,1.00,0.00,0.00,0.00,2.00,6.00,5.00,1.00,,no,no\r\n" + head +
            "2,Cy,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,in since Fri 7:00 AM,no,no\r\n" +
            unsealed);
    EXPECT_EQ(readFile(detail),
              bom + "Week Ending,Station,Position,Name,Job,Department,Start,End,Hours,Flags\r\n" + head +
                  "1," + z + ",1001,Dept-1,2009-02-03 21:00:00,2009-02-04 01:00:00,4.00,\r\n" + head + "1," +
                  z +
                  ",1002,Office,2009-02-08 22:00:00,2009-02-09 00:00:00,2.00,ends Mon 2:00 AM next week\r\n" +
                  head + "2,Cy,1001,Dept-1,2009-02-06 07:00:00,,,in since Fri 7:00 AM\r\n" + unsealed);
    EXPECT_EQ(readFile(jobs), bom +
                                  "Week Ending,Job,Description,Department,Hours\r\n"
                                  "2009-02-08,1001,Welding,Dept-1,4.00\r\n"
                                  "2009-02-08,1002,\"Office, paper\",Office,2.00\r\n" +
                                  unsealed);
}

// Spans across a change of the clocks count the time that passed, by the zone's rules, and are flagged.
TEST(WeekReport, CountsTheTimeThatPassedWhenTheClocksChange) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows C library knows no zone's rules for 2009";
#else
    const std::string newYork = "America/New_York", rule = "EST5EDT,M3.2.0,M11.1.0";
    if (!ZoneRules(newYork).known())
        GTEST_SKIP() << "this computer has no time-zone database";
    const DateTime spring = makeDateTime(2009, 3, 4), autumn = makeDateTime(2009, 10, 28);
    const std::tuple<std::string, DateTime, std::string, std::string> cases[] = {
        {newYork, spring, "Ann|IN 1:00a Sun-Mar-8|OUT 4:00a",
         "Ann Sun 2.00 = 2.00; the clocks changed between Sun 1:00 AM and Sun 4:00 AM: 2.00 hours passed\n"},
        {rule, spring, "Cy|IN 10:00p Sat-Mar-7|OUT 6:00a Sun-Mar-8|IN 8:00a|OUT 9:00a",
         "Cy Sat 2.00 Sun 6.00 = 8.00; the clocks changed between Sat 10:00 PM and Sun 6:00 AM: 7.00 hours "
         "passed\n"},
        {newYork, autumn, "Bob|IN 12:30a Sun-Nov-1|OUT 3:00a",
         "Bob Sun 3.50 = 3.50; the clocks changed between Sun 12:30 AM and Sun 3:00 AM: 3.50 hours passed\n"},
        {"UTC0", spring, "Ann|IN 1:00a Sun-Mar-8|OUT 4:00a", "Ann Sun 3.00 = 3.00\n"},
    };
    for (const auto& [zone, day, record, people] : cases) {
        SCOPED_TRACE(people);
        const ProgramFolder folder;
        folder.writeWeek(day, week({record}));
        EXPECT_EQ(describe(makeWeekReport(realFiles(), {{folder.path(), "Front"}}, day, kLater, 40 * 3600,
                                          nullptr, ZoneRules(zone))),
                  people);
    }
    // The command follows the zone the settings file names.
    const ProgramFolder folder;
    folder.writeWeek(spring, week({"Ann|IN 1:00a Sun-Mar-8|OUT 4:00a"}));
    writeFile(folder.file("timeclock.ini"), "[report]\ntime-zone = " + newYork + "\n");
    const std::string csv = folder.file("week.csv");
    const ReportRun run = runReport({"--week", "2009-03-04", "--csv", csv}, folder.path(), kLater);
    EXPECT_EQ(run.code, ReportCommand::Done) << run.err;
    EXPECT_NE(readFile(csv).find(",Ann,0.00,0.00,0.00,0.00,0.00,0.00,2.00,2.00,2.00,0.00,"),
              std::string::npos);
#endif
}

// A station's folder named twice, in any form, is counted once, and stderr or the screen's notes say so.
TEST(ReportCommand, CountsAFolderNamedTwiceOnce) {
    const Stations stations({{"Ann|IN 8:00a Mon-Feb-2|OUT 4:00p"}});
    const std::string& f = stations.front.path();
    const ProgramFolder other;
    const std::string link = other.file("link");
    std::error_code noLinks;
    std::filesystem::create_directory_symlink(f, link, noLinks);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        // folders given (none: the program's own and the settings file's), what stderr says
        {{pathJoin(pathJoin(f, ".."), stationName(f)), f}, "the folder " + f + " is the same as "},
        {{link, f}, "the folder " + f + " is the same as " + link + ", given twice"},
        {{f, f}, "the folder " + f + " is given twice; it is reported once.\n"},
        {{}, "the folder " + f + "/ is the same as " + f + ", given twice"},
    };
    writeFile(pathJoin(f, "timeclock.ini"), "[report]\nfolders = \"" + f + "/\"\n");
    for (const auto& [folders, said] : cases) {
        SCOPED_TRACE(said);
        if (noLinks && !folders.empty() && folders.front() == link)
            continue; // said below
        std::vector<std::string> args{"--week", "2009-02-04", "--csv", other.file("week.csv")};
        for (const std::string& folder : folders)
            args.insert(args.end(), {"--folder", folder});
        const ReportRun run = runReport(args, f, kNextWeek);
        EXPECT_EQ(run.code, ReportCommand::Done);
        EXPECT_NE(run.err.find("timeclock-report: " + said), std::string::npos) << run.err;
        EXPECT_NE(
            readFile(other.file("week.csv")).find(",Ann,8.00,0.00,0.00,0.00,0.00,0.00,0.00,8.00,8.00,0.00,"),
            std::string::npos);
    }
    const StationsReport screen = makeStationsReport(realFiles(), f, kWeek, kLater, "");
    EXPECT_EQ(describe(screen.report), "Ann Mon 8.00 = 8.00\n");
    EXPECT_EQ(screen.notes, std::vector<std::string>{"The folder " + f + "/ named in " + settingsPath(f) +
                                                     " is this station's own folder; it is reported once."});
    if (noLinks)
        GTEST_SKIP() << "no symbolic link could be made here; the row of a link was not run";
}

// A spreadsheet runs a cell that begins with = + - @ TAB or CR as a formula: such text is kept text by an
// apostrophe, numbers stay numbers, a lone quote is doubled; the table shows control characters escaped.
TEST(ReportCommand, TextThatASpreadsheetWouldRunIsWrittenAsText) {
    std::vector<std::string> records = {"Al|IN 8:00a Mon-Feb-2 -3.Dept-1|OUT 9:00a"};
    for (const std::string name : {"=SUM(A1)", "+1x", "-2", "@cmd", "\tTab", "\"", "Bell\x07\xC2\x81"})
        records.push_back(name + "|IN 8:00a Mon-Feb-2 1001.Dept-1|OUT 9:00a");
    const Stations stations({records});
    const std::string& base = stations.front.path();
    writeFile(pathJoin(base, "Jobs.dat"), "1001,=1+1\r\n-3,\r\n");
    const std::string csv = stations.back.file("week.csv"), jobs = stations.back.file("jobs.csv");
    const auto [code, out, err] =
        runReport({"--week", "2009-02-04", "--csv", csv, "--jobs-csv", jobs}, base, kNextWeek);
    ASSERT_EQ(code, ReportCommand::Done) << err;
    const std::string written = readFile(csv) + readFile(jobs);
    for (const char* cell : {",'=SUM(A1),", ",'+1x,", ",-2,", ",'@cmd,", ",'\tTab,", ",\"\"\"\",",
                             ",Bell\x07\xC2\x81,", ",1001,'=1+1,Dept-1,", ",-3,,Dept-1,1.00"})
        EXPECT_NE(written.find(cell), std::string::npos) << cell << " in\n" << written;
    for (const char* shown : {"\n\\x09Tab ", "\nBell\\x07\\x81 "})
        EXPECT_NE(out.find(shown), std::string::npos) << out;
    EXPECT_EQ(out.find('\a'), std::string::npos);
}

// A settings file the command cannot use is named with the reason, and nothing is written. It is read as a
// week file is: only a regular file, never past its largest size.
TEST(ReportCommand, RefusesASettingsFileItCannotUseAndWritesNothing) {
    struct Row {
        std::string text, after, before = "In ";
        void (*plant)(const std::string& ini) = nullptr;
    };
    const std::string pay = "[pay]\n";
    const Row rows[] = {
        {pay + "round-minutes = 7", ", round-minutes must be 0, 5, 6, 10 or 15, not \"7\"."},
        {pay + "daily-overtime-after = eight",
         ", daily-overtime-after must be a number of hours in a day such as 8 or 7.5, not \"eight\"."},
        {pay + "meal-minutes = -5",
         ", meal-minutes must be a number of minutes from 1 to 240 such as 30, not \"-5\"."},
        {pay + "seventh-day = yes", ", seventh-day must be on or off, not \"yes\"."},
        {pay + "overtime-after = -1", ", overtime-after must be a number of hours such as 40 or 37.5."},
        {pay + "double = 12",
         ", [pay] has no setting \"double\" (there are " + std::string(PayRules::keys()) + ")."},
        {"[report]\ntime-zone = Nowhere/Land",
         ", time-zone must name one time zone this computer knows, such as America/Chicago."},
#ifndef _WIN32
        {"", ": it is larger than 65536 bytes, more than such a file can hold.", "Cannot read ",
         [](const std::string& ini) {
             writeFile(ini, "[report]\n");
             std::filesystem::resize_file(ini, 100 << 20);
         }},
#endif
    };
    for (const auto& [text, after, before, plant] : rows) {
        SCOPED_TRACE(text + after);
        ProgramFolder folder;
        folder.writeWeek(kWeek, week({"Ann|IN 8:00a Mon-Feb-2|OUT 4:00p"}));
        const std::string ini = folder.file("timeclock.ini"), csv = folder.file("week.csv");
        plant ? plant(ini) : writeFile(ini, text + "\n");
        const ReportRun run = runReport({"--week", "2009-02-04", "--csv", csv}, folder.path(), kLater);
        EXPECT_EQ(run.code, ReportCommand::BadUsage);
        EXPECT_EQ(run.err, "timeclock-report: " + before + ini + after + "\n");
        EXPECT_FALSE(fileExists(csv));
    }
}

} // namespace
} // namespace tc::test
