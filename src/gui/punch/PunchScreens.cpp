#include "gui/punch/PunchScreens.h"

#include "core/punch/PunchRecorder.h"
#include "core/punch/StationState.h"
#include "gui/punch/ActionScreen.h"
#include "gui/punch/ClockOutQuestionScreen.h"
#include "gui/station/StationControl.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Messages.h"

#include <QWidget>

namespace tc {

ActionScreen* openActionScreen(StationState& state, StationControl& station) {
    if (station.punchInProgress())
        return nullptr;
    station.setPunchInProgress(true);
    if (ClockOutQuestionScreen::askIfForgotten(state, station))
        return nullptr;
    return showActionScreen(state, station);
}

ActionScreen* showActionScreen(StationState& state, StationControl& station) {
    auto* screen = new ActionScreen(state, station);
    screen->load();
    screen->show();
    screen->raise();
    screen->activateWindow();
    return screen;
}

namespace punchscreens {

bool storePunch(QWidget* screen, StationState& state, StationControl& station) {
    const Status st = recordPunch(state, state.punch, Clock::now(), Clock::utcOffsetSeconds());
    if (!st) {
        Messages::show(screen, QString::fromStdString(st.message()), Messages::OkOnly);
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
