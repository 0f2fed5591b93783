#include "platform/SettleTime.h"

#include <QAbstractButton>

namespace tc {

void SettleTime::restart() {
    since_ = clock_.milliseconds();
    pressAccepted_ = false;
}

bool SettleTime::settled() const {
    return clock_.milliseconds() - since_ >= kMilliseconds;
}

void SettleTime::watch(QAbstractButton* button) {
    QObject::connect(button, &QAbstractButton::pressed, button, [this] { pressAccepted_ = settled(); });
}

} // namespace tc
