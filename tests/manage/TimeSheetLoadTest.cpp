#include "data/Paths.h"
#include "data/WeekFile.h"
#include "manage/TimeSheet.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

using test::makeRecord;
using test::pad;
using test::Punch;
using test::weekBytes;

bool rowEmpty(const TimeSheet& s, int row) {
    for (int c = 0; c < TimeSheet::kColumns; ++c)
        if (!s.cell(row, c).empty())
            return false;
    return true;
}

TEST(TimeSheetLoad, EmptyWeekFileGivesTwentyFourPlaceholders) {
    TimeSheet sheet;
    sheet.load("");
    EXPECT_EQ(sheet.rowCount(), 2000);
    for (int c = 0; c < TimeSheet::kColumns; ++c)
        EXPECT_EQ(sheet.cell(0, c), TimeSheet::headings()[std::size_t(c)]);
    EXPECT_EQ(sheet.cell(0, 5), "Duration");
    for (int r = 1; r < sheet.rowCount(); ++r)
        ASSERT_TRUE(rowEmpty(sheet, r)) << "row " << r;
    // The placeholders are what saving reads back: 24 records of 20-space names.
    const std::string saved = sheet.saveBytes();
    ASSERT_EQ(saved.size(), 119256u);
    for (int p = 0; p < 24; ++p) {
        const std::string rec = saved.substr(std::size_t(p) * 4969, 4969);
        EXPECT_EQ(rec.substr(0, 20), std::string(20, ' '));
        EXPECT_EQ(rec.substr(20), std::string(4949, '\0'));
    }
}

TEST(TimeSheetLoad, BlocksAndPlaceholdersFollowThePositions) {
    // Position 1 with 2 entries, 2 with none, 3 with one; the file ends after record 3.
    const std::string file = weekBytes({
        makeRecord("Alice", {{"IN", "Weld.Dept-1", "8:00:00 AM", "Mon-Feb-3"},
                             {"OUT", "", "12:30:00 PM", "Mon-Feb-3"}}),
        TimeRecord(),
        makeRecord("Bob Jones", {{"LUNCH", "", "11:59:59 AM", "Tue-Feb-4"}}),
    });
    TimeSheet sheet;
    sheet.load(file);

    EXPECT_EQ(sheet.cell(1, 0), pad("Alice", 20));
    EXPECT_EQ(sheet.cell(1, 1), pad("IN", 7));
    EXPECT_EQ(sheet.cell(1, 2), pad("Weld.Dept-1", 20));
    EXPECT_EQ(sheet.cell(1, 3), "8:00:00 AM ");
    EXPECT_EQ(sheet.cell(1, 4), "Mon-Feb-3  ");
    EXPECT_EQ(sheet.cell(1, 5), "4.5");
    EXPECT_EQ(sheet.cell(2, 0), pad("Alice", 20));
    EXPECT_EQ(sheet.cell(2, 1), "OUT    ");
    EXPECT_EQ(sheet.cell(2, 2), std::string(20, ' '));
    EXPECT_EQ(sheet.cell(2, 3), "12:30:00 PM");
    EXPECT_EQ(sheet.cell(2, 5), "");
    EXPECT_TRUE(rowEmpty(sheet, 3)); // position 2
    EXPECT_EQ(sheet.cell(4, 0), "Bob Jones           ");
    EXPECT_EQ(sheet.cell(4, 1), "LUNCH  ");
    EXPECT_EQ(sheet.cell(4, 3), "11:59:59 AM");
    EXPECT_EQ(sheet.cell(4, 4), "Tue-Feb-4  ");
    for (int r = 5; r <= 25; ++r) // positions 4..24, then nothing
        EXPECT_TRUE(rowEmpty(sheet, r)) << "row " << r;
}

TEST(TimeSheetLoad, DurationsInExactHours) {
    const std::string file = weekBytes({
        makeRecord("Ann",
                   {{"IN", "J1.Dept-1", "12:30:00 PM", "Mon-Feb-3"}, {"OUT", "", "4:30:00 PM", "Mon-Feb-3"}}),
        makeRecord("Ben",
                   {{"IN", "J1.Dept-1", "10:00:00 PM", "Mon-Feb-3"}, {"OUT", "", "6:00:00 AM", "Tue-Feb-4"}}),
        makeRecord("Cal", {{"CHANGE", "J2.Other", "9:05:07 AM", "Mon-Feb-3"},
                           {"OUT", "", "9:25:07 AM", "Mon-Feb-3"}}),
        makeRecord("Dee", {{"IN", "J1.Dept-2", "8:00:00 AM", "Mon-Feb-3"},
                           {"LUNCH", "", "12:00:00 PM", "Mon-Feb-3"},
                           {"IN", "J1.Dept-2", "12:45:00 PM", "Mon-Feb-3"}}),
        TimeRecord(),
        makeRecord("Eve",
                   {{"IN", "J3.Office", "8:00:00 AM", "Mon-Feb-3"}, {"OUT", "", "4:30:00 PM", "Mon-Feb-3"}}),
        // A time typed wrongly costs its own rows their durations, nothing more.
        makeRecord("Fay", {{"IN", "J1.Dept-1", "8:00:00 AM", "Mon-Feb-3"},
                           {"CHANGE", "J2.Dept-1", "ten past", "Mon-Feb-3"},
                           {"CHANGE", "J3.Dept-1", "1:00:00 PM", "Mon-Feb-3"},
                           {"OUT", "", "3:15:00 PM", "Mon-Feb-3"}}),
        makeRecord("Gus",
                   {{"IN", "J1.Dept-1", "7:00:00 AM", "Mon-Feb-3"}, {"OUT", "", "3:00:00 PM", "Mon-Feb-3"}}),
    });
    TimeSheet sheet;
    sheet.load(file);
    EXPECT_EQ(sheet.cell(1, 5), "4");
    EXPECT_EQ(sheet.cell(2, 5), "");
    EXPECT_EQ(sheet.cell(3, 5), "8");    // overnight
    EXPECT_EQ(sheet.cell(5, 5), "0.33"); // cut, not rounded
    EXPECT_EQ(sheet.cell(7, 5), "4");
    EXPECT_EQ(sheet.cell(8, 5), ""); // LUNCH
    EXPECT_EQ(sheet.cell(9, 5), ""); // last of its block; next row is a placeholder
    EXPECT_TRUE(rowEmpty(sheet, 10));
    EXPECT_EQ(sheet.cell(11, 5), "8.5");
    EXPECT_EQ(sheet.cell(13, 0), pad("Fay", 20));
    EXPECT_EQ(sheet.cell(13, 5), "");
    EXPECT_EQ(sheet.cell(14, 5), "");
    EXPECT_EQ(sheet.cell(15, 5), "2.25");
    EXPECT_EQ(sheet.cell(17, 0), pad("Gus", 20));
    EXPECT_EQ(sheet.cell(17, 5), "8");
}

TEST(TimeSheetLoad, SameNameNeighboursAreMeasuredOnlyWithinTheirOwnRecord) {
    TimeRecord second = makeRecord("x", {{"OUT", "", "12:00:00 PM", "Mon-Feb-3"}});
    second.set(TimeRecord::Field::EmpName, 0, "  Bob"); // same name once trimmed
    const std::string file = weekBytes({
        makeRecord("Bob", {{"IN", "J1.Dept-1", "8:00:00 AM", "Mon-Feb-3"}}),
        second,
        makeRecord("bob", {{"IN", "J1.Dept-1", "1:00:00 PM", "Mon-Feb-3"}}),
        makeRecord("Bob", {{"OUT", "", "2:00:00 PM", "Mon-Feb-3"}}),
    });
    TimeSheet sheet;
    sheet.load(file);
    EXPECT_EQ(sheet.cell(1, 5), ""); // the OUT below is another person's punch
    EXPECT_EQ(sheet.cell(2, 5), ""); // OUT
    EXPECT_EQ(sheet.cell(3, 5), ""); // letter case counts: "bob" is not "Bob"
}

TEST(TimeSheetLoad, EarlierContentsNeverSurviveALoad) {
    std::vector<Punch> many;
    for (int i = 0; i < 60; ++i)
        many.push_back({"IN", "J1.Dept-1", "8:00:00 AM", "Mon-Feb-3"});
    const std::string weekA = weekBytes({makeRecord("Ann", many), makeRecord("Ben", many)});
    const std::string weekB =
        weekBytes({TimeRecord(), makeRecord("Cal", {{"OUT", "", "5:00:00 PM", "Fri-Feb-7"}})});

    TimeSheet sheet;
    sheet.load(weekA);
    sheet.setCell(1500, 0, "Stray");
    sheet.setCell(1, 5, "99");
    sheet.addRow(10);
    sheet.pasteAll("Pasted\tHeading");
    sheet.load(weekB);

    EXPECT_EQ(sheet.rowCount(), 2000);
    EXPECT_EQ(sheet.cell(0, 0), "Name:");
    EXPECT_EQ(sheet.cell(0, 1), "Action:");
    EXPECT_TRUE(rowEmpty(sheet, 1));
    EXPECT_EQ(sheet.cell(2, 0), pad("Cal", 20));
    for (int r = 3; r < sheet.rowCount(); ++r)
        ASSERT_TRUE(rowEmpty(sheet, r)) << "row " << r;
    // Saved straight back, week B holds nothing of week A.
    std::string expected =
        weekBytes({TimeRecord(), makeRecord("Cal", {{"OUT", "", "5:00:00 PM", "Fri-Feb-7"}})});
    TimeRecord placeholder;
    placeholder.setName("");
    expected.replace(0, 4969, placeholder.view());
    for (int p = 3; p <= 24; ++p)
        expected.append(placeholder.view());
    EXPECT_TRUE(sheet.saveBytes() == expected);
}

TEST(TimeSheetLoad, FullWeekGrowsTheGridAndSavesBackByteForByte) {
    std::vector<TimeRecord> records;
    for (int p = 1; p <= 24; ++p) {
        std::vector<Punch> punches;
        for (int k = 1; k <= 100; ++k)
            punches.push_back({k % 2 ? "IN" : "OUT", k % 2 ? "Job" + std::to_string(k) + ".Dept-3" : "",
                               std::to_string(k % 12 + 1) + ":0" + std::to_string(k % 10) + ":00 AM",
                               "Wed-Feb-5"});
        records.push_back(makeRecord("Employee " + std::to_string(p), punches));
    }
    const std::string file = weekBytes(records);
    TimeSheet sheet;
    sheet.load(file);
    ASSERT_EQ(sheet.rowCount(), 2401);
    EXPECT_EQ(sheet.cell(1, 0), pad("Employee 1", 20));
    EXPECT_EQ(sheet.cell(2400, 0), pad("Employee 24", 20));
    EXPECT_EQ(sheet.cell(2400, 1), "OUT    ");
    EXPECT_EQ(sheet.cell(2301, 0), pad("Employee 24", 20));
    EXPECT_EQ(sheet.cell(2300, 0), pad("Employee 23", 20));
    EXPECT_TRUE(sheet.saveBytes() == file);
    SavePlan plan = sheet.planSave(file);
    EXPECT_TRUE(plan.bytes == file);
    EXPECT_TRUE(plan.unsavedRows.empty());
}

TEST(TimeSheetLoad, AGapInARecordKeepsItsPunchesOnItsOwnRows) {
    // Not written by the station, but possible in a hand-mended file: entry 2
    // never written between two punches. The later position must not lose a row.
    TimeRecord gappy = makeRecord("Ann", {{"IN", "J1.Dept-1", "8:00:00 AM", "Mon-Feb-3"},
                                          {"X", "", "", ""},
                                          {"OUT", "", "4:00:00 PM", "Mon-Feb-3"}});
    gappy.clear(TimeRecord::Field::Action, 2);
    const std::string file = weekBytes({gappy, makeRecord("Ben", {{"OUT", "", "5:00:00 PM", "Mon-Feb-3"}})});
    TimeSheet sheet;
    sheet.load(file);
    EXPECT_EQ(sheet.cell(1, 1), "IN     ");
    EXPECT_EQ(sheet.cell(2, 1), "OUT    ");
    EXPECT_EQ(sheet.cell(1, 5), "8");
    EXPECT_EQ(sheet.cell(3, 0), pad("Ben", 20));
    EXPECT_EQ(sheet.cell(3, 1), "OUT    ");
}

} // namespace
} // namespace tc
