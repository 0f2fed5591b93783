#pragma once

#include <string>

namespace tc {

// A local civil date and time, to the second. The station's clock hands these
// to every routine that needs "now"; nothing in the core reads the system clock.
struct DateTime {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;

    // 0 = Sunday ... 6 = Saturday
    int weekday() const;
    DateTime addDays(int days) const;
    DateTime addSeconds(long long seconds) const;
    int secondsOfDay() const { return hour * 3600 + minute * 60 + second; }

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

DateTime makeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Whether the year, month and day name a day of the (proleptic Gregorian)
// calendar: month 1..12, day 1 up to the month's last day.
bool isCalendarDate(int year, int month, int day);
// Days since 1970-01-01 of a calendar date (isCalendarDate).
long long dayNumber(int year, int month, int day);

// English names, whatever the machine's locale.
const char* weekdayName(int weekday);   // "Sunday"
const char* weekdayAbbrev(int weekday); // "Sun"
const char* monthAbbrev(int month);     // "Jan" (month 1..12)

} // namespace tc
