#pragma once

#include "core/files/FileAccess.h"
#include "core/files/Status.h"

#include <string>

namespace tc {

struct StationState;

// The month folders "Jan" to "Dec" beneath the base folder.
struct FirstRunFolders {
    bool firstRun = false; // Jan was missing: the one-time notices are due
    Status status;         // the first folder that could not be made, if any
};

// Run at every start. Only a missing Jan means a first run: then Jan is made,
// followed by each of Feb..Dec that is missing. With Jan present nothing else
// is looked at.
FirstRunFolders prepareMonthFolders(FileAccess& files, const std::string& baseFolder);

// Makes the folder of state.weekFile when it is missing, so a month folder
// deleted after the first run does not stop punches from being stored.
Status ensureWeekFolder(StationState& state);

} // namespace tc
