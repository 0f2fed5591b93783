#pragma once

#include "station/AppState.h"

#include <array>
#include <string_view>

namespace tc {

// The buttons of the action screen, by index of Command1.
enum ActionButton { ClockIn = 0, ChangeJob = 1, Lunch = 2, ClockOut = 3, ExitButton = 4 };
inline constexpr int kActionButtons = 5;
using ActionButtons = std::array<bool, kActionButtons>;

enum class EmployeeState { OffTheClock, AtWork, AtLunch };

// The state a last action word puts an employee in: exact, case-sensitive,
// after trimming spaces; any other text is off the clock.
EmployeeState stateForLastAction(std::string_view lastAction);

// Which of the action screen's five buttons may be pressed in that state.
ActionButtons permittedActions(EmployeeState state);

// The clocking rules: reads record ButtonNumber of WeekFile as it stands
// (WeekFile is not worked out again here) and judges the employee from the
// last punch alone. A full record is judged from entry 100; a file that
// cannot be read counts as no punch, so only Clock IN and Exit are offered.
ActionButtons SetActionButtons(const AppState& state);

} // namespace tc
