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
#include "support/WeekBuilder.h"

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

// ---- The grid's text form ----

TEST(PasteRoundTrip, ReplaceCannotPutATabOrALineBreakIntoACell) {
    TimeSheet sheet;
    sheet.load("");
    // The edit field can be given a TAB, CR or LF by pasting into it; the grid
    // text has no quoting, so each would split the cell on "Paste All".
    ASSERT_TRUE(sheet.setCell(1, 0, "Ann\tSmith"));
    ASSERT_TRUE(sheet.setCell(1, 1, "IN\r"));
    ASSERT_TRUE(sheet.setCell(1, 2, "1001\r\n.Dept-1"));
    EXPECT_EQ(sheet.cell(1, 0), "Ann Smith");
    EXPECT_EQ(sheet.cell(1, 1), "IN ");
    EXPECT_EQ(sheet.cell(1, 2), "1001  .Dept-1");

    const std::string copied = sheet.copyAllText();
    TimeSheet other;
    other.pasteAll(copied);
    EXPECT_EQ(other.copyAllText(), copied);
    EXPECT_EQ(other.cell(1, 1), "IN ");
    EXPECT_EQ(other.cell(2, 0), "");
}

// ---- Neighbouring records under one name ----

using test::makeRecord;
using test::weekBytes;
const test::Punch kIn{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Jan-6"};
const test::Punch kLunch{"LUNCH", "", "11:30:00 AM", "Mon-Jan-6"};
const test::Punch kOut{"OUT", "", "3:30:00 PM", "Mon-Jan-6"};

std::string recordBytes(const std::string& file, int p) {
    return file.substr(std::size_t(p - 1) * kRec, kRec);
}

// Two people on neighbouring buttons under one name (or both without one, as
// the station stores punches from a button that has no name): records 1 and 2
// then 3 with another name, and placeholders after.
std::string neighboursFile(const std::string& name) {
    std::string bytes = weekBytes({makeRecord(name, {kIn, kLunch, kIn}), makeRecord(name, {kIn, kOut}),
                                   makeRecord("Bob", {kIn, kOut})});
    TimeRecord none;
    none.setName("");
    for (int p = 4; p <= kPositions; ++p)
        bytes.append(none.view());
    return bytes;
}

TEST(NeighbourRoundTrip, SameNameOrNamelessNeighboursKeepTheirOwnRecords) {
    for (const std::string name : {"Worker 1", ""}) {
        SCOPED_TRACE("name [" + name + "]");
        const std::string file = neighboursFile(name);
        TimeSheet sheet;
        sheet.load(file);
        // The grid alone makes every record byte for byte.
        const std::string saved = sheet.saveBytes();
        ASSERT_EQ(saved.size(), std::size_t(kPositions) * kRec);
        for (int p = 1; p <= kPositions; ++p)
            EXPECT_EQ(recordBytes(saved, p), recordBytes(file, p)) << "position " << p;
        if (name.empty())
            continue; // nameless rows get no durations at all
        // Record 1 ends with an IN: no duration is measured into the other
        // person's first punch.
        EXPECT_EQ(sheet.cell(1, 5), "4.5");
        EXPECT_EQ(sheet.cell(3, 5), "");
        EXPECT_EQ(sheet.cell(4, 5), "8.5");
    }
}

TEST(NeighbourRoundTrip, CopyAllPasteAllSaveKeepsEveryPunchAtItsPosition) {
    // Neighbours the names alone cannot tell apart, each punch at its own time.
    const auto week = [](const std::string& first, const std::string& second) {
        std::vector<TimeRecord> records(kPositions);
        records[0] = makeRecord(first, {kIn, kLunch, {"IN", "1002.Office", "12:00:00 PM", "Mon-Jan-6"}});
        records[1] = makeRecord(second, {{"IN", "1003.Other", "7:05:00 AM", "Tue-Jan-7"}, kOut});
        records[2] = makeRecord("Bob", {{"IN", "1004.Dept-2", "7:10:00 AM", "Wed-Jan-8"}});
        for (int p = 4; p <= kPositions; ++p)
            records[std::size_t(p - 1)].setName("");
        return weekBytes(records);
    };
    const std::pair<const char*, std::string> weeks[] = {
        {"one name", week("Worker 1", "Worker 1")},
        {"names alike in their first 20 characters",
         week("Christopher Alexander Smith", "Christopher Alexander Jones")},
        {"both blank", week("", "")},
        {"names holding a line break", week("Ann\r\nLee", "Ann\r\nLee")}, // from an unbalanced quote
    };
    for (const auto& [what, file] : weeks) {
        SCOPED_TRACE(what);
        TimeSheet sheet;
        sheet.load(file);
        const std::string copied = sheet.copyAllText();
        EXPECT_EQ(copied.find('\n'), std::string::npos);
        EXPECT_EQ(std::count(copied.begin(), copied.end(), '\r'), sheet.rowCount() - 1);
        sheet.pasteAll(copied);
        const SavePlan plan = sheet.planSave(file);
        EXPECT_TRUE(plan.moves.empty());
        for (int p = 1; p <= kPositions; ++p)
            EXPECT_EQ(recordBytes(plan.bytes, p), recordBytes(file, p)) << "position " << p;
    }

    // A row added in the spreadsheet among two neighbours of one name: which
    // one it joins cannot be told, so Save asks, naming whom it would move.
    TimeSheet sheet;
    sheet.load(week("Worker 1", "Worker 1"));
    std::string text = sheet.copyAllText();
    const std::size_t secondRow = text.find('\r', text.find('\r') + 1);
    text.insert(secondRow, "\rWorker 1\tCHANGE\t1009.Dept-5\t9:00:00 AM\tMon-Jan-6\t");
    sheet.pasteAll(text);
    EXPECT_EQ(
        sheet.planSave(week("Worker 1", "Worker 1")).moveQuestion(),
        "Saving now would put punches of these employees into another employee's record: Worker 1 "
        "(position 2 into the record of position 1), Bob (position 3 into the record of position 2). The "
        "rows of neighbours with the same name cannot be told apart once they are pasted, and a blank row "
        "removed or added moves every employee below it. Save anyway?");
}

TEST(NeighbourRoundTrip, RowsAddedOrRemovedInsideABlockStayWithItsPosition) {
    const std::string file = neighboursFile("Worker 1");
    {
        // Add Row below row 1, typed with the block's name: entry 2 of record 1.
        TimeSheet sheet;
        sheet.load(file);
        const int added = sheet.addRow(1);
        ASSERT_EQ(added, 2);
        sheet.setCell(added, 0, "Worker 1");
        sheet.setCell(added, 1, "CHANGE");
        sheet.setCell(added, 3, "9:00:00 AM");
        const std::vector<TimeRecord> records = sheet.buildRecords();
        EXPECT_EQ(records[0].lastEntry(), 4);
        EXPECT_EQ(records[0].raw(TimeRecord::Field::Action, 2), "CHANGE ");
        EXPECT_EQ(records[1].view(), recordBytes(file, 2));
        EXPECT_EQ(records[2].view(), recordBytes(file, 3));
    }
    {
        // Add Row left with its single space: a placeholder, as the screen warns.
        TimeSheet sheet;
        sheet.load(file);
        sheet.addRow(3);
        const std::vector<TimeRecord> records = sheet.buildRecords();
        EXPECT_EQ(records[0].lastEntry(), 3);
        EXPECT_EQ(records[1].lastEntry(), 0);
        EXPECT_EQ(records[2].view(), recordBytes(file, 2));
    }
    {
        // Remove Row on the first row of record 2: its second row still
        // starts record 2 rather than joining record 1.
        TimeSheet sheet;
        sheet.load(file);
        ASSERT_TRUE(sheet.removeRow(4));
        const std::vector<TimeRecord> records = sheet.buildRecords();
        EXPECT_EQ(records[0].view(), recordBytes(file, 1));
        EXPECT_EQ(records[1].lastEntry(), 1);
        EXPECT_EQ(records[1].raw(TimeRecord::Field::Action, 1), "OUT    ");
        EXPECT_EQ(records[2].view(), recordBytes(file, 3));
    }
}

} // namespace
} // namespace tc::test
