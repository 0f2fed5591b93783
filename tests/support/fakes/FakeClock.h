#pragma once

#include "platform/Clock.h"

namespace tc {

// A clock that stands still where the test puts it, until the test moves it.
class FakeClock : public Clock {
  public:
    DateTime now() const override { return now_; }
    int utcOffsetSeconds() const override { return offset_; }

    void set(const DateTime& t) { now_ = t; }
    void advance(long long seconds) { now_ = now_.addSeconds(seconds); }
    void setUtcOffset(int seconds) { offset_ = seconds; }

  private:
    DateTime now_ = makeDateTime(2025, 2, 3, 9, 0, 0);
    int offset_ = 0;
};

} // namespace tc
