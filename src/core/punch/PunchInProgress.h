#pragma once

#include <string>
#include <utility>

namespace tc {

// The punch an employee is making: a value handed from screen to screen, each
// adding its part (the name at the board, the action, then for IN and CHANGE
// the job and department), then stored by recordPunch.
struct PunchInProgress {
    int position = -1;      // the employee's button, 0 to 23; -1 before a press
    std::string employee;   // the name on that button, as the week file stores it
    std::string action;     // "IN", "CHANGE", "LUNCH" or "OUT"
    std::string job;        // the job number; empty for LUNCH and OUT
    std::string department; // the department suffix; empty for LUNCH and OUT
    std::string jobText;    // the chosen job's description, shown while the department is chosen

    // The punch begun by the employee at `position` (0 to 23), before any action is chosen.
    static PunchInProgress forEmployee(int position, std::string employee) {
        PunchInProgress punch;
        punch.position = position;
        punch.employee = std::move(employee);
        return punch;
    }

    // The employee's record in the week file, which counts from 1.
    int record() const { return position + 1; }
};

} // namespace tc
