#include "core/report/StationsReport.h"

#include "core/files/FolderIdentity.h"
#include "core/report/ReportSettings.h"

#include <algorithm>

namespace tc {

StationsReport makeStationsReport(FileAccess& files, const std::string& baseFolder, const DateTime& anyDay,
                                  const DateTime& now, const std::string& unsavedSheet) {
    StationsReport out;
    std::vector<std::string>& notes = out.notes;
    ReportSettings settings;
    if (Status st = readReportSettings(files, baseFolder, settings); !st)
        notes.push_back(st.message());
    std::vector<ReportSource> sources{{baseFolder, stationName(baseFolder)}};
    for (const std::string& folder : settings.folders) {
        const auto same = std::find_if(sources.begin(), sources.end(), [&folder](const ReportSource& s) {
            return sameFolder(s.folder, folder);
        });
        if (files.isFolder(folder) && same != sources.end())
            notes.push_back("The folder " + folder + " named in " + settingsPath(baseFolder) + " is " +
                            (same == sources.begin() ? "this station's own folder" : "named there twice") +
                            "; it is reported once.");
        else if (files.isFolder(folder))
            sources.push_back({folder, stationName(folder)});
        else
            notes.push_back("The folder " + folder + " named in " + settingsPath(baseFolder) +
                            " cannot be found; its station is not in this report.");
    }
    out.report = makeWeekReport(files, sources, anyDay, now, settings.overtimeAfterSeconds, nullptr,
                                ZoneRules(settings.timeZone), settings.pay);

    if (!unsavedSheet.empty())
        notes.insert(notes.begin(), "The time sheet holds changes to " + unsavedSheet +
                                        " that are not saved yet; this report shows the saved week files.");
    if (!out.report.anyWeekFile)
        notes.push_back("There is no week file for this week.");
    for (const ReportProblem& p : out.report.problems)
        notes.push_back(p.message);
    return out;
}

} // namespace tc
