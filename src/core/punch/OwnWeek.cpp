#include "core/punch/OwnWeek.h"

#include "core/format/WeekMoments.h"
#include "core/report/WeekReport.h"

#include <algorithm>

namespace tc {

OwnWeek ownWeek(const StationState& state, const PunchInProgress& punch, const DateTime& now) {
    const WeekReport report =
        makeWeekReport(*state.files, {{state.baseFolder, stationName(state.baseFolder)}}, now, now,
                       kDefaultOvertimeAfterSeconds);
    OwnWeek out;
    out.name = punch.employee;
    const auto mine = std::find_if(report.people.begin(), report.people.end(), [&](const PersonWeek& p) {
        return std::find(p.records.begin(), p.records.end(), std::make_pair(0, int(punch.record()))) !=
               p.records.end();
    });
    static constexpr const char* kDays[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    for (std::size_t d = 0; d < 7; ++d)
        out.days[d] = std::string(kDays[d]) + " " +
                      formatShownHours(mine == report.people.end() ? 0 : mine->dayHundredths[d]);
    out.total = "Total " + formatShownHours(mine == report.people.end() ? 0 : mine->totalHundredths);
    if (mine != report.people.end())
        out.flags = mine->flags;
    return out;
}

} // namespace tc
