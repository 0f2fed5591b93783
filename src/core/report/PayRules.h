#pragma once

#include "core/files/Status.h"

#include <array>
#include <optional>
#include <string>

namespace tc {

struct PersonWeek;
struct WeekReport;

// The rules of pay beyond weekly overtime, from the settings file's [pay]
// section or the command's options. Each is off until set, and then the
// report is what it always was.
struct PayRules {
    std::optional<long long> dailyOvertimeAfterSeconds;
    std::optional<long long> dailyDoubleTimeAfterSeconds;
    bool seventhDay = false; // the seventh day worked in a row: 8 hours overtime, then double time
    int roundMinutes = 0;    // 0: punches are paid as stored
    std::optional<long long> mealAfterSeconds;
    long long mealBreakSeconds = 30 * 60;
    // For the payroll files.
    std::string adpCompanyCode;
    std::string adpBatchId;
    std::string paychexClientId;

    bool dayRules() const { return dailyOvertimeAfterSeconds || dailyDoubleTimeAfterSeconds || seventhDay; }
    bool doubleTime() const { return dailyDoubleTimeAfterSeconds || seventhDay; }
    bool any() const { return dayRules() || roundMinutes > 0 || mealAfterSeconds; }

    // Sets one setting from its text ("daily-overtime-after", "8"). An unknown
    // key or a value that cannot be used is an error naming the key and `where`
    // (the settings file, or "the command line").
    Status set(const std::string& key, const std::string& value, const std::string& where);
    // The keys set() takes, for the messages that list them.
    static const char* keys();
};

// A punch's moment rounded to the nearest multiple of `minutes` (half way:
// up), for pay only.
long long roundForPay(long long seconds, int minutes);

// Each counted span's paid start and end from its punches rounded for pay;
// the days, totals and jobs become the paid hours. The exact hours stay in
// PersonWeek::exactSeconds.
void roundSpansForPay(WeekReport& report, int minutes);

// A week's paid seconds per day (Monday first) split into regular, overtime
// and double time: per day double time after its threshold, daily overtime up
// to it, the seventh day in a row (all of Monday to Sunday worked) 8 hours
// overtime and the rest double time, then weekly overtime from the regular
// hours alone, day by day.
struct DaySplit {
    std::array<long long, 7> regular{}, overtime{}, doubleTime{};
};
DaySplit splitDays(const std::array<long long, 7>& daySeconds, const PayRules& rules,
                   long long weeklyOvertimeAfterSeconds);
// The person's overtime and double time by splitDays.
void splitOvertime(PersonWeek& person, const PayRules& rules, long long weeklyOvertimeAfterSeconds);

// Flags each stretch of work longer than the rules' hours without a break of
// at least their minutes.
void flagMealBreaks(WeekReport& report, const PayRules& rules);

// All of the above in their order; nothing when no rule is on. The hours as
// shown are shared out after it (shareReportHundredths).
void applyPayRules(WeekReport& report, const PayRules& rules);

} // namespace tc
