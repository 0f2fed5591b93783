#include "core/report/PayRules.h"

#include "core/format/WeekMoments.h"
#include "core/report/ReportSettings.h"
#include "core/report/WeekReport.h"

#include <algorithm>
#include <cctype>

namespace tc {

namespace {

constexpr long long kSeventhDayOvertimeSeconds = 8 * 3600;

Status badValue(const std::string& key, const std::string& where, const std::string& what,
                const std::string& value) {
    return Status::fail("In " + where + ", " + key + " must be " + what + ", not \"" + value + "\".");
}

std::optional<long long> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoll(text);
}

} // namespace

const char* PayRules::keys() {
    return "overtime-after, daily-overtime-after, daily-double-time-after, seventh-day, round-minutes, "
           "meal-after-hours, meal-minutes, adp-company-code, adp-batch-id and paychex-client-id";
}

Status PayRules::set(const std::string& key, const std::string& value, const std::string& where) {
    if (key == "daily-overtime-after" || key == "daily-double-time-after" || key == "meal-after-hours") {
        const std::optional<long long> seconds = parseHours(value);
        if (!seconds || *seconds > 24 * 3600)
            return badValue(key, where, "a number of hours in a day such as 8 or 7.5", value);
        (key == "daily-overtime-after"      ? dailyOvertimeAfterSeconds
         : key == "daily-double-time-after" ? dailyDoubleTimeAfterSeconds
                                            : mealAfterSeconds) = *seconds;
    } else if (key == "seventh-day") {
        if (value != "on" && value != "off")
            return badValue(key, where, "on or off", value);
        seventhDay = value == "on";
    } else if (key == "round-minutes") {
        const std::optional<long long> minutes = wholeNumber(value);
        if (!minutes || (*minutes != 0 && *minutes != 5 && *minutes != 6 && *minutes != 10 && *minutes != 15))
            return badValue(key, where, "0, 5, 6, 10 or 15", value);
        roundMinutes = int(*minutes);
    } else if (key == "meal-minutes") {
        const std::optional<long long> minutes = wholeNumber(value);
        if (!minutes || *minutes < 1 || *minutes > 240)
            return badValue(key, where, "a number of minutes from 1 to 240 such as 30", value);
        mealBreakSeconds = *minutes * 60;
    } else if (key == "adp-company-code" || key == "adp-batch-id" || key == "paychex-client-id") {
        if (value.size() > 20 ||
            !std::all_of(value.begin(), value.end(), [](char c) { return std::isalnum((unsigned char)c); }))
            return badValue(key, where, "letters and digits (at most 20)", value);
        (key == "adp-company-code" ? adpCompanyCode
         : key == "adp-batch-id"   ? adpBatchId
                                   : paychexClientId) = value;
    } else {
        return Status::fail("In " + where + ", [pay] has no setting \"" + key + "\" (there are " + keys() +
                            ").");
    }
    return Status::ok();
}

long long roundForPay(long long seconds, int minutes) {
    if (minutes <= 0)
        return seconds;
    const long long step = minutes * 60LL;
    const long long shifted = seconds + step / 2;
    return (shifted >= 0 ? shifted / step : -((-shifted + step - 1) / step)) * step;
}

void roundSpansForPay(WeekReport& report, int minutes) {
    for (PersonWeek& p : report.people) {
        p.daySeconds.fill(0);
        p.totalSeconds = 0;
    }
    for (JobHours& j : report.jobs)
        j.seconds = 0;
    for (WorkedSpan& s : report.spans) {
        s.rounded = true;
        // Only a punch is rounded; a span's end at midnight or at the week's end stays.
        s.paidFrom =
            s.from == s.opened ? std::clamp(roundForPay(s.from, minutes), 0LL, kWeekSeconds) : s.from;
        s.paidTo = s.to == s.closed ? std::clamp(roundForPay(s.to, minutes), 0LL, kWeekSeconds) : s.to;
        s.paidTo = std::max(s.paidTo, s.paidFrom);
        if (!s.counted())
            continue;
        // Paid on the days the rounded span covers: a start rounded past
        // midnight pays nothing on the day before.
        PersonWeek& who = report.people[std::size_t(s.person)];
        const long long paid = s.paidSeconds();
        long long left = paid;
        for (long long t = s.paidFrom; t < s.paidTo && left > 0;) {
            const long long day = t / kDaySeconds;
            const long long end = std::min(s.paidTo, (day + 1) * kDaySeconds);
            const long long part = end == s.paidTo ? left : std::min(left, end - t);
            who.daySeconds[std::size_t(day)] += part;
            left -= part;
            t = end;
        }
        who.totalSeconds += paid;
        report.jobs[std::size_t(s.job)].seconds += paid;
    }
}

DaySplit splitDays(const std::array<long long, 7>& daySeconds, const PayRules& rules,
                   long long weeklyOvertimeAfterSeconds) {
    const bool seventh = rules.seventhDay &&
                         std::all_of(daySeconds.begin(), daySeconds.end(), [](long long s) { return s > 0; });
    DaySplit out;
    long long regularSoFar = 0;
    for (std::size_t d = 0; d < 7; ++d) {
        const long long worked = daySeconds[d];
        long long dayDouble = 0, dayOver = 0;
        if (seventh && d == 6) {
            dayOver = std::min(worked, kSeventhDayOvertimeSeconds);
            dayDouble = worked - dayOver;
        } else {
            if (rules.dailyDoubleTimeAfterSeconds)
                dayDouble = std::max(0LL, worked - *rules.dailyDoubleTimeAfterSeconds);
            if (rules.dailyOvertimeAfterSeconds)
                dayOver = std::max(0LL, worked - dayDouble - *rules.dailyOvertimeAfterSeconds);
        }
        long long regular = worked - dayDouble - dayOver;
        // Only regular hours count toward the week's threshold: no hour is paid extra twice.
        const long long weekly = std::max(0LL, regularSoFar + regular - weeklyOvertimeAfterSeconds);
        regular -= weekly;
        regularSoFar += regular;
        out.regular[d] = regular;
        out.overtime[d] = dayOver + weekly;
        out.doubleTime[d] = dayDouble;
    }
    return out;
}

void splitOvertime(PersonWeek& person, const PayRules& rules, long long weeklyOvertimeAfterSeconds) {
    const DaySplit split = splitDays(person.daySeconds, rules, weeklyOvertimeAfterSeconds);
    person.overtimeSeconds = 0;
    person.doubleTimeSeconds = 0;
    for (std::size_t d = 0; d < 7; ++d) {
        person.overtimeSeconds += split.overtime[d];
        person.doubleTimeSeconds += split.doubleTime[d];
    }
}

void flagMealBreaks(WeekReport& report, const PayRules& rules) {
    if (!rules.mealAfterSeconds)
        return;
    struct Stretch {
        int person = -1;
        long long from = 0, to = 0;
    };
    Stretch stretch;
    auto close = [&]() {
        if (stretch.person >= 0 && stretch.to - stretch.from > *rules.mealAfterSeconds)
            report.people[std::size_t(stretch.person)].flags.push_back(
                "meal break: " + formatHours(stretch.to - stretch.from) + " hours of work from " +
                formatDayTime(report.monday, stretch.from) + " to " +
                formatDayTime(report.monday, stretch.to) + " without a break of " +
                std::to_string(rules.mealBreakSeconds / 60) + " minutes");
    };
    for (const WorkedSpan& s : report.spans) {
        if (!s.counted())
            continue;
        if (s.person == stretch.person && s.opened - stretch.to < rules.mealBreakSeconds) {
            stretch.to = std::max(stretch.to, s.closed);
            continue;
        }
        close();
        stretch = {s.person, s.opened, s.closed};
    }
    close();
}

void applyPayRules(WeekReport& report, const PayRules& rules) {
    report.pay = rules;
    if (!rules.any())
        return;
    if (rules.roundMinutes > 0)
        roundSpansForPay(report, rules.roundMinutes);
    for (PersonWeek& p : report.people)
        splitOvertime(p, rules, report.overtimeAfterSeconds);
    flagMealBreaks(report, rules);
}

} // namespace tc
