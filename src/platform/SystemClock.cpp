#include "platform/SystemClock.h"

#include <QDateTime>

namespace tc {

DateTime SystemClock::now() const {
    const QDateTime t = QDateTime::currentDateTime(); // local time, as the week files are kept
    const QDate d = t.date();
    const QTime tm = t.time();
    return makeDateTime(d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second());
}

int SystemClock::utcOffsetSeconds() const {
    return QDateTime::currentDateTime().offsetFromUtc();
}

} // namespace tc
