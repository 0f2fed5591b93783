#pragma once

#include "core/files/Status.h"
#include "core/format/DateTime.h"
#include "core/format/TimeRecord.h"
#include "core/punch/PunchInProgress.h"
#include "core/punch/StationState.h"

namespace tc {

// Stores `punch` as the next entry of the employee's record in this week's file,
// stamped with `now`, then appends its line to the week's journal (written
// at `now` with `utcOffsetSeconds`). On success the punch is on disk, and
// so is its journal line unless the journal could not be written: the
// week file is the truth of the punch, so that never refuses it (verify and
// the time sheet's history name what the journal lacks). The caller then
// has the status board redrawn. On failure nothing is written and the
// message tells the employee that the punch was not recorded, and why.
Status recordPunch(StationState& state, const PunchInProgress& punch, const DateTime& now,
                   int utcOffsetSeconds = 0);

// The first line of every message about a punch that could not be stored.
inline constexpr const char* kPunchNotRecorded = "Your punch was NOT recorded.\r\n";

} // namespace tc
