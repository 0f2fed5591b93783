#include "core/punch/PasswordDelay.h"

#include <algorithm>

namespace tc {

std::int64_t PasswordDelay::waitMs(std::int64_t nowMs) const {
    if (wrongInARow_ < kFreeTries)
        return 0;
    std::int64_t wait = kFirstWaitMs;
    for (int i = kFreeTries; i < wrongInARow_ && wait < kLongestWaitMs; ++i)
        wait *= 2;
    wait = std::min(wait, kLongestWaitMs);
    return std::max<std::int64_t>(0, lastWrongMs_ + wait - nowMs);
}

void PasswordDelay::wrong(std::int64_t nowMs) {
    ++wrongInARow_;
    lastWrongMs_ = nowMs;
}

} // namespace tc
