#include "core/punch/StationSettings.h"

#include "core/report/ReportSettings.h"

#include <CLI/Config.hpp>
#include <sstream>

namespace tc {

Status readStationSettings(FileAccess& files, const std::string& baseFolder, StationSettings& out) {
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
        if (item.parents.size() != 1 || item.parents[0] != "station" || item.name == "--" ||
            item.name == "++")
            continue;
        bool* setting = item.name == "pins" ? &out.pins : item.name == "cards" ? &out.cards : nullptr;
        if (!setting)
            return Status::fail("In " + path + ", [station] has no setting \"" + item.name +
                                "\" (there are pins and cards).");
        const std::string value = item.inputs.size() == 1 ? item.inputs[0] : std::string();
        if (value == "on" || value == "yes" || value == "true")
            *setting = true;
        else if (value == "off" || value == "no" || value == "false")
            *setting = false;
        else
            return Status::fail("In " + path + ", " + item.name + " must be on or off.");
    }
    return Status::ok();
}

} // namespace tc
