#pragma once

#include "core/format/DateTime.h"
#include "core/punch/PunchInProgress.h"
#include "core/punch/StationState.h"

#include <array>
#include <string>
#include <vector>

namespace tc {

// What the station shows an employee of his or her own week: the hours of
// each day, the total and the flags, as the week report counts them.
// Nothing of anyone else.
struct OwnWeek {
    std::string name;
    std::array<std::string, 7> days; // "Mon 8.00" ... "Sun 0.00"
    std::string total;               // "Total 40.00"
    std::vector<std::string> flags;
};

// The week of `now` for the employee making `punch` at this station. An
// employee without a punch this week gets days of 0.00.
OwnWeek ownWeek(const StationState& state, const PunchInProgress& punch, const DateTime& now);

} // namespace tc
