#pragma once

#include "core/files/Status.h"
#include "core/format/DateTime.h"
#include "core/format/TimeRecord.h"
#include "core/punch/AppState.h"

namespace tc {

// Counts the used entries of the record of the employee at ButtonNumber in
// WeekFile and leaves the count in LastSlot (100 for a full record). When the
// record cannot be read LastSlot is set to 0 rather than left holding the
// count of whoever punched before, and the failure is returned.
Status findLastSlot(AppState& state);
// The same, handing back the record read, for callers that need it too.
Status findLastSlot(AppState& state, TimeRecord& record);

// Stores the punch the screens have put together (CurName, CurAction, CurJob,
// CurDept) as the next entry of record ButtonNumber of this week's file,
// stamped with `now`, then appends its line to the week's journal (written
// at `now` with `utcOffsetSeconds`). On success the punch is on disk, and
// so is its journal line unless the journal could not be written: the
// week file is the truth of the punch, so that never refuses it (verify and
// the time sheet's history name what the journal lacks). The caller then
// has the status board redrawn. On failure nothing is written and the
// message tells the employee that the punch was not recorded, and why.
Status recordPunch(AppState& state, const DateTime& now, int utcOffsetSeconds = 0);

// The first line of every message about a punch that could not be stored.
inline constexpr const char* kPunchNotRecorded = "Your punch was NOT recorded.\r\n";

} // namespace tc
