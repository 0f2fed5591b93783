// Faults made to happen for real: failing I/O at every step (FaultyFiles),
// a full disk (RLIMIT_FSIZE and a tiny tmpfs), read-only files and folders
// (immutable flag, read-only bind mount, an unprivileged user), the month
// folder removed under the program, and the editor saving while the station
// punches. Each checks the bytes on disk and the message a person would see.

#include "ChildProcess.h"
#include "Scenario.h"
#include "data/ListFiles.h"
#include "data/Paths.h"
#include "data/TimeText.h"
#include "data/WeekFile.h"
#include "manage/TimeSheet.h"
#include "punch/PunchRecorder.h"
#include "station/MonthFolders.h"
#include "support/FaultyFiles.h"
#include "support/RecordingTalk.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tc::test {
namespace {

namespace fs = std::filesystem;
using F = TimeRecord::Field;
using Op = FaultyFiles::Op;

const DateTime kNow = makeDateTime(2025, 1, 7, 9, 5, 7); // week ending Sunday Jan 12 2025

// The sample week with position 2 clocked OUT at kNow: what a good punch stores.
std::string sampleWeekPunched() {
    std::string bytes = sampleWeek();
    TimeRecord r = recordAt(bytes, 2);
    r.setName("Worker 2");
    r.set(F::Action, 5, "OUT");
    r.set(F::JobNumber, 5, "");
    r.set(F::ActTime, 5, "9:05:07 AM");
    r.set(F::ActDate, 5, "Tue-Jan-7");
    putRecord(bytes, 2, r);
    return bytes;
}

struct Station {
    TempDir base;
    AppState state;
    explicit Station(FileAccess& files = realFiles()) : state(base.path(), files) {
        prepareMonthFolders(realFiles(), base.path());
        SetWeekFile(state, kNow);
        writeFile(state.WeekFile, sampleWeek());
        state.ButtonNumber = 2;
        state.CurName = "Worker 2";
        state.CurAction = "OUT";
    }
    std::string week() const { return readFile(state.WeekFile); }
    bool tempLeft() const { return fileExists(state.WeekFile + std::string(kTempSuffix)); }
};

const char* opName(Op op) {
    switch (op) {
    case Op::OpenForWriting:
        return "open for writing";
    case Op::Write:
        return "write";
    case Op::Flush:
        return "flush";
    case Op::Close:
        return "close";
    case Op::Rename:
        return "rename";
    default:
        return "other";
    }
}

// A journal that cannot be written fails neither a punch nor a save.
bool failedOutsideJournals(const FaultyFiles& f) {
    return std::any_of(f.log().begin(), f.log().end(),
                       [](auto& c) { return c.failed && !c.path.ends_with(".journal"); });
}

constexpr Op kFailingOps[] = {Op::OpenForWriting, Op::Write, Op::Flush, Op::Close, Op::Rename};

TEST(FailingIo, PunchFailsWholeAtEveryStepUntilItSucceeds) {
    int failuresSeen = 0;
    for (Op op : kFailingOps)
        for (bool forever : {false, true}) {
            bool succeeded = false;
            for (int n = 1; n <= 20 && !succeeded; ++n) {
                SCOPED_TRACE(std::string(opName(op)) + " #" + std::to_string(n) +
                             (forever ? " for good" : " once"));
                FaultyFiles faulty;
                Station s(faulty);
                faulty.reset();
                faulty.failAt(op, n, forever, "Input/output error");
                const Status st = RecordPunch(s.state, kNow);
                if (!failedOutsideJournals(faulty)) {
                    ASSERT_TRUE(st) << st.message();
                    EXPECT_EQ(s.week(), sampleWeekPunched());
                    succeeded = true;
                } else {
                    ++failuresSeen;
                    ASSERT_FALSE(st) << "a failed " << opName(op) << " was reported as a stored punch";
                    EXPECT_EQ(s.week(), sampleWeek());
                    EXPECT_EQ(st.message().rfind(kPunchNotRecorded, 0), 0u) << st.message();
                    EXPECT_NE(st.message().find(s.state.WeekFile), std::string::npos) << st.message();
                    EXPECT_NE(st.message().find("Input/output error"), std::string::npos) << st.message();
                }
                EXPECT_FALSE(s.tempLeft());
            }
            EXPECT_TRUE(succeeded);
        }
    EXPECT_GE(failuresSeen, 10);
}

TEST(FailingIo, TimeSheetSaveFailsWholeAtEveryStepUntilItSucceeds) {
    for (Op op : kFailingOps)
        for (bool forever : {false, true}) {
            bool succeeded = false;
            for (int n = 1; n <= 20 && !succeeded; ++n) {
                SCOPED_TRACE(std::string(opName(op)) + " #" + std::to_string(n) +
                             (forever ? " for good" : " once"));
                Station s;
                const std::string backup = s.state.WeekFile.substr(0, s.state.WeekFile.size() - 3) + "wkb";
                writeFile(backup, "older backup");
                FaultyFiles faulty;
                faulty.failAt(op, n, forever);
                RecordingTalk talk;
                const SaveOutcome outcome = saveSheet(faulty, s.state.WeekFile, 1, talk);
                if (!failedOutsideJournals(faulty)) {
                    ASSERT_EQ(outcome, SaveOutcome::Saved) << talk.toldText();
                    EXPECT_EQ(s.week(), sampleWeekSaved(1));
                    EXPECT_EQ(readFile(backup), sampleWeek());
                    succeeded = true;
                    continue;
                }
                ASSERT_EQ(outcome, SaveOutcome::Failed) << talk.toldText();
                EXPECT_EQ(s.week(), sampleWeek());
                const std::string b = readFile(backup);
                EXPECT_TRUE(b == "older backup" || b == sampleWeek());
                // The message names the file that could not be read or written, and why.
                const std::string message = talk.told.back();
                EXPECT_TRUE(message.find(s.state.WeekFile) != std::string::npos ||
                            message.find(backup) != std::string::npos)
                    << message;
                EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
                EXPECT_FALSE(fileExists(backup + std::string(kTempSuffix)));
                EXPECT_FALSE(s.tempLeft());
            }
            EXPECT_TRUE(succeeded);
        }
}

TEST(FailingIo, ButtonDataSaveFailsWholePerListAtEveryStep) {
    const auto save = saveButtonTexts;
    for (Op op : kFailingOps)
        for (bool forever : {false, true}) {
            bool succeeded = false;
            for (int n = 1; n <= 20 && !succeeded; ++n) {
                SCOPED_TRACE(std::string(opName(op)) + " #" + std::to_string(n) +
                             (forever ? " for good" : " once"));
                TempDir base;
                ASSERT_TRUE(save(realFiles(), base.path(), 0));
                const std::string employees = employeeListPath(base.path());
                const std::string jobs = jobListPath(base.path());
                FaultyFiles faulty;
                faulty.failAt(op, n, forever);
                const Status st = save(faulty, base.path(), 1);
                const std::string e = readFile(employees), j = readFile(jobs);
                if (!failedOutsideJournals(faulty)) {
                    ASSERT_TRUE(st) << st.message();
                    EXPECT_EQ(e, employeeListBytes(buttonTexts(1)));
                    EXPECT_EQ(j, jobListBytes(buttonTexts(1)));
                    succeeded = true;
                    continue;
                }
                ASSERT_FALSE(st);
                // The list that failed is as it was, and the message names it.
                EXPECT_EQ(j, jobListBytes(buttonTexts(0)));
                const bool employeesNew = e == employeeListBytes(buttonTexts(1));
                EXPECT_TRUE(employeesNew || e == employeeListBytes(buttonTexts(0)));
                EXPECT_NE(st.message().find(employeesNew ? jobs : employees), std::string::npos)
                    << st.message();
                EXPECT_NE(st.message().find("No space left on device"), std::string::npos) << st.message();
                EXPECT_FALSE(fileExists(employees + std::string(kTempSuffix)));
                EXPECT_FALSE(fileExists(jobs + std::string(kTempSuffix)));
            }
            EXPECT_TRUE(succeeded);
        }
}

// ---- The month folder removed under the program ----

TEST(MissingFolder, RemovedBetweenPunchesIsMadeAgainAndThePunchStored) {
    Station s;
    ASSERT_TRUE(RecordPunch(s.state, kNow));
    fs::remove_all(parentFolder(s.state.WeekFile));
    s.state.CurAction = "IN";
    s.state.CurJob = "101";
    s.state.CurDept = ".Dept-1";
    const Status st = RecordPunch(s.state, kNow.addSeconds(60));
    ASSERT_TRUE(st) << st.message();
    const std::string bytes = s.week();
    EXPECT_EQ(bytes.size(), 2 * TimeRecord::kSize);
    const TimeRecord r = recordAt(bytes, 2);
    EXPECT_EQ(r.usedEntries(), 1);
    EXPECT_EQ(r.raw(F::JobNumber, 1), "101.Dept-1          ");
    EXPECT_EQ(r.raw(F::ActTime, 1), "9:06:07 AM ");
}

TEST(MissingFolder, RemovedBetweenLoadAndSaveWritesNothingAndSaysWhy) {
    Station s;
    const std::string path = s.state.WeekFile;
    const std::string folder = parentFolder(path);
    std::string disk;
    ASSERT_TRUE(readWholeFile(realFiles(), path, disk, false));
    TimeSheet sheet;
    sheet.load(disk);
    sheet.setCell(1, TimeSheet::JobNumber, "edited");

    fs::remove_all(folder);
    // The save reads the disk first, without creating anything, and stops there.
    RecordingTalk talk;
    EXPECT_EQ(saveWeek(realFiles(), path, sheet, talk), SaveOutcome::Failed);
    EXPECT_EQ(talk.told, std::vector<std::string>{"The folder " + folder + " is missing, so " + path +
                                                  " cannot be opened.\r\nThe file was not saved."});
    EXPECT_FALSE(fs::exists(folder)); // nothing made, nothing written
}

// ---- The editor and the station at once ----

TEST(EditorAndStation, PunchStoredBetweenLoadAndSaveSurvivesTheSave) {
    int rounds = 1000;
    if (const char* env = std::getenv("TIMECLOCK_ROUNDS"); env && std::atoi(env) > 0)
        rounds = std::atoi(env);
    TempDir base;
    prepareMonthFolders(realFiles(), base.path());
    AppState state(base.path());
    SetWeekFile(state, kNow);
    const std::string path = state.WeekFile;
    writeFile(path, sampleWeek());

    std::vector<long> stored;
    long counter = 0;
    int conflictsAsked = 0;
    for (int round = 0; round < rounds; ++round) {
        std::string loaded;
        ASSERT_TRUE(readWholeFile(realFiles(), path, loaded, false));
        TimeSheet sheet;
        sheet.load(loaded);

        // The station stores a punch for someone other than Worker 1 ...
        while (plannedPunch(counter).position == 1)
            ++counter;
        PlannedPunch p = plannedPunch(counter++);
        p.when = makeDateTime(2025, 1, 6).addSeconds(long(round) * 37); // all in this week
        choose(state, p);
        ASSERT_TRUE(RecordPunch(state, p.when));
        ASSERT_EQ(state.WeekFile, path);

        // ... while the manager corrects Worker 1's first job; every tenth
        // round the manager edits the very record the station just punched.
        const bool clash = round % 10 == 9;
        sheet.setCell(1, TimeSheet::JobNumber, "fix " + std::to_string(round));
        if (clash)
            sheet.setCell(1, TimeSheet::Name,
                          "Emp " + std::to_string(p.position)); // Worker 1's rows now claim that record
        RecordingTalk talk(/*answer=*/false);
        const SaveOutcome outcome = saveWeek(realFiles(), path, sheet, talk);
        if (clash) {
            // The manager is asked; answering No writes nothing.
            EXPECT_EQ(outcome, SaveOutcome::Stopped);
            const bool conflict =
                !talk.asked.empty() && talk.asked.front().rfind("The punches of these", 0) == 0;
            EXPECT_TRUE(conflict) << talk.toldText();
            conflictsAsked += conflict;
            continue;
        }
        ASSERT_EQ(outcome, SaveOutcome::Saved) << "round " << round << ": " << talk.toldText();

        const std::string after = readFile(path);
        ASSERT_TRUE(recordHolds(recordAt(after, p.position), p))
            << "the save lost the punch of round " << round;
        ASSERT_EQ(recordAt(after, 1).raw(F::JobNumber, 1),
                  "fix " + std::to_string(round) + std::string(16 - std::to_string(round).size(), ' '));
        stored.push_back(round);
        if (round % 100 == 0 || round == rounds - 1) {
            ASSERT_EQ(weekFileProblem(after), "") << "round " << round;
        }
    }
    EXPECT_EQ(conflictsAsked, rounds / 10);
}

#ifndef _WIN32

// ---- A full disk ----

TEST(DiskFull, FileSizeLimitStopsThePunchWithNothingHalfWritten) {
    Station s;
    const std::string message = runInChild([&](int fd) {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead of killing
        rlimit limit{60000, 60000};
        setrlimit(RLIMIT_FSIZE, &limit);
        sendText(fd, RecordPunch(s.state, kNow).message());
        return 0;
    });
    EXPECT_EQ(message.rfind(kPunchNotRecorded, 0), 0u) << message;
    EXPECT_NE(message.find("NOT recorded"), std::string::npos);
    EXPECT_NE(message.find(s.state.WeekFile), std::string::npos) << message;
    EXPECT_NE(message.find("File too large"), std::string::npos) << message;
    EXPECT_EQ(s.week(), sampleWeek());
    EXPECT_FALSE(s.tempLeft());

    // The time sheet's save: the backup cannot be made, so nothing is saved.
    const std::string backup = s.state.WeekFile.substr(0, s.state.WeekFile.size() - 3) + "wkb";
    const std::string saveMessage = runInChild([&](int fd) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{60000, 60000};
        setrlimit(RLIMIT_FSIZE, &limit);
        RecordingTalk talk;
        (void)saveSheet(realFiles(), s.state.WeekFile, 1, talk);
        sendText(fd, talk.toldText());
        return 0;
    });
    EXPECT_NE(saveMessage.find(backup), std::string::npos) << saveMessage;
    EXPECT_EQ(s.week(), sampleWeek());
    EXPECT_FALSE(fileExists(backup));
    EXPECT_FALSE(fileExists(backup + std::string(kTempSuffix)));
}

TEST(DiskFull, TinyFileSystemStopsThePunchWithNothingHalfWritten) {
    TempDir outer;
    const std::string mountPoint = outer.file("small");
    fs::create_directory(mountPoint);
    // Room for the week file, not for its replacement beside it.
    if (mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=160k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    struct Unmount {
        std::string at;
        ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
    } unmount{mountPoint};

    AppState state(mountPoint);
    ASSERT_TRUE(prepareMonthFolders(realFiles(), mountPoint).status);
    SetWeekFile(state, kNow);
    writeFile(state.WeekFile, sampleWeek());
    ASSERT_EQ(readFile(state.WeekFile), sampleWeek());
    state.ButtonNumber = 2;
    state.CurName = "Worker 2";
    state.CurAction = "OUT";

    const Status st = RecordPunch(state, kNow);
    ASSERT_FALSE(st);
    EXPECT_NE(st.message().find("NOT recorded"), std::string::npos);
    EXPECT_NE(st.message().find("No space left on device"), std::string::npos) << st.message();
    EXPECT_EQ(readFile(state.WeekFile), sampleWeek());
    EXPECT_FALSE(fileExists(state.WeekFile + std::string(kTempSuffix)));
}

// ---- Read-only file and folder ----

void expectRefusedAndUnchanged(const Station& s, const Status& st, const std::string& reason) {
    ASSERT_FALSE(st);
    EXPECT_EQ(st.message().rfind(kPunchNotRecorded, 0), 0u) << st.message();
    EXPECT_NE(st.message().find(s.state.WeekFile), std::string::npos) << st.message();
    EXPECT_NE(st.message().find(reason), std::string::npos) << st.message();
    EXPECT_EQ(s.week(), sampleWeek());
    EXPECT_FALSE(s.tempLeft());
}

bool setImmutable(const std::string& path, bool on) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return ok;
}

TEST(ReadOnly, ImmutableWeekFileIsLeftAloneAndTheMessageSaysWhy) {
    Station s;
    if (!setImmutable(s.state.WeekFile, true))
        GTEST_SKIP() << "this file system has no immutable flag (or no right to set it)";
    struct Undo {
        std::string path;
        ~Undo() { setImmutable(path, false); }
    } undo{s.state.WeekFile};

    expectRefusedAndUnchanged(s, RecordPunch(s.state, kNow), "Operation not permitted");

    const std::string backup = s.state.WeekFile.substr(0, s.state.WeekFile.size() - 3) + "wkb";
    RecordingTalk talk;
    ASSERT_EQ(saveSheet(realFiles(), s.state.WeekFile, 1, talk), SaveOutcome::Failed);
    EXPECT_NE(talk.told.back().find("Cannot write " + s.state.WeekFile), std::string::npos)
        << talk.toldText();
    EXPECT_EQ(s.week(), sampleWeek());
    EXPECT_EQ(readFile(backup), sampleWeek()); // the backup beside it was made
}

TEST(ReadOnly, ReadOnlyMountedFolderIsLeftAloneAndTheMessageSaysWhy) {
    Station s;
    const std::string folder = parentFolder(s.state.WeekFile);
    if (mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "cannot bind-mount here: " << std::strerror(errno);
    struct Unmount {
        std::string at;
        ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
    } unmount{folder};
    if (mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        GTEST_SKIP() << "cannot remount read-only here: " << std::strerror(errno);

    expectRefusedAndUnchanged(s, RecordPunch(s.state, kNow), "Read-only file system");
    // The board and the time sheet still read the week.
    std::string disk;
    ASSERT_TRUE(readWholeFile(realFiles(), s.state.WeekFile, disk, false));
    EXPECT_EQ(disk, sampleWeek());
}

TEST(ReadOnly, UnprivilegedUserCannotWriteAndIsToldWhy) {
    Station s;
    fs::permissions(s.base.path(), fs::perms(0755));
    fs::permissions(parentFolder(s.state.WeekFile), fs::perms(0755));
    fs::permissions(s.state.WeekFile, fs::perms(0644));
    int code = -1;
    const std::string message = runInChild(
        [&](int fd) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                return 77;
            sendText(fd, RecordPunch(s.state, kNow).message());
            return 0;
        },
        &code);
    if (code == 77)
        GTEST_SKIP() << "cannot become an unprivileged user here";
    EXPECT_EQ(message.rfind(kPunchNotRecorded, 0), 0u) << message;
    EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
    EXPECT_NE(message.find(s.state.WeekFile), std::string::npos) << message;
    EXPECT_EQ(s.week(), sampleWeek());
    EXPECT_FALSE(s.tempLeft());
}

#endif

} // namespace
} // namespace tc::test
