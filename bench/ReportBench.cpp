// The week report: a year of weeks against the floor of reading the same
// files, and the report screen from open to painted.
#include "BenchSupport.h"

#include "core/files/Paths.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalSeal.h"
#include "core/report/WeekFileCache.h"
#include "core/report/WeekReport.h"
#include "gui/report/WeekReportScreen.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <vector>

namespace tc::bench {
namespace {

constexpr int kWeeks = 52;

// 24 employees, 50 punches each: seven a day (in, two job changes, lunch)
// and a night shift that begins on Sunday and ends in the next week's file,
// at its first punch: an OUT (an IN there would be a missed clock-out).
std::string reportWeekBytes(const DateTime& monday) {
    using F = TimeRecord::Field;
    static const char* const kActions[7] = {"IN", "CHANGE", "LUNCH", "IN", "CHANGE", "CHANGE", "OUT"};
    static const char* const kTimes[7] = {"7:00:00 AM", "9:30:00 AM", "12:00:00 PM", "12:30:00 PM",
                                          "2:00:00 PM", "3:15:00 PM", "5:00:00 PM"};
    static const char* const kDepts[7] = {".Dept-1", ".Dept-2", ".Dept-3", ".Dept-4",
                                          ".Dept-5", ".Office", ".Other"};
    std::string bytes;
    for (int p = 1; p <= kPositions; ++p) {
        TimeRecord r;
        r.setName("Worker " + std::to_string(p));
        for (int k = 1; k <= 50; ++k) {
            const int step = (k - 1) % 7;
            const bool night = k == 50;
            const char* action = night ? "IN" : k == 1 ? "OUT" : kActions[step];
            const bool job = std::string_view(action) != "LUNCH" && std::string_view(action) != "OUT";
            r.set(F::Action, k, action);
            r.set(F::JobNumber, k, job ? std::to_string(1001 + (p + k) % 20) + kDepts[(p + k) % 7] : "");
            r.set(F::ActTime, k, night ? "10:00:00 PM" : kTimes[step]);
            r.set(F::ActDate, k, formatDate(monday.addDays(night ? 6 : (k - 1) / 7)));
        }
        putRecord(bytes, p, r);
    }
    return bytes;
}

// A year of weeks in a program folder; the Mondays of the weeks.
std::vector<DateTime> writeYear(const BenchFolder& base) {
    std::vector<DateTime> mondays;
    for (int w = 0; w < kWeeks; ++w) {
        const DateTime monday = makeDateTime(2025, 1, 6).addDays(7 * w);
        writeDurable(weekFilePath(base.path(), monday), reportWeekBytes(monday));
        mondays.push_back(monday);
    }
    return mondays;
}

// A week file read by plain system calls, as plainRead reads, into a string
// the size of a whole week from the start. Grown as it is read, its block
// lands just over the allocator's limit for blocks of their own, and whether
// each file then costs fresh pages depends on what the process did before:
// the floors swung tenfold from run to run.
std::string readWeekFile(const std::string& path) {
    std::string bytes;
    bytes.reserve(kMaxWeekFileBytes);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    char buf[65536];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        bytes.append(buf, std::size_t(n));
    ::close(fd);
    return bytes;
}

// Every week of the year, each with its neighbours, reading each file once.
// No week holds a flag but the last (its shift is open) or a correction.
// With `pay`, every rule of pay applies too (its meal breaks may flag).
void reportYear(benchmark::State& s, const BenchFolder& base, const std::vector<DateTime>& mondays,
                const PayRules& pay = PayRules()) {
    const std::vector<ReportSource> sources{{base.path(), "bench"}};
    long long seconds = 0;
    for (auto _ : s) {
        WeekFileCache cache(realFiles());
        for (const DateTime& monday : mondays) {
            const WeekReport report =
                makeWeekReport(realFiles(), sources, monday, benchNow(), 40 * 3600, &cache, ZoneRules(), pay);
            seconds = report.totalSeconds();
            for (const PersonWeek& p : report.people)
                if (!p.flags.empty() && &monday != &mondays.back() && !pay.mealAfterSeconds)
                    throw std::runtime_error("a flag in the bench week: " + p.flags.front());
            if (!report.problems.empty() || !report.corrections.empty())
                throw std::runtime_error("a journal was read as holding other than its punches");
            benchmark::DoNotOptimize(seconds);
        }
    }
    if (seconds == 0)
        throw std::runtime_error("the report found no hours");
    s.counters["weeks"] = kWeeks;
}

void BM_ReportYear(benchmark::State& s) {
    BenchFolder base;
    reportYear(s, base, writeYear(base));
}

// The same year with every rule of pay on.
void BM_ReportYear_PayRules(benchmark::State& s) {
    BenchFolder base;
    PayRules pay;
    pay.dailyOvertimeAfterSeconds = 8 * 3600;
    pay.dailyDoubleTimeAfterSeconds = 12 * 3600;
    pay.seventhDay = true;
    pay.roundMinutes = 15;
    pay.mealAfterSeconds = 5 * 3600;
    reportYear(s, base, writeYear(base), pay);
}

// The same year with a sealed journal beside each week file that holds its
// punches and nothing else (as after a week without corrections).
void BM_ReportYear_Journals(benchmark::State& s) {
    BenchFolder base;
    const std::vector<DateTime> mondays = writeYear(base);
    for (const DateTime& monday : mondays) {
        const std::string bytes = reportWeekBytes(monday);
        const std::string path = journalPathOf(weekFilePath(base.path(), monday));
        std::string lines;
        for (int p = 1; p <= kPositions; ++p)
            for (int k = 1; k <= 50; ++k)
                lines += punchLine({monday, 3600, {}, {}}, p, k, recordAt(bytes, p));
        std::string text = sealedJournalHeader(path), seal;
        (void)lastSealIn(text, true, seal);
        writeDurable(path, text + sealedLines(seal, lines, seal));
    }
    reportYear(s, base, mondays);
}

// Reading the same 52 files.
void BM_ReportYear_Floor(benchmark::State& s) {
    BenchFolder base;
    const std::vector<DateTime> mondays = writeYear(base);
    for (auto _ : s)
        for (const DateTime& monday : mondays)
            benchmark::DoNotOptimize(readWeekFile(weekFilePath(base.path(), monday)));
    s.counters["weeks"] = kWeeks;
}

// What any report must do at the least: read the same files and read the
// time of every punch in them.
void BM_ReportYear_ParseFloor(benchmark::State& s) {
    BenchFolder base;
    const std::vector<DateTime> mondays = writeYear(base);
    for (auto _ : s)
        for (const DateTime& monday : mondays) {
            const std::string bytes = readWeekFile(weekFilePath(base.path(), monday));
            int sum = 0;
            for (int p = 0; p < kPositions; ++p)
                for (int k = 1; k <= TimeRecord::kEntries; ++k) {
                    const char* entry = bytes.data() + std::size_t(p) * TimeRecord::kSize +
                                        TimeRecord::offset(TimeRecord::Field::ActTime, k);
                    if (*entry != '\0')
                        sum += parseTimeOfDay(std::string_view(entry, 11)).value_or(0);
                }
            benchmark::DoNotOptimize(sum);
        }
    s.counters["weeks"] = kWeeks;
}

// The report screen for one week of 24 x 50 punches, from open to painted.
void BM_ReportScreen(benchmark::State& s) {
    BenchFolder base;
    const DateTime monday = makeDateTime(2025, 2, 3);
    writeDurable(weekFilePath(base.path(), monday), reportWeekBytes(monday));
    writeDurable(weekFilePath(base.path(), monday.addDays(7)), reportWeekBytes(monday.addDays(7)));
    benchServices().clock.set(monday.addDays(4));
    PaintWatcher watcher;
    for (auto _ : s) {
        const auto t0 = std::chrono::steady_clock::now();
        auto* screen = new WeekReportScreen(benchServices().services, realFiles(), base.path(), {});
        watcher.arm(screen, true);
        screen->show();
        if (!watcher.wait())
            throw std::runtime_error("no frame painted after opening the report");
        s.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        delete screen;
        settle();
    }
    benchServices().clock.set(benchNow());
}

} // namespace

BENCHMARK(BM_ReportYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportYear_PayRules)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportYear_Journals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportYear_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportYear_ParseFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportScreen)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace tc::bench
