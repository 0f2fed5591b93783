#pragma once

#include "core/files/FileAccess.h"

#include <string>
#include <utility>
#include <vector>

namespace tc {

// Each employee's id at the payroll service, kept in "payroll.csv" beside the
// program: a header line "Name,Payroll ID", then one employee a line, UTF-8
// (a byte-order mark is allowed) in the CSV form of the report's files.
class PayrollIds {
  public:
    static constexpr const char* kFileName = "payroll.csv";
    static constexpr std::size_t kMaxBytes = 256 * 1024;

    std::vector<std::pair<std::string, std::string>> entries; // name (trimmed), id

    // The id of this name; empty when it has none.
    std::string idOf(const std::string& name) const;

    static std::string path(const std::string& baseFolder);
    // Whether the path's file name is kFileName in any letter case (no
    // export may replace it, in whichever folder).
    static bool isItsFile(const std::string& path);
    // A missing file is an empty list. A file that is not a regular file, is
    // reached through a link, is larger than kMaxBytes or cannot be read as
    // the two columns is an error naming it and its line.
    static Status read(FileAccess& files, const std::string& baseFolder, PayrollIds& out);
    // Writes the whole file (replaceFile). A name or id with a line break is
    // refused, as are two lines for one name.
    static Status write(FileAccess& files, const std::string& baseFolder, const PayrollIds& ids);
};

} // namespace tc
