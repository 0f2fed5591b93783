// What the files hold: the week files' names and time stamps, the fields of
// the employee list and the job list, what a damaged list says and the bytes
// the button data editor writes.
#include "core/files/Paths.h"
#include "core/format/ListFiles.h"
#include "core/format/TimeText.h"
#include "core/format/WeekMoments.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

#include <locale>

namespace tc::test {
namespace {

using namespace std::string_literals;

TEST(Formats, WeekFileNamesAndTheStampsOfAPunchAreEnglishWhateverTheLocale) {
    bool localeSet = false;
    for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"})
        try {
            std::locale::global(std::locale(name));
            localeSet = true;
            break;
        } catch (const std::runtime_error&) {
        }
    if (!localeSet)
        GTEST_SKIP() << "no German locale here (scripts/setup.sh generates de_DE.UTF-8)";
    const struct {
        DateTime now;
        const char *month, *sunday, *date, *time;
    } cases[] = {
        {makeDateTime(2025, 2, 2, 23, 59, 59), "Feb", "Sunday Feb 2 2025", "Sun-Feb-2", "11:59:59 PM"},
        {makeDateTime(2025, 2, 3, 0, 0, 0), "Feb", "Sunday Feb 9 2025", "Mon-Feb-3", "12:00:00 AM"},
        {makeDateTime(2025, 1, 29, 9, 5, 7), "Feb", "Sunday Feb 2 2025", "Wed-Jan-29", "9:05:07 AM"},
        {makeDateTime(2025, 12, 29, 12, 30, 0), "Jan", "Sunday Jan 4 2026", "Mon-Dec-29", "12:30:00 PM"},
        {makeDateTime(2025, 10, 1, 15, 4, 5), "Oct", "Sunday Oct 5 2025", "Wed-Oct-1", "3:04:05 PM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(weekFilePath("base", c.now),
                  pathJoin(pathJoin("base", c.month), std::string("Week Ending ") + c.sunday + ".dat"));
        EXPECT_EQ(formatDate(c.now), c.date);
        EXPECT_EQ(formatTime(c.now), c.time);
    }
    std::locale::global(std::locale::classic());
}

TEST(Formats, TimesOfDayReadBack) {
    for (auto [text, seconds] : {std::pair{"12:30:00 PM", 45000},
                                 {"9:05:07 AM ", 32707},
                                 {"12:00:00 AM", 0},
                                 {"9:05pm", 75900},
                                 {" 13:45 ", 49500}})
        EXPECT_EQ(parseTimeOfDay(text), seconds) << text;
    for (std::string_view text :
         {"", "13:00 PM", "0:30 AM", "9:5", "9:05:7", "24:00", "9:60", "noon", "9:05:07 AM x"})
        EXPECT_FALSE(parseTimeOfDay(text)) << text;
}

TEST(Formats, DaysTheCalendarLacksAreNotRead) {
    // A week asked for by its ISO date, and a stored date (its year is the week file's).
    for (const char* text : {"1900-02-29", "2025-02-29", "2025-04-31", "1899-12-31", "2025-4-01"})
        EXPECT_FALSE(parseIsoDate(text)) << text;
    EXPECT_EQ(parseIsoDate("2000-02-29"), makeDateTime(2000, 2, 29));
    EXPECT_EQ(parseIsoDate("2024-02-29"), makeDateTime(2024, 2, 29));
    const DateTime sunday2024 = makeDateTime(2024, 3, 3), sunday2025 = makeDateTime(2025, 3, 2);
    EXPECT_EQ(storedDay("Thu-Feb-29", sunday2024, weekMonday(sunday2024)), 3 * 86400);
    EXPECT_FALSE(storedDay("Sat-Feb-29", sunday2025, weekMonday(sunday2025)));
    EXPECT_FALSE(storedDay("Fri-Feb-29", sunday2024, weekMonday(sunday2024))); // not its weekday
}

TEST(ListFiles, FieldsReadByTheRule) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"101,Roof repair\r\n", {"101", "Roof repair"}},
        {",\r\n", {"", ""}},
        {"a,", {"a", ""}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"   padded  ,  x", {"padded", "x"}},
        {"\"Smith, John\",next\r\n", {"Smith, John", "next"}},
        {"\"never closed, at all\r\n", {"never closed, at all\r\n"}},
        {"a\rb\nc\r\n", {"a", "b", "c"}},
        {"Jos\xE9\r\n", {"Jos\xC3\xA9"}},
        {"\xEF\xBB\xBFJos\xC3\xA9,x\r\n", {"Jos\xC3\xA9", "x"}},
        {"\xFF\xFEJ\0o\0s\0\xE9\0,\0x\0\r\0\n\0"s, {"Jos\xC3\xA9", "x"}},
        {"\xFE\xFF\0J\0o\0s\0\xE9\0,\0x\0\r\0\n"s, {"Jos\xC3\xA9", "x"}},
        {"a\0b\r\0\n\0,\0"s, {"ab", "", ""}},
        {"\x81\x8D\x8F\x90\x9D\r\n", {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}},
    };
    for (const auto& [bytes, fields] : cases) {
        FieldReader reader(bytes);
        std::vector<std::string> read;
        for (std::string f; reader.next(f);)
            read.push_back(f);
        EXPECT_EQ(read, fields) << testing::PrintToString(bytes);
    }
}

TEST(ListFiles, AMissingOrDamagedListNamesTheFileAndTheLine) {
    // What the employee list's reader, the job screen's and the editor's job boxes say.
    const auto said = [](const std::string& base) {
        EmployeeList list;
        std::vector<JobItem> jobs;
        std::array<std::string, 20> lines;
        return readEmployeeList(realFiles(), base, list).message() + "|" +
               readJobList(realFiles(), base, jobs).message() + "|" +
               readJobLines(realFiles(), base, lines).message();
    };
    // The job list or the employee list, its bytes (none: no file), what is said ('@': the file's path).
    const std::tuple<bool, std::optional<std::string>, std::string> cases[] = {
        {false, std::nullopt, "The employee list @ is missing."},
        {false, "", "The employee list @ is empty, so the employee buttons are blank."},
        {false, "Quarnel Data 1.2\r\nAnn\r\nBob\r\n", "@ ends on line 3 after 2 of the 24 names;"},
        {false, employeeListBytes(workerNames(), {"Note"}),
         "@ ends on line 26; the second clock note is missing."},
        {false, std::string(1024 * 1024 + 1, 'x'), "Cannot read @: it is larger than 1048576 bytes"},
        {true, std::nullopt, "The job list @ is missing."},
        {true, "101,Roof\r\n102\r\n103,Gutters\r\n", "@ ends on line 3 in the middle of job 3:"},
        {true, "101 Roof\r\n102,Siding\r\n\r\n",
         "@ holds only 2 of the 20 job lines. Line 1 of the job list"},
    };
    for (auto [jobList, bytes, message] : cases) {
        TempDir base;
        const std::string path = jobList ? jobListPath(base.path()) : employeeListPath(base.path());
        if (bytes)
            writeFile(path, *bytes);
        const std::string all = said(base.path());
        EXPECT_NE(all.find(message.replace(message.find('@'), 1, path)), std::string::npos) << all;
    }
}

TEST(ListFiles, TheEditorsWriterWritesAnsiCrLfQuotesAroundACommaAndNoByteOrderMark) {
    TempDir base;
    EmployeeList list;
    list.names[0] = "Smith, John";
    list.names[1] = "Jos\u00E9 \u0081";
    list.names[2] = "Line\r\nbreak";
    list.notes[0] = "Safety first";
    std::array<std::string, 20> jobs;
    jobs.fill(",");
    jobs[0] = "\u00EF\u00BB\u00BF101,Roof"; // "ï»¿": in the code page, the bytes of a UTF-8 mark
    jobs[1] = jobLineText({"104", "Gutters, rear side"});
    ASSERT_TRUE(writeButtonData(realFiles(), base.path(), list, jobs));

    // A space before the first job keeps its first bytes (octal 357 273 277) from reading as a mark.
    std::vector<std::string> names(24), jobLines(20, ",");
    names[0] = "\"Smith, John\"", names[1] = "Jos\xE9 \x81", names[2] = "Line  break";
    jobLines[0] = " \357\273\277101,Roof", jobLines[1] = "104,\"Gutters, rear side\"";
    EXPECT_EQ(readFile(employeeListPath(base.path())), employeeListBytes(names, {"Safety first", ""}));
    EXPECT_EQ(readFile(jobListPath(base.path())), jobListBytes(jobLines));
}

} // namespace
} // namespace tc::test
