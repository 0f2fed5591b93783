#pragma once

#include "platform/Services.h"

#include <QWidget>

class QLineEdit;

namespace tc {

struct AppState;

// "Change Password": the old management password, then the new one twice.
class PasswordChangeScreen : public QWidget {
    Q_OBJECT

  public:
    PasswordChangeScreen(Services& services, AppState& state, QWidget* station);

  private:
    void okPressed();

    Services& services_;
    AppState& state_;
    QLineEdit* old_ = nullptr;
    QLineEdit* fresh_ = nullptr;
    QLineEdit* again_ = nullptr;
};

} // namespace tc
