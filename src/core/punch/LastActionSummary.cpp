#include "core/punch/LastActionSummary.h"

#include "core/format/TimeText.h"
#include "core/punch/ActionRules.h"
#include "core/punch/PunchRecorder.h"
#include "core/report/WeekReport.h"

#include <algorithm>

namespace tc {

namespace {

using F = TimeRecord::Field;

// A text box shows its text only up to the first NUL; an entry never written
// is all NULs.
std::string upToNul(std::string text) {
    if (std::size_t nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    return text;
}

// The employee's week from the report of this station: the hours counted, or
// nothing when no span was; then the flag of each span left uncounted for
// want of a clock-out (not the one still running).
std::string hoursLine(const WeekReport& report, int position, char decimalSeparator) {
    std::string hours, flags;
    for (std::size_t person = 0; person < report.people.size(); ++person) {
        const PersonWeek& who = report.people[person];
        if (std::find(who.records.begin(), who.records.end(), std::make_pair(0, position)) ==
            who.records.end())
            continue;
        bool counted = false;
        for (const WorkedSpan& span : report.spans) {
            if (span.person != int(person))
                continue;
            counted = counted || span.counted();
            if (span.open && !span.stillIn)
                flags += report.spanFlags(span) + "\r\n";
        }
        if (counted)
            hours = formatHundredths(who.totalHundredths, decimalSeparator);
    }
    return "Time As of Last Action. = " + hours + "\r\n" + flags;
}

} // namespace

SummaryTexts lastActionSummary(StationState& state, const PunchInProgress& punch, const DateTime& now,
                               char decimalSeparator) {
    setWeekFile(state, now);
    SummaryTexts out;
    LastPunch last;
    out.problem = findLastPunch(state, punch, now, last);
    if (!out.problem)
        return out;
    const TimeRecord& record = last.record;
    const int k = last.entry;
    out.lastPunch = upToNul("Last Operation        " + record.text(F::Action, k) + "\r\n" +
                            "On Job Number      " + record.text(F::JobNumber, k) + "\r\n" +
                            "At Time                   " + record.text(F::ActTime, k) + "\r\n" +
                            "On Date                   " + record.text(F::ActDate, k));
    const WeekReport report =
        makeWeekReport(*state.files, {{state.baseFolder, stationName(state.baseFolder)}}, now, now,
                       kDefaultOvertimeAfterSeconds);
    out.weekHours = hoursLine(report, punch.record(), decimalSeparator);
    return out;
}

} // namespace tc
