#pragma once

#include <cstdint>

namespace tc {

// Wrong management passwords in a row: from the fifth on, each next try must
// wait, longer each time (30 s, 1 min, 2 min ... up to 15 min), so guessing
// at the station takes years. Times are milliseconds of the monotonic clock,
// which nobody can set back.
class PasswordDelay {
  public:
    static constexpr int kFreeTries = 5;
    static constexpr std::int64_t kFirstWaitMs = 30'000;
    static constexpr std::int64_t kLongestWaitMs = 15 * 60'000;

    // Milliseconds still to wait before a try is heard (0: now).
    std::int64_t waitMs(std::int64_t nowMs) const;
    void wrong(std::int64_t nowMs);
    void right() { wrongInARow_ = 0; }
    int wrongInARow() const { return wrongInARow_; }

  private:
    int wrongInARow_ = 0;
    std::int64_t lastWrongMs_ = 0;
};

} // namespace tc
