#pragma once

#include "core/files/Status.h"
#include "core/format/DateTime.h"
#include "core/format/TimeRecord.h"
#include "core/punch/PunchInProgress.h"
#include "core/punch/StationState.h"

#include <array>
#include <string>
#include <string_view>

namespace tc {

// The buttons of the action screen, by index.
enum ActionButton { ClockIn = 0, ChangeJob = 1, Lunch = 2, ClockOut = 3, ExitButton = 4 };
inline constexpr int kActionButtons = 5;
using ActionButtons = std::array<bool, kActionButtons>;

enum class EmployeeState { OffTheClock, AtWork, AtLunch };

// The state a last action word puts an employee in: exact, case-sensitive,
// after trimming spaces; any other text is off the clock.
EmployeeState stateForLastAction(std::string_view lastAction);

// Which of the action screen's five buttons may be pressed in that state.
ActionButtons permittedActions(EmployeeState state);

// The last punch (TimeRecord::lastEntry) of the employee making `punch`, in
// this week's record at the punch's position or, when that holds none yet, in
// last week's record of the same position under the same name: a shift
// across Sunday midnight is still open after the week changes. `entry` 0: no
// punch.
struct LastPunch {
    TimeRecord record;
    int entry = 0;
    std::string weekFile; // the file that holds it
    DateTime weekDay;     // a day of that file's week
    // An IN or CHANGE whose clock-out the employee has told since: the
    // station goes on as if the shift were closed.
    bool clockOutTold = false;
    std::string action() const;
};
// Reads this week's file (of `now`), and last week's when needed; a week
// file that cannot be read (the program folder gone, a folder in its place)
// is a failure saying why, never "no punch".
Status findLastPunch(const StationState& state, const PunchInProgress& punch, const DateTime& now,
                     LastPunch& out);

// The clocking rules: judges the employee making `punch` from the last punch alone. A full
// record is judged from entry 100; when the week cannot be read only Clock IN
// and Exit are offered and `problem` says why.
ActionButtons permittedActions(const StationState& state, const PunchInProgress& punch, const DateTime& now,
                               Status* problem = nullptr);

} // namespace tc
