#pragma once

#include "core/journal/JournalReplay.h"

#include <string>
#include <string_view>

namespace tc {

// What a week's seals say, added to its verification: the chain names the
// first line that does not follow from the one before; a journal begun
// before seals is said to be unsealed; a seal kept from a signed card or a
// CSV file (`keptSeal`, "XXXX-XXXX-XXXX-XXXX", empty when none) must be
// one the week had, and everything since must follow from it. A closed week
// that the file no longer matches was changed by hand outside the program.
void addSealFindings(WeekVerification& v, std::string_view journalText, const std::string& journalPath,
                     std::string_view keptSeal);

} // namespace tc
