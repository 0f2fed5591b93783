#include "punch/PunchRecorder.h"

#include "data/Paths.h"
#include "data/TimeText.h"
#include "data/WeekFile.h"
#include "support/FaultyFiles.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tc::test {
namespace {

using F = TimeRecord::Field;

void choose(AppState& s, int position, const std::string& name, const std::string& action,
            const std::string& job = "", const std::string& dept = "") {
    s.ButtonNumber = std::int16_t(position);
    s.CurName = name;
    s.CurAction = action;
    s.CurJob = job;
    s.CurDept = dept;
}

TEST(RecordPunch, FirstPunchOfTheWeekCreatesTheFileAndFillsEntryOneExactly) {
    ProgramFolder base;
    AppState s(base.path());
    s.WeekFile = "left over from last week";
    choose(s, 3, "Ann Smith", "IN", "1234", ".Dept-2");

    ASSERT_TRUE(RecordPunch(s, mondayFeb3(9, 5, 7)));

    const std::string path = pathJoin(pathJoin(base.path(), "Feb"), "Week Ending Sunday Feb 9 2025.dat");
    EXPECT_EQ(s.WeekFile, path);
    EXPECT_EQ(s.LastSlot, 0);
    const std::string bytes = readFile(path);
    ASSERT_EQ(bytes.size(), 3u * 4969u);
    EXPECT_EQ(bytes.substr(0, 2 * 4969), std::string(2 * 4969, '\0'));

    std::string e(4969, '\0');
    e.replace(0, 20, "Ann Smith           ");
    e.replace(20 + 7, 7, "IN     ");
    e.replace(727 + 20, 20, "1234.Dept-2         ");
    e.replace(2747 + 11, 11, "9:05:07 AM ");
    e.replace(3858 + 11, 11, "Mon-Feb-3  ");
    EXPECT_EQ(bytes.substr(2 * 4969), e);
}

TEST(RecordPunch, AppendsAfterTheUsedEntriesAndChangesNothingElse) {
    ProgramFolder base;
    const TimeRecord before = makeRecord("Old Name", {{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"},
                                                      {"LUNCH", "", "11:00:00 AM", "Mon-Feb-3"},
                                                      {"IN", "1001.Dept-1", "11:30:00 AM", "Mon-Feb-3"},
                                                      {"OUT", "", "3:30:00 PM", "Mon-Feb-3"}});
    const TimeRecord neighbour = makeRecord("Bob", {{"IN", "1002.Office", "6:00:00 AM", "Mon-Feb-3"}});
    base.putRecord(mondayFeb3(), 2, before);
    base.putRecord(mondayFeb3(), 5, neighbour);
    const std::string fileBefore = readFile(base.weekFile(mondayFeb3()));

    AppState s(base.path());
    choose(s, 2, "New Name", "LUNCH");
    ASSERT_TRUE(RecordPunch(s, makeDateTime(2025, 2, 4, 12, 30, 0)));
    EXPECT_EQ(s.LastSlot, 4);

    const std::string after = readFile(base.weekFile(mondayFeb3()));
    ASSERT_EQ(after.size(), fileBefore.size());
    TimeRecord r = recordAt(after, 2);
    EXPECT_EQ(r.raw(F::EmpName), "New Name            "); // the name follows the button
    EXPECT_EQ(r.raw(F::Action, 5), "LUNCH  ");
    EXPECT_EQ(r.raw(F::JobNumber, 5), std::string(20, ' '));
    EXPECT_EQ(r.raw(F::ActTime, 5), "12:30:00 PM");
    EXPECT_EQ(r.raw(F::ActDate, 5), "Tue-Feb-4  ");
    // Everything but the name and entry 5 is as it was, byte for byte.
    TimeRecord expected = before;
    expected.setName("New Name");
    for (F f : {F::Action, F::JobNumber, F::ActTime, F::ActDate})
        expected.set(f, 5, std::string(r.text(f, 5)));
    EXPECT_TRUE(r == expected);
    EXPECT_EQ(after.substr(0, 4969), fileBefore.substr(0, 4969));
    EXPECT_EQ(after.substr(2 * 4969), fileBefore.substr(2 * 4969));

    // A long job and suffix are cut to the field; OUT stores 20 spaces whatever the job was.
    choose(s, 2, "New Name", "CHANGE", "ABCDEFGHIJKLMN", ".Office");
    ASSERT_TRUE(RecordPunch(s, makeDateTime(2025, 2, 4, 13, 0, 0)));
    choose(s, 2, "New Name", "OUT");
    ASSERT_TRUE(RecordPunch(s, makeDateTime(2025, 2, 4, 17, 0, 0)));
    r = base.record(mondayFeb3(), 2);
    EXPECT_EQ(r.raw(F::JobNumber, 6), "ABCDEFGHIJKLMN.Offic");
    EXPECT_EQ(r.raw(F::Action, 7), "OUT    ");
    EXPECT_EQ(r.raw(F::JobNumber, 7), std::string(20, ' '));
    EXPECT_TRUE(r.isFree(8));
}

TEST(RecordPunch, AFullRecordTakesNoPunchAndAStaleSlotIsNeverReused) {
    ProgramFolder base;
    base.putRecord(mondayFeb3(), 1, makeRecord("Ann", {{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"}}));
    base.putRecord(mondayFeb3(), 4, fullRecord("Carl", "IN"));
    AppState s(base.path());

    // Ann punches first and leaves LastSlot at 1.
    choose(s, 1, "Ann", "OUT");
    ASSERT_TRUE(RecordPunch(s, mondayFeb3(12)));
    EXPECT_EQ(s.LastSlot, 1);

    const std::string before = readFile(base.weekFile(mondayFeb3()));
    choose(s, 4, "Carl", "OUT");
    Status st = RecordPunch(s, mondayFeb3(17));
    ASSERT_FALSE(st);
    EXPECT_EQ(st.message(), "Your punch was NOT recorded.\r\n"
                            "This week's record for Carl is full (100 punches).\r\nPlease see the manager.");
    EXPECT_EQ(readFile(base.weekFile(mondayFeb3())), before);
    EXPECT_EQ(s.LastSlot, 100);

    // FindLastSlot on its own counts Carl's record as full, Ann's as 2.
    ASSERT_TRUE(FindLastSlot(s));
    EXPECT_EQ(s.LastSlot, 100);
    s.ButtonNumber = 1;
    ASSERT_TRUE(FindLastSlot(s));
    EXPECT_EQ(s.LastSlot, 2);
}

TEST(RecordPunch, AnEntryHoldingAnyWrittenFieldIsNeverWrittenOver) {
    // Entries damaged or hand-edited: one field written, the job never.
    for (F written : {F::Action, F::ActTime, F::ActDate}) {
        SCOPED_TRACE(int(written));
        ProgramFolder base;
        TimeRecord r = makeRecord("Ann", {{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"}});
        r.set(written, 2, "IN");
        base.putRecord(mondayFeb3(), 1, r);
        AppState s(base.path());
        choose(s, 1, "Ann", "OUT");
        ASSERT_TRUE(RecordPunch(s, mondayFeb3(16)));
        const TimeRecord after = base.record(mondayFeb3(), 1);
        EXPECT_EQ(after.raw(written, 2), r.raw(written, 2));
        EXPECT_EQ(after.raw(F::Action, 3), "OUT    ");
    }
}

#ifndef _WIN32
TEST(RecordPunch, ALinkPlantedAtTheTemporaryFileIsNeverWrittenThrough) {
    for (bool hard : {false, true}) {
        SCOPED_TRACE(hard ? "hard link" : "symbolic link");
        ProgramFolder base;
        TempDir outside;
        const std::string victim = outside.file("payroll.txt");
        writeFile(victim, "keep me");
        base.putRecord(mondayFeb3(), 1, TimeRecord());
        const std::string temp = base.weekFile(mondayFeb3()) + std::string(kTempSuffix);
        if (hard)
            std::filesystem::create_hard_link(victim, temp);
        else
            std::filesystem::create_symlink(victim, temp);
        AppState s(base.path());
        choose(s, 1, "Ann", "LUNCH");
        ASSERT_TRUE(RecordPunch(s, mondayFeb3(12)));
        EXPECT_EQ(readFile(victim), "keep me");
        EXPECT_EQ(base.record(mondayFeb3(), 1).raw(F::Action, 1), "LUNCH  ");
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(temp)));
    }
}
#endif

TEST(RecordPunch, AMissingMonthFolderIsMadeAgainAndThePunchStored) {
    ProgramFolder base;
    std::filesystem::remove(pathJoin(base.path(), "Feb"));
    AppState s(base.path());
    choose(s, 1, "Ann", "IN", "1001", ".Dept-1");
    ASSERT_TRUE(RecordPunch(s, mondayFeb3()));
    EXPECT_EQ(base.record(mondayFeb3(), 1).raw(F::Action, 1), "IN     ");
}

TEST(RecordPunch, APunchThatCannotBeStoredSaysSoAndLeavesTheFileAsItWas) {
    // The month folder replaced by a plain file: neither folder nor week file can be made.
    {
        ProgramFolder base;
        std::filesystem::remove(pathJoin(base.path(), "Feb"));
        writeFile(pathJoin(base.path(), "Feb"), "not a folder");
        AppState s(base.path());
        choose(s, 1, "Ann", "IN", "1001", ".Dept-1");
        Status st = RecordPunch(s, mondayFeb3());
        ASSERT_FALSE(st);
        EXPECT_EQ(st.message().rfind("Your punch was NOT recorded.\r\n", 0), 0u) << st.message();
        EXPECT_NE(st.message().find(pathJoin(base.path(), "Feb")), std::string::npos) << st.message();
        EXPECT_EQ(readFile(pathJoin(base.path(), "Feb")), "not a folder");
    }
    // The disk full, or the file locked, while the punch is written.
    for (bool renameFails : {false, true}) {
        ProgramFolder base;
        base.putRecord(mondayFeb3(), 1,
                       makeRecord("Ann", {{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"}}));
        const std::string before = readFile(base.weekFile(mondayFeb3()));
        FaultyFiles files;
        if (renameFails)
            files.failAt(FaultyFiles::Op::Rename, 1, true, "Permission denied"); // read-only or locked
        else
            files.failAt(FaultyFiles::Op::Write, 1, true, "No space left on device");
        AppState s(base.path(), files);
        choose(s, 1, "Ann", "OUT");
        Status st = RecordPunch(s, mondayFeb3(16));
        ASSERT_FALSE(st);
        EXPECT_EQ(st.message().rfind("Your punch was NOT recorded.\r\n", 0), 0u) << st.message();
        EXPECT_NE(st.message().find(renameFails ? "Permission denied" : "No space left"), std::string::npos);
        EXPECT_EQ(readFile(base.weekFile(mondayFeb3())), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pathJoin(base.path(), "Feb")),
                                std::filesystem::directory_iterator()),
                  1); // no temporary file left beside it
    }
    // The program folder gone from under the running station: it is named, not remade.
    {
        ProgramFolder base;
        const std::string gone = base.path() + "-moved";
        std::filesystem::rename(base.path(), gone);
        AppState s(base.path());
        choose(s, 1, "Ann", "OUT");
        Status st = RecordPunch(s, mondayFeb3());
        std::filesystem::rename(gone, base.path());
        EXPECT_NE(st.message().find("The program folder " + base.path() + " is missing"), std::string::npos)
            << st.message();
        EXPECT_FALSE(fileExists(base.weekFile(mondayFeb3())));
    }
    // No button chosen: nothing to write to.
    {
        ProgramFolder base;
        AppState s(base.path());
        choose(s, 0, "", "IN", "1001", ".Dept-1");
        EXPECT_FALSE(RecordPunch(s, mondayFeb3()));
        EXPECT_FALSE(fileExists(base.weekFile(mondayFeb3())));
    }
}

} // namespace
} // namespace tc::test
