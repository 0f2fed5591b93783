#include "core/punch/CardTyping.h"

namespace tc {

void CardTyping::key(char c, std::int64_t nowMs) {
    // A slow key starts afresh: it may be the first of a card.
    if (!typed_.empty() && nowMs - lastKeyMs_ > kKeyGapMs)
        typed_.clear();
    if (typed_.size() <= kLongestCard)
        typed_ += c;
    lastKeyMs_ = nowMs;
}

std::optional<std::string> CardTyping::enter(std::int64_t nowMs) {
    std::string card;
    card.swap(typed_);
    if (nowMs - lastKeyMs_ > kKeyGapMs || card.size() < kShortestCard || card.size() > kLongestCard)
        return std::nullopt;
    return card;
}

} // namespace tc
