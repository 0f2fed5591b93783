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
using test::weekBytes;

const std::string kHeadingLine = "Name:\tAction:\tJob Number:\tAct Time:\tAct Date:\tDuration";

std::string emptyLines(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "\r\t\t\t\t\t";
    return s;
}

std::string twoPositionWeek() {
    return weekBytes({makeRecord("Ann", {{"IN", "Weld.Dept-1", "8:00:00 AM", "Mon-Feb-3"},
                                         {"OUT", "", "4:30:00 PM", "Mon-Feb-3"}}),
                      TimeRecord(), makeRecord("Bo", {{"LUNCH", "", "12:00:00 PM", "Mon-Feb-3"}})});
}

TEST(TimeSheetClipboard, CopyAllGivesTheWholeGrid) {
    TimeSheet sheet;
    sheet.load("");
    EXPECT_EQ(sheet.copyAllText(), kHeadingLine + emptyLines(1999));

    sheet.load(twoPositionWeek());
    const std::string expected =
        kHeadingLine + "\r" + pad("Ann", 20) + "\tIN     \t" + pad("Weld.Dept-1", 20) +
        "\t8:00:00 AM \tMon-Feb-3  \t8.5" + "\r" + pad("Ann", 20) + "\tOUT    \t" + std::string(20, ' ') +
        "\t4:30:00 PM \tMon-Feb-3  \t" + "\r\t\t\t\t\t" + "\r" + pad("Bo", 20) + "\tLUNCH  \t" +
        std::string(20, ' ') + "\t12:00:00 PM\tMon-Feb-3  \t" + emptyLines(1995);
    EXPECT_EQ(sheet.copyAllText(), expected);

    // Add Row: one more line, the new row's name a single space.
    EXPECT_EQ(sheet.addRow(2), 3);
    EXPECT_EQ(sheet.rowCount(), 2001);
    EXPECT_EQ(sheet.cell(3, 0), " ");
    EXPECT_EQ(sheet.cell(4, 0), ""); // position 2's placeholder moved down
    EXPECT_EQ(sheet.cell(5, 0), pad("Bo", 20));
    const std::string copied = sheet.copyAllText();
    EXPECT_EQ(std::count(copied.begin(), copied.end(), '\r'), 2000);
}

TEST(TimeSheetClipboard, CopyThenPasteRestoresTheGrid) {
    TimeSheet sheet;
    sheet.load(twoPositionWeek());
    const std::string text = sheet.copyAllText();
    const std::string saved = sheet.saveBytes();
    sheet.setCell(1, 3, "9:00:00 AM");
    sheet.setCell(7, 0, "Stray");
    sheet.pasteAll(text);
    EXPECT_EQ(sheet.copyAllText(), text);
    EXPECT_TRUE(sheet.saveBytes() == saved);
}

TEST(TimeSheetClipboard, PasteFromASpreadsheet) {
    TimeSheet sheet;
    sheet.load(twoPositionWeek());
    // CR LF, LF and lone CR line ends, 3 columns, a line end at the end.
    sheet.pasteAll("Who\tWhat\tJob\r\nAnn\tCHANGE\tPaint\nWet\rDry\n");
    EXPECT_EQ(sheet.cell(0, 0), "Who");
    EXPECT_EQ(sheet.cell(0, 2), "Job");
    EXPECT_EQ(sheet.cell(0, 3), "Act Time:");
    EXPECT_EQ(sheet.cell(1, 0), "Ann");
    EXPECT_EQ(sheet.cell(1, 1), "CHANGE");
    EXPECT_EQ(sheet.cell(1, 2), "Paint");
    EXPECT_EQ(sheet.cell(1, 3), "8:00:00 AM "); // not reached: kept
    EXPECT_EQ(sheet.cell(1, 5), "8.5");         // durations are not worked out again
    EXPECT_EQ(sheet.cell(2, 0), "Wet");
    EXPECT_EQ(sheet.cell(2, 1), "OUT    ");
    EXPECT_EQ(sheet.cell(3, 0), "Dry");
    EXPECT_EQ(sheet.cell(4, 0), pad("Bo", 20)); // the final line end adds no empty line

    // Cells beyond the sixth column are dropped; an empty line empties column 0 only.
    sheet.pasteAll("a\tb\tc\td\te\tf\tg\th\r\r");
    EXPECT_EQ(sheet.cell(0, 5), "f");
    EXPECT_EQ(sheet.cell(1, 0), "");
    EXPECT_EQ(sheet.cell(1, 1), "CHANGE");
    EXPECT_EQ(sheet.cell(2, 0), "Wet");

    const std::string before = sheet.copyAllText();
    sheet.pasteAll("");
    EXPECT_EQ(sheet.copyAllText(), before);
}

TEST(TimeSheetClipboard, PasteWithoutTheHeadingMovesEveryLineUp) {
    TimeSheet sheet;
    sheet.load(twoPositionWeek());
    const std::string text = sheet.copyAllText();
    sheet.pasteAll(text.substr(text.find('\r') + 1));
    EXPECT_EQ(sheet.cell(0, 0), pad("Ann", 20));
    EXPECT_EQ(sheet.cell(0, 1), "IN     ");
    EXPECT_EQ(sheet.cell(1, 1), "OUT    ");
    EXPECT_EQ(sheet.cell(2, 0), "");
    EXPECT_EQ(sheet.cell(3, 0), pad("Bo", 20));
    // Saved now, Ann's first punch is gone (it sits in the heading row) and
    // position 1 becomes Ann with the OUT only.
    const std::vector<TimeRecord> recs = sheet.buildRecords();
    EXPECT_EQ(recs[0].lastEntry(), 1);
    EXPECT_EQ(recs[0].raw(TimeRecord::Field::Action, 1), "OUT    ");
}

TEST(TimeSheetClipboard, ALongPasteGrowsTheGridToAFullWeek) {
    // A full week (24 x 100 punches) copied, then pasted where a small week is open.
    std::vector<TimeRecord> records;
    for (int p = 1; p <= 24; ++p)
        records.push_back(
            makeRecord("Employee " + std::to_string(p),
                       std::vector<test::Punch>(100, {"IN", "J.Dept-1", "8:00:00 AM", "Mon-Feb-3"})));
    const std::string fullWeek = weekBytes(records);
    TimeSheet full;
    full.load(fullWeek);
    TimeSheet sheet;
    sheet.load(twoPositionWeek());
    EXPECT_EQ(sheet.pasteAll(full.copyAllText()), 0);
    EXPECT_EQ(sheet.rowCount(), 2401);
    EXPECT_TRUE(sheet.saveBytes() == fullWeek);

    // Beyond a full week nothing is pasted, and the lines holding text are counted.
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "Line " + std::to_string(i) + "\tIN\tJ\t8:00:00 AM\tMon-Feb-3\t\tx\r\n";
    EXPECT_EQ(sheet.pasteAll(text + "\t\t\r\n\r\n"), 10000 - 2401);
    EXPECT_EQ(sheet.rowCount(), 2401);
    EXPECT_EQ(sheet.cell(0, 0), "Line 0");
    EXPECT_EQ(sheet.cell(2400, 0), "Line 2400");
    EXPECT_EQ(sheet.cell(2400, 5), "");
}

TEST(TimeSheetRows, RemoveRow) {
    TimeSheet sheet;
    sheet.load(twoPositionWeek());
    const std::string before = sheet.copyAllText();
    EXPECT_FALSE(sheet.removeRow(0));
    EXPECT_FALSE(sheet.removeRow(2000));
    EXPECT_EQ(sheet.copyAllText(), before);
    EXPECT_EQ(sheet.rowCount(), 2000);

    // Removing position 2's placeholder moves Bo into record 2.
    EXPECT_TRUE(sheet.removeRow(3));
    EXPECT_EQ(sheet.rowCount(), 1999);
    EXPECT_EQ(sheet.cell(3, 0), pad("Bo", 20));
    const std::vector<TimeRecord> recs = sheet.buildRecords();
    EXPECT_EQ(recs[1].raw(TimeRecord::Field::EmpName), pad("Bo", 20));
}

} // namespace
} // namespace tc
