// Writers ended dead part way: killed at random moments among punches, and
// stopped after each step of a replacement. A file is always the old one or
// the new one, never torn, and nothing acknowledged is lost, in the week
// file or in its journal.
//
// TIMECLOCK_KILLS=<n> sets the number of kills (default 50).

#ifndef _WIN32

#include "ChildProcess.h"
#include "Scenario.h"
#include "core/files/Paths.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalReplay.h"
#include "core/punch/PunchRecorder.h"
#include "core/sheet/ListsSave.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>

namespace tc::test {
namespace {

// Punch n: positions 1 to 24 in turn, one minute apart, a new week every 2400.
DateTime when(long n) {
    return makeDateTime(2025, 1, 6).addDays(int(7 * (n / 2400))).addSeconds((n % 2400) * 60);
}

bool punch(StationState& state, long n) {
    static const char* const kWalk[] = {"IN", "LUNCH", "IN", "CHANGE", "OUT"};
    PunchInProgress punch = PunchInProgress::forEmployee(int(n % 24), "Worker " + std::to_string(n % 24 + 1));
    punch.action = kWalk[(n / 24) % 5];
    const bool job = punch.action == "IN" || punch.action == "CHANGE";
    punch.job = job ? std::to_string(100 + n % 37) : "";
    punch.department = job ? ".Dept-1" : "";
    return recordPunch(state, punch, when(n)).isOk();
}

TEST(KillTest, EveryAcknowledgedPunchSurvivesAKillAndTheWeekIsNeverTorn) {
    const char* env = std::getenv("TIMECLOCK_KILLS");
    const int kills = env && std::atoi(env) > 0 ? std::atoi(env) : 50;
    ProgramFolder station, reference; // the reference is punched without kills
    StationState unkilled(reference.path());
    std::mt19937 rng(std::random_device{}());
    long stored = 0; // punches 0 .. stored - 1 are in both folders
    auto same = [&] {
        for (long n : {stored - 1, stored})
            if (readFile(weekFilePath(station.path(), when(n))) !=
                readFile(weekFilePath(reference.path(), when(n))))
                return false;
        return true;
    };
    // Stores punch `stored` in the reference; true when the station's journal
    // holds its line, made from the punch as the reference week holds it.
    auto punchJournaled = [&] {
        const DateTime at = when(stored);
        const int position = int(stored % 24 + 1);
        EXPECT_TRUE(punch(unkilled, stored++));
        const TimeRecord r = recordAt(readFile(weekFilePath(reference.path(), at)), position);
        std::string line = punchLine({at, 0, {}, {}}, position, r.usedEntries(), r);
        line.back() = '\t'; // its seal follows
        return readFile(journalPathOf(weekFilePath(station.path(), at))).find(line) != std::string::npos;
    };
    std::size_t unjournaled = 0; // punches in flight at a kill, stored without their line
    for (int kill = 1; kill <= kills; ++kill) {
        const auto started = std::chrono::steady_clock::now();
        ChildProcess child([&](int fd) {
            StationState state(station.path());
            for (long n = stored; punch(state, n) && write(fd, &n, sizeof n) == sizeof n; ++n) {
            }
            return 1;
        });
        long first = -1; // the child is punching
        ASSERT_EQ(read(child.fd(), &first, sizeof first), ssize_t(sizeof first));
        // A moment within about a punch from now (their time follows the disk's speed).
        const auto punchTime = std::chrono::steady_clock::now() - started;
        usleep(useconds_t(rng() %
                          (std::chrono::duration_cast<std::chrono::microseconds>(punchTime).count() + 1)));
        child.kill();
        const long acknowledged = first + 1 + long(child.report().size() / sizeof(long));
        while (stored < acknowledged)
            ASSERT_TRUE(punchJournaled())
                << "after kill " << kill << " the journal lacks punch " << stored - 1;
        // The punch under way was not stored, or stored whole.
        if (!same())
            unjournaled += !punchJournaled();
        ASSERT_TRUE(same()) << "after kill " << kill << " the week is torn or lost punch " << stored - 1;
        // Verify names each punch stored without its line, and nothing else.
        WeekVerification v;
        ASSERT_TRUE(verifyWeekFile(realFiles(), weekFilePath(station.path(), when(stored - 1)), v));
        EXPECT_EQ(v.unexplained.size(), unjournaled) << v.text("");
        for (const std::string& u : v.unexplained)
            EXPECT_NE(u.find("is not in the journal"), std::string::npos) << u;
    }
}

// Files that end the process with 42 right after `step` of a replacement of `file`.
FaultyFiles stoppingAt(SaveStep step, const std::string& file) {
    FaultyFiles files;
    files.onSaveStep = [step, file](SaveStep done, const std::string& path) {
        if (done == step && path == file)
            _exit(42);
    };
    return files;
}

TEST(StopAtEachStep, EveryWriterLeavesEachFileOldOrNew) {
    for (const Writer& w : kWriters) {
        ProgramFolder twin;
        prepare(twin);
        ASSERT_EQ(w.run(realFiles(), twin.path()), "");
        const std::vector<std::string> after = contents(w.files(twin.path()));
        for (std::size_t i = 0; i < after.size(); ++i)
            for (SaveStep step :
                 {SaveStep::TempWritten, SaveStep::TempFlushed, SaveStep::Renamed, SaveStep::BackupMade}) {
                ProgramFolder base;
                prepare(base);
                const std::vector<std::string> files = w.files(base.path());
                if (step == SaveStep::BackupMade && !files[i].ends_with(".wkb"))
                    continue;
                SCOPED_TRACE(std::string(w.name) + " stopped after step " + std::to_string(int(step)) +
                             " of " + files[i]);
                const std::vector<std::string> before = contents(files);
                ChildProcess child([&](int) {
                    FaultyFiles stopping = stoppingAt(step, files[i]);
                    return w.run(stopping, base.path()).empty() ? 0 : 1;
                });
                ASSERT_EQ(child.wait(), 42);
                // A writer with a record renames none of its files before all are whole.
                for (std::size_t j = 0; j < files.size(); ++j)
                    EXPECT_EQ(readFile(files[j]),
                              (j < i && !w.record) || (j <= i && step >= SaveStep::Renamed) ? after[j]
                                                                                            : before[j]);
                // The next run goes through and clears away what the stopped one left.
                EXPECT_EQ(w.run(realFiles(), base.path()), "");
                EXPECT_EQ(leftovers(base.path()), 0);
            }
    }
}

TEST(StopAtEachStep, AListSaveStoppedAnywhereIsFinishedOrUndoneAtTheNextStart) {
    const Writer& w = kWriters[2];
    ProgramFolder twin;
    prepare(twin);
    ASSERT_EQ(w.run(realFiles(), twin.path()), "");
    const std::vector<std::string> after = contents(w.files(twin.path()));
    const std::string journalAfter = unsealedJournal(w.journal(twin.path()));
    ASSERT_NE(journalAfter, "");
    enum Place { Employees, Jobs, Record, Journal };
    const struct {
        Place place;
        SaveStep step;
        bool isNew; // the record was written: the save is past its point of no return
    } kStops[] = {
        {Employees, SaveStep::TempWritten, false}, {Employees, SaveStep::TempFlushed, false},
        {Jobs, SaveStep::TempWritten, false},      {Jobs, SaveStep::TempFlushed, false},
        {Record, SaveStep::TempWritten, false},    {Record, SaveStep::TempFlushed, false},
        {Record, SaveStep::Renamed, true},         {Employees, SaveStep::Renamed, true},
        {Jobs, SaveStep::Renamed, true},           {Journal, SaveStep::JournalWritten, true},
    };
    for (const auto& stop : kStops) {
        ProgramFolder base;
        prepare(base);
        const std::vector<std::string> files = w.files(base.path());
        const std::string places[] = {files[0], files[1], w.record(base.path()), w.journal(base.path())};
        SCOPED_TRACE("stopped after step " + std::to_string(int(stop.step)) + " of " + places[stop.place]);
        const std::vector<std::string> before = contents(files);
        ChildProcess child([&](int) {
            FaultyFiles stopping = stoppingAt(stop.step, places[stop.place]);
            return w.run(stopping, base.path()).empty() ? 0 : 1;
        });
        ASSERT_EQ(child.wait(), 42);
        // The next start, twice over: the second finds nothing left to do.
        for (int start = 1; start <= 2; ++start) {
            const Status st = finishListSave(realFiles(), base.path());
            EXPECT_TRUE(st) << st.message();
            EXPECT_EQ(contents(files), stop.isNew ? after : before);
            EXPECT_EQ(unsealedJournal(w.journal(base.path())), stop.isNew ? journalAfter : "");
            EXPECT_FALSE(fileExists(w.record(base.path())));
            EXPECT_EQ(leftovers(base.path()), 0);
        }
    }
}

} // namespace
} // namespace tc::test

#endif
