// The journals: the exact lines each operation leaves, verify, torn lines, a
// journal that cannot be written, and a wrong save undone.
#include "JournalWeek.h"
#include "core/format/ListFiles.h"
#include "core/sheet/ListTexts.h"

#include <filesystem>

namespace tc::test {
namespace {

std::string entry(const std::string& kind, int hour, int position, int k, const std::string& name,
                  const std::string& action, const std::string& job, const std::string& time) {
    return journalLine(
        {kind, "2025-02-03T" + std::string(hour < 10 ? "0" : "") + std::to_string(hour) + ":00:00-05:00",
         std::to_string(position), std::to_string(k), pad(name, 20), pad(action, 7), pad(job, 20),
         pad(time, 11), pad("Mon-Feb-3", 11)});
}
const std::string kAnnIn = entry("punch", 8, 1, 1, "Ann", "IN", "1001.Dept-1", "8:00:00 AM");
const std::string kAnnOut = entry("punch", 17, 1, 2, "Ann", "OUT", "", "5:00:00 PM");
const std::string kBobIn = entry("punch", 9, 2, 1, "Bob", "IN", "1001.Dept-1", "9:00:00 AM");
const std::string kHeader = "timeclock-journal\t1\tWeek Ending Sunday Feb 9 2025.journal\n";

// A save's lines: the save, `changes` (of position 1), then the placeholder
// name the first save gives each of the 22 empty positions.
std::string saveLines(int count, const std::string& changes) {
    std::string out = "save\t" + kWhen + "\t" + std::to_string(count + 22) +
                      "\tWeek Ending Sunday Feb 9 2025.wkb\tann\toffice\n" + changes;
    for (int p = 3; p <= 24; ++p)
        out += "field\t" + std::to_string(p) + "\t0\tEmpName\t\t" + pad("", 20) + "\n";
    return out;
}

TEST(Journal, EachOperationLeavesItsExactLines) {
    const std::string day = kAnnIn + kAnnOut + kBobIn;
    struct Case {
        const char* what;
        std::function<void(JournalWeek&)> run;
        std::string journal; // after the first line
    } cases[] = {
        {"punches", [](JournalWeek&) {}, day},
        {"a punch into a week whose journal was lost",
         [](JournalWeek& w) {
             std::filesystem::remove(journalPathOf(w.path()));
             w.punch(2, "Bob", "OUT", 12);
         },
         entry("existing", 12, 1, 1, "Ann", "IN", "1001.Dept-1", "8:00:00 AM") +
             entry("existing", 12, 1, 2, "Ann", "OUT", "", "5:00:00 PM") +
             entry("existing", 12, 2, 1, "Bob", "IN", "1001.Dept-1", "9:00:00 AM") +
             entry("punch", 12, 2, 2, "Bob", "OUT", "", "12:00:00 PM")},
        {"a correction of two fields",
         [](JournalWeek& w) {
             w.save([](TimeSheet& s) {
                 s.setCell(2, TimeSheet::ActTime, "4:30 PM");
                 s.setCell(1, TimeSheet::JobNumber, "1002.Dept-2");
             });
         },
         day + saveLines(2, "field\t1\t1\tJobNumber\t1001.Dept-1         \t1002.Dept-2         \n"
                            "field\t1\t2\tActTime\t5:00:00 PM \t4:30 PM    \n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JournalWeek w;
        w.day();
        c.run(w);
        EXPECT_EQ(w.events(), w.header() + c.journal);
    }

    // A list save: the names and jobs that changed, old and new.
    ProgramFolder base;
    const std::vector<std::string> jobs(20, "1001,Roof");
    base.writeLists(employeeListBytes(workerNames(), {"Note one", "Note two"}), jobListBytes(jobs));
    ListTexts boxes;
    ASSERT_TRUE(loadButtonDataBoxes(realFiles(), base.path(), boxes));
    ListsJournal journal{boxes, kManager, {}};
    boxes.names[0] = "Ann\tBaker";
    boxes.jobs[1] = "1002,\"Paint, line\"";
    ASSERT_TRUE(saveButtonDataBoxes(realFiles(), base.path(), boxes, &journal));
    const std::string lists = readFile(listsJournalPath(base.path()));
    EXPECT_EQ(checkSealChain(lists).brokenLine, 0);
    EXPECT_EQ(withoutSeals(lists), "timeclock-journal\t2\tlists.journal\t" + stationName(base.path()) + "\n" +
                                       "lists\t" + kWhen + "\t2\tann\toffice\n" +
                                       "name\t1\tWorker 1\tAnn\\tBaker\n" +
                                       "job\t2\t1001,Roof\t1002,\"Paint, line\"\n");
}

// A journal line's text replaced where it first appears after `after`.
void forgeJournal(JournalWeek& w, const std::string& after, const std::string& was, const std::string& is) {
    std::string text = w.journal();
    text.replace(text.find(was, text.find(after)), was.size(), is);
    writeFile(journalPathOf(w.path()), text);
}

TEST(Journal, VerifyCountsCorrectionsAndNamesForgedLinesHandEditsAndUnwitnessedPunches) {
    struct Case {
        const char* what;
        std::function<void(JournalWeek&)> forge;
        int exit;
        std::string said;
        std::string week = "2025-02-03";
    } cases[] = {
        {"a correction saved",
         [](JournalWeek& w) { w.save([](TimeSheet& s) { s.setCell(2, TimeSheet::ActTime, "4:30 PM"); }); },
         ReportCommand::Done,
         "3 punches: 2 as stored at the station, 1 corrected in the time sheet, 0 there when"},
        {"a punch changed in the file and in its journal line",
         [](JournalWeek& w) {
             w.forge(1, F::ActTime, 2, "4:00:00 PM");
             forgeJournal(w, "T17:00", "5:00:00 PM", "4:00:00 PM");
         },
         ReportCommand::Unexplained,
         "line 3 of the journal: the punch of position 1, entry 2 was stamped 2025-02-03 17:00:00 but holds "
         "the time \"4:00:00 PM\" and the date \"Mon-Feb-3\" (the line was changed)."},
        {"a punch line moved before the one it followed",
         [](JournalWeek& w) {
             w.forge(1, F::ActTime, 2, "7:00:00 AM");
             forgeJournal(w, "T17:00", "5:00:00 PM", "7:00:00 AM");
             forgeJournal(w, "", "T17:00", "T07:00");
         },
         ReportCommand::Unexplained,
         "line 3 of the journal was stamped 2025-02-03 07:00:00, earlier than line 2 of position 1 before "
         "it"},
        {"a week and its journal copied to another week",
         [](JournalWeek& w) {
             const std::string other = w.base.weekFile(mondayFeb3().addDays(7));
             std::filesystem::copy_file(w.path(), other);
             std::filesystem::copy_file(journalPathOf(w.path()), journalPathOf(other));
         },
         ReportCommand::Unexplained,
         "line 2 of the journal: the punch of position 1, entry 1 was stamped 2025-02-03 08:00:00, outside "
         "the week ending 2025-02-16 (a journal of another week).",
         "2025-02-10"},
        {"a job changed by hand", [](JournalWeek& w) { w.forge(2, F::JobNumber, 1, "1002.Dept-1"); },
         ReportCommand::Unexplained,
         "position 2 (Bob), entry 1, job: the file holds \"1002.Dept-1\", the journal \"1001.Dept-1\" "
         "(changed outside the program)."},
        {"the journal deleted, then a punch",
         [](JournalWeek& w) {
             std::filesystem::remove(journalPathOf(w.path()));
             w.punch(2, "Bob", "OUT", 12);
         },
         ReportCommand::Unwitnessed,
         "  4 punches: 1 as stored at the station, 0 corrected in the time sheet, 3 there when the journal "
         "began.\n  3 punches were not witnessed by the journal: they were in the week file when the journal "
         "began, 2025-02-03 12:00:00.\n"},
        {"a put-back stopped between the week file and its journal lines",
         [](JournalWeek& w) {
             ASSERT_EQ(w.save([](TimeSheet& s) { s.setCell(2, TimeSheet::ActTime, "4:30:00 PM"); }),
                       SaveOutcome::Saved);
             writeFile(backupPathOf(w.path()), readFile(w.path())); // the put-back's backup
             w.forge(1, F::ActTime, 2, "5:00:00 PM");
         },
         ReportCommand::Unexplained,
         "position 1 (Ann), entry 2, time: the file holds \"5:00:00 PM\", the journal \"4:30:00 PM\" "
         "(changed outside "
         "the program, or by a save or put-back stopped before its journal lines were written: the "
         "backup holds the week as the journal has it)."},
        {"a saved week cut short",
         [](JournalWeek& w) {
             ASSERT_EQ(w.save([](TimeSheet&) {}), SaveOutcome::Saved);
             std::filesystem::resize_file(w.path(), 3 * TimeRecord::kSize);
         },
         ReportCommand::Unexplained,
         "  UNEXPLAINED: the file holds 3 of the 24 records the journal has (cut short outside the program); "
         "21 missing records held no punch.\n  1 unexplained.\n"},
        {"an empty journal", [](JournalWeek& w) { writeFile(journalPathOf(w.path()), ""); },
         ReportCommand::Unexplained,
         "  3 punches: 0 as stored at the station, 0 corrected in the time sheet, 0 there when the journal "
         "began, 3 not explained."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JournalWeek w;
        w.day();
        c.forge(w);
        auto [exit, said] = w.command({"--verify"}, c.week);
        // The seal's own line is the seal tests' to read.
        if (const std::size_t seal = said.find("  Seal: "); seal != std::string::npos)
            said.erase(seal, said.find('\n', seal) + 1 - seal);
        EXPECT_EQ(exit, c.exit) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_EQ(said.find("Every punch is explained") == std::string::npos, c.exit != ReportCommand::Done)
            << said;
    }
}

TEST(Journal, ATornLastLineIsIgnoredAndFlagged) {
    struct Case {
        std::string text;
        std::size_t lines;
        std::string problem;
    } cases[] = {
        {kHeader + kAnnIn + "punch\t2025-02", 1,
         "line 3 is torn (the journal ends inside it); it is ignored."},
        {kHeader + "punch\tnonsense\n" + kAnnIn, 1, "line 2 cannot be read; it is ignored."},
        {kHeader + saveLines(0, "").substr(0, saveLines(0, "").find("field\t6")), 4,
         "the save on line 2 lacks 19 of its 22 lines."},
        {"<html>\n", 0,
         "its first line is not \"timeclock-journal 1\" (not a journal, or one of a later version); "
         "it is not read."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const JournalText j = parseJournal(c.text);
        EXPECT_EQ(j.lines.size(), c.lines);
        EXPECT_EQ(j.problems, std::vector<std::string>{c.problem});
    }

    // Bob's punch line cut short: verify names his punch and says why; the
    // next punch's line is kept apart from the torn one.
    JournalWeek w;
    w.day();
    const std::string journal = w.journal();
    writeFile(journalPathOf(w.path()), journal.substr(0, journal.size() - 5));
    w.punch(2, "Bob", "OUT", 12);
    const WeekVerification v = w.verify();
    EXPECT_EQ(v.notes,
              std::vector<std::string>{"line 4 was cut short (a write that failed or was stopped); it is "
                                       "ignored."});
    EXPECT_EQ(v.unexplained, std::vector<std::string>{
                                 "position 2 (Bob), entry 1 (IN 1001.Dept-1 9:00:00 AM Mon-Feb-3) is not in "
                                 "the journal: written outside the program, or its journal line could not "
                                 "be written."});
    EXPECT_EQ(v.punches, 3);
    // The report names the punch the journal lacks.
    EXPECT_NE(w.report().problems.back().message.find("holds 1 punches of position 2, the week file 2;"),
              std::string::npos);
}

#ifndef _WIN32
TEST(Journal, IsNeverWrittenThroughALinkNorReadPastItsLargestSize) {
    // Another folder's week, and its file copied to the week before.
    JournalWeek other;
    other.day();
    const std::string lastWeek = other.base.weekFile(mondayFeb3().addDays(-7));
    const std::string outside = other.base.file("outside.txt"), otherJournal = other.journalPath();
    std::filesystem::copy_file(other.path(), lastWeek);
    writeFile(outside, "keep me");
    // What is put at the journal's path (a link; a file hard-linked there; a
    // file whose first line is no journal's or names another week's), and the
    // file whose bytes the punch must leave as they were.
    const std::function<std::string(const std::string&)> puts[] = {
        [&](const std::string& j) { return std::filesystem::create_symlink(outside, j), outside; },
        [&](const std::string& j) { return std::filesystem::create_hard_link(lastWeek, j), lastWeek; },
        [&](const std::string& j) {
            return std::filesystem::create_hard_link(otherJournal, j), otherJournal;
        },
        [&](const std::string& j) { return std::filesystem::copy_file(lastWeek, j), j; },
        [&](const std::string& j) { return writeFile(j, sealedJournalHeader(journalPathOf(lastWeek))), j; },
    };
    for (const auto& put : puts) {
        JournalWeek w;
        std::filesystem::create_directories(parentFolder(w.path()));
        const std::string kept = put(w.journalPath()), before = readFile(kept);
        w.punch(1, "Ann", "IN", 8); // stored all the same
        SCOPED_TRACE(kept);
        EXPECT_EQ(readFile(kept), before);
        EXPECT_FALSE(w.verify().passed());
    }
    // A journal of the first version, whose first line names nothing, is appended to.
    JournalWeek w;
    std::filesystem::create_directories(parentFolder(w.path()));
    writeFile(w.journalPath(), "timeclock-journal\t1\n");
    w.punch(1, "Ann", "IN", 10);
    EXPECT_EQ(w.journal(),
              "timeclock-journal\t1\n" + entry("punch", 10, 1, 1, "Ann", "IN", "1001.Dept-1", "10:00:00 AM"));

    // A journal grown past any week's (sparse: no disk used) is named, not read.
    std::filesystem::remove(journalPathOf(w.path()));
    writeFile(journalPathOf(w.path()), "");
    std::filesystem::resize_file(journalPathOf(w.path()), kMaxJournalBytes + 1);
    const WeekVerification v = w.verify();
    ASSERT_EQ(v.unexplained.size(), 1u);
    EXPECT_NE(v.unexplained[0].find("is larger than 67108864 bytes"), std::string::npos) << v.unexplained[0];
    const WeekReport report = w.report();
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_NE(report.problems[0].message.find("is larger than 67108864 bytes"), std::string::npos);
}
#endif

TEST(Journal, UndoingTheSecondSaveKeepsTheFirstAndEveryPunchTheJournalNeverSaw) {
    JournalWeek w;
    w.day();
    ASSERT_EQ(w.save([](TimeSheet& s) { s.setCell(2, TimeSheet::ActTime, "4:30:00 PM"); }),
              SaveOutcome::Saved);
    ASSERT_EQ(w.save([](TimeSheet& s) { s.setCell(1, TimeSheet::ActTime, "7:30:00 AM"); }),
              SaveOutcome::Saved);
    w.punch(2, "Bob", "OUT", 12); // after both saves, behind Bob's IN
    // Ann's third punch reached the week file, its journal line did not.
    for (const auto& [f, text] : {std::pair{F::Action, "IN"},
                                  {F::JobNumber, "1002.Dept-2"},
                                  {F::ActTime, "6:00:00 PM"},
                                  {F::ActDate, "Mon-Feb-3"}})
        w.forge(1, f, 3, text);

    std::vector<HistoryItem> history = weekHistory(parseJournal(w.journal()));
    ASSERT_EQ(history.size(), 6u); // three punches, two saves, Bob's OUT
    RecordingTalk talk;
    ASSERT_EQ(w.putBack(history[4].saveLine, talk), SaveOutcome::Saved);
    ASSERT_EQ(talk.asked.size(), 1u);
    EXPECT_NE(talk.asked[0].find("The 1 punch the journal has no line for is kept"), std::string::npos)
        << talk.asked[0];
    const std::string after = readFile(w.path());
    EXPECT_EQ(recordAt(after, 1),
              rec("Ann|IN 8:00a Mon-Feb-3 1001.Dept-1|OUT 4:30p|IN 6:00p Mon-Feb-3 1002.Dept-2"));
    EXPECT_EQ(recordAt(after, 2), rec("Bob|IN 9:00a Mon-Feb-3 1001.Dept-1|OUT 12:00p"));
    const WeekVerification v = w.verify();
    EXPECT_EQ(v.unexplained,
              std::vector<std::string>{
                  "position 1 (Ann), entry 3 (IN 1002.Dept-2 6:00:00 PM Mon-Feb-3) is not in the "
                  "journal: a put-back found it in the week file and kept it (written outside "
                  "the program, or its journal line could not be written)."});
    EXPECT_EQ(v.corrected, 1); // Ann's IN is as the station stored it again
    EXPECT_EQ(w.report().people[0].flags,
              (std::vector<std::string>{"punch 2 corrected 2025-02-10 09:00:00, was time 5:00:00 PM",
                                        "in since Mon 6:00 PM"}));
    history = weekHistory(parseJournal(w.journal()));
    ASSERT_EQ(history.size(), 8u);
    // Both saves were made in the same second: the line tells which was undone.
    const std::string undid = "Put back as before the save of 2025-02-10 09:00:00 on line " +
                              std::to_string(history[4].saveLine) + " (";
    EXPECT_TRUE(history[7].what.starts_with(undid)) << history[7].what;
    EXPECT_EQ(history[6].what, "Kept by the put-back below, not in the journal: position 1, entry 3: Ann, IN "
                               "1002.Dept-2 6:00:00 PM Mon-Feb-3");
}

} // namespace
} // namespace tc::test
