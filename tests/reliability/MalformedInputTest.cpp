// Malformed input: week files of every wrong length and content, list files
// with every kind of damage, and paste texts of every odd shape. Nothing may
// crash, nothing may be written that was not asked for, and what cannot be
// read is said in words naming the file and the line.

#include "Scenario.h"
#include "data/ListFiles.h"
#include "data/Paths.h"
#include "data/TimeText.h"
#include "data/WeekFile.h"
#include "manage/TimeSheet.h"
#include "punch/ActionRules.h"
#include "punch/LastActionSummary.h"
#include "punch/PunchRecorder.h"
#include "station/MonthFolders.h"
#include "station/StatusBoard.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tc::test {
namespace {

using F = TimeRecord::Field;
const DateTime kNow = makeDateTime(2025, 1, 7, 9, 5, 7);
constexpr std::size_t kRec = TimeRecord::kSize;

// A byte that Windows-1252 leaves undefined reads as the control character
// of the same number (and is written back as the same byte), as Windows's
// own converter has it.
std::string undefinedByte(const std::string& byte) {
    return "\xC2" + byte;
}

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = char(rng() & 0xFF);
    return s;
}

// A record whose entries hold what no punch would write.
std::string oddRecordFile(const std::vector<std::array<std::string, 4>>& entries) {
    TimeRecord r;
    r.setName("Odd One");
    int k = 1;
    for (const auto& e : entries) {
        r.set(F::Action, k, e[0]);
        r.set(F::JobNumber, k, e[1]);
        r.set(F::ActTime, k, e[2]);
        r.set(F::ActDate, k, e[3]);
        ++k;
    }
    std::string bytes = sampleWeek();
    putRecord(bytes, 2, r);
    return bytes;
}

std::vector<std::pair<std::string, std::string>> badWeekFiles() {
    std::vector<std::pair<std::string, std::string>> files;
    const std::string good = sampleWeek();
    files.push_back({"empty", ""});
    files.push_back({"4968 bytes", good.substr(0, kRec - 1)});
    files.push_back({"4970 bytes", good.substr(0, kRec + 1)});
    files.push_back({"not a multiple", good.substr(0, 3 * kRec + 1234)});
    files.push_back({"30 records", good + randomBytes(6 * kRec, 7)});
    std::string big = good;
    big.resize(10 * 1024 * 1024, 'Z');
    files.push_back({"10 MB", big});
    files.push_back({"all 0xFF", std::string(24 * kRec, '\xFF')});
    files.push_back({"random", randomBytes(24 * kRec, 11)});
    files.push_back({"random short", randomBytes(2 * kRec + 17, 12)});
    std::string nul = oddRecordFile({{"IN", "101.Dept-1", "7:00:00 AM", "Mon-Jan-6"}});
    nul[kRec + TimeRecord::offset(F::Action, 1) + 1] = '\0';  // "I\0"
    nul[kRec + TimeRecord::offset(F::ActTime, 1) + 3] = '\0'; // "7:0\00:00 AM"
    nul[kRec + TimeRecord::offset(F::EmpName) + 2] = '\0';    // "Od\0 One"
    files.push_back({"NUL inside entries", nul});
    files.push_back({"odd-case words", oddRecordFile({{"in", "1.Dept-1", "7:00:00 AM", "Mon-Jan-6"},
                                                      {" Lunch", "", "11:00:00 AM", "Mon-Jan-6"},
                                                      {"ChAnGe", "2.Office", "12:00:00 PM", "Mon-Jan-6"},
                                                      {"in", "3.Other", "1:00:00 PM", "Mon-Jan-6"}})});
    files.push_back(
        {"unreadable times and dates", oddRecordFile({{"IN", "1.Dept-1", "25:99:99 XM", "Feb-30-x"},
                                                      {"CHANGE", "2.Dept-2", "", ""},
                                                      {"IN", "3.Dept-3", "abc", "\xFF\xFE"},
                                                      {"OUT", "", "99999999999", "-"}})});
    return files;
}

TEST(MalformedWeekFile, ReadersNeitherCrashNorWriteAndThePunchTouchesOnlyItsRecord) {
    for (const auto& [what, bytes] : badWeekFiles()) {
        SCOPED_TRACE(what);
        TempDir base;
        prepareMonthFolders(realFiles(), base.path());
        AppState state(base.path());
        SetWeekFile(state, kNow);
        for (int p = 1; p <= 24; ++p)
            state.EmpNames[std::size_t(p)] = "Name " + std::to_string(p);
        writeFile(state.WeekFile, bytes);
        state.ButtonNumber = 2;
        state.CurName = "Odd One";

        // More than 24 records is no week file: refused by name, never written.
        const bool tooLarge = bytes.size() > kMaxWeekFileBytes;
        StatusBoard board;
        const Status boardRead = readStatusBoard(state, board);
        EXPECT_EQ(boardRead.isOk(), !tooLarge) << boardRead.message();
        (void)SetActionButtons(state);
        (void)LastActionSummary(state, kNow);
        EXPECT_EQ(readFile(state.WeekFile), bytes) << "a reader wrote to the week file";

        // Odd-case words are no action: the employee is off the clock.
        if (what == "odd-case words") {
            EXPECT_EQ(board[1].colour, BoardColour::Unchanged);
            EXPECT_EQ(SetActionButtons(state), permittedActions(EmployeeState::OffTheClock));
        }

        // The time sheet: loading and saving without an edit keeps every
        // whole record and everything beyond the 24th.
        TimeSheet sheet;
        sheet.load(bytes);
        (void)sheet.copyAllText();
        const SavePlan plan = sheet.planSave(bytes);
        EXPECT_FALSE(plan.hasConflicts());
        const std::size_t whole = std::min(bytes.size() / kRec, std::size_t(24)) * kRec;
        ASSERT_GE(plan.bytes.size(), std::max(bytes.size(), 24 * kRec));
        EXPECT_TRUE(plan.bytes.compare(0, whole, bytes, 0, whole) == 0)
            << "a save without edits changed a record";
        if (bytes.size() > 24 * kRec) {
            EXPECT_TRUE(plan.bytes.compare(24 * kRec, std::string::npos, bytes, 24 * kRec) == 0);
        }
        EXPECT_EQ(weekFileProblem(sheet.saveBytes()).find("length"), std::string::npos);

        // A punch changes record 2 only, or is refused when the record is full.
        state.CurAction = "OUT";
        const Status st = RecordPunch(state, kNow);
        const std::string after = readFile(state.WeekFile);
        if (!st) {
            EXPECT_NE(st.message().find(tooLarge ? state.WeekFile : "is full"), std::string::npos)
                << st.message();
            EXPECT_EQ(after, bytes);
            continue;
        }
        ASSERT_GE(after.size(), std::max(bytes.size(), 2 * kRec));
        EXPECT_EQ(after.size(), std::max(bytes.size(), 2 * kRec));
        std::string expect = bytes;
        expect.resize(after.size(), '\0');
        EXPECT_TRUE(after.compare(0, kRec, expect, 0, kRec) == 0);
        EXPECT_TRUE(after.compare(2 * kRec, std::string::npos, expect, 2 * kRec) == 0);
        const TimeRecord r = recordAt(after, 2);
        const int k = recordAt(bytes, 2).usedEntries() + 1;
        EXPECT_EQ(trimSpaces(r.raw(F::Action, k)), "OUT");
        EXPECT_EQ(r.raw(F::ActTime, k), "9:05:07 AM ");
    }
}

#ifndef _WIN32
TEST(MalformedWeekFile, WhatIsNoWeekFileIsRefusedByNameWithoutWaitingOnIt) {
    const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> odd = {
        {"FIFO", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0666), 0); }},
        {"link to /dev/zero", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
        {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }},
        {"3 GB",
         [](const std::string& p) {
             writeFile(p, sampleWeek());
             std::filesystem::resize_file(p, 3ull << 30);
         }},
    };
    for (const auto& [what, make] : odd) {
        SCOPED_TRACE(what);
        TempDir base;
        prepareMonthFolders(realFiles(), base.path());
        AppState state(base.path());
        SetWeekFile(state, kNow);
        make(state.WeekFile);
        state.ButtonNumber = 2;
        state.CurName = "Ann";
        state.CurAction = "IN";
        StatusBoard board;
        const Status read = readStatusBoard(state, board);
        EXPECT_NE(read.message().find(state.WeekFile), std::string::npos) << read.message();
        EXPECT_EQ(SetActionButtons(state), permittedActions(EmployeeState::OffTheClock));
        EXPECT_EQ(LastActionSummary(state, kNow).Text1, "Last Operation        ");
        const Status punch = RecordPunch(state, kNow);
        EXPECT_EQ(punch.message().rfind(kPunchNotRecorded, 0), 0u) << punch.message();
        EXPECT_NE(punch.message().find(state.WeekFile), std::string::npos) << punch.message();
    }
}
#endif

// ---- List files ----

struct Lists {
    TempDir base;
    void employees(const std::string& bytes) const { writeFile(employeeListPath(base.path()), bytes); }
    void jobs(const std::string& bytes) const { writeFile(jobListPath(base.path()), bytes); }
    Status readEmployees(EmployeeList& out) const { return readEmployeeList(realFiles(), base.path(), out); }
    Status readJobs20(std::vector<JobItem>& out) const {
        return readJobListExactly20(realFiles(), base.path(), out);
    }
};

std::string employeeLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

std::vector<std::string> goodEmployeeLines() {
    std::vector<std::string> lines{"Quarnel Data 1.2"};
    for (int i = 1; i <= 24; ++i)
        lines.push_back("Name " + std::to_string(i));
    lines.push_back("Note one");
    lines.push_back("Note two");
    return lines;
}

void expectNamesFileAndLine(const Status& st, const std::string& path, const std::string& lineText) {
    ASSERT_FALSE(st);
    EXPECT_NE(st.message().find(path), std::string::npos) << st.message();
    EXPECT_NE(st.message().find(lineText), std::string::npos) << st.message();
}

TEST(MalformedListFile, DamagedEmployeeListsSayWhichFileAndLine) {
    Lists l;
    const std::string path = employeeListPath(l.base.path());
    EmployeeList list;

    l.employees("");
    expectNamesFileAndLine(l.readEmployees(list), path, "is empty");

    std::vector<std::string> lines = goodEmployeeLines();
    lines.pop_back(); // one field short
    l.employees(employeeLines(lines));
    expectNamesFileAndLine(l.readEmployees(list), path, "line 26");
    EXPECT_EQ(list.names[23], "Name 24");
    EXPECT_EQ(list.notes[0], "Note one");

    // An unbalanced quote swallows the rest of the file: the list is short.
    lines = goodEmployeeLines();
    lines[3] = "\"Name 3";
    l.employees(employeeLines(lines));
    expectNamesFileAndLine(l.readEmployees(list), path, "line 4");
    EXPECT_EQ(list.names[0], "Name 1");

    // Lone CRs end lines like CR LF; NULs are dropped; bytes that Windows-1252
    // leaves undefined are kept as controls; a 100 kB line is one long name.
    std::string text = "Quarnel Data 1.2\r";
    text += std::string(100 * 1024, 'W') + "\r";
    text += std::string("An\0n", 4) + "\r";
    text += "Bad \x81 byte\r";
    for (int i = 4; i <= 24; ++i)
        text += "Name " + std::to_string(i) + "\r";
    text += "Note one\rNote two\r";
    l.employees(text);
    ASSERT_TRUE(l.readEmployees(list));
    EXPECT_EQ(list.names[0], std::string(100 * 1024, 'W'));
    EXPECT_EQ(list.names[1], "Ann");
    EXPECT_EQ(list.names[2], "Bad " + undefinedByte("\x81") + " byte");
    EXPECT_EQ(list.notes[1], "Note two");

    // Saved from Notepad as UTF-8: the byte-order mark is not part of the header.
    lines = goodEmployeeLines();
    lines[1] = "Zo\xC3\xAB";
    l.employees("\xEF\xBB\xBF" + employeeLines(lines));
    ASSERT_TRUE(l.readEmployees(list));
    EXPECT_EQ(list.header, "Quarnel Data 1.2");
    EXPECT_EQ(list.names[0], "Zo\xC3\xAB");
    // ...and is written back in the ANSI code page, CR LF.
    std::array<std::string, 20> jobs;
    jobs.fill(",");
    ASSERT_TRUE(writeButtonData(realFiles(), l.base.path(), list, jobs));
    EXPECT_EQ(readFile(path).substr(0, 23), "Quarnel Data 1.2\r\nZo\xEB\r\n");
}

TEST(MalformedListFile, DamagedJobListsSayWhichFileAndLine) {
    Lists l;
    const std::string path = jobListPath(l.base.path());
    std::vector<JobItem> jobs;

    l.jobs("");
    expectNamesFileAndLine(l.readJobs20(jobs), path, "is empty");
    ASSERT_TRUE(readJobList(realFiles(), l.base.path(), jobs)); // the job screen: no jobs
    EXPECT_TRUE(jobs.empty());

    std::string text;
    for (int j = 1; j <= 19; ++j)
        text += std::to_string(100 + j) + ",Job " + std::to_string(j) + "\r\n";
    l.jobs(text);
    expectNamesFileAndLine(l.readJobs20(jobs), path, "holds only 19 of the 20 jobs");

    // A line without its comma: the job screen reads on until a pair breaks.
    l.jobs("101,Roof\r\n102 Siding\r\n103,Gutters\r\n");
    expectNamesFileAndLine(readJobList(realFiles(), l.base.path(), jobs), path, "line 3");
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1].first, "102 Siding");
    EXPECT_EQ(jobs[1].second, "103");

    // An unbalanced quote runs to the end of the file.
    l.jobs("101,Roof\r\n\"102,Siding\r\n103,Gutters\r\n");
    expectNamesFileAndLine(readJobList(realFiles(), l.base.path(), jobs), path, "has no description");

    // NULs, a lone CR, undefined bytes and a 100 kB description read whole.
    l.jobs(std::string("1\0"
                       "01,Roof\r102,\x8D\r\n103,",
                       21) +
           std::string(100 * 1024, 'd') + "\r\n");
    ASSERT_TRUE(readJobList(realFiles(), l.base.path(), jobs));
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].first, "101");
    EXPECT_EQ(jobs[1].second, undefinedByte("\x8D"));
    EXPECT_EQ(jobs[2].second.size(), 100u * 1024u);
}

// ---- Paste texts ----

TEST(MalformedPaste, OddTextsGrowTheGridNoFurtherThanAWeekAndNeverReachTheFile) {
    std::string tenThousand;
    for (int i = 0; i < 10000; ++i)
        tenThousand += "Ann\tIN\t1.Dept-1\t7:00:00 AM\tMon-Jan-6\t\r\n";
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"huge single cell", std::string(8 * 1024 * 1024, 'x')},
        {"no TAB", "Name:\rAnn\rBob"},
        {"no CR", "Name:\tAction:\tJob Number:\tAct Time:\tAct Date:\tDuration"},
        {"lone LF", "Name:\nAnn\tIN\nOUT"},
        {"10,000 lines", tenThousand},
        {"only separators", std::string(100000, '\t') + std::string(100000, '\r')},
        {"NUL and 0xFF", std::string("A\0\xFF\t\xFF\0\r", 7)},
    };
    for (const auto& [what, text] : texts) {
        SCOPED_TRACE(what);
        TempDir dir;
        const std::string path = dir.file("week.dat");
        writeFile(path, sampleWeek());
        TimeSheet sheet;
        sheet.load(sampleWeek());
        const auto started = std::chrono::steady_clock::now();
        sheet.pasteAll(text);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
        EXPECT_EQ(sheet.rowCount(), what == "10,000 lines" ? TimeSheet::kFullWeekRows : TimeSheet::kMinRows);
        const std::string copied = sheet.copyAllText();
        EXPECT_EQ(std::count(copied.begin(), copied.end(), '\r'), sheet.rowCount() - 1);
        // The pasted grid makes a whole week of 24 records, whatever it holds.
        EXPECT_EQ(sheet.saveBytes().size(), 24 * kRec);
        EXPECT_EQ(readFile(path), sampleWeek()); // pasting never writes
    }
}

} // namespace
} // namespace tc::test
