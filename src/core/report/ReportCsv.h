#pragma once

#include "core/files/FileAccess.h"
#include "core/report/WeekReport.h"

#include <string>
#include <string_view>
#include <vector>

namespace tc {

// The week report as CSV for payroll: RFC 4180 (fields with a comma, quote
// or line end quoted, quotes doubled), UTF-8 with a byte-order mark so
// spreadsheets read accents, CR LF after every line. Each file ends with a
// row "Seal" and the week's seal.
class ReportCsv {
  public:
    // One row per employee: days, total, regular, overtime, flags, whether
    // approved and whether the week is closed; then one row per file that
    // could not be read.
    static std::string summary(const WeekReport& report);
    // One row per worked span, or the part of it in the week.
    static std::string detail(const WeekReport& report);
    // Hours per job and department.
    static std::string jobs(const WeekReport& report);

    struct Output {
        std::string path;
        std::string bytes;
    };
    // Where the export is offered first: "Week Ending 2009-02-08.csv" in
    // the program folder.
    static std::string suggestedPath(const std::string& baseFolder, const WeekReport& report);
    // The three files of an export: the summary at `chosenPath` (".csv"
    // added unless it ends so, in any case), " detail.csv" and " jobs.csv"
    // beside it.
    static std::vector<Output> exportFiles(const std::string& chosenPath, const WeekReport& report);

    // Writes all the files whole or none of them. Refuses any path that is
    // one of the time clock's own files (week files, backups, journals, the
    // lists, the settings, the lock, the programs) or lies in a month folder
    // of one of `programFolders`, judged by the resolved path.
    static Status write(FileAccess& files, const std::vector<Output>& outputs,
                        const std::vector<std::string>& programFolders);
};

} // namespace tc
