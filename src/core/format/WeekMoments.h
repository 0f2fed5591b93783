#pragma once

#include "core/format/DateTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// Moments inside a week, as whole seconds from the Monday 00:00 that starts
// it. Stored times are naive local times: no time zone, no clock change, so
// a week is always 7 x 86400 seconds.
inline constexpr long long kDaySeconds = 86400;
inline constexpr long long kWeekSeconds = 7 * kDaySeconds;

// The Monday that starts the week ending on `sunday`.
DateTime weekMonday(const DateTime& sunday);
// The moment `at` counted from `monday` 00:00 (negative before it, beyond
// kWeekSeconds after that week).
long long secondsSinceMonday(const DateTime& monday, const DateTime& at);

// The start of a stored "ddd-mmm-d" date's day. The year is not stored: it
// is the year of the file's Sunday, or the year before for a December date
// in a week that ends in January. A date whose weekday does not fit its day,
// or that does not exist, cannot be read (nullopt). The result counts from
// `monday` 00:00 and may fall outside that week; a punch's moment is this
// plus its time of day (parseTimeOfDay).
std::optional<long long> storedDay(std::string_view storedDate, const DateTime& fileSunday,
                                   const DateTime& monday);

// "2009-02-04 16:02:00" for a moment counted from `monday`.
std::string formatStamp(const DateTime& monday, long long seconds);
// "Wed 4:02 PM"
std::string formatDayTime(const DateTime& monday, long long seconds);
// "2009-02-08"
std::string formatIsoDate(const DateTime& day);
// A day written as formatIsoDate writes it, from the year 1900 on; anything
// else (another form, a day the calendar lacks) is nullopt.
std::optional<DateTime> parseIsoDate(std::string_view text);
// Hours with two decimals, rounded half up from whole seconds: 28818 s -> "8.01".
std::string formatHours(long long seconds);
// Whole seconds in hundredths of an hour, rounded half up: 28818 s -> 801.
long long hundredthsOf(long long seconds);
// Hundredths of an hour with two decimals: 801 -> "8.01".
std::string formatShownHours(long long hundredths);
// Shares `totalHundredths` among parts given in whole seconds, so that the
// parts shown add up to the total shown: each part gets its whole hundredths,
// and those left over go one each to the parts with the largest remainders
// (the earlier part on a tie).
std::vector<long long> shareHundredths(long long totalHundredths, const std::vector<long long>& partSeconds);

} // namespace tc
