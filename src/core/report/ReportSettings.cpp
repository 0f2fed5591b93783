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

Status readReportSettings(FileAccess& files, const std::string& baseFolder, ReportSettings& out) {
    const std::string path = settingsPath(baseFolder);
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
    for (const CLI::ConfigItem& item : items) {
        if (item.parents.size() != 1 || item.name == "--" || item.name == "++")
            continue;
        if (item.parents[0] == "pay" && item.name != "overtime-after") {
            if (Status st =
                    out.pay.set(item.name, item.inputs.size() == 1 ? item.inputs[0] : std::string(), path);
                !st)
                return st;
            continue;
        }
        if (item.parents[0] != "report" && item.parents[0] != "pay")
            continue;
        if (item.name == "overtime-after") {
            const std::optional<long long> seconds =
                item.inputs.size() == 1 ? parseHours(item.inputs[0]) : std::nullopt;
            if (!seconds)
                return Status::fail("In " + path +
                                    ", overtime-after must be a number of hours such as 40 or "
                                    "37.5.");
            out.overtimeAfterSeconds = *seconds;
        } else if (item.name == "ask-clock-out-after") {
            const std::optional<long long> seconds =
                item.inputs.size() == 1 ? parseHours(item.inputs[0]) : std::nullopt;
            if (!seconds || *seconds == 0)
                return Status::fail("In " + path +
                                    ", ask-clock-out-after must be a number of hours such as 14.");
            out.askClockOutAfterSeconds = *seconds;
        } else if (item.name == "folders") {
            for (const std::string& folder : item.inputs)
                if (!folder.empty())
                    out.folders.push_back(folder);
        } else if (item.name == "time-zone") {
            const ZoneRules zone(item.inputs.size() == 1 ? item.inputs[0] : std::string());
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
