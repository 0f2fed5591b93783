#include "core/punch/ActionRules.h"

#include "core/files/Paths.h"
#include "core/format/PunchAction.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/journal/ClockOutClaim.h"
#include "core/journal/Journal.h"

#include <algorithm>

namespace tc {

EmployeeState stateForLastAction(std::string_view lastAction) {
    if (meansAtWork(lastAction))
        return EmployeeState::AtWork;
    if (punchActionOf(lastAction) == PunchAction::Lunch)
        return EmployeeState::AtLunch;
    return EmployeeState::OffTheClock;
}

ActionButtons permittedActions(EmployeeState state) {
    switch (state) {
    case EmployeeState::AtWork:
        return {false, true, true, true, true};
    case EmployeeState::AtLunch:
        return {true, false, false, true, true};
    case EmployeeState::OffTheClock:
        break;
    }
    return {true, false, false, false, true};
}

namespace {

// Whether the week's journal holds a claim for this shift's last punch,
// answered or not: the employee is asked once a shift. `record` counts from 1,
// as the journal does.
bool clockOutToldFor(FileAccess& files, const LastPunch& last, int record) {
    if (stateForLastAction(last.action()) != EmployeeState::AtWork)
        return false;
    const std::string path = journalPathOf(last.weekFile);
    std::string text;
    if (!files.exists(path) || !readJournalFile(files, path, text))
        return false;
    const std::vector<ClockOutClaim> claims = clockOutClaims(parseJournal(text, /*changesOnly=*/true));
    return std::any_of(claims.begin(), claims.end(),
                       [&](const ClockOutClaim& c) { return c.position == record && c.entry == last.entry; });
}

} // namespace

std::string LastPunch::action() const {
    return entry > 0 ? std::string(trimSpaces(record.text(TimeRecord::Field::Action, entry))) : std::string();
}

Status findLastPunch(const StationState& state, const PunchInProgress& punch, const DateTime& now,
                     LastPunch& out) {
    out = LastPunch();
    if (punch.position < 0 || punch.position >= kPositions)
        return Status::ok();
    const std::string path = weekFilePath(state.baseFolder, now);
    // A program folder gone while the station runs is for a person to mend:
    // said as such, not as the week file's own failure.
    if (!state.files->isFolder(state.baseFolder))
        return Status::fail("The program folder " + state.baseFolder + " is missing, so " + path +
                            " cannot be read.");
    if (!state.files->isFolder(parentFolder(path)))
        return Status::ok(); // a month folder not made again yet: no punch this week
    if (Status st = readRecord(*state.files, path, punch.record(), out.record); !st)
        return st;
    out.weekFile = path;
    out.weekDay = now;
    if ((out.entry = out.record.lastEntry()) > 0) {
        out.clockOutTold = clockOutToldFor(*state.files, out, punch.record());
        return Status::ok();
    }
    // Read only, never created; one that cannot be read holds no open shift.
    std::string lastWeek;
    if (!readWeekFile(*state.files, weekFilePath(state.baseFolder, now.addDays(-7)), lastWeek, false))
        return Status::ok();
    const TimeRecord before = recordAt(lastWeek, punch.record());
    std::string name = trimSpaces(before.text(TimeRecord::Field::EmpName));
    name = name.substr(0, name.find('\0'));
    if (!name.empty() && name == trimSpaces(punch.employee) && before.lastEntry() > 0) {
        out = LastPunch{before, before.lastEntry(), weekFilePath(state.baseFolder, now.addDays(-7)),
                        now.addDays(-7)};
        out.clockOutTold = clockOutToldFor(*state.files, out, punch.record());
    }
    return Status::ok();
}

ActionButtons permittedActions(const StationState& state, const PunchInProgress& punch, const DateTime& now,
                               Status* problem) {
    LastPunch last;
    Status st = findLastPunch(state, punch, now, last);
    if (problem)
        *problem = st;
    return permittedActions(last.clockOutTold ? EmployeeState::OffTheClock
                                              : stateForLastAction(last.action()));
}

} // namespace tc
