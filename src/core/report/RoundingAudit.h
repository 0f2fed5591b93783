#pragma once

#include "core/report/WeekReport.h"

#include <string>
#include <vector>

namespace tc {

// What rounding punches for pay did to each employee's week: the exact hours,
// the paid hours and the minutes the employee gained (negative: lost), with
// the shop's total last. Over many weeks it shows whether rounding is neutral.
class RoundingAudit {
  public:
    struct Row {
        std::string name; // "Total" for the shop's row
        long long exactSeconds = 0;
        long long paidSeconds = 0;
        std::string exactHours;    // "8.23"
        std::string paidHours;     // "8.00"
        std::string minutesGained; // "-14.00"
    };
    static std::vector<Row> rows(const WeekReport& report);
    // Week Ending,Name,Exact Hours,Paid Hours,Minutes Gained (ReportCsv's form).
    static std::string csv(const WeekReport& report);
};

} // namespace tc
