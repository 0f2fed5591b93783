#pragma once

#include <QtGlobal>
#include <optional>

namespace tc {

// Milliseconds that only ever go forward (not the time of day, which a
// person or the autumn change can set back): for how long something has been
// on the screen. Tests fix it and move it instead of waiting.
class MonotonicClock {
  public:
    static qint64 milliseconds();
    // The clock stands still at `ms` until moved; nullopt: the real clock again.
    static void setForTest(std::optional<qint64> ms);
    // Moves a fixed clock on (fixing it first where it runs).
    static void advanceForTest(qint64 ms);
};

} // namespace tc
