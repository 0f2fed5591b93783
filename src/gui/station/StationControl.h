#pragma once

class QWidget;

namespace tc {

// The clock station as the other screens see it, without knowing its screen:
// the punch screens keep other punches off while one is made, redraw the
// board and bring the station back; "Exit All" lets the kiosk close.
class StationControl {
  public:
    virtual ~StationControl() = default;

    // The station's window. The punch screens are its children, so they stay
    // above it (it stays on top of everything while it runs).
    virtual QWidget* stationWindow() = 0;

    // While a punch is being made the employee buttons do not answer, so no
    // second punch is begun under it.
    virtual bool punchInProgress() const = 0;
    virtual void setPunchInProgress(bool on) = 0;

    // Redraws every employee button from this week's file.
    virtual void updateStatusBoard() = 0;

    // The punch screens are done: the station comes to the front and takes
    // presses again once it has settled.
    virtual void backFromPunch() = 0;

    // The program is being ended on purpose (Exit All): the kiosk may close.
    virtual void allowClose() = 0;
};

} // namespace tc
