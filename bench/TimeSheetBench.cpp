// The time sheet: Open into the model with its durations, Save with its
// backup, Copy All and Paste All, each beside its floor.
#include "BenchSupport.h"

#include "core/files/FileAccess.h"
#include "core/format/WeekFile.h"
#include "core/sheet/TimeSheet.h"
#include "gui/manage/TimeSheetModel.h"
#include "gui/manage/TimeSheetScreen.h"

#include <QString>
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <stdexcept>
#include <vector>

namespace tc::bench {
namespace {

// Arg: entries per position; 100 is a full week, 2400 data rows, more than
// the grid's 1999.
void BM_SheetOpen(benchmark::State& s) {
    const int entries = int(s.range(0));
    BenchFolder base;
    writeDurable(base.weekFile(), weekBytes(entries));
    TimeSheetModel model;
    for (auto _ : s) {
        std::string bytes;
        if (!readWholeFile(realFiles(), base.weekFile(), bytes, false))
            throw std::runtime_error("cannot read the week");
        model.load(bytes);
        benchmark::DoNotOptimize(model.sheet().cell(1, TimeSheet::Duration));
    }
    s.counters["rows"] = entries * 24;
}

// Reading the same bytes.
void BM_SheetOpen_Floor(benchmark::State& s) {
    const int entries = int(s.range(0));
    BenchFolder base;
    writeDurable(base.weekFile(), weekBytes(entries));
    for (auto _ : s)
        benchmark::DoNotOptimize(plainRead(base.weekFile()));
    s.counters["rows"] = entries * 24;
}

// What any grid of text cells costs at the least: reading the same bytes and
// cutting every field of every entry in use into a string of its own.
void BM_SheetOpen_CellsFloor(benchmark::State& s) {
    const int entries = int(s.range(0));
    BenchFolder base;
    writeDurable(base.weekFile(), weekBytes(entries));
    std::vector<std::array<std::string, TimeSheet::kColumns>> rows(2401);
    for (auto _ : s) {
        const std::string bytes = plainRead(base.weekFile());
        std::size_t row = 1;
        for (int p = 0; p < kPositions; ++p) {
            const char* rec = bytes.data() + std::size_t(p) * TimeRecord::kSize;
            for (int k = 1; k <= entries; ++k) {
                auto& cells = rows[row++];
                cells[0].assign(rec, 20);
                cells[1].assign(rec + TimeRecord::offset(TimeRecord::Field::Action, k), 7);
                cells[2].assign(rec + TimeRecord::offset(TimeRecord::Field::JobNumber, k), 20);
                cells[3].assign(rec + TimeRecord::offset(TimeRecord::Field::ActTime, k), 11);
                cells[4].assign(rec + TimeRecord::offset(TimeRecord::Field::ActDate, k), 11);
            }
        }
        benchmark::DoNotOptimize(rows);
    }
    s.counters["rows"] = entries * 24;
}

// The same bytes: read the file twice (as it is now, for the backup), write
// the backup and the file, each with fsync, rename and fsync of the folder.
void saveFloor(const std::string& week) {
    const std::string backup = week.substr(0, week.size() - 3) + "wkb";
    std::string now = plainRead(week);
    std::string old = plainRead(week);
    plainReplace(backup, old);
    plainReplace(week, now);
}

// "Save" as the screen does it: read the file as it is now, work out what to
// write, copy it to the backup, replace the file.
void BM_SheetSave(benchmark::State& s) {
    BenchFolder base;
    const std::string week = base.weekFile();
    writeDurable(week, weekBytes(100));
    TimeSheetScreen screen(benchServices().services, realFiles(), base.path());
    benchServices().fileDialog.choose(QString::fromStdString(week));
    screen.openFile();
    // Each save is paired with its floor on the same files, as for the punch.
    double saveTotal = 0, floorTotal = 0;
    for (auto _ : s) {
        const auto t0 = std::chrono::steady_clock::now();
        screen.saveFile();
        const double save = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        s.SetIterationTime(save);
        s.PauseTiming();
        benchServices().messages.clearShown();
        const auto t1 = std::chrono::steady_clock::now();
        saveFloor(week);
        floorTotal += std::chrono::duration<double>(std::chrono::steady_clock::now() - t1).count();
        saveTotal += save;
        s.ResumeTiming();
    }
    s.counters["rows"] = 2400;
    s.counters["floor_us"] = benchmark::Counter(floorTotal * 1e6, benchmark::Counter::kAvgIterations);
    s.counters["ratio"] = floorTotal > 0 ? saveTotal / floorTotal : 0;
}

void BM_SheetSave_Floor(benchmark::State& s) {
    BenchFolder base;
    const std::string week = base.weekFile();
    writeDurable(week, weekBytes(100));
    for (auto _ : s)
        saveFloor(week);
    s.counters["rows"] = 2400;
}

// Arg: entries per position: 50 gives the grid's 2000 lines, 100 gives 2401.
TimeSheet loadedSheet(int entries) {
    TimeSheet sheet;
    sheet.load(weekBytes(entries));
    return sheet;
}

void BM_CopyAll(benchmark::State& s) {
    const TimeSheet sheet = loadedSheet(int(s.range(0)));
    for (auto _ : s)
        benchmark::DoNotOptimize(sheet.copyAllText());
    s.counters["lines"] = sheet.rowCount();
}

// The same text from the same cells with plain appends.
void BM_CopyAll_Floor(benchmark::State& s) {
    const TimeSheet sheet = loadedSheet(int(s.range(0)));
    std::vector<std::string> cells;
    for (int r = 0; r < sheet.rowCount(); ++r)
        for (int c = 0; c < TimeSheet::kColumns; ++c)
            cells.push_back(sheet.cell(r, c));
    for (auto _ : s) {
        std::string out;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += i % TimeSheet::kColumns == 0 ? '\r' : '\t';
            out += cells[i];
        }
        benchmark::DoNotOptimize(out);
    }
    s.counters["lines"] = sheet.rowCount();
}

// Pasting the text Copy All made, through the model as the screen does.
void BM_PasteAll(benchmark::State& s) {
    const TimeSheet source = loadedSheet(int(s.range(0)));
    const QString text = QString::fromStdString(source.copyAllText());
    TimeSheetModel model;
    model.load(weekBytes(int(s.range(0))));
    for (auto _ : s) {
        model.pasteAll(text);
        benchmark::DoNotOptimize(model.sheet().cell(1, 0));
    }
    s.counters["lines"] = source.rowCount();
}

// The same cells cut from the same text with plain string work.
void BM_PasteAll_Floor(benchmark::State& s) {
    const TimeSheet source = loadedSheet(int(s.range(0)));
    const std::string text = source.copyAllText();
    std::vector<std::string> cells(std::size_t(source.rowCount()) * TimeSheet::kColumns);
    for (auto _ : s) {
        std::size_t cell = 0, start = 0;
        for (std::size_t i = 0; i <= text.size(); ++i)
            if (i == text.size() || text[i] == '\t' || text[i] == '\r') {
                cells[cell++].assign(text, start, i - start);
                start = i + 1;
            }
        benchmark::DoNotOptimize(cells);
    }
    s.counters["lines"] = source.rowCount();
}

} // namespace

BENCHMARK(BM_SheetOpen)->Arg(100)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SheetOpen_Floor)->Arg(100)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SheetOpen_CellsFloor)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SheetSave)->MinTime(0.5)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SheetSave_Floor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyAll)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyAll_Floor)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasteAll)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasteAll_Floor)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace tc::bench
