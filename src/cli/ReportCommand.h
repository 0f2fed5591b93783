#pragma once

#include "core/files/FileAccess.h"
#include "core/format/DateTime.h"
#include "core/report/WeekReport.h"

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI { // NOLINT(readability-identifier-naming): CLI11's own namespace
class App;
}

namespace tc {

// timeclock-report: a week's hours for payroll, as a table and CSV files.
class ReportCommand {
  public:
    // Every option the command takes; new options join here.
    struct Options {
        std::string week; // any day of the week, YYYY-MM-DD; empty: this week
        std::vector<std::string> folders;
        std::string csv;
        std::string detailCsv;
        std::string jobsCsv;
        std::string overtimeAfter;    // hours; empty: from the settings file
        bool verify = false;          // compare each week file with its journal instead
        std::string seal;             // with verify: a seal the week must have had, XXXX-XXXX-XXXX-XXXX
        bool requireApproved = false; // end with NotApproved when anyone of the week is not approved
        // The [pay] settings by key (PayRules::set); empty: from the settings file.
        std::array<std::string, 9> pay;
        std::string roundingAudit;
        std::string payroll; // a format of PayrollExport
        std::string payrollFile;
    };
    // The [pay] keys that are also options ("--daily-overtime-after").
    static const std::array<const char*, 9> kPayOptions;
    static void addOptions(CLI::App& app, Options& options);

    // Exit codes.
    enum Exit {
        Done = 0,
        BadUsage = 2,
        NoFolder = 3,
        NoWeekFile = 4,
        NotWritten = 5,
        Unexplained = 6,
        Unwitnessed = 7,
        NotApproved = 8
    };

    // Runs the command on `args` (without the program's name). The folder of
    // the program holds the settings file and is the default folder.
    static int run(const std::vector<std::string>& args, const std::string& programFolder,
                   const DateTime& now, FileAccess& files, std::ostream& out, std::ostream& err);

    // The readable table: per employee Mon to Sun, total, regular, overtime
    // and flags; then the hours per job and department.
    static std::string table(const WeekReport& report);
};

} // namespace tc
