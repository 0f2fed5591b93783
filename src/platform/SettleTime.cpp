#include "platform/SettleTime.h"

#include "platform/MonotonicClock.h"

#include <QAbstractButton>

namespace tc {

void SettleTime::restart() {
    since_ = MonotonicClock::milliseconds();
    pressAccepted_ = false;
}

bool SettleTime::settled() const {
    return MonotonicClock::milliseconds() - since_ >= kMilliseconds;
}

void SettleTime::watch(QAbstractButton* button) {
    QObject::connect(button, &QAbstractButton::pressed, button, [this] { pressAccepted_ = settled(); });
}

} // namespace tc
