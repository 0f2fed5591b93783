#include "data/Paths.h"
#include "data/WeekFile.h"
#include "manage/TimeSheet.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tc {
namespace {

using test::makeRecord;
using test::pad;
using test::Punch;
using test::weekBytes;
using F = TimeRecord::Field;

constexpr std::size_t kRec = 4969;

std::string recordOf(const std::string& bytes, int p) {
    return bytes.substr(std::size_t(p - 1) * kRec, kRec);
}

// "" when equal, else where the bytes first differ (a whole-file dump helps nobody).
std::string firstDifference(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return "byte " + std::to_string(i) + " (record " + std::to_string(i / kRec + 1) + ", offset " +
                   std::to_string(i % kRec) + ")";
    return a.size() == b.size() ? ""
                                : "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
}

TimeRecord placeholder() {
    TimeRecord r;
    r.setName("");
    return r;
}

// Fills data row `row` as a manager would type it.
void typeRow(TimeSheet& s, int row, const std::string& name, const std::string& action,
             const std::string& job, const std::string& time, const std::string& date) {
    s.setCell(row, 0, name);
    s.setCell(row, 1, action);
    s.setCell(row, 2, job);
    s.setCell(row, 3, time);
    s.setCell(row, 4, date);
}

const Punch kIn{"IN", "Weld.Dept-1", "7:00:00 AM", "Mon-Feb-3"};
const Punch kOut{"OUT", "", "3:30:00 PM", "Mon-Feb-3"};

TEST(TimeSheetSave, SaveRightAfterLoadKeepsEveryBlock) {
    const TimeRecord alice = makeRecord("Alice", {kIn, kOut});
    const TimeRecord bob = makeRecord("Bob Jones", {{"LUNCH", "", "11:59:59 AM", "Tue-Feb-4"}});
    const std::string file = weekBytes({alice, TimeRecord(), bob});
    TimeSheet sheet;
    sheet.load(file);
    const std::string saved = sheet.saveBytes();
    ASSERT_EQ(saved.size(), 119256u);
    EXPECT_TRUE(recordOf(saved, 1) == recordOf(file, 1));
    EXPECT_TRUE(recordOf(saved, 3) == recordOf(file, 3));
    const std::string empty(placeholder().view());
    EXPECT_TRUE(recordOf(saved, 2) == empty);
    EXPECT_EQ(empty.substr(0, 20), std::string(20, ' '));
    for (int p = 4; p <= 24; ++p)
        EXPECT_TRUE(recordOf(saved, p) == empty) << "position " << p;
    // Merged against the unchanged file, the records on disk stay as they
    // are, and the missing ones are added; position 2, never punched, gets
    // its name of 20 blanks all the same.
    EXPECT_EQ(firstDifference(sheet.planSave(file).bytes, saved), "");
}

TEST(TimeSheetSave, BlockEndsAtAFullRecordOrAnotherName) {
    TimeSheet sheet;
    sheet.pasteAll(""); // typed rows, no loaded positions: names alone make the blocks
    for (int r = 1; r <= 101; ++r)
        typeRow(sheet, r, "Ann", "IN", "J" + std::to_string(r), "8:00:00 AM", "Mon-Feb-3");
    typeRow(sheet, 102, "Bea", "OUT", "", "9:00:00 AM", "Mon-Feb-3");
    typeRow(sheet, 103, "Bea", "IN", "K1", "9:30:00 AM", "Mon-Feb-3");
    typeRow(sheet, 104, "Cy", "IN", "K2", "9:40:00 AM", "Mon-Feb-3");
    typeRow(sheet, 105, "Bea", "OUT", "", "10:00:00 AM", "Mon-Feb-3");

    std::vector<int> unsaved;
    const std::vector<TimeRecord> recs = sheet.buildRecords(&unsaved);
    ASSERT_EQ(recs.size(), 24u);
    EXPECT_EQ(recs[0].raw(F::EmpName), pad("Ann", 20));
    EXPECT_EQ(recs[0].raw(F::JobNumber, 100), pad("J100", 20));
    EXPECT_EQ(recs[0].lastEntry(), 100);
    // The 101st row is passed over; the next row starts position 2.
    EXPECT_EQ(recs[1].raw(F::EmpName), pad("Bea", 20));
    EXPECT_EQ(recs[1].lastEntry(), 2);
    EXPECT_EQ(recs[1].raw(F::Action, 2), "IN     ");
    // A different name mid-block ends it; the same name after it starts a new position.
    EXPECT_EQ(recs[2].raw(F::EmpName), pad("Cy", 20));
    EXPECT_EQ(recs[2].lastEntry(), 1);
    EXPECT_EQ(recs[3].raw(F::EmpName), pad("Bea", 20));
    EXPECT_EQ(recs[3].raw(F::ActTime, 1), "10:00:00 AM");
    // Rows 106.. are placeholders (empty in a fresh grid): positions 5..24.
    for (int p = 5; p <= 24; ++p)
        EXPECT_EQ(recs[std::size_t(p - 1)], placeholder());
    EXPECT_EQ(unsaved, std::vector<int>{101});
}

TEST(TimeSheetSave, CellsAreCutPaddedAndNamesTrimmed) {
    TimeSheet sheet;
    sheet.pasteAll(""); // typed rows, no loaded positions: names alone make the blocks
    typeRow(sheet, 1, "   Dan  ", "", "ABCDEFGHIJKLMNOPQRSTUVWXY", "8:00:00 AM", "Mon-Feb-3");
    typeRow(sheet, 2, "Dan", "OUT", "", "4:00:00 PM", "Mon-Feb-3");
    const std::string saved = sheet.saveBytes();
    const std::string rec = recordOf(saved, 1);
    EXPECT_EQ(rec.substr(0, 20), pad("Dan", 20));
    EXPECT_EQ(rec.substr(20 + 7, 7), std::string(7, ' ')); // empty action: 7 spaces
    EXPECT_EQ(rec.substr(727 + 20, 20), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(rec.substr(2747 + 11, 11), "8:00:00 AM ");
    EXPECT_EQ(rec.substr(3858 + 11, 11), "Mon-Feb-3  ");
    EXPECT_EQ(rec.substr(20 + 14, 7), "OUT    ");
    EXPECT_EQ(rec.substr(20 + 21, 7), std::string(7, '\0'));
    EXPECT_EQ(rec.substr(20, 7), std::string(7, '\0')); // entry 0 is never written
    // The action of spaces only is a punch row when the file is opened again.
    TimeSheet again;
    again.load(saved);
    EXPECT_EQ(again.cell(1, 1), std::string(7, ' '));
    EXPECT_EQ(again.cell(2, 1), "OUT    ");
    EXPECT_EQ(again.cell(3, 0), "");
}

TEST(TimeSheetSave, NameLongerThanTheFieldKeepsItsBlock) {
    const std::string longName = "Christopher Alexander Smith";
    TimeSheet sheet;
    sheet.pasteAll(""); // typed rows, no loaded positions: names alone make the blocks
    typeRow(sheet, 1, longName, "IN", "J1.Dept-1", "8:00:00 AM", "Mon-Feb-3");
    typeRow(sheet, 2, longName, "LUNCH", "", "12:00:00 PM", "Mon-Feb-3");
    typeRow(sheet, 3, longName + " ", "IN", "J1.Dept-1", "12:30:00 PM", "Mon-Feb-3");
    typeRow(sheet, 4, "Christopher Alexande", "OUT", "", "4:00:00 PM", "Mon-Feb-3");
    const std::vector<TimeRecord> recs = sheet.buildRecords();
    EXPECT_EQ(recs[0].raw(F::EmpName), "Christopher Alexande");
    EXPECT_EQ(recs[0].lastEntry(), 4);
    EXPECT_EQ(recs[1], placeholder()); // row 5 is position 2's placeholder
    EXPECT_EQ(recs[2], placeholder());
}

TEST(TimeSheetSave, PunchesUnderABlankNameKeepTheirPosition) {
    // A button without a name still punches; its record has a blank name.
    TimeRecord nameless = makeRecord("", {kIn, kOut});
    TimeRecord neverNamed = makeRecord("x", {kIn});
    neverNamed.clear(F::EmpName);
    const std::string file = weekBytes({makeRecord("Ann", {kIn}), nameless, makeRecord("Cal", {kOut}),
                                        neverNamed, makeRecord("Dee", {kIn})});
    TimeSheet sheet;
    sheet.load(file);
    EXPECT_EQ(sheet.cell(2, 0), std::string(20, ' '));
    EXPECT_EQ(sheet.cell(3, 1), "OUT    ");
    EXPECT_EQ(sheet.cell(4, 0), pad("Cal", 20));
    EXPECT_EQ(sheet.cell(5, 0), std::string(20, '\0'));
    EXPECT_EQ(sheet.cell(6, 0), pad("Dee", 20));
    const std::string saved = sheet.saveBytes();
    for (int p : {1, 2, 3, 5})
        EXPECT_TRUE(recordOf(saved, p) == recordOf(file, p)) << "position " << p;
    neverNamed.setName("");
    EXPECT_TRUE(recordOf(saved, 4) == std::string(neverNamed.view()));
    EXPECT_TRUE(recordOf(saved, 6) == std::string(placeholder().view()));
}

// A week file of 24 records in which the station has punched positions 1 and 3.
std::string stationWeek() {
    std::vector<TimeRecord> recs(24, placeholder());
    recs[0] = makeRecord("Ann", {kIn});
    recs[2] = makeRecord("Carol", {kIn, kOut});
    return weekBytes(recs);
}

TEST(TimeSheetMerge, UntouchedFileWithoutEditsIsWrittenUnchanged) {
    const std::string file = stationWeek();
    TimeSheet sheet;
    sheet.load(file);
    SavePlan plan = sheet.planSave(file);
    EXPECT_EQ(firstDifference(plan.bytes, file), "");
    EXPECT_FALSE(plan.hasConflicts());
    EXPECT_TRUE(plan.unsavedRows.empty());
    // Whatever lies beyond record 24 is left as it is.
    const std::string longer = file + "tail";
    sheet.load(longer);
    EXPECT_EQ(firstDifference(sheet.planSave(longer).bytes, longer), "");
}

TEST(TimeSheetMerge, PunchStoredAfterTheLoadSurvivesTheSave) {
    const std::string loaded = stationWeek();
    TimeSheet sheet;
    sheet.load(loaded);
    sheet.setCell(1, 2, "Paint.Dept-2"); // the manager mends Ann's job

    // Meanwhile the station punches Carol and a first punch for position 5.
    std::string disk = loaded;
    const TimeRecord carol =
        makeRecord("Carol", {kIn, kOut, {"IN", "Cut.Dept-4", "4:00:00 PM", "Mon-Feb-3"}});
    const TimeRecord eve = makeRecord("Eve", {kIn});
    disk.replace(2 * kRec, kRec, carol.view());
    disk.replace(4 * kRec, kRec, eve.view());

    SavePlan plan = sheet.planSave(disk);
    EXPECT_FALSE(plan.hasConflicts());
    std::string expected = disk;
    const TimeRecord ann = makeRecord("Ann", {{"IN", "Paint.Dept-2", "7:00:00 AM", "Mon-Feb-3"}});
    expected.replace(0, kRec, ann.view());
    EXPECT_EQ(firstDifference(plan.bytes, expected), "");
    EXPECT_EQ(firstDifference(sheet.planSave(loaded, disk).bytes, expected), "");

    // The grid does not show Carol's third punch; a second save must keep it all the same.
    sheet.load(plan.bytes);
    std::string disk2 = plan.bytes;
    const TimeRecord carol4 =
        makeRecord("Carol", {kIn, kOut, {"IN", "Cut.Dept-4", "4:00:00 PM", "Mon-Feb-3"}, kOut});
    disk2.replace(2 * kRec, kRec, carol4.view());
    SavePlan plan2 = sheet.planSave(disk2);
    EXPECT_FALSE(plan2.hasConflicts());
    EXPECT_EQ(firstDifference(plan2.bytes, disk2), "");
}

TEST(TimeSheetMerge, EditOfARecordTheStationAlsoChangedIsAConflict) {
    const std::string loaded = stationWeek();
    TimeSheet sheet;
    sheet.load(loaded);
    sheet.setCell(4, 3, "3:00:00 PM"); // Carol's OUT, mended here
    std::string disk = loaded;
    const TimeRecord carol =
        makeRecord("Carol", {kIn, kOut, {"IN", "Cut.Dept-4", "4:00:00 PM", "Mon-Feb-3"}});
    disk.replace(2 * kRec, kRec, carol.view());

    SavePlan plan = sheet.planSave(disk);
    ASSERT_EQ(plan.conflicts.size(), 1u);
    EXPECT_EQ(plan.conflicts[0].position, 3);
    EXPECT_EQ(plan.conflicts[0].name, "Carol");
    EXPECT_EQ(plan.conflictQuestion(),
              "The punches of these employees were changed both here and at the station "
              "since the file was opened: Carol. Save anyway?");
    // Saving anyway writes the manager's version of the conflicting record only.
    std::string expected = disk;
    const TimeRecord mended = makeRecord("Carol", {kIn, {"OUT", "", "3:00:00 PM", "Mon-Feb-3"}});
    expected.replace(2 * kRec, kRec, mended.view());
    EXPECT_EQ(firstDifference(plan.bytes, expected), "");

    // Removing a placeholder row moves every later block up one position:
    // that clashes with the station's punch for Carol too.
    TimeSheet shifted;
    shifted.load(loaded);
    ASSERT_TRUE(shifted.removeRow(2));
    SavePlan plan2 = shifted.planSave(disk);
    ASSERT_EQ(plan2.conflicts.size(), 1u);
    EXPECT_EQ(plan2.conflicts[0].position, 3);
    EXPECT_TRUE(recordOf(plan2.bytes, 2) == std::string(recordOf(loaded, 3)));
}

} // namespace
} // namespace tc
