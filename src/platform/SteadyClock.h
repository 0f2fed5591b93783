#pragma once

#include "platform/MonotonicClock.h"

#include <QElapsedTimer>

namespace tc {

// Milliseconds since this clock was made, from the system's steady clock.
class SteadyClock : public MonotonicClock {
  public:
    SteadyClock();
    qint64 milliseconds() const override;

  private:
    QElapsedTimer started_;
};

} // namespace tc
