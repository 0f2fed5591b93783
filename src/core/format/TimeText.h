#pragma once

#include "core/format/DateTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace tc {

// "h:mm:ss AM/PM": hour 1..12 without a leading zero, AM/PM in capitals.
std::string formatTime(const DateTime& t);
// "ddd-mmm-d": Mon-Jan-5.
std::string formatDate(const DateTime& t);
// "dddd mmm d yyyy": Sunday Feb 2 2025.
std::string formatWeekName(const DateTime& t);

// Reads a time of day as a person or the punch recorder wrote it and returns
// seconds since midnight. Accepts "h:mm[:ss]" with an optional AM/PM (any
// case, with or without a space) and 24-hour "hh:mm[:ss]". Leading and
// trailing blanks are ignored. Anything else (empty text included) is nullopt.
std::optional<int> parseTimeOfDay(std::string_view text);

// parseTimeOfDay, but a time that may be morning or afternoon ("8:30",
// "1:00", "12:15": an hour of 1 to 12 without AM or PM) is nullopt: it is
// never guessed.
std::optional<int> parseClearTimeOfDay(std::string_view text);
// Whether the text is a "ddd-mmm-d" date, letter case and a leading zero of
// the day aside.
bool isDateText(std::string_view text);
// Whether two texts are the same "ddd-mmm-d" date, letter case and a
// leading zero of the day aside ("Mon-Feb-3", "MON-FEB-03").
bool sameDateText(std::string_view a, std::string_view b);

// Length of a worked period in seconds. When `to` is earlier than `from`
// the period ran past midnight and a day is added, but only when the two
// stored dates differ: on the same date an earlier time means the clock went
// back (the autumn change, a corrected clock) and the period counts 0. A
// later time counts as it is; the dates are not compared.
long long periodSeconds(int fromSeconds, int toSeconds, std::string_view fromDate, std::string_view toDate);

// Shortest decimal text of a count of hundredths: 800 -> "8", 450 -> "4.5",
// 33 -> "0.33", 799 -> "7.99". `decimalSeparator` is the machine's own (the
// screen passes it in; the core knows no locale).
std::string formatHundredths(long long hundredths, char decimalSeparator = '.');

// Removes spaces (only spaces, as the stored fields are space padded) from both ends.
std::string_view trimSpaces(std::string_view s);
std::string trimSpaces(const std::string& s);

} // namespace tc
