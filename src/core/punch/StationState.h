#pragma once

#include "core/files/FileAccess.h"
#include "core/format/DateTime.h"
#include "core/format/ListFiles.h"
#include "core/format/WeekFile.h"
#include "core/punch/PasswordDelay.h"

#include <array>
#include <string>

namespace tc {

// What the station keeps for the whole run: one object, owned by the program
// and handed to every screen.
struct StationState {
    explicit StationState(std::string base, FileAccess& fileAccess = realFiles())
        : baseFolder(std::move(base)), files(&fileAccess) {}

    std::string baseFolder; // folder of the executable, no trailing separator
    FileAccess* files;

    std::string weekFile; // full path of this week's file; empty until setWeekFile
    std::array<std::string, kPositions> employeeNames; // by button, as the board last read them
    std::array<std::string, kJobs> jobs;               // the job numbers, by job button
    std::array<std::string, kJobs> jobTexts;           // their descriptions

    // Wrong management passwords in a row, for the whole run.
    PasswordDelay passwordTries;
};

// Works out this week's file from `now` and leaves it in weekFile.
void setWeekFile(StationState& state, const DateTime& now);

} // namespace tc
