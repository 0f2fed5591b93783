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

} // namespace

DateTime weekMonday(const DateTime& sunday) {
    DateTime monday = sunday.addDays(-6);
    monday.hour = monday.minute = monday.second = 0;
    return monday;
}

long long secondsSinceMonday(const DateTime& monday, const DateTime& at) {
    return (dayNumber(at.year, at.month, at.day) - dayNumber(monday.year, monday.month, monday.day)) *
               kDaySeconds +
           at.secondsOfDay();
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
    if (!isCalendarDate(year, month, day))
        return std::nullopt;
    const DateTime start = makeDateTime(year, month, day);
    if (start.weekday() != weekday)
        return std::nullopt;
    return secondsSinceMonday(monday, start);
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

std::optional<DateTime> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int numbers[3] = {};
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        int& n = numbers[i < 4 ? 0 : i < 7 ? 1 : 2];
        n = n * 10 + (text[i] - '0');
    }
    const auto [year, month, day] = numbers;
    if (year < 1900 || !isCalendarDate(year, month, day))
        return std::nullopt;
    return makeDateTime(year, month, day);
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
