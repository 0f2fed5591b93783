#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tc {

// Wrong PINs per name: the fifth in a row locks that name for five minutes,
// and only that name. Times are milliseconds of the monotonic clock.
class PinLockout {
  public:
    static constexpr int kTries = 5;
    static constexpr std::int64_t kLockMs = 5 * 60'000;

    // Milliseconds the name stays locked (0: not locked).
    std::int64_t lockedForMs(const std::string& name, std::int64_t nowMs) const;
    // A wrong PIN; true when it has just locked the name.
    bool wrong(const std::string& name, std::int64_t nowMs);
    void right(const std::string& name) { names_.erase(name); }

  private:
    struct Tries {
        int wrongInARow = 0;
        std::int64_t lockedUntilMs = 0;
    };
    std::map<std::string, Tries> names_;
};

} // namespace tc
