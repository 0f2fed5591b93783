#include "punch/ActionRules.h"

#include "data/TimeText.h"
#include "data/WeekFile.h"

namespace tc {

EmployeeState stateForLastAction(std::string_view lastAction) {
    const std::string_view word = trimSpaces(lastAction);
    if (word == kActionIn || word == kActionChange)
        return EmployeeState::AtWork;
    if (word == kActionLunch)
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

ActionButtons SetActionButtons(const AppState& state) {
    TimeRecord record;
    if (state.ButtonNumber < 1 || state.ButtonNumber > kPositions ||
        !readRecord(*state.files, state.WeekFile, state.ButtonNumber, record))
        return permittedActions(EmployeeState::OffTheClock);
    return permittedActions(stateForLastAction(record.lastAction()));
}

} // namespace tc
