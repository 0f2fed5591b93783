#include "app/StationApp.h"

#include "manage/PassFM.h"
#include "punch/PunchScreens.h"
#include "station/HomeFM.h"

namespace tc {

StationApp::StationApp(std::string baseFolder, QObject* parent)
    : QObject(parent), state_(std::move(baseFolder)), home_(std::make_unique<HomeFM>(state_)) {
    connectScreens();
}

StationApp::~StationApp() = default;

void StationApp::start() {
    home_->load();
    home_->showStation();
}

void StationApp::connectScreens() {
    // HomeFM::employeePressed(position): ButtonNumber and CurName are set; the
    // action screen opens from here. HomeFM::managementPressed: the password
    // screen opens from here.
    connect(home_.get(), &HomeFM::employeePressed, this, [this](int) { openActionScreen(state_, *home_); });
    connect(home_.get(), &HomeFM::managementPressed, this,
            [this] { PassFM::showManagement(state_, home_.get(), editors_); });
}

} // namespace tc
