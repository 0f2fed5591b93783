// Crashes made to happen for real: a child process stores punches, time-sheet
// saves or button data in a loop and reports each one it has been told is
// stored; the parent kills it with SIGKILL at random moments and checks the
// files byte for byte after every kill. Then the writer is stopped at each
// step of a save.
//
// TIMECLOCK_KILLS=<n> sets the number of kills of the punch loop (default 300;
// the save loops take half as many each).

#ifndef _WIN32

#include "ChildProcess.h"
#include "Scenario.h"
#include "data/FileAccess.h"
#include "data/ListFiles.h"
#include "data/Paths.h"
#include "data/WeekFile.h"
#include "manage/TimeSheet.h"
#include "punch/PunchRecorder.h"
#include "station/MonthFolders.h"
#include "support/RecordingTalk.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <unistd.h>

namespace tc::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int killRounds(int defaultRounds) {
    if (const char* s = std::getenv("TIMECLOCK_KILLS"); s && std::atoi(s) > 0)
        return std::atoi(s);
    return defaultRounds;
}

// Acknowledgements: one long per completed operation.
std::vector<long> acks(const std::string& report) {
    std::vector<long> out(report.size() / sizeof(long));
    std::memcpy(out.data(), report.data(), out.size() * sizeof(long));
    return out;
}

bool ack(int fd, long n) {
    return sendAll(fd, &n, sizeof n);
}

std::string weekPathFor(const std::string& base, long counter) {
    return weekFilePath(base, plannedPunch(counter).when);
}

// Stops a killed round's loop when the test is running long (slow disk).
bool overTime(Clock::time_point start, int seconds) {
    return Clock::now() - start > std::chrono::seconds(seconds);
}

// When to kill: a random moment within a window that follows the writer's
// speed (a busy disk or machine makes every operation slower), so the kills
// keep falling among operations rather than before the first or long after.
class KillTimer {
  public:
    KillTimer() : rng_(std::random_device{}()) {}
    useconds_t delay() { return useconds_t(std::uniform_int_distribution<long>(0, windowUs_)(rng_)); }
    void completed(std::size_t operations) {
        if (operations == 0)
            windowUs_ = std::min<long>(windowUs_ * 5 / 4 + 100, 500000);
        else if (operations > 6)
            windowUs_ = std::max<long>(windowUs_ * 3 / 4, 200);
    }

  private:
    std::mt19937 rng_;
    long windowUs_ = 5000;
};

// Kills a writer again and again. Each round starts a child that runs
// `work(first, fd)`: operations first, first + 1, ... each acknowledged with
// ack() once done. The child is killed at a random moment and `check(first,
// acknowledged)` then looks at the files. Stops after `rounds` rounds or
// `capSeconds`, whichever comes first (a slow disk gets fewer kills).
struct KillLoop {
    int kills = 0;
    long next = 0;     // the first operation of the next round
    long lastAck = -1; // the last operation acknowledged so far

    template <typename Work, typename Check> void run(int rounds, int capSeconds, Work work, Check check) {
        KillTimer timer;
        const auto started = Clock::now();
        for (int round = 0; round < rounds && !overTime(started, capSeconds); ++round) {
            const long first = next;
            ChildProcess child([&](int fd) { return work(first, fd); });
            ASSERT_TRUE(child.started());
            usleep(timer.delay());
            child.kill(SIGKILL);
            const int code = child.wait();
            const std::string report = child.report();
            ASSERT_TRUE(code == 128 + SIGKILL || code == 0) << "child ended with " << code << ": " << report;
            kills += code == 128 + SIGKILL;
            const std::vector<long> got = acks(report);
            timer.completed(got.size());
            // The operation in flight when the child died may or may not be
            // done; the next child starts after it so nothing is done twice.
            next = (got.empty() ? first - 1 : got.back()) + 2;
            if (!got.empty())
                lastAck = got.back();
            check(first, got);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
};

TEST(CrashMidWrite, EveryAcknowledgedPunchSurvivesSigkill) {
    TempDir base;
    ASSERT_TRUE(prepareMonthFolders(realFiles(), base.path()).status);
    const int rounds = killRounds(300);
    std::vector<long> acknowledged;
    KillLoop loop;
    loop.run(
        rounds, 40,
        [&](long first, int fd) {
            AppState state(base.path());
            for (long c = first; c < first + 500; ++c) {
                const PlannedPunch p = plannedPunch(c);
                choose(state, p);
                if (Status st = RecordPunch(state, p.when); !st) {
                    sendText(fd, st.message());
                    return 3;
                }
                if (!ack(fd, c))
                    return 4;
            }
            return 0;
        },
        [&](long first, const std::vector<long>& got) {
            acknowledged.insert(acknowledged.end(), got.begin(), got.end());
            const std::string path = weekPathFor(base.path(), first);
            const std::string bytes = readFile(path);
            ASSERT_EQ(weekFileProblem(bytes), "") << "after kill " << loop.kills << " of " << path;
            for (long c : got) {
                const PlannedPunch p = plannedPunch(c);
                ASSERT_EQ(weekPathFor(base.path(), c), path);
                ASSERT_TRUE(recordHolds(recordAt(bytes, p.position), p))
                    << "acknowledged punch " << c << " lost";
            }
        });
    ASSERT_FALSE(HasFatalFailure());

    // Once more at the end: every acknowledged punch of the whole run.
    std::map<std::string, std::string> files;
    for (long c : acknowledged) {
        const std::string path = weekPathFor(base.path(), c);
        if (!files.count(path))
            files[path] = readFile(path);
        const PlannedPunch p = plannedPunch(c);
        ASSERT_TRUE(recordHolds(recordAt(files[path], p.position), p))
            << "acknowledged punch " << c << " lost";
    }
    // A temporary file left by the last kill is never read as the week and is
    // cleared away by the next punch.
    AppState state(base.path());
    const PlannedPunch p = plannedPunch(loop.next);
    choose(state, p);
    ASSERT_TRUE(RecordPunch(state, p.when));
    EXPECT_FALSE(fileExists(state.WeekFile + std::string(kTempSuffix)));
    EXPECT_EQ(weekFileProblem(readFile(state.WeekFile)), "");

    EXPECT_GE(loop.kills, std::min(rounds, 20));
    EXPECT_GT(acknowledged.size(), std::size_t(rounds / 2)); // the kills really fell among punches
    RecordProperty("kills", loop.kills);
    RecordProperty("acknowledged_punches", int(acknowledged.size()));
    std::printf("[ reliability ] punch loop: %d kills survived, %zu acknowledged punches all on disk\n",
                loop.kills, acknowledged.size());
}

// Generation m of the time sheet's file: the sample week before any save, or
// after save m.
std::string sheetGeneration(long m) {
    return m < 0 ? sampleWeek() : sampleWeekSaved(m);
}

// The generation the bytes are, searched in [from, to]; -2 when none.
template <typename Gen> long whichGeneration(const std::string& bytes, long from, long to, Gen gen) {
    for (long m = from; m <= to; ++m)
        if (bytes == gen(m))
            return m;
    return -2;
}

TEST(CrashMidWrite, TimeSheetSaveAndItsBackupAreNeverTorn) {
    TempDir base;
    ASSERT_TRUE(prepareMonthFolders(realFiles(), base.path()).status);
    const std::string path = pathJoin(monthFolderPath(base.path(), 1), "Week Ending Sunday Jan 12 2025.dat");
    const std::string backup =
        pathJoin(monthFolderPath(base.path(), 1), "Week Ending Sunday Jan 12 2025.wkb");
    writeFile(path, sampleWeek());

    const int rounds = killRounds(300) / 2;
    KillLoop loop;
    loop.run(
        rounds, 14,
        [&](long first, int fd) {
            for (long n = first; n < first + 200; ++n) {
                RecordingTalk talk;
                if (saveSheet(realFiles(), path, n, talk) != SaveOutcome::Saved) {
                    sendText(fd, talk.toldText());
                    return 5;
                }
                if (!ack(fd, n))
                    return 4;
            }
            return 0;
        },
        [&](long, const std::vector<long>&) {
            ASSERT_NE(whichGeneration(readFile(path), loop.lastAck, loop.next, sheetGeneration), -2)
                << "the week file is torn or lost save " << loop.lastAck << " (kill " << loop.kills << ")";
            if (fileExists(backup)) {
                ASSERT_NE(whichGeneration(readFile(backup), -1, loop.next, sheetGeneration), -2)
                    << "torn backup";
            }
        });
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GE(loop.kills, std::min(rounds, 20));
    EXPECT_GT(loop.lastAck, 0);
    std::printf("[ reliability ] time sheet save loop: %d kills survived, %ld saves acknowledged\n",
                loop.kills, loop.lastAck + 1);
}

TEST(CrashMidWrite, ButtonDataSaveLeavesWholeListsOfOneGenerationOrTheNext) {
    TempDir base;
    auto save = [&](long n) { return saveButtonTexts(realFiles(), base.path(), n); };
    ASSERT_TRUE(save(-1));
    const std::string employeePath = employeeListPath(base.path());
    const std::string jobPath = jobListPath(base.path());
    ASSERT_EQ(readFile(employeePath), employeeListBytes(buttonTexts(-1)));

    const int rounds = killRounds(300) / 2;
    KillLoop loop;
    loop.run(
        rounds, 14,
        [&](long first, int fd) {
            for (long n = first; n < first + 300; ++n) {
                if (!save(n))
                    return 3;
                if (!ack(fd, n))
                    return 4;
            }
            return 0;
        },
        [&](long, const std::vector<long>&) {
            const long employees = whichGeneration(readFile(employeePath), loop.lastAck, loop.next,
                                                   [](long m) { return employeeListBytes(buttonTexts(m)); });
            const long jobs = whichGeneration(readFile(jobPath), loop.lastAck, loop.next,
                                              [](long m) { return jobListBytes(buttonTexts(m)); });
            ASSERT_NE(employees, -2) << "employee list torn or an acknowledged save lost";
            ASSERT_NE(jobs, -2) << "job list torn or an acknowledged save lost";
            ASSERT_LE(jobs, employees); // the employee list is written first
            // Whatever the moment, both lists read as whole lists.
            EmployeeList list;
            ASSERT_TRUE(readEmployeeList(realFiles(), base.path(), list));
            std::vector<JobItem> items;
            ASSERT_TRUE(readJobListExactly20(realFiles(), base.path(), items));
        });
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GE(loop.kills, std::min(rounds, 20));
    EXPECT_GT(loop.lastAck, 0);
    std::printf("[ reliability ] button data save loop: %d kills survived, %ld saves acknowledged\n",
                loop.kills, loop.lastAck + 1);
}

// ---- Stopping the writer at each step of a save ----

SaveStep gStopAt = SaveStep::TempWritten;
std::string gStopPath;

void stopHere(SaveStep step, const std::string& path) {
    if (step == gStopAt && (gStopPath.empty() || path == gStopPath))
        _exit(42);
}

// Runs `operation` in a child that stops dead after `step` (of `path`, or of
// any file when empty). Returns the child's exit code: 42 when it stopped.
int stopAt(SaveStep step, const std::string& path, const std::function<bool()>& operation) {
    int code = -1;
    runInChild(
        [&](int) {
            gStopAt = step;
            gStopPath = path;
            setSaveStepHook(stopHere);
            return operation() ? 0 : 3;
        },
        &code);
    return code;
}

TEST(CrashAtStep, PunchStoppedAtEachStepLeavesTheOldFileOrTheNew) {
    const DateTime now = makeDateTime(2025, 1, 7, 9, 5, 7);
    for (SaveStep step : {SaveStep::TempWritten, SaveStep::TempFlushed, SaveStep::Renamed}) {
        SCOPED_TRACE(int(step));
        TempDir base;
        ASSERT_TRUE(prepareMonthFolders(realFiles(), base.path()).status);
        AppState state(base.path());
        SetWeekFile(state, now);
        writeFile(state.WeekFile, sampleWeek());
        const std::string temp = state.WeekFile + std::string(kTempSuffix);

        state.ButtonNumber = 2;
        state.CurName = "Worker 2";
        state.CurAction = "OUT";
        ASSERT_EQ(stopAt(step, state.WeekFile, [&] { return RecordPunch(state, now).isOk(); }), 42);

        const std::string after = readFile(state.WeekFile);
        TimeRecord expectNew = recordAt(sampleWeek(), 2);
        expectNew.set(TimeRecord::Field::Action, 5, "OUT");
        expectNew.set(TimeRecord::Field::JobNumber, 5, "");
        expectNew.set(TimeRecord::Field::ActTime, 5, "9:05:07 AM");
        expectNew.set(TimeRecord::Field::ActDate, 5, "Tue-Jan-7");
        std::string newFile = sampleWeek();
        putRecord(newFile, 2, expectNew);

        if (step == SaveStep::Renamed) {
            EXPECT_EQ(after, newFile);
            EXPECT_FALSE(fileExists(temp));
            continue;
        }
        // Stopped before the rename: the week is as it was, the new bytes sit
        // in the temporary file only.
        EXPECT_EQ(after, sampleWeek());
        ASSERT_TRUE(fileExists(temp));
        EXPECT_EQ(readFile(temp), newFile);

        // Readers see the week, never the leftover.
        TimeRecord r;
        ASSERT_TRUE(readRecord(realFiles(), state.WeekFile, 2, r));
        EXPECT_EQ(r.usedEntries(), 4);
        TimeSheet sheet;
        std::string disk;
        ASSERT_TRUE(readWholeFile(realFiles(), state.WeekFile, disk, false));
        sheet.load(disk);
        EXPECT_EQ(sheet.planSave(disk).bytes, sampleWeek());

        // The employee punches again: stored once, the leftover is gone.
        state.CurAction = "LUNCH";
        const Status again = RecordPunch(state, now.addSeconds(60));
        ASSERT_TRUE(again) << again.message();
        EXPECT_FALSE(fileExists(temp));
        const TimeRecord stored = recordAt(readFile(state.WeekFile), 2);
        EXPECT_EQ(stored.usedEntries(), 5);
        EXPECT_EQ(stored.lastAction(), "LUNCH");
        EXPECT_EQ(weekFileProblem(readFile(state.WeekFile)), "");
    }
}

TEST(CrashAtStep, TimeSheetSaveStoppedAtEachStep) {
    // (step, file it stops on): the backup's own steps, the backup made, the week's steps.
    struct Stop {
        SaveStep step;
        bool onBackup;
    };
    const Stop stops[] = {{SaveStep::TempWritten, true},  {SaveStep::TempFlushed, true},
                          {SaveStep::Renamed, true},      {SaveStep::BackupMade, true},
                          {SaveStep::TempWritten, false}, {SaveStep::TempFlushed, false},
                          {SaveStep::Renamed, false}};
    for (const Stop& stop : stops) {
        SCOPED_TRACE(std::to_string(int(stop.step)) + (stop.onBackup ? " backup" : " week"));
        TempDir base;
        fs::create_directory(base.file("Jan"));
        const std::string path = base.path() + "/Jan/Week Ending Sunday Jan 12 2025.dat";
        const std::string backup = base.path() + "/Jan/Week Ending Sunday Jan 12 2025.wkb";
        writeFile(path, sampleWeek());
        writeFile(backup, "an older backup");

        auto save = [&](long n) {
            RecordingTalk talk;
            return saveSheet(realFiles(), path, n, talk) == SaveOutcome::Saved;
        };
        ASSERT_EQ(stopAt(stop.step, stop.onBackup ? backup : path, [&] { return save(0); }), 42);

        const bool weekReplaced = !stop.onBackup && stop.step == SaveStep::Renamed;
        const bool backupReplaced =
            !stop.onBackup || stop.step == SaveStep::Renamed || stop.step == SaveStep::BackupMade;
        EXPECT_EQ(readFile(path), weekReplaced ? sampleWeekSaved(0) : sampleWeek());
        EXPECT_EQ(readFile(backup), backupReplaced ? sampleWeek() : std::string("an older backup"));

        // The manager saves again: everything in order, no leftovers.
        ASSERT_TRUE(save(1));
        EXPECT_EQ(readFile(path), sampleWeekSaved(1));
        EXPECT_EQ(readFile(backup), weekReplaced ? sampleWeekSaved(0) : sampleWeek());
        EXPECT_FALSE(fileExists(path + std::string(kTempSuffix)));
        EXPECT_FALSE(fileExists(backup + std::string(kTempSuffix)));
    }
}

TEST(CrashAtStep, ButtonDataStoppedAtEachStepOfEitherList) {
    for (bool onJobs : {false, true})
        for (SaveStep step : {SaveStep::TempWritten, SaveStep::TempFlushed, SaveStep::Renamed}) {
            SCOPED_TRACE(std::to_string(int(step)) + (onJobs ? " jobs" : " employees"));
            TempDir base;
            auto save = [&](long n) { return saveButtonTexts(realFiles(), base.path(), n).isOk(); };
            ASSERT_TRUE(save(0));
            const std::string target = onJobs ? jobListPath(base.path()) : employeeListPath(base.path());
            ASSERT_EQ(stopAt(step, target, [&] { return save(1); }), 42);

            const bool renamed = step == SaveStep::Renamed;
            EXPECT_EQ(readFile(employeeListPath(base.path())),
                      employeeListBytes(buttonTexts(onJobs || renamed ? 1 : 0)));
            EXPECT_EQ(readFile(jobListPath(base.path())),
                      jobListBytes(buttonTexts(onJobs && renamed ? 1 : 0)));
            // A leftover temporary list is never read as the list.
            EmployeeList list;
            ASSERT_TRUE(readEmployeeList(realFiles(), base.path(), list));
            std::vector<JobItem> jobs;
            ASSERT_TRUE(readJobListExactly20(realFiles(), base.path(), jobs));

            ASSERT_TRUE(save(2));
            EXPECT_EQ(readFile(employeeListPath(base.path())), employeeListBytes(buttonTexts(2)));
            EXPECT_EQ(readFile(jobListPath(base.path())), jobListBytes(buttonTexts(2)));
            EXPECT_FALSE(fileExists(target + std::string(kTempSuffix)));
        }
}

} // namespace
} // namespace tc::test

#endif
