#include "core/format/DateTime.h"

#include <chrono>

namespace tc {

namespace {

std::chrono::sys_days toDays(const DateTime& d) {
    return std::chrono::sys_days(std::chrono::year(d.year) / std::chrono::month(unsigned(d.month)) /
                                 std::chrono::day(unsigned(d.day)));
}

DateTime fromDays(std::chrono::sys_days days, const DateTime& timeOfDay) {
    std::chrono::year_month_day ymd(days);
    DateTime r = timeOfDay;
    r.year = int(ymd.year());
    r.month = int(unsigned(ymd.month()));
    r.day = int(unsigned(ymd.day()));
    return r;
}

const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kWeekdayAbbrevs[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

int DateTime::weekday() const {
    return int(std::chrono::weekday(toDays(*this)).c_encoding());
}

DateTime DateTime::addDays(int days) const {
    return fromDays(toDays(*this) + std::chrono::days(days), *this);
}

DateTime DateTime::addSeconds(long long seconds) const {
    long long total = secondsOfDay() + seconds;
    long long dayShift = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
    long long rest = total - dayShift * 86400;
    DateTime r = addDays(int(dayShift));
    r.hour = int(rest / 3600);
    r.minute = int(rest / 60 % 60);
    r.second = int(rest % 60);
    return r;
}

DateTime makeDateTime(int year, int month, int day, int hour, int minute, int second) {
    return DateTime{year, month, day, hour, minute, second};
}

bool isCalendarDate(int year, int month, int day) {
    // std::chrono::year holds -32767..32767 only.
    return year >= int(std::chrono::year::min()) && year <= int(std::chrono::year::max()) && month >= 1 &&
           month <= 12 && day >= 1 && day <= 31 &&
           std::chrono::year_month_day(std::chrono::year(year), std::chrono::month(unsigned(month)),
                                       std::chrono::day(unsigned(day)))
               .ok();
}

long long dayNumber(int year, int month, int day) {
    return toDays(makeDateTime(year, month, day)).time_since_epoch().count();
}

const char* weekdayName(int weekday) {
    return kWeekdays[((weekday % 7) + 7) % 7];
}
const char* weekdayAbbrev(int weekday) {
    return kWeekdayAbbrevs[((weekday % 7) + 7) % 7];
}
const char* monthAbbrev(int month) {
    return (month >= 1 && month <= 12) ? kMonths[month - 1] : "???";
}

} // namespace tc
