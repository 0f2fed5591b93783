#pragma once

#include "core/files/FileAccess.h"

#include <string>

namespace tc {

// The station's own settings, in the [station] part of "timeclock.ini":
//
//   [station]
//   pins = on     ; ask each employee's PIN after the name
//   cards = on    ; a card typed by a badge reader selects its employee
//
// Both are off without the file, so a station without settings works as it
// always has.
struct StationSettings {
    bool pins = false;
    bool cards = false;
};

// A missing file gives the defaults; a value that cannot be used is an error
// naming the file and the key, and leaves that setting off.
Status readStationSettings(FileAccess& files, const std::string& baseFolder, StationSettings& out);

} // namespace tc
