#pragma once

#include <QtGlobal>

namespace tc {

// Milliseconds that only ever go forward (not the time of day, which a
// person or the autumn change can set back): for how long something has been
// on the screen. Tests hand in one they move instead of waiting.
class MonotonicClock {
  public:
    virtual ~MonotonicClock() = default;
    virtual qint64 milliseconds() const = 0;
};

} // namespace tc
