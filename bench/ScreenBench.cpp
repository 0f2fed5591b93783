// The screens on the offscreen platform, each step timed from the press (or
// the start) to the first frame painted afterwards.
#include "BenchSupport.h"

#include "app/StationApp.h"
#include "gui/manage/TimeSheetScreen.h"
#include "gui/punch/ActionScreen.h"
#include "gui/punch/DepartmentScreen.h"
#include "gui/punch/JobScreen.h"
#include "gui/station/StationScreen.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QPushButton>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <stdexcept>

namespace tc::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void press(QWidget* screen, const QString& name) {
    auto* b = screen ? screen->findChild<QPushButton*>(name) : nullptr;
    if (!b)
        throw std::runtime_error("no button " + name.toStdString());
    benchServices().monotonic.advance(SettleTime::kMilliseconds); // a screen just shown takes no press
    b->click();
}

ActionScreen* actionScreen(StationApp& app) {
    return app.home().findChild<ActionScreen*>(QString(), Qt::FindDirectChildrenOnly);
}

void waitOrFail(PaintWatcher& watcher, const char* what) {
    if (!watcher.wait())
        throw std::runtime_error(std::string("no frame painted after ") + what);
}

// Start-up to the station's first painted frame, on a week of 50 punches each.
void BM_StationStart(benchmark::State& s) {
    BenchFolder base;
    writeDurable(base.weekFile(), weekBytes(50));
    PaintWatcher watcher;
    for (auto _ : s) {
        const auto t0 = Clock::now();
        auto app = std::make_unique<StationApp>(benchServices().services, base.path());
        watcher.arm(&app->home(), true);
        app->start();
        waitOrFail(watcher, "start-up");
        s.SetIterationTime(secondsSince(t0));
        app.reset();
        settle();
    }
}

// A press on an employee button to the action screen painted.
void BM_EmployeePress(benchmark::State& s) {
    BenchFolder base;
    writeDurable(base.weekFile(), weekBytes(50));
    StationApp app(benchServices().services, base.path());
    PaintWatcher watcher;
    watcher.arm(&app.home(), true);
    app.start();
    waitOrFail(watcher, "start-up");
    int i = 0;
    for (auto _ : s) {
        QPushButton* employee = app.home().employeeButton(i++ % 24);
        const auto t0 = Clock::now();
        benchServices().monotonic.advance(SettleTime::kMilliseconds); // a screen just shown takes no press
        employee->click();
        ActionScreen* action = actionScreen(app);
        if (!action)
            throw std::runtime_error("no action screen");
        watcher.arm(action, true);
        waitOrFail(watcher, "the employee press");
        s.SetIterationTime(secondsSince(t0));
        press(action, QStringLiteral("actionButton_4")); // Exit
        settle();
    }
}

// Clock IN, a job, then the timed department press: the punch stored, the
// punch screens gone and the employee's button redrawn on the station.
void BM_DepartmentPress(benchmark::State& s) {
    BenchFolder base;
    const std::string week = weekBytes(50); // everyone at lunch
    writeDurable(base.weekFile(), week);
    StationApp app(benchServices().services, base.path());
    PaintWatcher watcher;
    watcher.arm(&app.home(), true);
    app.start();
    waitOrFail(watcher, "start-up");
    int i = 0;
    for (auto _ : s) {
        writeDurable(base.weekFile(), week);
        app.home().updateStatusBoard(); // the button red again, so the punch changes it
        QCoreApplication::processEvents();
        const int index = i++ % 24;
        QPushButton* employee = app.home().employeeButton(index);
        benchServices().monotonic.advance(SettleTime::kMilliseconds); // a screen just shown takes no press
        employee->click();
        ActionScreen* action = actionScreen(app);
        press(action, QStringLiteral("actionButton_0")); // Clock IN
        JobScreen* jobs = action->jobScreen();
        press(jobs, QStringLiteral("jobButton_%1").arg(i % 20));
        DepartmentScreen* depart = jobs->departmentScreen();
        if (!depart)
            throw std::runtime_error("no department screen");
        QCoreApplication::processEvents();
        watcher.arm(employee, false);
        const auto t0 = Clock::now();
        press(depart, QStringLiteral("departmentButton_%1").arg(i % 7));
        waitOrFail(watcher, "the department press");
        s.SetIterationTime(secondsSince(t0));
        settle();
        if (app.home().buttonColour(index) != StationScreen::yellow())
            throw std::runtime_error("the punch was not shown on the station");
    }
}

// The time sheet's "Open" of a full week to the grid painted.
void BM_SheetOpenScreen(benchmark::State& s) {
    BenchFolder base;
    writeDurable(base.weekFile(), weekBytes(100));
    TimeSheetScreen screen(benchServices().services, realFiles(), base.path());
    PaintWatcher watcher;
    watcher.arm(&screen, true);
    screen.show();
    waitOrFail(watcher, "showing the time sheet");
    auto* grid = screen.findChild<QTableView*>(QStringLiteral("grid"));
    for (auto _ : s) {
        benchServices().fileDialog.choose(QString::fromStdString(base.weekFile()));
        watcher.arm(grid->viewport(), false);
        const auto t0 = Clock::now();
        press(&screen, QStringLiteral("openButton"));
        waitOrFail(watcher, "Open");
        s.SetIterationTime(secondsSince(t0));
        benchServices().messages.clearShown();
    }
}

} // namespace

BENCHMARK(BM_StationStart)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmployeePress)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DepartmentPress)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetOpenScreen)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace tc::bench
