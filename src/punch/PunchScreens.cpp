#include "punch/PunchScreens.h"

#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "punch/ClockOutQuestionFM.h"
#include "punch/NameFM.h"
#include "punch/PunchRecorder.h"
#include "station/AppState.h"
#include "station/StationControl.h"

#include <QWidget>

namespace tc {

NameFM* openActionScreen(AppState& state, StationControl& station) {
    if (station.punchInProgress())
        return nullptr;
    station.setPunchInProgress(true);
    if (ClockOutQuestionFM::askIfForgotten(state, station))
        return nullptr;
    return showActionScreen(state, station);
}

NameFM* showActionScreen(AppState& state, StationControl& station) {
    auto* screen = new NameFM(state, station);
    screen->load();
    screen->show();
    screen->raise();
    screen->activateWindow();
    return screen;
}

namespace punchscreens {

bool storePunch(QWidget* screen, AppState& state, StationControl& station) {
    const Status st = RecordPunch(state, Clock::now(), Clock::utcOffsetSeconds());
    if (!st) {
        Messages::show(screen, QString::fromStdString(st.message()), Messages::OkOnly);
        return false;
    }
    station.UpdateStatusBoard();
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
