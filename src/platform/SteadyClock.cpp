#include "platform/SteadyClock.h"

namespace tc {

SteadyClock::SteadyClock() {
    started_.start();
}

qint64 SteadyClock::milliseconds() const {
    return started_.elapsed();
}

} // namespace tc
