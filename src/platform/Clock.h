#pragma once

#include "data/DateTime.h"

namespace tc {

// The one source of the current local date and time. Tests fix it and move it.
class Clock {
  public:
    static DateTime now();
    static void setFixed(const DateTime& t); // the clock stands still at t until moved
    static void advance(long long seconds);
    static void useSystemTime();
};

} // namespace tc
