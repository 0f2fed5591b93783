#pragma once

#include "core/punch/PunchInProgress.h"
#include "platform/Services.h"
#include "platform/SettleTime.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tc {

struct StationState;
class JobScreen;
class StationControl;

// The employee action screen: the employee's name, a running clock, the last
// punch with the week's hours, and the five actions of which only those that
// fit the last punch can be pressed.
class ActionScreen : public QWidget {
    Q_OBJECT

  public:
    // For `punch`, begun at the station: the employee's position and name.
    ActionScreen(Services& services, StationState& state, StationControl& station, PunchInProgress punch);

    // Name, permitted actions (judged from this week's file as it stands), then the
    // summary (which works the week file out again); the clock starts.
    void load();

    // The station again, taking presses again; this screen and the job
    // screen closed and let go. Every way out of a punch ends here.
    void exitToStation();

    JobScreen* jobScreen() const;
    // The job screen went back here and is being let go.
    void jobScreenClosed();
    StationControl& station() const { return station_; }
    const PunchInProgress& punch() const { return punch_; }

  protected:
    // Closed from outside (the window manager, Exit All): the same as Exit.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void onAction(int index);
    // With `punch` (its action chosen) when it opens; brought back as it was when open.
    void openJobScreen(const PunchInProgress& punch);
    void showTime();
    void showOwnWeek();

    Services& services_;
    StationState& state_;
    StationControl& station_;
    const PunchInProgress punch_;
    std::array<QPushButton*, 5> actionButtons_{};
    std::array<QLabel*, 2> nameAndClock_{};
    QPlainTextEdit* lastPunchBox_ = nullptr;
    QPlainTextEdit* weekHoursBox_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    QPushButton* ownWeek_ = nullptr; // the employee's own week
    QPointer<JobScreen> job_;
    bool done_ = false; // a punch was stored or the screen left: later presses do nothing
    SettleTime settle_{services_.monotonic};
};

} // namespace tc
