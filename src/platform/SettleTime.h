#pragma once

#include "platform/MonotonicClock.h"

#include <QtGlobal>

class QAbstractButton;

namespace tc {

// Each press at the station opens or closes a screen under the finger, so a
// double tap, or a tap a moment too late, would land on whatever the next
// screen shows there: a Lunch, a job, another employee's button. A screen
// that has just appeared takes no press until it has settled.
class SettleTime {
  public:
    static constexpr qint64 kMilliseconds = 350;

    explicit SettleTime(const MonotonicClock& clock) : clock_(clock) {}

    // The screen has just appeared (or come back to the front).
    void restart();
    // A press now was meant for this screen.
    bool settled() const;

    // Judges each press of `button` when the finger lands: a press that began
    // before the screen settled is ignored as a whole, however long it is
    // held, as its release is the slow second half of a double tap.
    void watch(QAbstractButton* button);
    // The press that has just ended began on this screen settled, and the
    // screen has not appeared again since.
    bool pressAccepted() const { return pressAccepted_; }

  private:
    const MonotonicClock& clock_;
    qint64 since_ = -kMilliseconds; // settled from the start until first restarted
    bool pressAccepted_ = false;
};

} // namespace tc
