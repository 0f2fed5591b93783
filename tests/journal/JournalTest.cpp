// The journals: the exact lines each operation leaves, verify, torn lines, a
// journal that cannot be written, and a wrong save undone.
#include "core/journal/Journal.h"
#include "cli/ReportCommand.h"
#include "core/files/Paths.h"
#include "core/format/ListFiles.h"
#include "core/journal/JournalReplay.h"
#include "core/journal/JournalSeal.h"
#include "core/punch/PunchRecorder.h"
#include "core/report/WeekReport.h"
#include "core/sheet/ListTexts.h"
#include "core/sheet/WeekSave.h"
#include "support/FaultyFiles.h"
#include "support/RecordingTalk.h"
#include "support/SealedText.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace tc::test {
namespace {

using F = TimeRecord::Field;
const JournalStamp kManager{makeDateTime(2025, 2, 4, 10, 0, 0), -5 * 3600, "ann", "office"};
const std::string kSaved = "2025-02-04T10:00:00-05:00";

// A week of the station: Ann at position 1, Bob at 2, punched through recordPunch.
struct Week {
    explicit Week(FileAccess& files = realFiles()) : state(base.path(), files) {}
    ProgramFolder base;
    StationState state;
    std::string path() const { return base.weekFile(mondayFeb3()); }
    std::string journal() const { return readFile(journalPathOf(path())); }
    // Its events, the seals aside; the chain checked whole.
    std::string events() const {
        const std::string text = journal();
        const SealChain chain = checkSealChain(text);
        EXPECT_TRUE(chain.sealed && chain.brokenLine == 0) << chain.brokenLine << ": " << chain.brokenWhy;
        return withoutSeals(text);
    }
    std::string header() const {
        return "timeclock-journal\t2\tWeek Ending Sunday Feb 9 2025.journal\t" + stationName(base.path()) +
               "\n";
    }
    Status punch(int position, const std::string& name, const std::string& action, int hour) {
        const bool in = action == "IN";
        const PunchInProgress punch{position - 1, name, action, in ? "1001" : "", in ? ".Dept-1" : "", {}};
        return recordPunch(state, punch, mondayFeb3(hour), -5 * 3600);
    }
    void day() {
        ASSERT_TRUE(punch(1, "Ann", "IN", 8));
        ASSERT_TRUE(punch(1, "Ann", "OUT", 17));
        ASSERT_TRUE(punch(2, "Bob", "IN", 9));
    }
    // Loads the week, lets `edit` change the sheet, saves it as the manager.
    SaveOutcome save(const std::function<void(TimeSheet&)>& edit) {
        TimeSheet sheet;
        sheet.load(readFile(path()));
        edit(sheet);
        RecordingTalk talk;
        return saveWeek(realFiles(), path(), sheet, talk, kManager);
    }
    // Puts the week back as before the save on journal line `saveLine`, as the manager.
    SaveOutcome putBack(int saveLine, RecordingTalk& talk) {
        TimeSheet sheet;
        sheet.load(readFile(path()));
        return restoreWeek(realFiles(), path(), sheet, talk, kManager, saveLine);
    }
    WeekVerification verify() const {
        WeekVerification v;
        EXPECT_TRUE(verifyWeekFile(realFiles(), path(), v));
        return v;
    }
};

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
    std::string out = "save\t" + kSaved + "\t" + std::to_string(count + 22) +
                      "\tWeek Ending Sunday Feb 9 2025.wkb\tann\toffice\n" + changes;
    for (int p = 3; p <= 24; ++p)
        out += "field\t" + std::to_string(p) + "\t0\tEmpName\t\t" + pad("", 20) + "\n";
    return out;
}

TEST(Journal, EachOperationLeavesItsExactLines) {
    const std::string day = kAnnIn + kAnnOut + kBobIn;
    struct Case {
        const char* what;
        std::function<void(Week&)> run;
        std::string journal; // after the first line
    } cases[] = {
        {"punches", [](Week&) {}, day},
        {"a punch into a week whose journal was lost",
         [](Week& w) {
             std::filesystem::remove(journalPathOf(w.path()));
             ASSERT_TRUE(w.punch(2, "Bob", "OUT", 12));
         },
         entry("existing", 12, 1, 1, "Ann", "IN", "1001.Dept-1", "8:00:00 AM") +
             entry("existing", 12, 1, 2, "Ann", "OUT", "", "5:00:00 PM") +
             entry("existing", 12, 2, 1, "Bob", "IN", "1001.Dept-1", "9:00:00 AM") +
             entry("punch", 12, 2, 2, "Bob", "OUT", "", "12:00:00 PM")},
        {"a correction",
         [](Week& w) { w.save([](TimeSheet& s) { s.setCell(2, TimeSheet::ActTime, "4:30 PM"); }); },
         day + saveLines(1, "field\t1\t2\tActTime\t5:00:00 PM \t4:30 PM    \n")},
        {"a paste saved",
         [](Week& w) {
             w.save([](TimeSheet& s) {
                 std::string text = s.copyAllText();
                 text.replace(text.find("IN     \t1001.Dept-1"), 19, "CHANGE \t1002.Dept-2");
                 s.pasteAll(text);
             });
         },
         day + saveLines(2, "field\t1\t1\tAction\tIN     \tCHANGE \n"
                            "field\t1\t1\tJobNumber\t1001.Dept-1         \t1002.Dept-2         \n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Week w;
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
                                       "lists\t" + kSaved + "\t2\tann\toffice\n" +
                                       "name\t1\tWorker 1\tAnn\\tBaker\n" +
                                       "job\t2\t1001,Roof\t1002,\"Paint, line\"\n");
}

std::string verified(Week& w, int& exit, const std::string& week = "2025-02-03") {
    std::ostringstream out, err;
    exit = ReportCommand::run({"--verify", "--week", week, "--folder", w.base.path()}, w.base.path(),
                              mondayFeb3(), realFiles(), out, err);
    return out.str() + err.str();
}

WeekReport reportOf(Week& w) {
    return makeWeekReport(realFiles(), {{w.base.path(), "Front"}}, mondayFeb3(), mondayFeb3(), 40 * 3600);
}

TEST(Journal, VerifyExplainsTheWeekAndNamesAnEntryChangedByHand) {
    Week w;
    w.day();
    ASSERT_EQ(w.save([](TimeSheet& s) { s.setCell(2, TimeSheet::ActTime, "4:30 PM"); }), SaveOutcome::Saved);
    int exit = -1;
    std::string said = verified(w, exit);
    EXPECT_EQ(exit, ReportCommand::Done) << said;
    EXPECT_NE(said.find("3 punches: 2 as stored at the station, 1 corrected in the time sheet, 0 there when"),
              std::string::npos)
        << said;
    // The week report marks the corrected punch.
    EXPECT_EQ(reportOf(w).people[0].flags,
              std::vector<std::string>{"punch 2 corrected 2025-02-04 10:00:00, was time 5:00:00 PM"});

    std::string bytes = readFile(w.path());
    bytes.replace(TimeRecord::offset(F::ActTime, 1), 11, pad("7:00:00 AM", 11));
    writeFile(w.path(), bytes);
    said = verified(w, exit);
    EXPECT_EQ(exit, ReportCommand::Unexplained) << said;
    EXPECT_NE(
        said.find("UNEXPLAINED: position 1 (Ann), entry 1, time: the file holds \"7:00:00 AM\", the journal "
                  "\"8:00:00 AM\" (changed outside the program)."),
        std::string::npos)
        << said;
}

// A field of a stored entry, in the week file or in the journal (its text
// replaced where it first appears after `after`).
void forgeFile(Week& w, int position, F f, int k, const std::string& text) {
    std::string bytes = readFile(w.path());
    bytes.replace(std::size_t(position - 1) * TimeRecord::kSize + TimeRecord::offset(f, k),
                  TimeRecord::width(f), pad(text, TimeRecord::width(f)));
    writeFile(w.path(), bytes);
}
void forgeJournal(Week& w, const std::string& after, const std::string& was, const std::string& is) {
    std::string text = w.journal();
    text.replace(text.find(was, text.find(after)), was.size(), is);
    writeFile(journalPathOf(w.path()), text);
}

TEST(Journal, VerifyNamesForgedLinesHandEditsAndPunchesItDidNotWitness) {
    struct Case {
        const char* what;
        std::function<void(Week&)> forge;
        std::string week;
        int exit;
        std::string said;
    } cases[] = {
        {"a punch changed in the file and in its journal line",
         [](Week& w) {
             forgeFile(w, 1, F::ActTime, 2, "4:00:00 PM");
             forgeJournal(w, "T17:00", "5:00:00 PM", "4:00:00 PM");
         },
         "2025-02-03", ReportCommand::Unexplained,
         "line 3 of the journal: the punch of position 1, entry 2 was stamped 2025-02-03 17:00:00 but holds "
         "the time \"4:00:00 PM\" and the date \"Mon-Feb-3\" (the line was changed)."},
        {"a punch line moved before the one it followed",
         [](Week& w) {
             forgeFile(w, 1, F::ActTime, 2, "7:00:00 AM");
             forgeJournal(w, "T17:00", "5:00:00 PM", "7:00:00 AM");
             forgeJournal(w, "", "T17:00", "T07:00");
         },
         "2025-02-03", ReportCommand::Unexplained,
         "line 3 of the journal was stamped 2025-02-03 07:00:00, earlier than line 2 of position 1 before "
         "it"},
        {"a week and its journal copied to another week",
         [](Week& w) {
             const std::string other = w.base.weekFile(mondayFeb3().addDays(7));
             std::filesystem::copy_file(w.path(), other);
             std::filesystem::copy_file(journalPathOf(w.path()), journalPathOf(other));
         },
         "2025-02-10", ReportCommand::Unexplained,
         "line 2 of the journal: the punch of position 1, entry 1 was stamped 2025-02-03 08:00:00, outside "
         "the week ending 2025-02-16 (a journal of another week)."},
        {"a job changed by hand", [](Week& w) { forgeFile(w, 2, F::JobNumber, 1, "1002.Dept-1"); },
         "2025-02-03", ReportCommand::Unexplained,
         "position 2 (Bob), entry 1, job: the file holds \"1002.Dept-1\", the journal \"1001.Dept-1\" "
         "(changed outside the program)."},
        {"a department changed by hand", [](Week& w) { forgeFile(w, 1, F::JobNumber, 1, "1001.Office"); },
         "2025-02-03", ReportCommand::Unexplained,
         "position 1 (Ann), entry 1, job: the file holds \"1001.Office\", the journal \"1001.Dept-1\""},
        {"the journal deleted, then a punch",
         [](Week& w) {
             std::filesystem::remove(journalPathOf(w.path()));
             ASSERT_TRUE(w.punch(2, "Bob", "OUT", 12));
         },
         "2025-02-03", ReportCommand::Unwitnessed,
         "  4 punches: 1 as stored at the station, 0 corrected in the time sheet, 3 there when the journal "
         "began.\n  3 punches were not witnessed by the journal: they were in the week file when the journal "
         "began, 2025-02-03 12:00:00.\n"},
        {"a put-back stopped between the week file and its journal lines",
         [](Week& w) {
             ASSERT_EQ(w.save([](TimeSheet& s) { s.setCell(2, TimeSheet::ActTime, "4:30:00 PM"); }),
                       SaveOutcome::Saved);
             writeFile(backupPathOf(w.path()), readFile(w.path())); // the put-back's backup
             forgeFile(w, 1, F::ActTime, 2, "5:00:00 PM");
         },
         "2025-02-03", ReportCommand::Unexplained,
         "position 1 (Ann), entry 2, time: the file holds \"5:00:00 PM\", the journal \"4:30:00 PM\" "
         "(changed outside "
         "the program, or by a save or put-back stopped before its journal lines were written: the "
         "backup holds the week as the journal has it)."},
        {"a saved week cut short",
         [](Week& w) {
             ASSERT_EQ(w.save([](TimeSheet&) {}), SaveOutcome::Saved);
             std::filesystem::resize_file(w.path(), 3 * TimeRecord::kSize);
         },
         "2025-02-03", ReportCommand::Unexplained,
         "  UNEXPLAINED: the file holds 3 of the 24 records the journal has (cut short outside the program); "
         "21 missing records held no punch.\n  1 unexplained.\n"},
        {"an empty journal", [](Week& w) { writeFile(journalPathOf(w.path()), ""); }, "2025-02-03",
         ReportCommand::Unexplained,
         "  3 punches: 0 as stored at the station, 0 corrected in the time sheet, 0 there when the journal "
         "began, 3 not explained."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Week w;
        w.day();
        c.forge(w);
        int exit = -1;
        std::string said = verified(w, exit, c.week);
        // The seal's own line is the seal tests' to read.
        if (const std::size_t seal = said.find("  Seal: "); seal != std::string::npos)
            said.erase(seal, said.find('\n', seal) + 1 - seal);
        EXPECT_EQ(exit, c.exit) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_EQ(said.find("Every punch is explained"), std::string::npos) << said;
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
    Week w;
    w.day();
    const std::string journal = w.journal();
    writeFile(journalPathOf(w.path()), journal.substr(0, journal.size() - 5));
    ASSERT_TRUE(w.punch(2, "Bob", "OUT", 12));
    const WeekVerification v = w.verify();
    EXPECT_EQ(v.notes,
              std::vector<std::string>{"line 4 was cut short (a write that failed or was stopped); it is "
                                       "ignored."});
    EXPECT_EQ(v.unexplained, std::vector<std::string>{
                                 "position 2 (Bob), entry 1 (IN 1001.Dept-1 9:00:00 AM Mon-Feb-3) is not in "
                                 "the journal: written outside the program, or its journal line could not "
                                 "be written."});
    EXPECT_EQ(v.punches, 3);
}

TEST(Journal, AJournalThatCannotBeWrittenNeverRefusesThePunchAndIsFlagged) {
    FaultyFiles faulty;
    Week w(faulty);
    // The week file's write is the first, the journal's the second.
    faulty.failAt(FaultyFiles::Op::Write, 2, true);
    ASSERT_TRUE(w.punch(1, "Ann", "IN", 8));
    EXPECT_TRUE(faulty.failedAsPlanned());
    EXPECT_EQ(recordAt(readFile(w.path()), 1).raw(F::ActTime, 1), "8:00:00 AM ");
    int exit = -1;
    const std::string said = verified(w, exit);
    EXPECT_EQ(exit, ReportCommand::Unexplained);
    EXPECT_NE(
        said.find("position 1 (Ann), entry 1 (IN 1001.Dept-1 8:00:00 AM Mon-Feb-3) is not in the journal"),
        std::string::npos)
        << said;
    const WeekReport report = reportOf(w);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_NE(report.problems[0].message.find("holds 0 punches of position 1, the week file 1;"),
              std::string::npos)
        << report.problems[0].message;
}

#ifndef _WIN32
TEST(Journal, IsNeverWrittenThroughALinkNorReadPastItsLargestSize) {
    Week w;
    const std::string outside = w.base.file("outside.txt");
    writeFile(outside, "keep me");
    std::filesystem::create_directories(parentFolder(w.path()));
    std::filesystem::create_symlink(outside, journalPathOf(w.path()));
    ASSERT_TRUE(w.punch(1, "Ann", "IN", 8)); // stored all the same
    EXPECT_EQ(readFile(outside), "keep me");

    // Nor appended to a file hard-linked at its path (another week's file, the same week's journal of another
    // folder), nor to a file whose first line does not name it.
    std::filesystem::remove(journalPathOf(w.path()));
    Week other;
    other.day();
    const std::string lastWeek = other.base.weekFile(mondayFeb3().addDays(-7));
    std::filesystem::copy_file(other.path(), lastWeek);
    for (const std::string& target : {lastWeek, journalPathOf(other.path()), std::string()}) {
        SCOPED_TRACE(target);
        const std::string copied = other.path(), before = readFile(target.empty() ? copied : target);
        std::filesystem::remove(journalPathOf(w.path()));
        if (target.empty())
            std::filesystem::copy_file(copied, journalPathOf(w.path()));
        else
            std::filesystem::create_hard_link(target, journalPathOf(w.path()));
        ASSERT_TRUE(w.punch(1, "Ann", "OUT", 9));
        EXPECT_EQ(readFile(target.empty() ? journalPathOf(w.path()) : target), before);
        EXPECT_FALSE(w.verify().passed());
    }
    // A sealed journal's first line that names another week's journal.
    std::filesystem::remove(journalPathOf(w.path()));
    const std::string otherWeeks = sealedJournalHeader(journalPathOf(lastWeek));
    writeFile(journalPathOf(w.path()), otherWeeks);
    ASSERT_TRUE(w.punch(1, "Ann", "OUT", 9));
    EXPECT_EQ(readFile(journalPathOf(w.path())), otherWeeks);
    std::filesystem::remove(journalPathOf(w.path()));
    writeFile(journalPathOf(w.path()), "timeclock-journal\t1\n");
    ASSERT_TRUE(w.punch(1, "Ann", "IN", 10));
    EXPECT_EQ(w.journal(),
              "timeclock-journal\t1\n" + entry("punch", 10, 1, 6, "Ann", "IN", "1001.Dept-1", "10:00:00 AM"));

    // A journal grown past any week's (sparse: no disk used) is named, not read.
    std::filesystem::remove(journalPathOf(w.path()));
    writeFile(journalPathOf(w.path()), "");
    std::filesystem::resize_file(journalPathOf(w.path()), kMaxJournalBytes + 1);
    const WeekVerification v = w.verify();
    ASSERT_EQ(v.unexplained.size(), 1u);
    EXPECT_NE(v.unexplained[0].find("is larger than 67108864 bytes"), std::string::npos) << v.unexplained[0];
    const WeekReport report = reportOf(w);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_NE(report.problems[0].message.find("is larger than 67108864 bytes"), std::string::npos);
}
#endif

TEST(Journal, AWrongSaveUndoneFromTheHistoryPutsEveryPunchBackByteForByte) {
    Week w;
    w.day();
    const std::string before = readFile(w.path());
    // The paste puts Ann's clock-out under Bob's name: her punch moves into his record.
    ASSERT_EQ(w.save([](TimeSheet& s) {
        std::string text = s.copyAllText();
        text.replace(text.find("Ann                 \tOUT"), 3, "Bob");
        s.pasteAll(text);
    }),
              SaveOutcome::Saved);
    ASSERT_NE(recordAt(readFile(w.path()), 2), recordAt(before, 2));
    ASSERT_TRUE(w.punch(3, "Carl", "IN", 11)); // a punch after the wrong save is kept

    const std::vector<HistoryItem> history = weekHistory(parseJournal(w.journal()));
    ASSERT_EQ(history.size(), 5u); // three punches, the save, Carl's punch
    RecordingTalk talk;
    ASSERT_EQ(w.putBack(history[3].saveLine, talk), SaveOutcome::Saved);
    EXPECT_TRUE(talk.asked.empty()) << talk.asked[0];
    const std::string after = readFile(w.path());
    for (int p = 1; p <= kPositions; ++p)
        if (recordAt(before, p).usedEntries() > 0) {
            EXPECT_EQ(recordAt(after, p), recordAt(before, p)) << "position " << p;
        }
    EXPECT_EQ(recordAt(after, 3).raw(F::ActTime, 1), "11:00:00 AM");
    const WeekVerification v = w.verify();
    EXPECT_TRUE(v.passed()) << v.text(w.path());
}

TEST(Journal, UndoingTheSecondSaveKeepsTheFirstAndEveryPunchTheJournalNeverSaw) {
    Week w;
    w.day();
    ASSERT_EQ(w.save([](TimeSheet& s) { s.setCell(2, TimeSheet::ActTime, "4:30:00 PM"); }),
              SaveOutcome::Saved);
    ASSERT_EQ(w.save([](TimeSheet& s) { s.setCell(1, TimeSheet::ActTime, "7:30:00 AM"); }),
              SaveOutcome::Saved);
    ASSERT_TRUE(w.punch(2, "Bob", "OUT", 12)); // after both saves, behind Bob's IN
    // Ann's third punch reached the week file, its journal line did not.
    for (const auto& [f, text] : {std::pair{F::Action, "IN"},
                                  {F::JobNumber, "1002.Dept-2"},
                                  {F::ActTime, "6:00:00 PM"},
                                  {F::ActDate, "Mon-Feb-3"}})
        forgeFile(w, 1, f, 3, text);

    std::vector<HistoryItem> history = weekHistory(parseJournal(w.journal()));
    ASSERT_EQ(history.size(), 6u); // three punches, two saves, Bob's OUT
    RecordingTalk talk;
    ASSERT_EQ(w.putBack(history[4].saveLine, talk), SaveOutcome::Saved);
    ASSERT_EQ(talk.asked.size(), 1u);
    EXPECT_NE(talk.asked[0].find("The 1 punch the journal has no line for is kept"), std::string::npos)
        << talk.asked[0];
    const std::string after = readFile(w.path());
    EXPECT_EQ(recordAt(after, 1), makeRecord("Ann", {{"IN", "1001.Dept-1", "8:00:00 AM", "Mon-Feb-3"},
                                                     {"OUT", "", "4:30:00 PM", "Mon-Feb-3"},
                                                     {"IN", "1002.Dept-2", "6:00:00 PM", "Mon-Feb-3"}}));
    EXPECT_EQ(recordAt(after, 2), makeRecord("Bob", {{"IN", "1001.Dept-1", "9:00:00 AM", "Mon-Feb-3"},
                                                     {"OUT", "", "12:00:00 PM", "Mon-Feb-3"}}));
    const WeekVerification v = w.verify();
    EXPECT_EQ(v.unexplained,
              std::vector<std::string>{
                  "position 1 (Ann), entry 3 (IN 1002.Dept-2 6:00:00 PM Mon-Feb-3) is not in the "
                  "journal: a put-back found it in the week file and kept it (written outside "
                  "the program, or its journal line could not be written)."});
    EXPECT_EQ(v.corrected, 1); // Ann's IN is as the station stored it again
    EXPECT_EQ(reportOf(w).people[0].flags,
              (std::vector<std::string>{"punch 2 corrected 2025-02-04 10:00:00, was time 5:00:00 PM",
                                        "no clock-out after Mon 6:00 PM"}));
    history = weekHistory(parseJournal(w.journal()));
    ASSERT_EQ(history.size(), 8u);
    // Both saves were made in the same second: the line tells which was undone.
    const std::string undid = "Put back as before the save of 2025-02-04 10:00:00 on line " +
                              std::to_string(history[4].saveLine) + " (";
    EXPECT_TRUE(history[7].what.starts_with(undid)) << history[7].what;
    EXPECT_EQ(history[6].what, "Kept by the put-back below, not in the journal: position 1, entry 3: Ann, IN "
                               "1002.Dept-2 6:00:00 PM Mon-Feb-3");
}

} // namespace
} // namespace tc::test
