#include "platform/SettleTime.h"

#include "platform/MonotonicClock.h"

namespace tc {

void SettleTime::restart() {
    since_ = MonotonicClock::milliseconds();
}

bool SettleTime::settled() const {
    return MonotonicClock::milliseconds() - since_ >= kMilliseconds;
}

} // namespace tc
