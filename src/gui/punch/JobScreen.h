#pragma once

#include "core/format/ListFiles.h"
#include "core/punch/PunchInProgress.h"
#include "platform/Services.h"
#include "platform/SettleTime.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QPushButton;

namespace tc {

struct StationState;
class DepartmentScreen;
class ActionScreen;

// The job screen: up to 20 jobs from the job list, read again each time the
// screen opens, so the manager's changes show at the next punch.
class JobScreen : public QWidget {
    Q_OBJECT

  public:
    // For `punch`, its action chosen (IN or CHANGE).
    JobScreen(Services& services, StationState& state, ActionScreen& action, PunchInProgress punch);

    // Reads the job list onto the buttons. A button without a job is blank
    // and cannot be pressed; a list that cannot be read is told on this
    // screen, and Back and Cancel still work.
    void load();

    // Back: the action screen as it was left; this screen let go.
    void back();
    // Cancel: the station; the action screen and this one let go, nothing stored.
    void cancel();
    // A department was chosen and the punch handled: every punch screen goes.
    void finishPunch();

    ActionScreen& actionScreen() const { return action_; }
    DepartmentScreen* departmentScreen() const;
    // The department screen was cancelled and is being let go.
    void departmentScreenClosed();
    // In front again: presses wait until it has settled.
    void settle() { settle_.restart(); }

  private:
    void buildControls();
    void onJob(int index);

    Services& services_;
    StationState& state_;
    ActionScreen& action_;
    const PunchInProgress punch_;
    std::array<QPushButton*, kJobs> jobButtons_{};
    std::array<QPushButton*, 2> cancelAndBack_{};
    QPointer<DepartmentScreen> depart_;
    SettleTime settle_{services_.monotonic};
};

} // namespace tc
