#pragma once

#include <QString>

class QWidget;

namespace tc {

struct PunchInProgress;
struct Services;
struct StationState;
class ActionScreen;
class StationControl;

// Opens the action screen for `punch`, just begun at the station (its
// position and name). While it and the job and department screens are open
// the station's buttons start no other punch. Returns nullptr when a punch is
// already in progress, or when a shift the employee did not clock out of is
// asked about first (the action screen follows).
ActionScreen* openActionScreen(Services& services, StationState& state, StationControl& station,
                               const PunchInProgress& punch);

// The action screen itself, a punch being in progress already.
ActionScreen* showActionScreen(Services& services, StationState& state, StationControl& station,
                               const PunchInProgress& punch);

namespace punchscreens {

// Stores the punch put together on the screens. A punch that could not be
// stored is told to the employee (OK only) and the board is left as it was;
// a stored one is shown on the board at once.
bool storePunch(Services& services, QWidget* screen, StationState& state, StationControl& station,
                const PunchInProgress& punch);

// Closes the screen and lets it go once the current event is handled.
void unload(QWidget* screen);

} // namespace punchscreens
} // namespace tc
