#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tc {

// A badge reader types the card's number and Enter, as a keyboard does, but
// far faster than a hand: each key within kKeyGapMs of the one before. Keys
// typed at a person's pace are never taken for a card. Times are
// milliseconds of the monotonic clock.
class CardTyping {
  public:
    static constexpr std::int64_t kKeyGapMs = 60;
    static constexpr std::size_t kShortestCard = 4;
    static constexpr std::size_t kLongestCard = 32;

    // A letter or digit typed.
    void key(char c, std::int64_t nowMs);
    // Enter: the card read, if the keys before it came at a reader's pace.
    std::optional<std::string> enter(std::int64_t nowMs);
    // Any other key: what was typed is not a card.
    void reset() { typed_.clear(); }

  private:
    std::string typed_;
    std::int64_t lastKeyMs_ = 0;
};

} // namespace tc
