#pragma once

#include "core/punch/PunchInProgress.h"
#include "platform/Services.h"
#include "platform/SettleTime.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

namespace tc {

struct StationState;
class JobScreen;

// The department screen, a smaller window over the job screen: five numbered
// departments, Office, Other, and Cancel back to the jobs. A department press
// stores the punch.
class DepartmentScreen : public QWidget {
    Q_OBJECT

  public:
    DepartmentScreen(Services& services, StationState& state, JobScreen& jobs);

    // Takes `punch`, its job chosen, and shows the job's description.
    void load(PunchInProgress punch);

    // The department suffix each button stores, by index (0 to 6).
    static const char* suffix(int index);

  private:
    void buildControls();
    void onDepartment(int index);

    Services& services_;
    StationState& state_;
    JobScreen& jobs_;
    PunchInProgress punch_;
    std::array<QPushButton*, 8> departmentButtons_{};
    QLabel* jobLabel_ = nullptr;
    bool done_ = false;
    SettleTime settle_{services_.monotonic};
};

} // namespace tc
