#pragma once

#include "platform/MonotonicClock.h"

namespace tc {

// Milliseconds that pass only when the test says so.
class FakeMonotonicClock : public MonotonicClock {
  public:
    qint64 milliseconds() const override { return ms_; }

    void set(qint64 ms) { ms_ = ms; }
    void advance(qint64 ms) { ms_ += ms; }

  private:
    qint64 ms_ = 0;
};

} // namespace tc
