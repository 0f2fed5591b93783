#pragma once

#include "platform/Services.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace tc {

struct AppState;
class EditorFactory;
class StationControl;

// "PassWord Area": the management password in front of the two editors and
// of "Exit All". Shown beside the station, not modal.
class PasswordScreen : public QWidget {
    Q_OBJECT
  public:
    // The station's Management button: opens the screen, or brings it to the
    // front when it is already open. `station` keeps the management screens
    // above it (it stays on top of everything while it runs); `editors`
    // makes the editor chosen.
    static PasswordScreen* showManagement(Services& services, AppState& state, StationControl* station,
                                          EditorFactory& editors);
    // The open password screen, if any.
    static PasswordScreen* current();

    PasswordScreen(Services& services, AppState& state, StationControl* station, EditorFactory& editors);

    // Closes the modal or active screens first when `bFormsModal`, then every
    // screen still open, the station last (which ends the program). True when
    // no screen is open any more; false when a screen refused to close.
    bool FormsSafeUnload(bool bFormsModal = false);

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
    AppState& state_;
    StationControl* station_; // none in a test without the station
    EditorFactory& editors_;
    QLabel* Label1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QRadioButton* Option1_ = nullptr;
    QRadioButton* Option2_ = nullptr;
    QRadioButton* Option3_ = nullptr; // PINs and cards
    QRadioButton* Option4_ = nullptr; // change the password
    bool enterPressedHere_ = false;   // an Enter's press reached the password box
};

} // namespace tc
