#pragma once

#include "platform/Clock.h"

namespace tc {

// The computer's own clock in its local time zone.
class SystemClock : public Clock {
  public:
    DateTime now() const override;
    int utcOffsetSeconds() const override;
};

} // namespace tc
