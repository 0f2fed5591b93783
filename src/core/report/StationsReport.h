#pragma once

#include "core/files/FileAccess.h"
#include "core/format/DateTime.h"
#include "core/report/WeekReport.h"

#include <string>
#include <vector>

namespace tc {

// The week report as the management area shows it, with what to tell the
// manager about it.
struct StationsReport {
    WeekReport report;
    std::vector<std::string> notes; // in the order they are shown
};

// The week holding `anyDay` over this station (`baseFolder`) and the stations
// its settings file names. A station whose folder cannot be found is left out
// and said so, as are settings that cannot be used, unsaved changes of the
// time sheet (`unsavedSheet` names the file, or is empty), a week without
// any file and every problem of the report.
StationsReport makeStationsReport(FileAccess& files, const std::string& baseFolder, const DateTime& anyDay,
                                  const DateTime& now, const std::string& unsavedSheet);

} // namespace tc
