#include "app/StationApp.h"

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
    // StationScreen::employeePressed(position): the punch's position and name are set; the
    // action screen opens from here. StationScreen::managementPressed: the password
    // screen opens from here.
    // The employee is made sure of first (the PIN, when turned on); a card
    // read at the board chooses a name as its press would.
    const auto nameChosen = [this](int) {
        gate_->pass([this] { openActionScreen(services_, state_, *home_); });
    };
    connect(home_.get(), &StationScreen::employeePressed, this, nameChosen);
    connect(gate_, &EmployeeGate::cardChosen, this, nameChosen);
    connect(home_.get(), &StationScreen::managementPressed, this,
            [this] { PasswordScreen::showManagement(services_, state_, home_.get(), editors_); });
}

} // namespace tc
