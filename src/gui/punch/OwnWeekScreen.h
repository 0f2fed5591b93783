#pragma once

#include "core/punch/OwnWeek.h"
#include "platform/Services.h"
#include "platform/SettleTime.h"

#include <QWidget>

class QTimer;

namespace tc {

// The employee's own week over the action screen: each day's hours, the
// total and the flags. It closes by itself after a while, so the next
// employee never finds it open.
class OwnWeekScreen : public QWidget {
    Q_OBJECT

  public:
    static constexpr qint64 kShownMilliseconds = 20000;

    OwnWeekScreen(Services& services, QWidget* stationWindow, const OwnWeek& week);

    // Closes once it has been shown kShownMilliseconds (the timer asks each second).
    void closeIfShownLongEnough();

  private:
    Services& services_;
    qint64 shownAt_ = 0;
    QTimer* timer_ = nullptr;
    SettleTime settle_{services_.monotonic};
};

} // namespace tc
