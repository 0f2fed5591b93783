#pragma once

#include <QtGlobal>

namespace tc {

// Each press at the station opens or closes a screen under the finger, so a
// double tap, or a tap a moment too late, would land on whatever the next
// screen shows there: a Lunch, a job, another employee's button. A screen
// that has just appeared takes no press until it has settled.
class SettleTime {
  public:
    static constexpr qint64 kMilliseconds = 350;

    // The screen has just appeared (or come back to the front).
    void restart();
    // A press now was meant for this screen.
    bool settled() const;

  private:
    qint64 since_ = -kMilliseconds; // settled from the start until first restarted
};

} // namespace tc
