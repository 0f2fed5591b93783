#include "core/format/ZoneRules.h"

#include "core/format/WeekMoments.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <system_error>

namespace tc {

namespace {

// The named zone in force for the C library while it lives; the one before
// is put back after.
class ZoneInForce {
  public:
    explicit ZoneInForce(const std::string& name) : name_(name) {
        if (name_.empty())
            return;
        if (const char* was = std::getenv("TZ"))
            was_ = was;
        setZone(name_.c_str());
    }
    ~ZoneInForce() {
        if (!name_.empty())
            setZone(was_ ? was_->c_str() : nullptr);
    }
    ZoneInForce(const ZoneInForce&) = delete;
    ZoneInForce& operator=(const ZoneInForce&) = delete;

  private:
    static void setZone(const char* value) {
#ifdef _WIN32
        _putenv_s("TZ", value ? value : "");
        _tzset();
#else
        value ? setenv("TZ", value, 1) : unsetenv("TZ");
        tzset();
#endif
    }
    std::string name_;
    std::optional<std::string> was_;
};

// Local civil time minus universal time at the moment `utc`.
long long offsetAt(long long utc) {
    const std::time_t t = std::time_t(utc);
    std::tm tm{};
#ifdef _WIN32
    if (localtime_s(&tm, &t) != 0)
        return 0;
#else
    if (!localtime_r(&t, &tm))
        return 0;
#endif
    const long long civil = dayNumber(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) * kDaySeconds +
                            tm.tm_hour * 3600LL + tm.tm_min * 60LL + tm.tm_sec;
    return civil - utc;
}

} // namespace

ZoneRules::ZoneRules(std::string name) : name_(std::move(name)) {}

bool ZoneRules::known() const {
    if (name_.empty() || std::any_of(name_.begin(), name_.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return true; // the machine's, or a rule with its offsets written out
#ifdef _WIN32
    return false;
#else
    if (name_.find("..") != std::string::npos)
        return false;
    const char* dir = std::getenv("TZDIR");
    std::error_code ec;
    return std::filesystem::is_regular_file(
        std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + "/" + name_, ec);
#endif
}

std::vector<ZoneRules::Change> ZoneRules::changes(long long fromLocal, long long toLocal) const {
    std::vector<Change> out;
    const ZoneInForce zone(name_);
    // Clocks change a few times a year: look every 6 hours, then find the
    // second by halving.
    constexpr long long kStep = 6 * 3600;
    long long utc = fromLocal - offsetAt(fromLocal);
    long long offset = offsetAt(utc);
    while (utc + offset < toLocal) {
        const long long next = utc + kStep;
        const long long nextOffset = offsetAt(next);
        if (nextOffset != offset) {
            long long before = utc, after = next; // offset at before, nextOffset from after
            while (after - before > 1) {
                const long long mid = before + (after - before) / 2;
                (offsetAt(mid) == offset ? before : after) = mid;
            }
            const long long localAt = after + offset;
            if (localAt >= fromLocal && localAt < toLocal)
                out.push_back({localAt, nextOffset - offset});
        }
        utc = next;
        offset = nextOffset;
    }
    return out;
}

} // namespace tc
