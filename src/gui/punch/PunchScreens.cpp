#include "gui/punch/PunchScreens.h"

#include "core/punch/PunchRecorder.h"
#include "core/punch/StationState.h"
#include "gui/punch/ActionScreen.h"
#include "gui/punch/ClockOutQuestionScreen.h"
#include "gui/station/StationControl.h"
#include "platform/Services.h"

#include <QWidget>

namespace tc {

ActionScreen* openActionScreen(Services& services, StationState& state, StationControl& station,
                               const PunchInProgress& punch) {
    if (station.punchInProgress())
        return nullptr;
    station.setPunchInProgress(true);
    if (ClockOutQuestionScreen::askIfForgotten(services, state, station, punch))
        return nullptr;
    return showActionScreen(services, state, station, punch);
}

ActionScreen* showActionScreen(Services& services, StationState& state, StationControl& station,
                               const PunchInProgress& punch) {
    auto* screen = new ActionScreen(services, state, station, punch);
    screen->load();
    screen->show();
    screen->raise();
    screen->activateWindow();
    return screen;
}

namespace punchscreens {

bool storePunch(Services& services, QWidget* screen, StationState& state, StationControl& station,
                const PunchInProgress& punch) {
    const Status st = recordPunch(state, punch, services.clock.now(), services.clock.utcOffsetSeconds());
    if (!st) {
        services.messages.show(screen, QString::fromStdString(st.message()), Messages::Buttons::OkOnly);
        return false;
    }
    station.updateStatusBoard();
    return true;
}

void unload(QWidget* screen) {
    if (!screen)
        return;
    screen->close();
    screen->deleteLater();
}

} // namespace punchscreens
} // namespace tc
