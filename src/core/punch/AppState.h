#pragma once

#include "core/files/FileAccess.h"
#include "core/format/DateTime.h"
#include "core/punch/PasswordDelay.h"

#include <array>
#include <cstdint>
#include <string>

namespace tc {

// The state the screens share for the whole run (one object, owned by the
// program and handed to every screen). The names are the ones the screens
// and routines have always used.
struct AppState {
    explicit AppState(std::string base, FileAccess& fileAccess = realFiles())
        : baseFolder(std::move(base)), files(&fileAccess) {}

    std::string baseFolder; // folder of the executable, no trailing separator
    FileAccess* files;

    std::string WeekFile;                 // full path of this week's file; empty until setWeekFile
    std::array<std::string, 25> EmpNames; // index = button position 1..24; 0 unused
    std::string CurName;
    std::int16_t ButtonNumber = 0; // 1..24, 0 before the first press

    std::string CurAction;
    std::string CurJob;
    std::string CurDept;
    std::int16_t LastSlot = 0;

    std::array<std::string, 21> JobItems1; // index = job button + 1; 0 unused
    std::array<std::string, 21> JobItems2;
    std::string CurJobText;

    // Wrong management passwords in a row, for the whole run.
    PasswordDelay passwordTries;
};

// Works out this week's file from `now` and leaves it in WeekFile.
void setWeekFile(AppState& state, const DateTime& now);

} // namespace tc
