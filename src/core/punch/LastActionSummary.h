#pragma once

#include "core/files/Status.h"
#include "core/format/DateTime.h"
#include "core/punch/PunchInProgress.h"
#include "core/punch/StationState.h"

#include <string>

namespace tc {

// The texts of the action screen's two summary boxes.
struct SummaryTexts {
    std::string lastPunch; // the last punch, four lines
    std::string weekHours; // the hours line, then the flag of each span it did not count
    Status problem;        // the week could not be read: why (the boxes are then empty)
};

// Works out this week's file again, then describes the last punch of the
// employee making `punch` (findLastPunch: last week's when this week holds
// none) and the hours worked this week up to now, as the week report counts
// them (makeWeekReport, rounded to hundredths as it rounds them), written
// with `decimalSeparator` (the machine's). Reads the week files, writes nothing.
SummaryTexts lastActionSummary(StationState& state, const PunchInProgress& punch, const DateTime& now,
                               char decimalSeparator = '.');

} // namespace tc
