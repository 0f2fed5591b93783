#pragma once

#include "data/TimeRecord.h"

#include <string>
#include <vector>

namespace tc::test {

// One punch as the punch recorder stores it.
struct Punch {
    std::string action;
    std::string job;
    std::string time;
    std::string date;
};

// A record as the station writes it: the name and punches 1..n, the rest NUL.
inline TimeRecord makeRecord(const std::string& name, const std::vector<Punch>& punches) {
    using F = TimeRecord::Field;
    TimeRecord r;
    r.setName(name);
    int k = 1;
    for (const Punch& p : punches) {
        r.set(F::Action, k, p.action);
        r.set(F::JobNumber, k, p.job);
        r.set(F::ActTime, k, p.time);
        r.set(F::ActDate, k, p.date);
        ++k;
    }
    return r;
}

// The records one after another: record 1 first.
inline std::string makeFile(const std::vector<TimeRecord>& records) {
    std::string bytes;
    for (const TimeRecord& r : records)
        bytes.append(r.view());
    return bytes;
}

// Text left aligned in a field of `width` characters.
inline std::string pad(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

} // namespace tc::test
