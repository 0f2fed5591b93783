#pragma once

#include "core/punch/StationState.h"
#include "gui/manage/EditorFactory.h"
#include "gui/manage/ManagementWindows.h"
#include "platform/Services.h"

#include <QObject>
#include <memory>
#include <string>

namespace tc {

class EmployeeGate;
class StationScreen;

// The running station: the shared state and the station screen, and the
// wiring from the station's buttons to the screens they open.
class StationApp : public QObject {
    Q_OBJECT

  public:
    StationApp(Services& services, std::string baseFolder, QObject* parent = nullptr);
    ~StationApp() override;

    // Loads the station (start-up steps) and shows it full screen.
    void start();

    StationState& state() { return state_; }
    StationScreen& home() { return *home_; }
    EmployeeGate& gate() { return *gate_; }

  private:
    void connectScreens();

    Services& services_;
    StationState state_;
    EditorFactory editors_;
    ManagementWindows management_;
    std::unique_ptr<StationScreen> home_;
    EmployeeGate* gate_ = nullptr; // owned by the station screen
};

} // namespace tc
