#pragma once

#include "cli/ReportCommand.h"
#include "core/files/FileAccess.h"

#include <sstream>
#include <string>
#include <vector>

namespace tc::test {

// timeclock-report run on `args` from the program folder `folder` at `now`:
// its exit code and what it wrote to standard output and to standard error.
struct ReportRun {
    int code;
    std::string out, err;
};

inline ReportRun runReport(const std::vector<std::string>& args, const std::string& folder,
                           const DateTime& now) {
    std::ostringstream out, err;
    const int code = ReportCommand::run(args, folder, now, realFiles(), out, err);
    return {code, out.str(), err.str()};
}

} // namespace tc::test
