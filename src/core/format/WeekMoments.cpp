#include "core/format/WeekMoments.h"

#include "core/format/TimeText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tc {

namespace {

int monthOf(std::string_view abbrev) {
    static const char* const kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    for (int m = 0; m < 12; ++m)
        if (abbrev.compare(0, 3, kMonths + 3 * m, 3) == 0)
            return m + 1;
    return 0;
}

int weekdayOf(std::string_view abbrev) {
    static const char* const kDays = "SunMonTueWedThuFriSat";
    for (int d = 0; d < 7; ++d)
        if (abbrev.compare(0, 3, kDays + 3 * d, 3) == 0)
            return d;
    return -1;
}

int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

long long dayNumber(int year, int month, int day) {
    // Days from civil (proleptic Gregorian), after H. Hinnant.
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

DateTime weekMonday(const DateTime& sunday) {
    DateTime monday = sunday.addDays(-6);
    monday.hour = monday.minute = monday.second = 0;
    return monday;
}

std::optional<long long> storedDay(std::string_view storedDate, const DateTime& fileSunday,
                                   const DateTime& monday) {
    // "ddd-mmm-d" or "ddd-mmm-dd", space padded.
    const std::string_view date = trimSpaces(storedDate);
    if (date.size() < 9 || date.size() > 10 || date[3] != '-' || date[7] != '-')
        return std::nullopt;
    const int weekday = weekdayOf(date.substr(0, 3));
    const int month = monthOf(date.substr(4, 3));
    int day = 0;
    for (char c : date.substr(8)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        day = day * 10 + (c - '0');
    }
    if (weekday < 0 || month == 0 || (date.size() == 10 && date[8] == '0'))
        return std::nullopt;
    const int year = fileSunday.year - (month == 12 && fileSunday.month == 1 ? 1 : 0);
    if (day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    const long long days = dayNumber(year, month, day);
    // 1970-01-01 was a Thursday (weekday 4).
    if (((days % 7) + 11) % 7 != weekday)
        return std::nullopt;
    return (days - dayNumber(monday.year, monday.month, monday.day)) * kDaySeconds;
}

std::string formatStamp(const DateTime& monday, long long seconds) {
    const DateTime t = monday.addSeconds(seconds);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buf;
}

std::string formatDayTime(const DateTime& monday, long long seconds) {
    const DateTime t = monday.addSeconds(seconds);
    const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s %d:%02d %s", weekdayAbbrev(t.weekday()), h12, t.minute,
                  t.hour < 12 ? "AM" : "PM");
    return buf;
}

std::string formatIsoDate(const DateTime& day) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", day.year, day.month, day.day);
    return buf;
}

long long hundredthsOf(long long seconds) {
    // Hundredths of an hour are 36 seconds; half of one rounds up.
    return seconds < 0 ? -((18 - seconds) / 36) : (seconds + 18) / 36;
}

std::string formatShownHours(long long hundredths) {
    const bool negative = hundredths < 0;
    const unsigned long long h =
        negative ? 0ULL - (unsigned long long)hundredths : (unsigned long long)hundredths;
    const unsigned frac = unsigned(h % 100);
    return (negative ? "-" : "") + std::to_string(h / 100) + (frac < 10 ? ".0" : ".") + std::to_string(frac);
}

std::string formatHours(long long seconds) {
    return formatShownHours(hundredthsOf(seconds));
}

std::vector<long long> shareHundredths(long long totalHundredths, const std::vector<long long>& partSeconds) {
    std::vector<long long> shares(partSeconds.size());
    std::vector<std::size_t> order(partSeconds.size());
    long long left = totalHundredths;
    for (std::size_t i = 0; i < partSeconds.size(); ++i) {
        shares[i] = partSeconds[i] / 36;
        left -= shares[i];
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&partSeconds](std::size_t a, std::size_t b) {
        return partSeconds[a] % 36 > partSeconds[b] % 36;
    });
    for (std::size_t i = 0; left > 0 && !order.empty(); ++i, --left)
        ++shares[order[i % order.size()]];
    return shares;
}

} // namespace tc
