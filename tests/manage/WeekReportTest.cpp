#include "manage/WeekReport.h"
#include "RecordText.h"
#include "data/Paths.h"
#include "manage/ReportCommand.h"
#include "manage/WeekMoments.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace tc::test {
namespace {

const DateTime kWeek = makeDateTime(2009, 2, 4); // Wednesday; the week ends Sunday Feb 8 2009
const DateTime kLater = makeDateTime(2009, 3, 2, 9), kNextWeek = makeDateTime(2009, 2, 11, 9);

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

// Each person on a line: "Ann Tue 2.00 Wed 6.00 = 8.00, 0.00 over; flags"; then the problems' first words.
std::string describe(const WeekReport& report) {
    const char* const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    std::string s;
    for (const PersonWeek& p : report.people) {
        s += p.name;
        for (std::size_t d = 0; d < 7; ++d)
            s += p.daySeconds[d] ? std::string(" ") + days[d] + " " + formatHours(p.daySeconds[d]) : "";
        s += " = " + formatHours(p.totalSeconds) + ", " + formatHours(p.overtimeSeconds) + " over";
        for (const std::string& flag : p.flags)
            s += "; " + flag;
        s += "\n";
    }
    for (const ReportProblem& problem : report.problems)
        s += problem.message.substr(0, problem.message.find(' ')) + "\n";
    return s;
}

TEST(WeekReport, TheRulesOfTheWeek) {
    const std::pair<std::vector<std::vector<std::string>>, std::string> cases[] = {
        // files as Stations takes them
        {{{"Ann|IN 10:00p Tue-Feb-3|OUT 6:00a Wed-Feb-4", "Bob|IN 4:02p Tue-Feb-3",
           "Cy|IN 6:00a Mon-Feb-2|OUT 11:00p", "Dee|IN 8:00a Mon-Feb-2|OUT 12:00p|IN 11:00a|OUT 3:00p",
           "Eve|IN 8:00a Mon-Feb-2|OUT 25:00p|IN 1:00p Tue-Feb-2|OUT 2:00p Mon-Feb-2|X 3:00p|OUT 4:00p "
           "Mon-Feb-9",
           "Fay|IN 8:00a Mon-Feb-2|OUT 8:00:18a|IN 8:00a Tue-Feb-3|OUT 8:00:18a|IN 8:00a Wed-Feb-4|OUT "
           "8:00:17a"}},
         "Ann Tue 2.00 Wed 6.00 = 8.00, 0.00 over\n"
         "Bob = 0.00, 0.00 over; no clock-out after Tue 4:02 PM\n"
         "Cy Mon 17.00 = 17.00, 0.00 over; over 16 hours: Mon 6:00 AM to Mon 11:00 PM\n"
         "Dee Mon 4.00 = 4.00, 0.00 over; punch 3 (Mon 11:00 AM) is earlier than the punch before it; its "
         "hours "
         "are not counted\n"
         "Eve = 0.00, 0.00 over; punch 2 cannot be read (\"25:00:00 PM\", \"Mon-Feb-2\"); its hours are not "
         "counted; "
         "punch 3 cannot be read (\"1:00:00 PM\", \"Tue-Feb-2\"); its hours are not counted; punch 5 has no "
         "action "
         "IN, CHANGE, LUNCH or OUT (\"X\"); punch 6 is dated Mon-Feb-9, outside the week; its hours are not "
         "counted\n"
         "Fay Mon 0.01 Tue 0.01 Wed 0.00 = 0.01, 0.00 over\n"},
        {{{"Ann|IN 10:00p Sun-Feb-8"}, {}, {" Ann|OUT 6:00a Mon-Feb-9"}}, "Ann Sun 2.00 = 2.00, 0.00 over\n"},
        {{{"Ann|OUT 6:00a Mon-Feb-2"}, {"Ann|IN 10:00p Sun-Feb-1"}}, "Ann Mon 6.00 = 6.00, 0.00 over\n"},
        {{{"Ann|IN 6:00a Mon-Feb-2|OUT 6:00p|IN 6:00a Tue-Feb-3|OUT 6:00p"},
          {"/"},
          {},
          {"", "Ann |IN 6:00a Wed-Feb-4|OUT 6:00p|IN 6:00a Thu-Feb-5|OUT 1:00p"}},
         "Ann Mon 12.00 Tue 12.00 Wed 12.00 Thu 7.00 = 43.00, 3.00 over\nCannot\n"},
    };
    for (const auto& [files, people] : cases) {
        SCOPED_TRACE(people);
        EXPECT_EQ(describe(makeWeekReport(realFiles(), Stations(files).sources, kWeek, kLater, 40 * 3600)),
                  people);
    }
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
                      jobs = dir.file("jobs.csv");
    const std::string missing = dir.file("nowhere"), weekFile = weekFilePath(base, kWeek), wk = "2009-02-04";
    using C = ReportCommand;
    const std::tuple<int, std::string, std::vector<std::string>> cases[] = {
        // exit code, stderr or stdout, arguments
        {C::NoFolder, "the folder " + missing + " does not exist.\n", {"--folder", missing}},
        {C::NoWeekFile,
         "no week file for the week ending 2009-03-08 in\n  " + weekFilePath(base, kLater) + "\n",
         {"--week", "2009-03-02"}},
        {C::NotWritten,
         "Nothing was written: the folder " + missing + " does not exist.\n",
         {"--week", wk, "--csv", csv, "--jobs-csv", pathJoin(missing, "jobs.csv")}},
        {C::NotWritten,
         "Not written: " + weekFile +
             " would replace a file of the time clock's own (.dat and .wkb "
             "files are its data). Choose a name ending in .csv.\n",
         {"--week", wk, "--csv", csv, "--detail-csv", weekFile}},
        {C::Done,
         "Week ending 2009-02-08, overtime after 5.00 hours\n",
         {"--week", wk, "--csv", csv, "--detail-csv", detail, "--jobs-csv", jobs}},
    };
    const std::string weekBefore = readFile(weekFile);
    for (const auto& [code, said, args] : cases) {
        SCOPED_TRACE(said);
        std::ostringstream out, err;
        EXPECT_EQ(ReportCommand::run(args, base, kNextWeek, realFiles(), out, err), code);
        EXPECT_EQ(err.str(), code ? "timeclock-report: " + said : "");
        EXPECT_NE(out.str().find(code ? "" : said), std::string::npos) << out.str();
        EXPECT_EQ(fileExists(csv) || fileExists(detail) || fileExists(jobs), code == C::Done);
        EXPECT_TRUE(readFile(weekFile) == weekBefore); // the report never writes a week file
    }
    const std::string bom = "\xEF\xBB\xBF", head = "2009-02-08," + stationName(base) + ",",
                      z = "\"Zo\xC3\xAB \"\"Z\"\", Ray\"", unsealed = "Seal,not sealed\r\n";
    EXPECT_EQ(
        readFile(csv),
        bom +
            "Week "
            "Ending,Station,Position,Name,Mon,Tue,Wed,Thu,Fri,Sat,Sun,Total,Regular,Overtime,Flags,Approved,"
            "Closed\r\n" +
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

} // namespace
} // namespace tc::test
