#include "app/StationApp.h"

#include "manage/PassFM.h"
#include "punch/PunchScreens.h"
#include "station/EmployeeGate.h"
#include "station/HomeFM.h"

namespace tc {

StationApp::StationApp(std::string baseFolder, QObject* parent)
    : QObject(parent), state_(std::move(baseFolder)), home_(std::make_unique<HomeFM>(state_)),
      gate_(new EmployeeGate(state_, *home_, home_.get())) {
    connectScreens();
}

StationApp::~StationApp() = default;

void StationApp::start() {
    home_->load();
    gate_->load();
    home_->showStation();
}

void StationApp::connectScreens() {
    // HomeFM::employeePressed(position): ButtonNumber and CurName are set; the
    // action screen opens from here. HomeFM::managementPressed: the password
    // screen opens from here.
    // The employee is made sure of first (the PIN, when turned on); a card
    // read at the board chooses a name as its press would.
    const auto nameChosen = [this](int) { gate_->pass([this] { openActionScreen(state_, *home_); }); };
    connect(home_.get(), &HomeFM::employeePressed, this, nameChosen);
    connect(gate_, &EmployeeGate::cardChosen, this, nameChosen);
    connect(home_.get(), &HomeFM::managementPressed, this,
            [this] { PassFM::showManagement(state_, home_.get(), editors_); });
}

} // namespace tc
