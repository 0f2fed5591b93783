#include "core/files/Paths.h"
#include "core/format/ListFiles.h"
#include "core/sheet/ListTexts.h"
#include "support/WeekBuilder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tc::test {
namespace {

constexpr auto npos = std::string::npos;

// A program folder with both lists whole ("1001,Job 1" to "1020,Job 20"), as the editor finds them.
struct Lists {
    ProgramFolder base;
    std::vector<std::string> names = workerNames(), jobs;
    Lists() {
        for (int j = 1; j <= 20; ++j)
            jobs.push_back(std::to_string(1000 + j) + ",Job " + std::to_string(j));
        base.writeLists(employeeListBytes(names, {"Note one", "Note two"}), jobListBytes(jobs));
    }
    std::string files() const {
        return readFile(employeeListPath(base.path())) + readFile(jobListPath(base.path()));
    }
    Status load(ListTexts& boxes) { return loadButtonDataBoxes(realFiles(), base.path(), boxes); }
    Status save(ListTexts& boxes) { return saveButtonDataBoxes(realFiles(), base.path(), boxes); }
};

TEST(ListEditor, RefusesWhatTheListsCannotGiveBackAndWritesNothing) {
    Lists lists;
    const std::string before = lists.files();
    const std::tuple<char, int, std::string, std::string> cases[] = {
        // box (name, note, job), index, text, said
        {'n', 9, "Joe \"JJ\" Jones", "Employee name 10 contains a double quote"},
        {'t', 1, "\"Safety\"", "Clock note 2 contains a double quote"},
        {'j', 4, "1005,Paint,trim", "Job 5 must be a job number, a comma and a description"},
        {'j', 0, "1001 Painting", "Job 1 must be a job number, a comma and a description"},
        {'j', 10, "1011,Deck \"A\"", "Job 11 contains a double quote"},
        {'j', 19, "1020,王王 Ł", "Job 20 contains characters that the list files cannot store (王 Ł)"},
    };
    for (const auto& [box, i, text, said] : cases) {
        SCOPED_TRACE(text);
        ListTexts boxes;
        ASSERT_TRUE(lists.load(boxes));
        (box == 'n' ? boxes.names[i] : box == 't' ? boxes.notes[i] : boxes.jobs[i]) = text;
        const std::string message = lists.save(boxes).message();
        EXPECT_TRUE(message.starts_with(said) && message.ends_with("The files were not updated.")) << message;
        EXPECT_EQ(lists.files(), before);
    }
}

TEST(ListEditor, KeepsEachValueAndLineInItsBoxThroughEveryReader) {
    Lists lists;
    ListTexts boxes, again;
    ASSERT_TRUE(lists.load(boxes));
    boxes.names[2] = "Smith, John";
    boxes.jobs[3] = "104, \"Gutters, rear side\"";
    boxes.jobs[4] = "\"105, 106\",Deck";
    ASSERT_TRUE(lists.save(boxes));
    EmployeeList list; // the station's readers, then the editor, read back what was saved
    std::vector<JobItem> items;
    ASSERT_TRUE(readEmployeeList(realFiles(), lists.base.path(), list) &&
                readJobList(realFiles(), lists.base.path(), items));
    EXPECT_EQ(list.names[2] + "/" + items.at(3).second + "/" + items.at(4).first + "/" + items.at(5).first,
              "Smith, John/Gutters, rear side/105, 106/1006");
    ASSERT_TRUE(lists.load(again));
    EXPECT_TRUE(again.names == boxes.names && again.jobs == boxes.jobs);
    EXPECT_EQ(boxes.jobs[3], "104,\"Gutters, rear side\"");

    // Broken lists open named, line by line, and Save makes them whole.
    lists.names.resize(10);
    lists.base.writeLists(employeeListBytes(lists.names, std::vector<std::string>()),
                          jobListBytes(lists.jobs));
    EXPECT_NE(lists.load(boxes).message().find(employeeListPath(lists.base.path())), npos);
    std::filesystem::remove(jobListPath(lists.base.path()));
    EXPECT_NE(lists.load(boxes).message().find(jobListPath(lists.base.path())), npos);
    ASSERT_TRUE(lists.save(boxes));
    lists.names.resize(24);
    EXPECT_EQ(lists.files(),
              employeeListBytes(lists.names, {"", ""}) + jobListBytes(std::vector<std::string>(20, ",")));

    // A folder in the job list's place fails no rename half-way: refused before either list changes.
    const std::string employees = readFile(employeeListPath(lists.base.path()));
    std::filesystem::remove(jobListPath(lists.base.path()));
    std::filesystem::create_directory(jobListPath(lists.base.path()));
    boxes.names[0] = "Joe Jones";
    EXPECT_NE(lists.save(boxes).message().find("not a regular file"), npos);
    EXPECT_EQ(readFile(employeeListPath(lists.base.path())), employees);
}

} // namespace
} // namespace tc::test
