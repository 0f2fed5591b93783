#pragma once

#include "core/punch/CardTyping.h"
#include "core/punch/PinLockout.h"
#include "core/punch/StationSettings.h"
#include "gui/station/PinPadScreen.h"
#include "platform/Services.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

class QWidget;

namespace tc {

struct StationState;
class StationControl;

// Who is punching: between the press of a name (or a card read at the board)
// and the action screen. With PINs turned on it asks the employee's PIN;
// with cards turned on it reads the badge reader's keys at the board. Both
// off (no settings file), it lets every name straight through.
class EmployeeGate : public QObject {
    Q_OBJECT

  public:
    EmployeeGate(Services& services, StationState& state, StationControl& station, QWidget* board);

    // Reads the [station] settings; a message names a file it cannot use.
    void load();
    const StationSettings& settings() const { return settings_; }

    // `next` runs once `employee` (the name pressed or read from a card) is
    // known to be the one punching (the PIN right, or PINs off). A wrong PIN
    // or Cancel runs nothing and brings the station back.
    void pass(const std::string& employee, std::function<void()> next);

    PinPadScreen* pinPad() const { return pad_; }

  signals:
    // A card at the board chose the employee at this button (`position`
    // counts from 0), as a press of the name would.
    void cardChosen(int position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The PIN typed; with `change` the employee asked to change it.
    void pinEntered(const std::string& employee, const QString& pin, bool change,
                    const std::function<void()>& next);
    // The new PIN typed once (first) and again.
    void newPinEntered(const std::string& employee, const QString& pin);
    void cardRead(const std::string& card);
    // Tells the employee and ends: keypad closed, the station back.
    void tellAndEnd(const QString& message);

    Services& services_;
    StationState& state_;
    StationControl& station_;
    QWidget* board_;
    StationSettings settings_;
    PinLockout lockout_;
    CardTyping typing_;
    QPointer<PinPadScreen> pad_;
    enum class Asking { Pin, NewPin, NewPinAgain } asking_ = Asking::Pin;
    QString newPin_;
};

} // namespace tc
