#include "platform/Clock.h"

#include <QDateTime>
#include <optional>

namespace tc {

namespace {
std::optional<DateTime> gFixed;
int gFixedOffset = 0;
} // namespace

DateTime Clock::now() {
    if (gFixed)
        return *gFixed;
    const QDateTime t = QDateTime::currentDateTime(); // local time, as the week files are kept
    const QDate d = t.date();
    const QTime tm = t.time();
    return makeDateTime(d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second());
}

int Clock::utcOffsetSeconds() {
    return gFixed ? gFixedOffset : QDateTime::currentDateTime().offsetFromUtc();
}

void Clock::setFixedUtcOffset(int seconds) {
    gFixedOffset = seconds;
}

void Clock::setFixed(const DateTime& t) {
    gFixed = t;
}

void Clock::advance(long long seconds) {
    if (!gFixed)
        gFixed = now();
    gFixed = gFixed->addSeconds(seconds);
}

void Clock::useSystemTime() {
    gFixed.reset();
}

} // namespace tc
