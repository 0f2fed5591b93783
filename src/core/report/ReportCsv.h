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
    // One row per employee: days, total, regular, overtime (and double time
    // when a rule pays it), flags, whether
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
    // The byte-order mark every file of these starts with, and one row of
    // fields written as above: the one way these files (and the payroll files
    // in their form) write a field, formula-like text escaped.
    // Whether a spreadsheet would run the text as a formula: it begins with
    // =, +, -, @, a tab or a carriage return and is not a number.
    static bool isFormulaLike(std::string_view field);
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    // Without `escapeFormulas` for a file of the program's own that it reads
    // back (payroll.csv), where a text must stay exactly as typed.
    static void row(std::string& out, const std::vector<std::string>& fields, bool escapeFormulas = true);

    // Writes all the files whole or none of them. Refuses any path that is
    // one of the time clock's own files (week files, backups, journals, the
    // lists, the settings, the lock, the programs, the payroll IDs) or lies in
    // a month folder of one of `programFolders`, judged by the resolved path.
    static Status write(FileAccess& files, const std::vector<Output>& outputs,
                        const std::vector<std::string>& programFolders);
};

} // namespace tc
