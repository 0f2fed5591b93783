// The punch: recordPunch with its flushes (the week file, its journal line)
// and the board's reread of the week file, beside the same file work done
// with plain system calls.
#include "BenchSupport.h"

#include "core/journal/Journal.h"
#include "core/journal/JournalSeal.h"
#include "core/punch/PunchRecorder.h"
#include "core/punch/StationState.h"
#include "core/punch/StatusBoard.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>

namespace tc::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The station's state with its names.
StationState stationState(const BenchFolder& base) {
    StationState state(base.path());
    for (int p = 1; p <= 24; ++p)
        state.employeeNames[std::size_t(p - 1)] = "Worker " + std::to_string(p);
    return state;
}

// A press on Worker 7 and "Lunch".
const PunchInProgress kLunchPunch{6, "Worker 7", "LUNCH", "", "", {}};

// A journal line as long as the punch's, without its seal.
const std::string kJournalLine = [] {
    TimeRecord r;
    r.setName("Worker 7");
    r.set(TimeRecord::Field::Action, 50, "LUNCH");
    r.set(TimeRecord::Field::ActTime, 50, "9:05:07 AM");
    r.set(TimeRecord::Field::ActDate, 50, "Mon-Feb-3");
    return punchLine({benchNow(), 3600, {}, {}}, 7, 50, r);
}();

// The same line with a seal's bytes (the floor appends them, unworked).
const std::string kSealedLine =
    kJournalLine.substr(0, kJournalLine.size() - 1) + "\t" + std::string(64, 'a') + "\n";

// The floor: the same bytes with plain calls. Read the file to find the
// slot, write it whole to a temporary file, fsync, rename, fsync the folder,
// append the journal's sealed line and fsync it, read the week again for the
// board.
void punchFloor(const std::string& path, int entries) {
    std::string bytes = plainRead(path);
    bytes[6 * TimeRecord::kSize + 20 + 7 * std::size_t(entries)] = 'L';
    plainReplace(path, bytes);
    plainAppend(journalPathOf(path), kSealedLine);
    std::string board = plainRead(path);
    benchmark::DoNotOptimize(board);
}

// The week's sealed journal as it is by then, so that no punch begins it.
void writeJournal(const std::string& weekFile) {
    const std::string path = journalPathOf(weekFile);
    std::string lines;
    for (int i = 0; i < 24 * 49; ++i)
        lines += kJournalLine;
    std::string text = sealedJournalHeader(path), seal;
    (void)lastSealIn(text, true, seal);
    writeDurable(path, text + sealedLines(seal, lines, seal));
}

// Arg: used entries of every record after the punch (the punching employee
// has one less before it), 1 to 100. Each iteration also times the floor on
// the same file right after the punch, so a slow moment of the shared disk
// falls on both: the counters floor_us and ratio come from these pairs.
void BM_Punch(benchmark::State& s) {
    const int entries = int(s.range(0));
    BenchFolder base;
    const std::string before = weekBytes(entries);
    // The punching employee's record one punch short.
    std::string start = before;
    {
        const std::string fewer = weekBytes(entries - 1);
        start.replace(6 * TimeRecord::kSize, TimeRecord::kSize, fewer, 6 * TimeRecord::kSize,
                      TimeRecord::kSize);
    }
    StationState state = stationState(base);
    writeJournal(base.weekFile());
    StatusBoard board;
    double punchTotal = 0, floorTotal = 0;
    for (auto _ : s) {
        writeDurable(base.weekFile(), start);
        const auto t0 = Clock::now();
        if (!recordPunch(state, kLunchPunch, benchNow(), 3600) || !readStatusBoard(state, board))
            throw std::runtime_error("the punch failed");
        const double punch = secondsSince(t0);
        s.SetIterationTime(punch);
        benchmark::DoNotOptimize(board);

        s.PauseTiming();
        writeDurable(base.weekFile(), start);
        const auto t1 = Clock::now();
        punchFloor(base.weekFile(), entries);
        floorTotal += secondsSince(t1);
        punchTotal += punch;
        s.ResumeTiming();
    }
    s.counters["entries"] = entries;
    s.counters["floor_us"] = benchmark::Counter(floorTotal * 1e6, benchmark::Counter::kAvgIterations);
    s.counters["ratio"] = floorTotal > 0 ? punchTotal / floorTotal : 0;
}

// The floor on its own.
void BM_Punch_Floor(benchmark::State& s) {
    const int entries = int(s.range(0));
    BenchFolder base;
    const std::string start = weekBytes(entries);
    const std::string path = base.weekFile();
    writeJournal(path);
    for (auto _ : s) {
        writeDurable(path, start);
        const auto t0 = Clock::now();
        punchFloor(path, entries);
        s.SetIterationTime(secondsSince(t0));
    }
    s.counters["entries"] = entries;
}

// The status board alone (start-up and after each punch).
void BM_StatusBoard(benchmark::State& s) {
    const int entries = int(s.range(0));
    BenchFolder base;
    writeDurable(base.weekFile(), weekBytes(entries));
    StationState state = stationState(base);
    state.weekFile = base.weekFile();
    StatusBoard board;
    for (auto _ : s) {
        if (!readStatusBoard(state, board))
            throw std::runtime_error("the board failed");
        benchmark::DoNotOptimize(board);
    }
    s.counters["entries"] = entries;
}

void BM_StatusBoard_Floor(benchmark::State& s) {
    const int entries = int(s.range(0));
    BenchFolder base;
    writeDurable(base.weekFile(), weekBytes(entries));
    for (auto _ : s)
        benchmark::DoNotOptimize(plainRead(base.weekFile()));
    s.counters["entries"] = entries;
}

} // namespace

BENCHMARK(BM_Punch)->Arg(50)->Arg(1)->Arg(10)->Arg(100)->MinTime(0.5)->UseManualTime()->Unit(
    benchmark::kMicrosecond);
BENCHMARK(BM_Punch_Floor)->Arg(50)->Arg(1)->Arg(10)->Arg(100)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatusBoard)->Arg(50)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatusBoard_Floor)->Arg(50)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace tc::bench
