// The station's resident memory after start-up and over 1,000 punches made
// through the screens, run in a process of its own (--station-memory) so no
// other benchmark's memory is counted.
#include "BenchSupport.h"

#include "app/StationApp.h"
#include "gui/punch/ActionScreen.h"
#include "gui/punch/DepartmentScreen.h"
#include "gui/punch/JobScreen.h"
#include "gui/station/StationScreen.h"

#include <QPushButton>

#include <cstdio>
#include <stdexcept>

namespace tc::bench {
namespace {

void press(QWidget* screen, const QString& name) {
    auto* b = screen ? screen->findChild<QPushButton*>(name) : nullptr;
    if (!b)
        throw std::runtime_error("no button " + name.toStdString());
    benchServices().monotonic.advance(SettleTime::kMilliseconds); // a screen just shown takes no press
    b->click();
}

// One punch by the employee at `index`: whatever the last punch allows,
// taking turns among clock in, change job, lunch and clock out.
void punchThroughScreens(StationApp& app, int index, int turn) {
    benchServices().monotonic.advance(SettleTime::kMilliseconds); // a screen just shown takes no press
    app.home().employeeButton(index)->click();
    auto* action = app.home().findChild<ActionScreen*>(QString(), Qt::FindDirectChildrenOnly);
    if (!action)
        throw std::runtime_error("no action screen");
    auto enabled = [&](int i) {
        return action->findChild<QPushButton*>(QStringLiteral("actionButton_%1").arg(i))->isEnabled();
    };
    int choice = 0; // Clock IN when off the clock or at lunch
    if (!enabled(0))
        choice = 1 + turn % 3; // at work: Change Job, Lunch or Clock Out
    press(action, QStringLiteral("actionButton_%1").arg(choice));
    if (choice <= 1) {
        JobScreen* jobs = action->jobScreen();
        press(jobs, QStringLiteral("jobButton_%1").arg(turn % 20));
        press(jobs->departmentScreen(), QStringLiteral("departmentButton_%1").arg(turn % 7));
    }
    settle();
}

} // namespace

int runStationMemory(int punches) {
    BenchFolder base;
    writeDurable(base.weekFile(), std::string());
    PaintWatcher watcher;
    StationApp app(benchServices().services, base.path());
    watcher.arm(&app.home(), true);
    app.start();
    if (!watcher.wait())
        throw std::runtime_error("the station painted no frame");
    const long startPeak = peakResidentKb();
    const long startRss = residentKb();
    long warmRss = 0;
    for (int i = 0; i < punches; ++i) {
        benchServices().clock.advance(60);
        punchThroughScreens(app, i % 24, i / 24);
        if (i + 1 == punches / 10)
            warmRss = residentKb();
    }
    settle();
    const long endPeak = peakResidentKb();
    const long endRss = residentKb();
    std::printf("{\"punches\": %d, \"start_peak_kb\": %ld, \"start_rss_kb\": %ld, \"rss_after_%d_kb\": %ld, "
                "\"end_peak_kb\": %ld, \"end_rss_kb\": %ld}\n",
                punches, startPeak, startRss, punches / 10, warmRss, endPeak, endRss);
    return 0;
}

} // namespace tc::bench
