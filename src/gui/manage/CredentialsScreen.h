#pragma once

#include "core/files/Status.h"
#include "platform/Services.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tc {

struct StationState;
class CredentialStore;

// "Employee PINs and Cards": the manager sets or removes an employee's PIN
// and card number. A PIN is never shown, only whether one is set.
class CredentialsScreen : public QWidget {
    Q_OBJECT

  public:
    CredentialsScreen(Services& services, StationState& state, QWidget* station);

  private:
    // Reads the file, changes it, writes it back; a failure is told and
    // nothing is written.
    void change(const std::function<Status(CredentialStore&, const std::string& name)>& edit,
                const QString& done);
    void showEmployee();

    Services& services_;
    StationState& state_;
    QComboBox* employee_ = nullptr;
    QLabel* hasPin_ = nullptr;
    QLineEdit* pin_ = nullptr;
    QLineEdit* card_ = nullptr;
};

} // namespace tc
