#pragma once

#include "core/format/DateTime.h"

namespace tc {

// The one source of the current local date and time. Tests fix it and move it.
class Clock {
  public:
    static DateTime now();
    // Seconds east of UTC of the local time now (of the fixed time's offset
    // set by a test, 0 unless set).
    static int utcOffsetSeconds();
    static void setFixedUtcOffset(int seconds);
    static void setFixed(const DateTime& t); // the clock stands still at t until moved
    static void advance(long long seconds);
    static void useSystemTime();
};

} // namespace tc
