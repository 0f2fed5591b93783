// What is read and saved again must read back the same: the list files
// through the button data editor's writer, the grid through "Copy All" and
// "Paste All", and a week file through the time sheet. Each case here is a
// shape the fuzzers found that once came back changed.

#include "Scenario.h"
#include "data/ListFiles.h"
#include "data/Paths.h"
#include "data/WeekFile.h"
#include "manage/TimeSheet.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

using F = TimeRecord::Field;
constexpr std::size_t kRec = TimeRecord::kSize;

EmployeeList someEmployees() {
    EmployeeList list;
    for (std::size_t i = 0; i < list.names.size(); ++i)
        list.names[i] = "Name " + std::to_string(i + 1);
    list.notes = {"Note one", "Note two"};
    return list;
}

TEST(ListFileRoundTrip, FirstJobThatLooksLikeAByteOrderMarkKeepsTheListAnsi) {
    TempDir base;
    std::array<std::string, 20> jobs;
    jobs.fill(",");
    // "ï»¿" is what a UTF-8 byte-order mark reads as in the ANSI code page,
    // e.g. when the mark stood behind a stray blank in a list saved elsewhere.
    jobs[0] = "\xC3\xAF\xC2\xBB\xC2\xBF"
              "1001,Roof";
    jobs[1] = "Caf\xC3\xA9,Menu";
    ASSERT_TRUE(writeButtonData(realFiles(), base.path(), someEmployees(), jobs));

    // The file stays ANSI and does not begin with a mark's bytes.
    const std::string bytes = readFile(jobListPath(base.path()));
    const std::string start = " \xEF\xBB\xBF"
                              "1001,Roof\r\nCaf\xE9,Menu\r\n";
    EXPECT_EQ(bytes.substr(0, start.size()), start);

    std::vector<JobItem> items;
    ASSERT_TRUE(readJobListExactly20(realFiles(), base.path(), items));
    EXPECT_EQ(items[0].first, "\xC3\xAF\xC2\xBB\xC2\xBF"
                              "1001");
    EXPECT_EQ(items[0].second, "Roof");
    EXPECT_EQ(items[1].first, "Caf\xC3\xA9");
    EXPECT_EQ(items[1].second, "Menu");
    // The job screen reads it the same way.
    std::vector<JobItem> screen;
    ASSERT_TRUE(readJobList(realFiles(), base.path(), screen));
    ASSERT_EQ(screen.size(), 20u);
    EXPECT_EQ(screen[1].first, "Caf\xC3\xA9");

    // Saving what was read writes the very same bytes again.
    std::array<std::string, 20> again;
    for (std::size_t i = 0; i < 20; ++i)
        again[i] = items[i].first + "," + items[i].second;
    ASSERT_TRUE(writeButtonData(realFiles(), base.path(), someEmployees(), again));
    EXPECT_EQ(readFile(jobListPath(base.path())), bytes);

    // A list that really is UTF-8 (the mark at the very start) is still read so.
    std::string utf8List = "\xEF\xBB\xBF"
                           "Caf\xC3\xA9,Menu\r\n";
    for (int i = 0; i < 19; ++i)
        utf8List += ",\r\n";
    writeFile(jobListPath(base.path()), utf8List);
    ASSERT_TRUE(readJobListExactly20(realFiles(), base.path(), items));
    EXPECT_EQ(items[0].first, "Caf\xC3\xA9");
}

} // namespace
} // namespace tc::test
