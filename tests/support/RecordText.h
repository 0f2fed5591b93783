#pragma once

#include "support/WeekBuilder.h"

#include <algorithm>
#include <sstream>

namespace tc::test {

// A record written on one line: "Ann|IN 8:00a Mon-Feb-3 1001.Dept-1|OUT 4:30:15p", the name, then each
// punch: action, time ("8:00:00 AM", "4:30:15 PM"), date (the punch before's when left out) and job.
// "" is a record never written.
inline TimeRecord rec(const std::string& text) {
    std::istringstream parts(text);
    std::string name, part, t;
    std::getline(parts, name, '|');
    std::vector<Punch> punches;
    while (std::getline(parts, part, '|')) {
        Punch& p = punches.emplace_back();
        std::istringstream(part) >> p.action >> t >> p.date >> p.job;
        p.time = t.substr(0, t.size() - 1) + (std::count(t.begin(), t.end(), ':') == 1 ? ":00" : "") +
                 (t.back() == 'a' ? " AM" : " PM");
        if (p.date.empty() && punches.size() > 1)
            p.date = punches[punches.size() - 2].date;
    }
    return text.empty() ? TimeRecord() : makeRecord(name, punches);
}

inline std::string week(const std::vector<std::string>& records) {
    std::string bytes;
    for (const std::string& r : records)
        bytes += rec(r).view();
    return bytes;
}

} // namespace tc::test
