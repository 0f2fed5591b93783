#include "app/StationApp.h"

#include "core/punch/PunchInProgress.h"
#include "gui/manage/PasswordScreen.h"
#include "gui/punch/PunchScreens.h"
#include "gui/station/EmployeeGate.h"
#include "gui/station/StationScreen.h"

namespace tc {

StationApp::StationApp(Services& services, std::string baseFolder, QObject* parent)
    : QObject(parent), services_(services), state_(std::move(baseFolder)),
      home_(std::make_unique<StationScreen>(services_, state_)),
      gate_(new EmployeeGate(services_, state_, *home_, home_.get())) {
    connectScreens();
}

StationApp::~StationApp() = default;

void StationApp::start() {
    home_->load();
    gate_->load();
    home_->showStation();
}

void StationApp::connectScreens() {
    // StationScreen::employeePressed(position) begins a punch; the action
    // screen opens from here with it. StationScreen::managementPressed: the
    // password screen opens from here.
    // The employee is made sure of first (the PIN, when turned on); a card
    // read at the board chooses a name as its press would.
    const auto nameChosen = [this](int position) {
        const PunchInProgress punch =
            PunchInProgress::forEmployee(position, state_.employeeNames[std::size_t(position)]);
        gate_->pass(punch.employee, [this, punch] { openActionScreen(services_, state_, *home_, punch); });
    };
    connect(home_.get(), &StationScreen::employeePressed, this, nameChosen);
    connect(gate_, &EmployeeGate::cardChosen, this, nameChosen);
    connect(home_.get(), &StationScreen::managementPressed, this, [this] {
        PasswordScreen::showManagement(services_, state_, home_.get(), editors_, management_);
    });
}

} // namespace tc
