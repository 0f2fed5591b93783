#include "core/punch/StationSettings.h"

#include "core/report/ReportSettings.h"

namespace tc {

Status readStationSettings(FileAccess& files, const std::string& baseFolder, StationSettings& out) {
    const std::string path = settingsPath(baseFolder);
    std::vector<SettingsEntry> items;
    if (Status st = readSettingsEntries(files, path, items); !st)
        return st;
    for (const SettingsEntry& item : items) {
        if (item.section != "station")
            continue;
        bool* setting = item.name == "pins" ? &out.pins : item.name == "cards" ? &out.cards : nullptr;
        if (!setting)
            return Status::fail("In " + path + ", [station] has no setting \"" + item.name +
                                "\" (there are pins and cards).");
        const std::string value = item.value();
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
