#include "data/ListFiles.h"
#include "data/CodePage.h"
#include "data/Paths.h"
#include "support/FaultyFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>

using namespace tc;
using namespace tc::test;

namespace {

std::vector<std::string> fields(std::string_view bytes) {
    FieldReader reader(bytes);
    std::vector<std::string> out;
    std::string f;
    while (reader.next(f))
        out.push_back(f);
    return out;
}

// Latin-1 text as UTF-16 with its byte-order mark.
std::string utf16(std::string_view latin1, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : latin1)
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

using Items = std::vector<std::pair<std::string, std::string>>;
Items items(const std::vector<JobItem>& jobs) {
    Items out;
    for (const JobItem& j : jobs)
        out.emplace_back(j.first, j.second);
    return out;
}

// An employee list with names "Name 1".."Name 24" unless replaced.
std::string employeeFile(std::map<int, std::string> replaced = {}, bool withNotes = true) {
    std::string s = "Quarnel Data 1.2\r\n";
    for (int i = 1; i <= 24; ++i)
        s += (replaced.count(i) ? replaced[i] : "Name " + std::to_string(i)) + "\r\n";
    if (withNotes)
        s += "Note one\r\nNote two\r\n";
    return s;
}

} // namespace

TEST(FieldReader, FollowsTheFieldRule) {
    EXPECT_EQ(fields("101,Roof repair\r\n"), (std::vector<std::string>{"101", "Roof repair"}));
    EXPECT_EQ(fields(",\r\n"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(fields("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(fields("   padded  ,  x\r\n"), (std::vector<std::string>{"padded", "x"}));
    EXPECT_EQ(fields("\"Smith, John\",next\r\n"), (std::vector<std::string>{"Smith, John", "next"}));
    EXPECT_EQ(fields("\"quoted\" tail,x\r\n"), (std::vector<std::string>{"quoted", "x"}));
    EXPECT_EQ(fields("\"never closed, at all\r\n"), (std::vector<std::string>{"never closed, at all\r\n"}));
    EXPECT_EQ(fields("no line end"), (std::vector<std::string>{"no line end"}));
    EXPECT_EQ(fields("a,"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(fields("Jos\xE9\r\n"), (std::vector<std::string>{"Jos\xC3\xA9"}));
    // Saved from Notepad as UTF-8: the mark is skipped and the text taken as UTF-8.
    EXPECT_EQ(fields("\xEF\xBB\xBFJos\xC3\xA9,x\r\n"), (std::vector<std::string>{"Jos\xC3\xA9", "x"}));
    // Saved from Notepad as "Unicode" (UTF-16, either byte order); without the
    // mark plain ASCII still reads, as NULs vanish.
    EXPECT_EQ(fields(utf16("Jos\xE9,x\r\n", false)), (std::vector<std::string>{"Jos\xC3\xA9", "x"}));
    EXPECT_EQ(fields(utf16("Jos\xE9,x\r\n", true)), (std::vector<std::string>{"Jos\xC3\xA9", "x"}));
    EXPECT_EQ(fields(utf16("Ann,x\r\n", false).substr(2)), (std::vector<std::string>{"Ann", "x"}));
    // Bytes Windows-1252 leaves undefined are the controls of the same number, both ways.
    EXPECT_EQ(fields("\x81\x8D\x8F\x90\x9D\r\n"),
              (std::vector<std::string>{"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}));
    EXPECT_EQ(utf8ToAnsi("\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"), "\x81\x8D\x8F\x90\x9D");
    // A Windows whose ANSI code page is UTF-8 or multi-byte writes Windows-1252:
    // its conversion would fail or not fit the fields' byte widths.
    EXPECT_EQ(fileCodePageFor(65001, 4), 1252u);
    EXPECT_EQ(fileCodePageFor(932, 2), 1252u);
    EXPECT_EQ(fileCodePageFor(1250, 1), 1250u);
    // Damaged files: lone CR and LF end lines, NULs vanish, long lines are fine.
    EXPECT_EQ(fields("a\rb\nc\r\n"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(fields(std::string_view("a\0b\0\0,\0\r\n", 9)), (std::vector<std::string>{"ab", ""}));
    EXPECT_EQ(fields(std::string(100000, 'x') + "\r\n").at(0).size(), 100000u);
    EXPECT_EQ(fields(std::string(5000, '\0')), std::vector<std::string>{});

    FieldReader lines("one\r\n\"two\r\nthree\",four\r\nfive");
    std::string f;
    std::vector<int> seen;
    while (lines.next(f))
        seen.push_back(lines.line());
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
}

TEST(JobList, JobScreenReadsPairsWhileDataIsLeft) {
    TempDir dir;
    const std::string path = jobListPath(dir.path());
    std::vector<JobItem> jobs;

    Status st = readJobList(realFiles(), dir.path(), jobs);
    EXPECT_EQ(st.message(), "The job list " + path + " is missing.");
    EXPECT_FALSE(fileExists(path));

    writeFile(path, "101,Roof repair\r\n102,Siding\r\n103,Gutters\r\n");
    ASSERT_TRUE(readJobList(realFiles(), dir.path(), jobs));
    EXPECT_EQ(items(jobs), (Items{{"101", "Roof repair"}, {"102", "Siding"}, {"103", "Gutters"}}));
    st = readJobListExactly20(realFiles(), dir.path(), jobs);
    EXPECT_EQ(st.message(),
              "The job list " + path +
                  " holds only 3 of the 20 jobs; it ends on line 3. Each line should hold a job and "
                  "its description separated by a comma.");
    EXPECT_EQ(jobs.size(), 3u);

    const std::string longText = "Replace all gutters and downspouts, rear side"; // 45 characters, one comma
    writeFile(path, ",\r\n104,\"" + longText + "\"\r\n\r\n\r\n");
    ASSERT_TRUE(readJobList(realFiles(), dir.path(), jobs)) << "trailing blank lines are not half a pair";
    EXPECT_EQ(items(jobs), (Items{{"", ""}, {"104", longText}}));

    // A line without a comma puts the rest out of step; ending mid-pair fails.
    writeFile(path, "101,Roof repair\r\n102\r\n103,Gutters\r\n");
    st = readJobList(realFiles(), dir.path(), jobs);
    EXPECT_EQ(st.message(),
              "The job list " + path +
                  " ends on line 3 in the middle of job 3: \"Gutters\" has no description. Each line "
                  "should hold a job and its description separated by a comma.");
    EXPECT_EQ(items(jobs), (Items{{"101", "Roof repair"}, {"102", "103"}}));

    // Lines beyond the twentieth have no effect, with or without a comma.
    std::string twenty;
    for (int j = 1; j <= 20; ++j)
        twenty += std::to_string(j) + ",Job " + std::to_string(j) + "\r\n";
    writeFile(path, twenty + "extra\r\n");
    ASSERT_TRUE(readJobList(realFiles(), dir.path(), jobs));
    EXPECT_EQ(jobs.size(), 20u);
    ASSERT_TRUE(readJobListExactly20(realFiles(), dir.path(), jobs));
    EXPECT_EQ(jobs.back().second, "Job 20");
}

TEST(EmployeeList, ReadsTwentySevenFieldsAndSaysWhatIsMissing) {
    TempDir dir;
    const std::string path = employeeListPath(dir.path());
    EmployeeList list;
    EXPECT_EQ(readEmployeeList(realFiles(), dir.path(), list).message(),
              "The employee list " + path + " is missing.");

    // A comma in a name pushes every later field one place down.
    writeFile(path, employeeFile({{3, "Smith, John"}, {7, ""}}));
    ASSERT_TRUE(readEmployeeList(realFiles(), dir.path(), list));
    EXPECT_EQ(list.header, "Quarnel Data 1.2");
    EXPECT_EQ(list.names[2], "Smith");
    EXPECT_EQ(list.names[3], "John");
    EXPECT_EQ(list.names[4], "Name 4");
    EXPECT_EQ(list.names[7], ""); // the blank line of position 7, one place down
    EXPECT_EQ(list.names[23], "Name 23");
    EXPECT_EQ(list.notes[0], "Name 24");
    EXPECT_EQ(list.notes[1], "Note one");

    writeFile(path, "\xEF\xBB\xBF" + employeeFile({{1, "\"Smith, John\""}, {2, "Ren\xC3\xA9"}}));
    ASSERT_TRUE(readEmployeeList(realFiles(), dir.path(), list));
    EXPECT_EQ(list.header, "Quarnel Data 1.2");
    EXPECT_EQ(list.names[0], "Smith, John");
    EXPECT_EQ(list.names[1], "Ren\xC3\xA9");
    EXPECT_EQ(list.notes[1], "Note two");

    writeFile(path, employeeFile().substr(0, employeeFile().size() - 10)); // "Note two\r\n" cut off
    Status st = readEmployeeList(realFiles(), dir.path(), list);
    EXPECT_EQ(st.message(),
              "The employee list " + path + " ends on line 26; the second clock note is missing.");
    EXPECT_EQ(list.names[23], "Name 24");
    EXPECT_EQ(list.notes[0], "Note one");

    writeFile(path, "Quarnel Data 1.2\r\nAnn\r\nBob\r\n");
    st = readEmployeeList(realFiles(), dir.path(), list);
    EXPECT_EQ(st.message(),
              "The employee list " + path +
                  " ends on line 3 after 2 of the 24 names; the rest of the buttons are blank.");
    EXPECT_EQ(list.names[1], "Bob");
    EXPECT_EQ(list.names[2], "");
}

TEST(ButtonData, WritesBothListsWholeInAnsiWithCrLf) {
    TempDir dir;
    EmployeeList list;
    for (int i = 0; i < 24; ++i)
        list.names[std::size_t(i)] = i == 1 ? "Jos\xC3\xA9 Ortiz" : "";
    list.names[0] = "Ann";
    list.notes = {"Safety first", "Line\nbreak"};
    std::array<std::string, 20> jobs;
    jobs.fill(",");
    jobs[0] = "101,Roof repair";

    ASSERT_TRUE(writeButtonData(realFiles(), dir.path(), list, jobs));
    std::string expected = "Quarnel Data 1.2\r\nAnn\r\nJos\xE9 Ortiz\r\n";
    for (int i = 2; i < 24; ++i)
        expected += "\r\n";
    expected += "Safety first\r\nLine break\r\n";
    EXPECT_EQ(readFile(employeeListPath(dir.path())), expected);
    std::string expectedJobs = "101,Roof repair\r\n";
    for (int j = 1; j < 20; ++j)
        expectedJobs += ",\r\n";
    EXPECT_EQ(readFile(jobListPath(dir.path())), expectedJobs);

    EmployeeList back;
    ASSERT_TRUE(readEmployeeList(realFiles(), dir.path(), back));
    EXPECT_EQ(back.names, list.names);
    std::vector<JobItem> pairs;
    ASSERT_TRUE(readJobListExactly20(realFiles(), dir.path(), pairs));

    // A failed employee list leaves both files as they were.
    FaultyFiles files;
    files.failAt(FaultyFiles::Op::Rename, 1);
    list.names[0] = "Changed";
    jobs[0] = "999,Changed";
    Status st = writeButtonData(files, dir.path(), list, jobs);
    ASSERT_FALSE(st);
    EXPECT_NE(st.message().find(employeeListPath(dir.path())), std::string::npos);
    EXPECT_EQ(readFile(employeeListPath(dir.path())), expected);
    EXPECT_EQ(readFile(jobListPath(dir.path())), expectedJobs);
}
