#include "manage/WeekReport.h"
#include "data/Paths.h"
#include "data/WeekFile.h"
#include "manage/ReportCsv.h"
#include "manage/WeekMoments.h"
#include "support/TempDir.h"
#include "support/WeekBuilder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tc {
namespace {

using test::makeRecord;
using test::Punch;
using test::weekBytes;

const DateTime kWeek = makeDateTime(2009, 2, 4);           // Wednesday; the week ends Sunday Feb 8 2009
const DateTime kLater = makeDateTime(2009, 3, 2, 9, 0, 0); // the week is past

// A week file of a station: `weeks` is -1 for the week before, 1 for the week after.
struct Week {
    int station = 0;
    int weeks = 0;
    std::vector<TimeRecord> records;
    bool unreadable = false;
};

struct Case {
    const char* what;
    std::vector<Week> files;
    std::vector<std::string> people; // "name | Mon .. Sun | total regular overtime | flags"
    std::vector<std::string> problems = {};
    DateTime now = kLater;
    DateTime day = kWeek;
};

Punch in(const char* time, const char* date, const char* job = "1001.Dept-1") {
    return {"IN", job, time, date};
}
Punch out(const char* time, const char* date) {
    return {"OUT", "", time, date};
}
Punch lunch(const char* time, const char* date) {
    return {"LUNCH", "", time, date};
}

std::string describe(const PersonWeek& p) {
    std::string s = p.name + " |";
    for (long long d : p.daySeconds)
        s += " " + formatHours(d);
    s += " | " + formatHours(p.totalSeconds) + " " + formatHours(p.regularSeconds()) + " " +
         formatHours(p.overtimeSeconds) + " |";
    for (std::size_t i = 0; i < p.flags.size(); ++i)
        s += (i ? "; " : " ") + p.flags[i];
    return s;
}

// Writes the week files of a case into `base`: station 0 "Front", station 1
// "Back" (only when a file of the case is there).
std::vector<ReportSource> place(const std::string& base, const std::vector<Week>& files,
                                const DateTime& day) {
    std::vector<ReportSource> sources;
    for (const char* station : {"Front", "Back"})
        if (sources.empty() ||
            std::any_of(files.begin(), files.end(), [](const Week& w) { return w.station; }))
            sources.push_back({pathJoin(base, station), station});
    for (const Week& w : files) {
        const std::string path =
            weekFilePath(sources[std::size_t(w.station)].folder, day.addDays(7 * w.weeks));
        std::filesystem::create_directories(parentFolder(path));
        if (w.unreadable)
            std::filesystem::create_directory(path);
        else
            test::writeFile(path, weekBytes(w.records));
    }
    return sources;
}

TEST(WeekReport, TheRulesOfTheWeek) {
    TimeRecord damaged = TimeRecord::fromBytes(std::string(TimeRecord::kSize, '\xFF'));
    damaged.setName("Dee");
    const std::vector<Case> cases = {
        {"a day with lunch",
         {{0,
           0,
           {makeRecord("Ann", {in("8:00:00 AM", "Mon-Feb-2"), lunch("12:00:00 PM", "Mon-Feb-2"),
                               in("12:30:00 PM", "Mon-Feb-2"), out("4:30:00 PM", "Mon-Feb-2")})}}},
         {"Ann | 8.00 0.00 0.00 0.00 0.00 0.00 0.00 | 8.00 8.00 0.00 |"}},
        {"split at midnight",
         {{0, 0, {makeRecord("Ann", {in("10:00:00 PM", "Tue-Feb-3"), out("6:00:00 AM", "Wed-Feb-4")})}}},
         {"Ann | 0.00 2.00 6.00 0.00 0.00 0.00 0.00 | 8.00 8.00 0.00 |"}},
        {"closed by next week's file, counted to the week's end",
         {{0, 0, {makeRecord("Ann", {in("10:00:00 PM", "Sun-Feb-8")})}},
          {0, 1, {makeRecord(" Ann", {out("6:00:00 AM", "Mon-Feb-9")})}}},
         {"Ann | 0.00 0.00 0.00 0.00 0.00 0.00 2.00 | 2.00 2.00 0.00 |"}},
        {"opened in last week's file, counted from the week's start",
         {{0, -1, {makeRecord("Ann", {in("10:00:00 PM", "Sun-Feb-1")})}},
          {0, 0, {makeRecord("Ann", {out("6:00:00 AM", "Mon-Feb-2")})}}},
         {"Ann | 6.00 0.00 0.00 0.00 0.00 0.00 0.00 | 6.00 6.00 0.00 |"}},
        {"another name at the position closes nothing",
         {{0, -1, {makeRecord("Ann", {in("10:00:00 PM", "Sun-Feb-1")})}},
          {0, 0, {makeRecord("Bob", {out("6:00:00 AM", "Mon-Feb-2")})}}},
         {"Bob | 0.00 0.00 0.00 0.00 0.00 0.00 0.00 | 0.00 0.00 0.00 |"}},
        {"overtime above 40 hours",
         {{0,
           0,
           {makeRecord("Ann", {in("7:00:00 AM", "Mon-Feb-2"), out("4:00:00 PM", "Mon-Feb-2"),
                               in("7:00:00 AM", "Tue-Feb-3"), out("4:00:00 PM", "Tue-Feb-3"),
                               in("7:00:00 AM", "Wed-Feb-4"), out("4:00:00 PM", "Wed-Feb-4"),
                               in("7:00:00 AM", "Thu-Feb-5"), out("4:00:00 PM", "Thu-Feb-5"),
                               in("7:00:00 AM", "Fri-Feb-6"), out("4:00:00 PM", "Fri-Feb-6")})}}},
         {"Ann | 9.00 9.00 9.00 9.00 9.00 0.00 0.00 | 45.00 40.00 5.00 |"}},
        {"days rounded half up each, the total from the exact seconds",
         {{0,
           0,
           {makeRecord("Ann", {in("8:00:00 AM", "Mon-Feb-2"), out("8:00:18 AM", "Mon-Feb-2"),
                               in("8:00:00 AM", "Tue-Feb-3"), out("8:00:18 AM", "Tue-Feb-3"),
                               in("8:00:00 AM", "Wed-Feb-4"), out("8:00:17 AM", "Wed-Feb-4")})}}},
         {"Ann | 0.01 0.01 0.00 0.00 0.00 0.00 0.00 | 0.01 0.01 0.00 |"}},
        {"no clock-out in a past week",
         {{0, 0, {makeRecord("Ann", {in("4:02:00 PM", "Tue-Feb-3")})}}},
         {"Ann | 0.00 0.00 0.00 0.00 0.00 0.00 0.00 | 0.00 0.00 0.00 | no clock-out after Tue 4:02 PM"}},
        {"still in during the current week",
         {{0, 0, {makeRecord("Ann", {in("4:02:00 PM", "Tue-Feb-3")})}}},
         {"Ann | 0.00 0.00 0.00 0.00 0.00 0.00 0.00 | 0.00 0.00 0.00 | in since Tue 4:02 PM"},
         {},
         makeDateTime(2009, 2, 4, 10, 0, 0)},
        {"over 16 hours is counted and flagged",
         {{0, 0, {makeRecord("Ann", {in("6:00:00 AM", "Mon-Feb-2"), out("11:00:00 PM", "Mon-Feb-2")})}}},
         {"Ann | 17.00 0.00 0.00 0.00 0.00 0.00 0.00 | 17.00 17.00 0.00 | over 16 hours: Mon 6:00 AM to Mon "
          "11:00 PM"}},
        {"a punch earlier than the one before: its spans are not counted",
         {{0,
           0,
           {makeRecord("Ann", {in("8:00:00 AM", "Mon-Feb-2"), out("12:00:00 PM", "Mon-Feb-2"),
                               in("11:00:00 AM", "Mon-Feb-2"), out("3:00:00 PM", "Mon-Feb-2")})}}},
         {"Ann | 4.00 0.00 0.00 0.00 0.00 0.00 0.00 | 4.00 4.00 0.00 | punch 3 (Mon 11:00 AM) is earlier "
          "than "
          "the punch before it; its hours are not counted"}},
        {"a time or date that cannot be read is skipped",
         {{0,
           0,
           {makeRecord("Ann", {in("8:00:00 AM", "Mon-Feb-2"), out("25:00:00 PM", "Mon-Feb-2"),
                               in("1:00:00 PM", "Tue-Feb-2"), out("2:00:00 PM", "Mon-Feb-2"),
                               in("3:00:00 PM", "Mon-Feb-2"), out("5:00:00 PM", "Mon-Feb-2")})}}},
         {"Ann | 2.00 0.00 0.00 0.00 0.00 0.00 0.00 | 2.00 2.00 0.00 | punch 2 cannot be read (\"25:00:00 "
          "PM\", \"Mon-Feb-2\"); its hours are not counted; punch 3 cannot be read (\"1:00:00 PM\", "
          "\"Tue-Feb-2\"); its hours are not counted"}},
        {"a punch dated outside the week",
         {{0, 0, {makeRecord("Ann", {in("8:00:00 AM", "Mon-Feb-2"), out("12:00:00 PM", "Mon-Feb-9")})}}},
         {"Ann | 0.00 0.00 0.00 0.00 0.00 0.00 0.00 | 0.00 0.00 0.00 | punch 2 is dated Mon-Feb-9, outside "
          "the "
          "week; its hours are not counted"}},
        {"December in a week that ends in January",
         {{0,
           0,
           {makeRecord("Ann", {in("8:00:00 AM", "Wed-Dec-31"), out("4:00:00 PM", "Wed-Dec-31"),
                               in("8:00:00 AM", "Thu-Jan-1"), out("9:00:00 AM", "Thu-Jan-1")})}}},
         {"Ann | 0.00 0.00 8.00 1.00 0.00 0.00 0.00 | 9.00 9.00 0.00 |"},
         {},
         kLater,
         makeDateTime(2009, 1, 2)},
        {"one name at two stations is one person; hours add before overtime",
         {{0,
           0,
           {makeRecord("Ann", {in("6:00:00 AM", "Mon-Feb-2"), out("6:00:00 PM", "Mon-Feb-2"),
                               in("6:00:00 AM", "Tue-Feb-3"), out("6:00:00 PM", "Tue-Feb-3")})}},
          {1,
           0,
           {TimeRecord(),
            makeRecord("Ann ", {in("6:00:00 AM", "Wed-Feb-4"), out("6:00:00 PM", "Wed-Feb-4"),
                                in("6:00:00 AM", "Thu-Feb-5"), out("1:00:00 PM", "Thu-Feb-5")})}}},
         {"Ann | 12.00 12.00 12.00 7.00 0.00 0.00 0.00 | 43.00 40.00 3.00 |"}},
        {"an unreadable file and a damaged record are flagged",
         {{0,
           0,
           {makeRecord("Ann", {in("8:00:00 AM", "Mon-Feb-2"), out("9:00:00 AM", "Mon-Feb-2")}), damaged}},
          {1, 0, {}, true}},
         {"Ann | 1.00 0.00 0.00 0.00 0.00 0.00 0.00 | 1.00 1.00 0.00 |", "Dee"},
         {"Cannot"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const WeekReport report =
            makeWeekReport(realFiles(), place(dir.path(), c.files, c.day), c.day, c.now, 40 * 3600);
        ASSERT_EQ(report.people.size(), c.people.size());
        for (std::size_t i = 0; i < c.people.size(); ++i) {
            const std::string line = describe(report.people[i]);
            if (c.people[i].find('|') == std::string::npos) // a damaged record: flagged, not how
                EXPECT_EQ(line.substr(0, c.people[i].size()), c.people[i]) << line;
            else
                EXPECT_EQ(line, c.people[i]);
        }
        ASSERT_EQ(report.problems.size(), c.problems.size());
        for (std::size_t i = 0; i < c.problems.size(); ++i)
            EXPECT_NE(report.problems[i].message.find(c.problems[i]), std::string::npos)
                << report.problems[i].message;
    }
}

// The three files of one fixed week, byte for byte: quoting, the byte-order
// mark, an accent, CR LF, a span split at midnight, one closed from next
// week's file, one left open.
TEST(WeekReport, CsvFilesOfOneWeek) {
    test::TempDir dir;
    const std::vector<Week> files = {
        {0,
         0,
         {makeRecord("Ann", {in("8:00:00 AM", "Mon-Feb-2"),
                             {"CHANGE", "1002.Office", "12:00:00 PM", "Mon-Feb-2"},
                             out("4:30:00 PM", "Mon-Feb-2")}),
          makeRecord("Zo\u00eb \"Z\", Ray", {in("9:00:00 PM", "Tue-Feb-3"), out("1:00:00 AM", "Wed-Feb-4"),
                                             in("10:00:00 PM", "Sun-Feb-8", "1002.Office")}),
          makeRecord("Cy", {in("7:00:00 AM", "Fri-Feb-6")})}},
        {0, 1, {TimeRecord(), makeRecord("Zo\u00eb \"Z\", Ray", {out("2:00:00 AM", "Mon-Feb-9")})}}};
    const std::vector<ReportSource> sources = place(dir.path(), files, kWeek);
    test::writeFile(pathJoin(sources[0].folder, "Jobs.dat"), "1001,Welding\r\n1002,\"Office, paper\"\r\n");
    const WeekReport report = makeWeekReport(realFiles(), sources, kWeek, kLater, 40 * 3600);

    const std::string bom = "\xEF\xBB\xBF";
    const std::string zoe = "\"Zo\xC3\xAB \"\"Z\"\", Ray\"";
    EXPECT_EQ(
        ReportCsv::summary(report),
        bom +
            "Week Ending,Station,Position,Name,Mon,Tue,Wed,Thu,Fri,Sat,Sun,Total,Regular,Overtime,Flags\r\n"
            "2009-02-08,Front,1,Ann,8.50,0.00,0.00,0.00,0.00,0.00,0.00,8.50,8.50,0.00,\r\n"
            "2009-02-08,Front,2," +
            zoe +
            ",0.00,3.00,1.00,0.00,0.00,0.00,2.00,6.00,6.00,0.00,\r\n"
            "2009-02-08,Front,3,Cy,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,no clock-out after Fri "
            "7:00 AM\r\n");
    EXPECT_EQ(
        ReportCsv::detail(report),
        bom +
            "Week Ending,Station,Position,Name,Job,Department,Start,End,Hours,Flags\r\n"
            "2009-02-08,Front,1,Ann,1001,Dept-1,2009-02-02 08:00:00,2009-02-02 12:00:00,4.00,\r\n"
            "2009-02-08,Front,1,Ann,1002,Office,2009-02-02 12:00:00,2009-02-02 16:30:00,4.50,\r\n"
            "2009-02-08,Front,2," +
            zoe + ",1001,Dept-1,2009-02-03 21:00:00,2009-02-04 01:00:00,4.00,\r\n" + "2009-02-08,Front,2," +
            zoe + ",1002,Office,2009-02-08 22:00:00,2009-02-09 00:00:00,2.00,ends Mon 2:00 AM next week\r\n" +
            "2009-02-08,Front,3,Cy,1001,Dept-1,2009-02-06 07:00:00,,,no clock-out after Fri 7:00 AM\r\n");
    EXPECT_EQ(ReportCsv::jobs(report), bom + "Week Ending,Job,Description,Department,Hours\r\n"
                                             "2009-02-08,1001,Welding,Dept-1,8.00\r\n"
                                             "2009-02-08,1002,\"Office, paper\",Office,6.50\r\n");
}

} // namespace
} // namespace tc
