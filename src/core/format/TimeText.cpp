#include "core/format/TimeText.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace tc {

std::string formatTime(const DateTime& t) {
    int h12 = t.hour % 12;
    if (h12 == 0)
        h12 = 12;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
    return buf;
}

std::string formatDate(const DateTime& t) {
    return std::string(weekdayAbbrev(t.weekday())) + "-" + monthAbbrev(t.month) + "-" + std::to_string(t.day);
}

std::string formatWeekName(const DateTime& t) {
    return std::string(weekdayName(t.weekday())) + " " + monthAbbrev(t.month) + " " + std::to_string(t.day) +
           " " + std::to_string(t.year);
}

std::string_view trimSpaces(std::string_view s) {
    // A plain loop: find_first_not_of is a general set search, and the time
    // sheet trims every cell of a full week several times over.
    size_t b = 0;
    size_t e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return s.substr(b, e - b);
}

std::string trimSpaces(const std::string& s) {
    return std::string(trimSpaces(std::string_view(s)));
}

namespace {

bool readNumber(std::string_view s, size_t& pos, int& value, size_t maxDigits) {
    size_t start = pos;
    value = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])) && pos - start < maxDigits) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
    }
    return pos > start;
}

// The form the punch recorder stores ("7:05:00 AM", "12:30:00 PM", space
// padded), read without the general scan: a report reads thousands of them.
// -1 only says "not that form"; the general reader then decides.
int storedTime(std::string_view s) {
    if (s.size() < 10)
        return -1;
    const char* p = s.data();
    int hour = 0;
    if (p[1] == ':' && p[0] >= '1' && p[0] <= '9') {
        hour = p[0] - '0';
        p += 2;
    } else if (p[2] == ':' && p[0] == '1' && p[1] >= '0' && p[1] <= '2' && s.size() >= 11) {
        hour = 10 + (p[1] - '0');
        p += 3;
    } else {
        return -1;
    }
    // "mm:ss AM" follows; digits as unsigned so that one test bounds each.
    const unsigned m1 = unsigned(p[0] - '0'), m2 = unsigned(p[1] - '0');
    const unsigned s1 = unsigned(p[3] - '0'), s2 = unsigned(p[4] - '0');
    if (m1 > 5 || m2 > 9 || s1 > 5 || s2 > 9 || p[2] != ':' || p[5] != ' ' || (p[6] != 'A' && p[6] != 'P') ||
        p[7] != 'M')
        return -1;
    for (const char* q = p + 8; q < s.data() + s.size(); ++q)
        if (*q != ' ')
            return -1;
    const int hour24 = (hour == 12 ? 0 : hour) + (p[6] == 'P' ? 12 : 0);
    return hour24 * 3600 + int(m1 * 10 + m2) * 60 + int(s1 * 10 + s2);
}

} // namespace

std::optional<int> parseTimeOfDay(std::string_view text) {
    if (const int stored = storedTime(text); stored >= 0)
        return stored;
    std::string_view s = trimSpaces(text);
    size_t pos = 0;
    int h = 0, m = 0, sec = 0;
    if (!readNumber(s, pos, h, 2))
        return std::nullopt;
    if (pos >= s.size() || s[pos] != ':')
        return std::nullopt;
    ++pos;
    size_t mStart = pos;
    if (!readNumber(s, pos, m, 2) || pos - mStart != 2)
        return std::nullopt;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        size_t sStart = pos;
        if (!readNumber(s, pos, sec, 2) || pos - sStart != 2)
            return std::nullopt;
    }
    while (pos < s.size() && s[pos] == ' ')
        ++pos;
    std::string_view rest = s.substr(pos);
    if (m > 59 || sec > 59)
        return std::nullopt;
    if (rest.empty()) {
        if (h > 23)
            return std::nullopt;
    } else {
        if (rest.size() != 2 || (std::toupper(static_cast<unsigned char>(rest[1])) != 'M'))
            return std::nullopt;
        char ap = char(std::toupper(static_cast<unsigned char>(rest[0])));
        if ((ap != 'A' && ap != 'P') || h < 1 || h > 12)
            return std::nullopt;
        h %= 12;
        if (ap == 'P')
            h += 12;
    }
    return h * 3600 + m * 60 + sec;
}

std::optional<int> parseClearTimeOfDay(std::string_view text) {
    if (const int stored = storedTime(text); stored >= 0)
        return stored;
    const std::optional<int> t = parseTimeOfDay(text);
    const std::string_view s = trimSpaces(text);
    const bool amPm = !s.empty() && (s.back() == 'M' || s.back() == 'm');
    if (!t || amPm)
        return t;
    const int hour = *t / 3600;
    return hour >= 1 && hour <= 12 ? std::nullopt : t;
}

namespace {

// Weekday, month and day of a "ddd-mmm-d" date, letter case and a leading
// zero of the day aside; {-1, -1, -1} when it is not one.
std::array<int, 3> dateParts(std::string_view text) {
    const std::string_view s = trimSpaces(text);
    const std::array<int, 3> none{-1, -1, -1};
    if (s.size() < 9 || s.size() > 10 || s[3] != '-' || s[7] != '-')
        return none;
    const auto same = [](std::string_view a, const char* b) {
        for (std::size_t i = 0; i < 3; ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) !=
                std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    std::array<int, 3> parts = none;
    for (int d = 0; d < 7; ++d)
        if (same(s.substr(0, 3), weekdayAbbrev(d)))
            parts[0] = d;
    for (int m = 1; m <= 12; ++m)
        if (same(s.substr(4, 3), monthAbbrev(m)))
            parts[1] = m;
    int day = 0;
    for (char c : s.substr(8)) {
        if (c < '0' || c > '9')
            return none;
        day = day * 10 + (c - '0');
    }
    if (parts[0] < 0 || parts[1] < 0 || day < 1 || day > 31)
        return none;
    parts[2] = day;
    return parts;
}

} // namespace

bool isDateText(std::string_view text) {
    return dateParts(text)[0] >= 0;
}

bool sameDateText(std::string_view a, std::string_view b) {
    const std::array<int, 3> x = dateParts(a);
    return x[0] >= 0 && x == dateParts(b);
}

long long periodSeconds(int fromSeconds, int toSeconds, std::string_view fromDate, std::string_view toDate) {
    long long span = (long long)toSeconds - fromSeconds;
    if (toSeconds < fromSeconds) {
        if (trimSpaces(fromDate) == trimSpaces(toDate))
            return 0;
        span += 86400;
    }
    return span;
}

std::string formatHundredths(long long hundredths, char decimalSeparator) {
    bool negative = hundredths < 0;
    unsigned long long v = negative ? 0ULL - (unsigned long long)hundredths : (unsigned long long)hundredths;
    std::string text = std::to_string(v / 100);
    unsigned frac = unsigned(v % 100);
    if (frac != 0) {
        text += decimalSeparator;
        text += char('0' + frac / 10);
        if (frac % 10 != 0)
            text += char('0' + frac % 10);
    }
    return negative ? "-" + text : text;
}

} // namespace tc
