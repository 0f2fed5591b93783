// Runs the benchmarks on Qt's offscreen platform with the platform layer in
// its test modes: no message box waits, the clock stands still, the open
// dialog answers with the file the benchmark names.
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"

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
    tc::Messages::setTestMode(true);
    tc::FileDialog::setTestMode(true);
    tc::Clipboard::setTestMode(true);
    tc::Clock::setFixed(tc::bench::benchNow());
    tc::Environment::setScreenSizeForTest(QSize(1024, 768));

    if (argc > 1 && std::strcmp(argv[1], "--station-memory") == 0)
        return tc::bench::runStationMemory(argc > 2 ? std::atoi(argv[2]) : 1000);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
