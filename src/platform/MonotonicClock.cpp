#include "platform/MonotonicClock.h"

#include <QElapsedTimer>

namespace tc {

namespace {
std::optional<qint64> gFixed;

qint64 realMilliseconds() {
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}
} // namespace

qint64 MonotonicClock::milliseconds() {
    return gFixed ? *gFixed : realMilliseconds();
}

void MonotonicClock::setForTest(std::optional<qint64> ms) {
    gFixed = ms;
}

void MonotonicClock::advanceForTest(qint64 ms) {
    gFixed = milliseconds() + ms;
}

} // namespace tc
