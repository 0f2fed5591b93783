#pragma once

#include "platform/Services.h"

#include <QWidget>

class QLineEdit;

namespace tc {

struct StationState;

// "Change Password": the old management password, then the new one twice.
class PasswordChangeScreen : public QWidget {
    Q_OBJECT

  public:
    PasswordChangeScreen(Services& services, StationState& state, QWidget* station);

  private:
    void okPressed();

    Services& services_;
    StationState& state_;
    QLineEdit* old_ = nullptr;
    QLineEdit* fresh_ = nullptr;
    QLineEdit* again_ = nullptr;
};

} // namespace tc
