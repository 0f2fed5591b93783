#pragma once

#include "core/format/DateTime.h"
#include "core/journal/Journal.h"

#include <optional>
#include <string>
#include <vector>

namespace tc {

// The Sunday that ends the week a week file is named after ("Week Ending
// Sunday Feb 9 2025.dat"); nullopt for any other name.
std::optional<DateTime> weekSundayOfFile(const std::string& weekFile);

// What a journal's own lines give away before the week is replayed from
// them: a punch line whose moment is not the time and date it says the
// station stored, that lies outside the week ending `sunday` (when known),
// or that is earlier than the punch line before it. One text per line found.
std::vector<std::string> journalLineDoubts(const JournalText& journal, const std::optional<DateTime>& sunday);

} // namespace tc
