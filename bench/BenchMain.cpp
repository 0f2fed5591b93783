// Runs the benchmarks on Qt's offscreen platform with the screens handed
// fakes of their services (see benchServices()).

#include "BenchSupport.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tc::bench {
int runStationMemory(int punches);
}

namespace {
// The offscreen platform warns about every raise() and the like; only real
// trouble is worth printing beside the figures.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}
} // namespace

int main(int argc, char** argv) {
    // No display needed, and a frame is a frame on any machine.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    tc::bench::benchServices().clock.set(tc::bench::benchNow());

    if (argc > 1 && std::strcmp(argv[1], "--station-memory") == 0)
        return tc::bench::runStationMemory(argc > 2 ? std::atoi(argv[2]) : 1000);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
