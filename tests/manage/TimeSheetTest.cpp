#include "core/sheet/TimeSheet.h"
#include "core/files/Paths.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/punch/PunchRecorder.h"
#include "core/report/WeekReport.h"
#include "core/sheet/WeekFileCheck.h"
#include "core/sheet/WeekSave.h"
#include "support/RecordText.h"
#include "support/RecordingTalk.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

static bool gConverterGone = false; // while set, the week files' converter fails outright, as Windows's did
#ifndef _WIN32
#include <dlfcn.h>
#include <iconv.h>
extern "C" iconv_t iconv_open(const char* to, const char* from) {
    using Open = iconv_t (*)(const char*, const char*);
    static const Open real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "iconv_open"));
    return gConverterGone ? iconv_t(-1) : real(to, from);
}
#endif

namespace tc::test {
namespace {

using F = TimeRecord::Field;

std::string fullWeek() {
    std::string bytes;
    for (int p = 1; p <= kPositions; ++p)
        bytes += fullRecord("Employee " + std::to_string(p), "OUT").view();
    return bytes;
}

// `n` rows typed into the grid under `name` (the first pasted line is the headings').
std::string typed(const std::string& name, int n = 1) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += "\n" + name + "\tIN\t\t8:00:00 AM\tMon-Feb-3";
    return out;
}

// Two neighbours whose rows the names alone cannot tell apart (as `first` and `second` are given), then Bob.
std::string neighbours(const std::string& first, const std::string& second) {
    return week({first + "|IN 7:00a Mon-Jan-6 1001.Dept-1|LUNCH 11:30a|IN 12:00p Mon-Jan-6 1002.Office",
                 second + "|IN 7:05a Tue-Jan-7 1003.Other|OUT 3:30p", "Bob|IN 7:10a Wed-Jan-8 1004.Dept-2"});
}

TEST(TimeSheet, LoadsEachPositionAsABlockAndSavesItBackThroughCopyAndPaste) {
    TimeRecord gap = rec("Ann|IN 8:00a Mon-Feb-3|X 1:00p|OUT 4:00p");
    gap.clear(F::Action, 2); // hand-mended: entry 2 never written between two punches
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // file, "name,action,duration|" for rows from 1 (trimmed), the file saved when not the same
        {fullWeek(), "Employee 1,IN,1|Employee 1,OUT,|", ""}, // every punch saved back: the grid grew
        {week({"Ann|IN 8:00a Mon-Feb-3 Weld.Dept-1|OUT 12:30p", "", "Bob Jones|LUNCH 11:59:59a Tue-Feb-4"}),
         "Ann,IN,4.5|Ann,OUT,|,,|Bob Jones,LUNCH,|,,|", ""},
        // Past midnight, 20 minutes cut, the clock set back on one date, an unreadable time, a lunch.
        {week({"Ann|IN 10:00p Mon-Feb-3|OUT 6:00a Tue-Feb-4", "Cal|CHANGE 9:05:07a Mon-Feb-3|OUT 9:25:07a",
               "Cy|IN 1:50:05a Sun-Nov-2|OUT 1:10:01a",
               "Fay|IN 8:00a Mon-Feb-3|CHANGE 25:00p|CHANGE 1:00p|OUT 3:15p",
               "Dee|IN 8:00a Mon-Feb-3|LUNCH 12:00p|IN 12:45p"}),
         "Ann,IN,8|Ann,OUT,|Cal,CHANGE,0.33|Cal,OUT,|Cy,IN,0|Cy,OUT,|Fay,IN,|Fay,CHANGE,|Fay,CHANGE,2.25|"
         "Fay,OUT,|Dee,IN,4|Dee,LUNCH,|Dee,IN,|,,|",
         ""},
        // 8 h 25 min is 8.42 hours, half a hundredth and more rounded up as in the report.
        {neighbours("Al", "Al"), "Al,IN,4.5|Al,LUNCH,|Al,IN,|Al,IN,8.42|Al,OUT,|Bob,IN,|,,|", ""},
        {neighbours("", ""), ",IN,|,LUNCH,|,IN,|,IN,|,OUT,|Bob,IN,|", ""},
        {neighbours("Christopher Alexander Smith", "Christopher Alexander Jones"), "", ""},
        {neighbours("Ann\r\nLee", "Ann\r\nLee"), "Ann  Lee,IN,4.5|", neighbours("Ann  Lee", "Ann  Lee")},
        // "1:00" may be morning or afternoon: no hours are guessed for it.
        {weekBytes(
             {makeRecord("Gus", {{"IN", "", "1:00", "Mon-Feb-3"}, {"OUT", "", "4:00:00 PM", "Mon-Feb-3"}})}),
         "Gus,IN,|Gus,OUT,|", ""},
        {weekBytes({gap, rec("Ben|OUT 5:00p Mon-Feb-3")}), "Ann,IN,8|Ann,OUT,|Ben,OUT,|",
         week({"Ann|IN 8:00a Mon-Feb-3|OUT 4:00p", "Ben|OUT 5:00p Mon-Feb-3"})},
    };
    TimeSheet sheet; // each week is loaded over the one before: nothing of that may survive
    int i = 0;
    for (const auto& [file, rows, saved] : cases) {
        SCOPED_TRACE(rows);
        TimeSheet fresh;
        sheet.load(file);
        fresh.load(file);
        EXPECT_TRUE(sheet.copyAllText() == fresh.copyAllText());
        std::string shown;
        for (int r = 1; r <= std::count(rows.begin(), rows.end(), '|'); ++r)
            shown += trimSpaces(sheet.cell(r, 0)) + "," + trimSpaces(sheet.cell(r, 1)) + "," +
                     sheet.cell(r, 5) + "|";
        EXPECT_EQ(shown, rows);
        for (int p = 1; p <= kPositions; ++p) {
            const TimeRecord in = recordAt(saved.empty() ? file : saved, p);
            EXPECT_TRUE(recordAt(sheet.saveBytes(), p) == (in.usedEntries() ? in : placeholderRecord())) << p;
        }
        // Copy All, Paste All (with each kind of line end), Save: nothing moves, nothing changes.
        const std::string copied = sheet.copyAllText();
        EXPECT_EQ(std::count(copied.begin(), copied.end(), '\r'), sheet.rowCount() - 1);
        EXPECT_EQ(copied.find('\n'), std::string::npos);
        sheet.pasteAll(std::regex_replace(copied, std::regex("\r"), std::array{"\r", "\n", "\r\n"}[i++ % 3]));
        const SavePlan plan = sheet.planSave(file);
        EXPECT_TRUE(plan.moves.empty() && plan.bytes == fresh.planSave(file).bytes);
    }
    // A full week pasted where a small one is open: the grid grows, the lines beyond are counted.
    TimeSheet full;
    full.load(fullWeek());
    sheet.load(neighbours("Al", "Al"));
    EXPECT_EQ(sheet.pasteAll(full.copyAllText() + "\r\n\t\r\nleft\r\nout\r\n"), 2);
    EXPECT_TRUE(sheet.saveBytes() == fullWeek());
}

TEST(TimeSheet, TypedRowsMakeBlocksByTrimmedNameUpToAHundredPunches) {
    const std::string longName = "Christopher Alexander Smith";
    const std::pair<std::string, std::string> cases[] = {
        {typed("Ann", 101) + typed("Bea", 2) + typed("Cy") + typed("Bea") + typed(""),
         "Ann:100;Bea:2;Cy:1;Bea:1;:1;:0;"},
        {typed(longName, 2) + typed(longName + " ") + typed("Christopher Alexande"),
         "Christopher Alexande:4;:0;"},
        {"\n   Dan  \t\tABCDEFGHIJKLMNOPQRSTUVWXY" + typed("Dan"), "Dan:2;:0;"}, // no action is still a punch
    };
    for (const auto& [paste, blocks] : cases) {
        TimeSheet sheet;
        sheet.pasteAll(paste);
        const std::vector<TimeRecord> r = sheet.buildRecords();
        std::string made;
        for (int p = 0; p < std::count(blocks.begin(), blocks.end(), ';'); ++p)
            made += r[p].text(F::EmpName) + ":" + std::to_string(r[p].lastEntry()) + ";";
        EXPECT_EQ(std::regex_replace(made, std::regex(" *:"), ":"),
                  blocks); // the names without their padding
    }
}

TEST(TimeSheet, OpensOnlyWeekFiles) {
    ProgramFolder base;
    const std::string feb = monthFolderPath(base.path(), 2), oneWeek = week({"Ann|IN 8:00a Mon-Feb-3"});
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // path, bytes ("/": a folder), why
        {pathJoin(feb, "b.dat"), "", ""},
        {base.file("Jobs.dat"), "1001,Roof\r\n", "week files lie in the month folders (Jan to Dec) of"},
        {base.file("c.dat"), oneWeek, "week files lie in the month folders (Jan to Dec) of"},
        {pathJoin(feb, "d.dat"), std::string(100, 'x'), "its length, 100 bytes, is not a whole number"},
        {pathJoin(feb, "e.dat"), std::string(25 * TimeRecord::kSize, '\0'), "it holds 25 records"},
        {pathJoin(feb, "f.dat"), "/", "it is a folder."},
    };
    for (const auto& [path, bytes, why] : cases) {
        SCOPED_TRACE(path);
        bytes == "/" ? void(std::filesystem::create_directory(path)) : writeFile(path, bytes);
        std::string opened = "stale";
        const std::string message = checkWeekFileForEditing(realFiles(), base.path(), path, opened).message();
        EXPECT_TRUE(why.empty() ? message.empty() : message.starts_with(path + " is not a week file: " + why))
            << message;
        EXPECT_TRUE(opened == (why.empty() ? bytes : ""));
    }
}

TEST(WeekSave, KeepsWhatTheStationStoresWhileTheWeekIsOpen) {
    ProgramFolder base;
    StationState station(base.path());
    const auto punch = [&](int position, const std::string& name, const std::string& action, int h) {
        ASSERT_TRUE(recordPunch(station, {position - 1, name, action, "1001.Dept-1", "", {}}, mondayFeb3(h)));
    };
    const std::string path = base.weekFile(mondayFeb3()), backup = backupPathOf(path);
    punch(1, "Ann", "IN", 8);
    std::string opened;
    ASSERT_TRUE(checkWeekFileForEditing(realFiles(), base.path(), path, opened));
    TimeSheet sheet;
    sheet.load(opened);
    punch(1, "Ann", "LUNCH", 12);
    const std::string beforeSave = readFile(path);
    RecordingTalk talk;
    EXPECT_EQ(saveWeek(realFiles(), path, sheet, talk), SaveOutcome::Saved);
    EXPECT_EQ(talk.toldText(), backup + " Has been created. As Backup.\ndone");
    EXPECT_TRUE(readFile(backup) == beforeSave);
    EXPECT_EQ(sheet.cell(2, 1), "LUNCH  "); // the grid shows the week saved...
    sheet.setCell(1, 3, "7:55:00 AM");      // ...so mending the IN later keeps the LUNCH
    punch(2, "Bob", "IN", 13);              // and Bob, whom the manager does not touch, stays
    EXPECT_EQ(saveWeek(realFiles(), path, sheet, talk), SaveOutcome::Saved);
    EXPECT_TRUE(talk.asked.empty());
    EXPECT_TRUE(readFile(path).substr(0, 2 * TimeRecord::kSize) ==
                week({"Ann|IN 7:55a Mon-Feb-3 1001.Dept-1|LUNCH 12:00p Mon-Feb-3 1001.Dept-1",
                      "Bob|IN 1:00p Mon-Feb-3 1001.Dept-1"}));
}

TEST(WeekSave, RefusesOrAsksBeforeWritingAnything) {
    ProgramFolder base;
    const std::string path = base.weekFile(mondayFeb3()), twins = neighbours("Worker 1", "Worker 1");
    TimeSheet sheet;
    sheet.load(twins);
    std::string oneRowMore = sheet.copyAllText();
    oneRowMore.insert(oneRowMore.find("\rWorker 1"), typed("Worker 1"));
    const std::string unstorable =
        "row 1, column Name, could not be converted to the code page of the week files, so " + path;
    const std::tuple<std::string, std::string, std::string, SaveOutcome, std::string> cases[] = {
        // path, paste, the file on disk by then (the station's punch), outcome, said
        {backupPathOf(path), "", twins, SaveOutcome::Refused, backupPathOf(path) + " is a backup copy."},
        {path, typed("Worker 1"), week({"Worker 1|IN 7:00a Mon-Jan-6|LUNCH 11:30a|IN 12:00p"}),
         SaveOutcome::Stopped,
         "changed both here and at the station since the file was opened: Worker 1. Saving now removes these "
         "punches stored at the station: Worker 1, IN 7:00:00 AM Mon-Jan-6; Worker 1, IN 12:00:00 PM "
         "Mon-Jan-6. Save anyway?"},
        {path, typed("Ann", 101), twins, SaveOutcome::Stopped, "Row 101 holds data that no employee"},
        {path, oneRowMore, twins, SaveOutcome::Stopped,
         "Worker 1 (position 2 into the record of position 1), Bob (position 3 into the record of position "
         "2)"},
        {path, "\n\xC5\x81ucja", twins, SaveOutcome::Refused, unstorable},
#ifndef _WIN32
        {path, "\nJos\xC3\xA9", twins, SaveOutcome::Refused, unstorable},
#endif
    };
    for (const auto& [file, paste, disk, outcome, said] : cases) {
        SCOPED_TRACE(said);
        sheet.load(twins);
        sheet.pasteAll(paste);
        writeFile(file, disk);
        RecordingTalk talk(false);
        gConverterGone = paste.starts_with("\nJos");
        EXPECT_EQ(saveWeek(realFiles(), file, sheet, talk), outcome);
        gConverterGone = false;
        const std::string heard = (talk.asked.empty() ? "" : talk.asked[0]) + talk.toldText();
        EXPECT_NE(heard.find(said), std::string::npos) << heard;
        EXPECT_TRUE(readFile(file) == disk); // and nothing beside it: no backup, no temporary file
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(parentFolder(path)), {}), 1);
        std::filesystem::remove(file);
    }
}

// A spreadsheet's copy of the same time or date ("07:15:00 AM") is no change: the stored bytes stay, the
// journal gets no line. A time or date the station would not write is named and asked about first; saved
// as typed, the report counts no hours at a time it would have to guess.
TEST(WeekSave, KeepsTheSameTimeAsStoredAndAsksAboutOddOnes) {
    TimeSheet whole; // all 24 records, as a save writes them
    whole.load(week({"Ann|IN 1:15a Mon-Feb-3 1001.Dept-1|OUT 9:00p"}));
    const std::string stored = whole.saveBytes();
    const std::string ask = "These cells do not hold a time (with AM or PM) or a date such as Mon-Feb-3:";
    const std::string tail = "\r\nThe week report counts no hours at a time without AM or PM, nor at one it "
                             "cannot read. Save them as typed?";
    const std::tuple<std::vector<std::tuple<int, int, std::string>>, std::string, std::string> cases[] = {
        // cells typed (row, column, text); the question; the punches then stored ("": the file unchanged)
        {{{1, 3, "01:15:00 AM"}, {2, 3, "09:00:00 pm"}, {1, 4, "MON-FEB-03"}, {2, 4, " Mon-Feb-3"}}, "", ""},
        {{{1, 3, "1:00"}}, ask + "\r\nrow 1, Act Time: \"1:00\"" + tail, "1:00"},
        {{{1, 3, "1:15"}, {2, 3, "25:99"}, {1, 4, "Feb 3"}, {2, 4, "noon"}},
         ask +
             "\r\nrow 1, Act Time: \"1:15\"\r\nrow 1, Act Date: \"Feb 3\"\r\nrow 2, Act Time: "
             "\"25:99\"\r\nrow 2, Act Date: \"noon\"" +
             tail,
         "1:15"},
        {{{2, 3, "21:00"}}, "", ""},                         // the same time, unambiguous
        {{{2, 3, "21:30"}, {1, 3, "1:15 am"}}, "", "21:30"}, // read for sure: saved as typed, unasked
    };
    for (const auto& [cells, question, kept] : cases) {
        SCOPED_TRACE(question);
        for (const bool answer : {false, true}) {
            ProgramFolder base;
            const std::string path = base.weekFile(mondayFeb3());
            writeFile(path, stored);
            TimeSheet sheet;
            sheet.load(stored);
            for (const auto& [row, column, text] : cells)
                sheet.setCell(row, column, text);
            RecordingTalk talk(answer);
            const SaveOutcome outcome = saveWeek(realFiles(), path, sheet, talk);
            EXPECT_EQ(talk.asked, question.empty() ? std::vector<std::string>{} : std::vector{question});
            const bool written = question.empty() || answer;
            EXPECT_EQ(outcome, written ? SaveOutcome::Saved : SaveOutcome::Stopped);
            const std::string now = readFile(path);
            EXPECT_EQ(now == stored, kept.empty() || !written);
            const std::string journal = written ? readFile(journalPathOf(path)) : "";
            EXPECT_EQ(journal.find("\nfield\t") != std::string::npos, !kept.empty() && written) << journal;
            if (kept.empty() || !written)
                continue;
            const int row = kept == "21:30" ? 2 : 1; // no doubt there: 1:15 AM to 9:30 PM
            EXPECT_EQ(trimSpaces(std::string(recordAt(now, 1).raw(F::ActTime, row))), kept);
            // Read by the report: flagged, never guessed.
            const WeekReport report =
                makeWeekReport(realFiles(), {{base.path(), "Front"}}, mondayFeb3(), mondayFeb3(), 40 * 3600);
            ASSERT_EQ(report.people.size(), 1u);
            EXPECT_EQ(report.people[0].totalSeconds, row == 2 ? 20 * 3600 + 15 * 60 : 0);
            if (kept == "1:00") { // an unreadable time's flag is the week report table's
                EXPECT_EQ(report.people[0].flags.at(0),
                          "punch 1 has no AM or PM (\"1:00\"); its hours are not counted");
            }
        }
    }
}

} // namespace
} // namespace tc::test
