#pragma once

#include "platform/Services.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace tc {

struct StationState;
class EditorFactory;
struct ManagementWindows;
class StationControl;

// "PassWord Area": the management password in front of the two editors and
// of "Exit All". Shown beside the station, not modal.
class PasswordScreen : public QWidget {
    Q_OBJECT
  public:
    // The station's Management button: opens the screen, or brings it to the
    // front when it is already open (in `open`). `station` keeps the
    // management screens above it (it stays on top of everything while it
    // runs); `editors` makes the editor chosen, kept in `open` while it is.
    static PasswordScreen* showManagement(Services& services, StationState& state, StationControl* station,
                                          EditorFactory& editors, ManagementWindows& open);

    PasswordScreen(Services& services, StationState& state, StationControl* station, EditorFactory& editors,
                   ManagementWindows& open);

    // Closes the modal or active screens first when `modalFirst`, then every
    // screen still open, the station last (which ends the program). True when
    // no screen is open any more; false when a screen refused to close.
    bool closeAllScreens(bool modalFirst = false);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void okPressed();
    void exitAllPressed();
    // The password typed is right. Otherwise it says why and counts the try.
    bool passwordAccepted();
    void openEditor(bool buttonData);
    void openWindow(QWidget* window);

    Services& services_;
    StationState& state_;
    StationControl* station_; // none in a test without the station
    EditorFactory& editors_;
    ManagementWindows& open_;
    QLabel* capsLockTip_ = nullptr;
    QLineEdit* passwordBox_ = nullptr;
    QRadioButton* buttonDataOption_ = nullptr;
    QRadioButton* clockDataOption_ = nullptr;
    QRadioButton* credentialsOption_ = nullptr; // PINs and cards
    QRadioButton* passwordOption_ = nullptr;    // change the password
    bool enterPressedHere_ = false;             // an Enter's press reached the password box
};

} // namespace tc
