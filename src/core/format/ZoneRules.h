#pragma once

#include <string>
#include <vector>

namespace tc {

// When a time zone's clocks change, as the C library knows the zone. Stored
// punch times are the station's wall clock; with these rules the report
// counts the time that really passed between two of them.
class ZoneRules {
  public:
    // The machine's zone when `name` is empty; else a zone of the time-zone
    // database ("America/Chicago") or a TZ rule ("CST6CDT,M3.2.0,M11.1.0";
    // on Windows only such a rule).
    explicit ZoneRules(std::string name = {});

    const std::string& name() const { return name_; }
    // Whether this computer can tell the named zone's rules (the machine's: always).
    bool known() const;

    // A change of the clocks: at the wall-clock moment `localAt` (local civil
    // seconds since 1970-01-01, read before the change) they moved by `shift`
    // seconds (+3600 in spring, -3600 in autumn).
    struct Change {
        long long localAt;
        long long shift;
    };
    // The changes with `localAt` in [fromLocal, toLocal), in order.
    std::vector<Change> changes(long long fromLocal, long long toLocal) const;

  private:
    std::string name_;
};

} // namespace tc
