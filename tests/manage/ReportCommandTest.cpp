#include "manage/ReportCommand.h"
#include "data/Paths.h"
#include "data/WeekFile.h"
#include "support/TempDir.h"
#include "support/WeekBuilder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace tc {
namespace {

using test::fileExists;
using test::makeRecord;
using test::weekBytes;

// The command as payroll runs it: exit codes, what stderr says, and no CSV
// file written in part.
TEST(ReportCommand, ExitCodesMessagesAndWholeFiles) {
    test::TempDir dir;
    const std::string base = dir.path();
    const DateTime now = makeDateTime(2009, 2, 11, 9, 0, 0);
    const std::string week = weekFilePath(base, makeDateTime(2009, 2, 4));
    std::filesystem::create_directories(parentFolder(week));
    test::writeFile(week, weekBytes({makeRecord("Ann", {{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-2"},
                                                        {"OUT", "", "6:00:00 PM", "Mon-Feb-2"}})}));
    test::writeFile(pathJoin(base, "timeclock.ini"), "; payroll\n[report]\novertime-after = 7.5\n");
    const std::string csv = dir.file("week.csv");
    const std::string missing = dir.file("nowhere");
    const std::string lost = pathJoin(missing, "jobs.csv");

    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;      // stderr, whole
        std::string out = {}; // a line stdout must hold
        bool csvWritten = false;
    };
    const std::vector<Case> cases = {
        {{"--folder", missing},
         ReportCommand::NoFolder,
         "timeclock-report: the folder " + missing + " does not exist.\n"},
        {{"--week", "2009-02-16"},
         ReportCommand::NoWeekFile,
         "timeclock-report: no week file for the week ending 2009-02-22 in\n  " +
             weekFilePath(base, makeDateTime(2009, 2, 22)) + "\n"},
        {{"--week", "2009-02-30"},
         ReportCommand::BadUsage,
         "timeclock-report: --week must be a date as YYYY-MM-DD, not \"2009-02-30\".\n"},
        {{"--week", "2009-02-04", "--csv", csv, "--jobs-csv", lost},
         ReportCommand::NotWritten,
         "timeclock-report: Nothing was written: the folder " + missing + " does not exist.\n"},
        {{"--week", "2009-02-04", "--csv", week},
         ReportCommand::NotWritten,
         "timeclock-report: Not written: " + week +
             " would replace a file of the time clock's own (.dat and .wkb files are its data). Choose a "
             "name "
             "ending in .csv.\n"},
        {{"--week", "2009-02-04", "--overtime-after", "40"},
         ReportCommand::Done,
         "",
         "Ann   11.00   0.00   0.00   0.00   0.00   0.00   0.00   11.00    11.00      0.00"},
        {{"--week", "2009-02-04", "--csv", csv},
         ReportCommand::Done,
         "",
         "Ann   11.00   0.00   0.00   0.00   0.00   0.00   0.00   11.00     7.50      3.50",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        std::filesystem::remove(csv);
        const std::string before = test::readFile(week);
        std::ostringstream out, err;
        EXPECT_EQ(ReportCommand::run(c.args, base, now, realFiles(), out, err), c.code);
        EXPECT_EQ(err.str(), c.err);
        EXPECT_NE(out.str().find(c.out), std::string::npos) << out.str();
        EXPECT_EQ(fileExists(csv), c.csvWritten);
        EXPECT_FALSE(fileExists(lost));
        EXPECT_EQ(test::readFile(week), before); // the report never writes a week file
    }
    EXPECT_EQ(test::readFile(csv).substr(0, 3), "\xEF\xBB\xBF");
}

} // namespace
} // namespace tc
