#include "core/punch/PinLockout.h"

namespace tc {

std::int64_t PinLockout::lockedForMs(const std::string& name, std::int64_t nowMs) const {
    const auto it = names_.find(name);
    if (it == names_.end() || it->second.lockedUntilMs <= nowMs)
        return 0;
    return it->second.lockedUntilMs - nowMs;
}

bool PinLockout::wrong(const std::string& name, std::int64_t nowMs) {
    Tries& t = names_[name];
    if (++t.wrongInARow < kTries)
        return false;
    t.wrongInARow = 0;
    t.lockedUntilMs = nowMs + kLockMs;
    return true;
}

} // namespace tc
