#pragma once

#include "core/punch/ForgottenClockOut.h"
#include "core/punch/PunchInProgress.h"
#include "platform/Services.h"
#include "platform/SettleTime.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTimeEdit;

namespace tc {

struct StationState;
class StationControl;

// Asked when an employee presses the name while a shift of his or hers is
// still open from an earlier day (or for longer than a shift lasts): when
// did you leave? The answer is kept as a claim for the manager, never as a
// punch; then the action screen opens as if the shift had been closed. A
// time is kept only after the employee has set it on the picker and pressed
// its button: Enter presses nothing here.
class ClockOutQuestionScreen : public QWidget {
    Q_OBJECT

  public:
    ClockOutQuestionScreen(Services& services, StationState& state, StationControl& station,
                           PunchInProgress punch, ForgottenClockOut shift);

    // Shows the question when the employee making `punch` left a shift
    // without clocking out (true); else nothing (false).
    static bool askIfForgotten(Services& services, StationState& state, StationControl& station,
                               const PunchInProgress& punch);

  protected:
    // Closed from outside: back to the station, nothing kept.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void answer(bool known);
    void leave();

    Services& services_;
    StationState& state_;
    StationControl& station_;
    PunchInProgress punch_; // the name and position; the action screen that follows takes it on
    ForgottenClockOut shift_;
    QTimeEdit* picker_ = nullptr;
    QPushButton* leftAt_ = nullptr;
    bool done_ = false;
    SettleTime settle_{services_.monotonic};
};

} // namespace tc
