#include "core/files/Paths.h"

#include "core/format/TimeText.h"

namespace tc {

std::string pathJoin(const std::string& folder, const std::string& name) {
    return folder + kPathSeparator + name;
}

std::string parentFolder(const std::string& path) {
    size_t pos = path.find_last_of(kPathSeparator == '/' ? "/" : "\\/");
    return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

std::string employeeListPath(const std::string& baseFolder) {
    return pathJoin(baseFolder, kEmployeeListName);
}
std::string jobListPath(const std::string& baseFolder) {
    return pathJoin(baseFolder, kJobListName);
}

DateTime weekEndingSunday(const DateTime& now) {
    for (int d = 0; d <= 7; ++d) {
        DateTime candidate = now.addDays(d);
        if (candidate.weekday() == 0)
            return candidate;
    }
    return now; // unreachable: one of eight days is a Sunday
}

std::string weekFileName(const DateTime& now) {
    return "Week Ending " + formatWeekName(weekEndingSunday(now)) + ".dat";
}

std::string monthFolderPath(const std::string& baseFolder, int month) {
    return pathJoin(baseFolder, monthAbbrev(month));
}

std::string weekFilePath(const std::string& baseFolder, const DateTime& now) {
    return pathJoin(monthFolderPath(baseFolder, weekEndingSunday(now).month), weekFileName(now));
}

} // namespace tc
