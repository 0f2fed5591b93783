#include "core/report/ReportSettings.h"

#include "core/files/Paths.h"
#include "core/format/WeekMoments.h"
#include "core/format/ZoneRules.h"

#include <CLI/Config.hpp>
#include <sstream>

namespace tc {

std::string settingsPath(const std::string& baseFolder) {
    return pathJoin(baseFolder, kSettingsFileName);
}

std::optional<long long> parseHours(std::string_view text) {
    long long whole = 0, fraction = 0, scale = 1;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && i < 4; ++i)
        whole = whole * 10 + (text[i] - '0');
    if (i == 0)
        return std::nullopt;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9' && scale < 10000; ++i) {
            fraction = fraction * 10 + (text[i] - '0');
            scale *= 10;
        }
    }
    if (i != text.size())
        return std::nullopt;
    const long long seconds = whole * 3600 + (fraction * 3600 + scale / 2) / scale;
    if (seconds > kWeekSeconds)
        return std::nullopt;
    return seconds;
}

Status readSettingsEntries(FileAccess& files, const std::string& path, std::vector<SettingsEntry>& out) {
    out.clear();
    if (!files.exists(path))
        return Status::ok();
    std::string bytes;
    if (Status st = readWholeFile(files, path, bytes, false, kMaxSettingsBytes); !st)
        return st;
    std::vector<CLI::ConfigItem> items;
    try {
        std::istringstream in(bytes);
        items = CLI::ConfigINI().from_config(in);
    } catch (const std::exception& e) {
        return Status::fail("Cannot read " + path + ": " + e.what());
    }
    for (CLI::ConfigItem& item : items)
        if (item.parents.size() == 1 && item.name != "--" && item.name != "++")
            out.push_back({item.parents[0], item.name, std::move(item.inputs)});
    return Status::ok();
}

Status readReportSettings(FileAccess& files, const std::string& baseFolder, ReportSettings& out) {
    const std::string path = settingsPath(baseFolder);
    std::vector<SettingsEntry> items;
    if (Status st = readSettingsEntries(files, path, items); !st)
        return st;
    for (const SettingsEntry& item : items) {
        if (item.section == "pay" && item.name != "overtime-after") {
            if (Status st = out.pay.set(item.name, item.value(), path); !st)
                return st;
            continue;
        }
        if (item.section != "report" && item.section != "pay")
            continue;
        if (item.name == "overtime-after") {
            const std::optional<long long> seconds =
                item.values.size() == 1 ? parseHours(item.values[0]) : std::nullopt;
            if (!seconds)
                return Status::fail("In " + path +
                                    ", overtime-after must be a number of hours such as 40 or "
                                    "37.5.");
            out.overtimeAfterSeconds = *seconds;
        } else if (item.name == "ask-clock-out-after") {
            const std::optional<long long> seconds =
                item.values.size() == 1 ? parseHours(item.values[0]) : std::nullopt;
            if (!seconds || *seconds == 0)
                return Status::fail("In " + path +
                                    ", ask-clock-out-after must be a number of hours such as 14.");
            out.askClockOutAfterSeconds = *seconds;
        } else if (item.name == "folders") {
            for (const std::string& folder : item.values)
                if (!folder.empty())
                    out.folders.push_back(folder);
        } else if (item.name == "time-zone") {
            const ZoneRules zone(item.value());
            if (zone.name().empty() || !zone.known())
                return Status::fail("In " + path +
                                    ", time-zone must name one time zone this computer knows, such as "
                                    "America/Chicago.");
            out.timeZone = zone.name();
        } else {
            return Status::fail("In " + path + ", [report] has no setting \"" + item.name +
                                "\" (there are overtime-after, folders, time-zone and ask-clock-out-after).");
        }
    }
    return Status::ok();
}

} // namespace tc
