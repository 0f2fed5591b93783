#pragma once

#include "data/FileAccess.h"
#include "manage/WeekReport.h"

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
    // Writes each file whole or not at all. Refuses paths that are the
    // program's own data (.dat, .wkb). Stops at the first failure.
    static Status write(FileAccess& files, const std::vector<Output>& outputs);
};

} // namespace tc
