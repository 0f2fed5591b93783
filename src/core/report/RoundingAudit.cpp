#include "core/report/RoundingAudit.h"

#include "core/format/WeekMoments.h"
#include "core/report/ReportCsv.h"

namespace tc {

namespace {

// Seconds as minutes with two decimals, rounded half away from zero.
std::string minutesText(long long seconds) {
    const long long magnitude = seconds < 0 ? -seconds : seconds;
    const long long hundredths = (magnitude * 10 + 3) / 6;
    return formatShownHours(seconds < 0 ? -hundredths : hundredths);
}

RoundingAudit::Row makeRow(std::string name, long long exact, long long paid, long long paidHundredths) {
    return {std::move(name),          exact, paid, formatHours(exact), formatShownHours(paidHundredths),
            minutesText(paid - exact)};
}

} // namespace

std::vector<RoundingAudit::Row> RoundingAudit::rows(const WeekReport& report) {
    std::vector<Row> out;
    long long exact = 0, paid = 0, paidHundredths = 0;
    for (const PersonWeek& p : report.people) {
        out.push_back(makeRow(p.name, p.exactSeconds, p.totalSeconds, p.totalHundredths));
        exact += p.exactSeconds;
        paid += p.totalSeconds;
        paidHundredths += p.totalHundredths;
    }
    out.push_back(makeRow("Total", exact, paid, paidHundredths));
    return out;
}

std::string RoundingAudit::csv(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(ReportCsv::kBom);
    ReportCsv::row(out, {"Week Ending", "Name", "Exact Hours", "Paid Hours", "Minutes Gained"});
    for (const Row& r : rows(report))
        ReportCsv::row(out, {week, r.name, r.exactHours, r.paidHours, r.minutesGained});
    return out;
}

} // namespace tc
