#pragma once

#include "platform/Services.h"
#include "platform/SettleTime.h"

#include <QWidget>

class QLabel;

namespace tc {

// A large keypad for an employee's PIN, over the station: ten digits, Clear,
// OK and Cancel, and the keyboard's digits, Backspace and Enter as well. The
// PIN is shown as dots only. Like every station screen, a press that lands
// before it has settled is ignored whole, so a double tap on a name enters
// no digit.
class PinPadScreen : public QWidget {
    Q_OBJECT

  public:
    PinPadScreen(Services& services, const QString& employee, QWidget* station);

    // Empties the PIN and lets the keypad settle again (after a message).
    void startAgain();
    // The PIN was right: closes without a word of cancel.
    void closeAccepted();
    int digitsTyped() const { return int(typed_.size()); }
    // What the keypad asks for ("Enter your PIN" at first).
    void setPrompt(const QString& prompt);

  signals:
    void entered(const QString& pin);
    // "Change PIN" with the present PIN typed.
    void changeAsked(const QString& pin);
    void cancelled();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void addDigit(QChar digit);
    void showTyped();
    void finish(bool change = false);

    Services& services_;
    SettleTime settle_{services_.monotonic};
    QLabel* prompt_ = nullptr;
    QLabel* dots_ = nullptr;
    QString typed_;
    bool done_ = false;
};

} // namespace tc
