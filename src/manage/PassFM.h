#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace tc {

struct AppState;

// "PassWord Area": the management password in front of the two editors and
// of "Exit All". Shown beside the station, not modal.
class PassFM : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kPassword = "qm482";

    // The station's Management button: opens the screen, or brings it to the
    // front when it is already open. `station` keeps the management screens
    // above it (it stays on top of everything while it runs).
    static PassFM* showManagement(AppState& state, QWidget* station);
    // The open password screen, if any.
    static PassFM* current();

    PassFM(AppState& state, QWidget* station);

    // Closes the modal or active screens first when `bFormsModal`, then every
    // screen still open, the station last (which ends the program). True when
    // no screen is open any more; false when a screen refused to close.
    static bool FormsSafeUnload(bool bFormsModal = false);

    // Tests: the next editor to be opened fails while loading.
    static void setEditorFailureForTest(bool fail);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void okPressed();
    void exitAllPressed();
    bool passwordMatches() const;
    void openEditor(bool buttonData);

    AppState& state_;
    QWidget* station_;
    QLabel* Label1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QRadioButton* Option1_ = nullptr;
    QRadioButton* Option2_ = nullptr;
    bool enterPressedHere_ = false; // an Enter's press reached the password box
};

} // namespace tc
