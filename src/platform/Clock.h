#pragma once

#include "core/format/DateTime.h"

namespace tc {

// The current local date and time, as the week files are kept. The screens
// are handed one; tests hand in a clock they move themselves.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
    // Seconds east of UTC of the local time now.
    virtual int utcOffsetSeconds() const = 0;
};

} // namespace tc
