#pragma once

#include "data/FileAccess.h"
#include "manage/WeekReport.h"

#include <string>
#include <string_view>
#include <vector>

namespace tc {

// The week report as CSV for payroll: RFC 4180 (fields with a comma, quote
// or line end quoted, quotes doubled), UTF-8 with a byte-order mark so
// spreadsheets read accents, CR LF after every line.
class ReportCsv {
  public:
    // One row per employee: days, total, regular, overtime, flags; then one
    // row per file that could not be read.
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
    // in their form) write a field.
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    static void row(std::string& out, const std::vector<std::string>& fields);

    // Writes each file whole or not at all. Refuses paths that are the
    // program's own data (.dat, .wkb). Stops at the first failure.
    static Status write(FileAccess& files, const std::vector<Output>& outputs);
};

} // namespace tc
