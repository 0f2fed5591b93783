#pragma once

#include "core/files/FileAccess.h"
#include "core/report/PayRules.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// The week report's settings, kept in "timeclock.ini" beside the program:
//
//   [report]
//   overtime-after = 40
//   folders = "//server/clock/Back Door", "D:/Clock/Yard"
//   time-zone = America/Chicago
//   ask-clock-out-after = 14
//
//   [pay]
//   overtime-after = 40
//   daily-overtime-after = 8
//   ... (PayRules::keys())
//
// overtime-after: weekly hours above which hours are overtime (default 40).
// folders: other stations' program folders reported with this one.
// time-zone: the zone whose clock changes the stations' clocks follow
// (default: this computer's).
// ask-clock-out-after: hours after which an IN or CHANGE of the same day
// counts as a forgotten clock-out at the next press of the name (default 14).
struct ReportSettings {
    long long overtimeAfterSeconds = 40 * 3600;
    long long askClockOutAfterSeconds = 14 * 3600;
    std::vector<std::string> folders;
    std::string timeZone;
    PayRules pay;
};

inline constexpr const char* kSettingsFileName = "timeclock.ini";
// A few lines are all it holds; a larger file (a link to a device, a file
// filled by something else) is named, not read.
inline constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

// One setting of the settings file: its [section], its name and its values.
struct SettingsEntry {
    std::string section;
    std::string name;
    std::vector<std::string> values;
    std::string value() const { return values.size() == 1 ? values[0] : std::string(); }
};

// The settings in the settings file at `path`, read as every program file
// is read: a regular file, never past kMaxSettingsBytes; or why it cannot be
// read; no file is no settings. The station's and the report's settings both
// come from here.
Status readSettingsEntries(FileAccess& files, const std::string& path, std::vector<SettingsEntry>& out);

std::string settingsPath(const std::string& baseFolder);

// Reads the settings of the program in `baseFolder`. A missing file gives the
// defaults; a value that cannot be used is an error naming the file and key,
// and `out` keeps the defaults for it.
Status readReportSettings(FileAccess& files, const std::string& baseFolder, ReportSettings& out);

// Hours as a person writes them ("40", "37.5", "37.25") in whole seconds;
// nullopt for anything else, negative values and more than a week.
std::optional<long long> parseHours(std::string_view text);

} // namespace tc
