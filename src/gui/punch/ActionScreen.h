#pragma once

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

struct AppState;
class JobScreen;
class StationControl;

// The employee action screen: the employee's name, a running clock, the last
// punch with the week's hours, and the five actions of which only those that
// fit the last punch can be pressed.
class ActionScreen : public QWidget {
    Q_OBJECT

  public:
    ActionScreen(Services& services, AppState& state, StationControl& station);

    // Name, permitted actions (judged from WeekFile as it stands), then the
    // summary (which works WeekFile out again); the clock starts.
    void load();

    // The station again, taking presses again; this screen and the job
    // screen closed and let go. Every way out of a punch ends here.
    void exitToStation();

    JobScreen* jobScreen() const;
    // The job screen went back here and is being let go.
    void jobScreenClosed();
    StationControl& station() const { return station_; }

  protected:
    // Closed from outside (the window manager, Exit All): the same as Exit.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void onCommand1(int index);
    void openJobScreen();
    void onTimer1();
    void showOwnWeek();

    Services& services_;
    AppState& state_;
    StationControl& station_;
    std::array<QPushButton*, 5> Command1_{};
    std::array<QLabel*, 2> Label1_{};
    QPlainTextEdit* Text1_ = nullptr;
    QPlainTextEdit* Text2_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QPushButton* ownWeek_ = nullptr; // the employee's own week
    QPointer<JobScreen> job_;
    bool done_ = false; // a punch was stored or the screen left: later presses do nothing
    SettleTime settle_{services_.monotonic};
};

} // namespace tc
