#pragma once

#include "core/files/FileAccess.h"
#include "core/files/Status.h"
#include "core/journal/ClockOutClaim.h"
#include "core/journal/Journal.h"
#include "core/sheet/WeekSave.h"

#include <string>
#include <vector>

namespace tc {

// The clock-outs employees told at the station for a week file, not yet
// accepted or rejected by the manager. A week without a journal has none.
Status openClaims(FileAccess& files, const std::string& weekFile, std::vector<ClockOutClaim>& out);

// Accepts an open claim: one OUT at the claimed time goes in right after the
// shift's last punch, stored by a time-sheet save (backup, journal) like any
// other, and the journal names the claim as accepted. Refused (told why)
// when the claim has no time, is no longer open, or its punch is no longer
// the shift it was told for.
SaveOutcome acceptClaim(FileAccess& files, const std::string& weekFile, const ClockOutClaim& claim,
                        SaveTalk& talk, const JournalStamp& stamp);

// Rejects an open claim with the manager's note (not empty): a journal line;
// the week file is not touched.
Status rejectClaim(FileAccess& files, const std::string& weekFile, const ClockOutClaim& claim,
                   const std::string& note, const JournalStamp& stamp);

} // namespace tc
