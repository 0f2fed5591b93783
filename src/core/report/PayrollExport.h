#pragma once

#include "core/files/Status.h"
#include "core/report/PayrollIds.h"
#include "core/report/ReportCsv.h"
#include "core/report/WeekReport.h"

#include <string>
#include <vector>

namespace tc {

// A week's paid hours as the file a payroll service imports:
//   adp      ADP Workforce Now paydata: Co Code, Batch ID, File #, Reg Hours,
//            O/T Hours, then double time as the third hours code;
//   gusto    Gusto's hours import: name, employee id, regular, overtime and
//            double-overtime hours;
//   paychex  Paychex Flex: one row per employee, pay component and day, with
//            the job of the day;
//   iif      QuickBooks Desktop time activities (IIF, tab-separated): one row
//            per employee, day and job.
// The hours are the report's as shown: each file's rows add up to them.
class PayrollExport {
  public:
    static const std::vector<std::string>& formats();

    // The file's bytes. Refused, naming them, when an employee with hours has
    // no payroll ID, when a setting the format needs is missing, or (iif)
    // when a text cannot be written in its form.
    static Status make(const std::string& format, const WeekReport& report, const PayrollIds& ids,
                       std::string& bytes);

    // The whole export: the payroll IDs of the program in `baseFolder`, the
    // file's bytes, written whole or not at all by ReportCsv::write, never
    // over a file of that program or of the report's folders.
    static Status exportWeek(FileAccess& files, const std::string& baseFolder, const std::string& format,
                             const WeekReport& report, const std::string& path);
    // The same up to the writing, for a caller writing other files with it.
    static Status prepare(FileAccess& files, const std::string& baseFolder, const std::string& format,
                          const WeekReport& report, const std::string& path, ReportCsv::Output& out);

  private:
    static std::string adp(const WeekReport& report, const PayrollIds& ids);
    static std::string gusto(const WeekReport& report, const PayrollIds& ids);
    static std::string paychex(const WeekReport& report, const PayrollIds& ids);
    static Status iif(const WeekReport& report, const PayrollIds& ids, std::string& bytes);
};

} // namespace tc
