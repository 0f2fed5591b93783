#include "core/sheet/WeekFileCheck.h"

#include "core/files/Paths.h"
#include "core/format/TimeRecord.h"
#include "core/format/WeekFile.h"

#include <cstdint>
#include <filesystem>

namespace tc {

namespace {

namespace fs = std::filesystem;

fs::path fsPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool inAMonthFolder(const std::string& baseFolder, const std::string& path) {
    std::error_code ec;
    const fs::path folder = fsPath(path).parent_path();
    for (int month = 1; month <= 12; ++month)
        if (fs::equivalent(folder, fsPath(monthFolderPath(baseFolder, month)), ec))
            return true;
    return false;
}

} // namespace

Status checkWeekFileForEditing(FileAccess& files, const std::string& baseFolder, const std::string& path,
                               std::string& bytes) {
    bytes.clear();
    const auto refuse = [&](const std::string& why) {
        bytes.clear();
        return Status::fail(path + " is not a week file: " + why + "\r\nNothing was loaded.");
    };
    const auto lengthProblem = [](std::uintmax_t length) -> std::string {
        if (length % TimeRecord::kSize != 0)
            return "its length, " + std::to_string(length) + " bytes, is not a whole number of " +
                   std::to_string(TimeRecord::kSize) + "-byte records.";
        if (length / TimeRecord::kSize > std::uintmax_t(kPositions))
            return "it holds " + std::to_string(length / TimeRecord::kSize) +
                   " records, and a week file holds at most " + std::to_string(kPositions) + ".";
        return {};
    };
    std::error_code ec;
    const fs::file_status status = fs::status(fsPath(path), ec);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return refuse(fs::is_directory(status) ? "it is a folder." : "it is not a regular file.");
    if (!inAMonthFolder(baseFolder, path))
        return refuse("week files lie in the month folders (Jan to Dec) of " + baseFolder + ".");
    // The length is known before the file is read: a huge file is not read.
    if (const std::uintmax_t length = fs::file_size(fsPath(path), ec); !ec && !lengthProblem(length).empty())
        return refuse(lengthProblem(length));
    if (Status st = readWholeFile(files, path, bytes, false); !st)
        return Status::fail(st.message() + "\r\nNothing was loaded.");
    if (const std::string problem = lengthProblem(bytes.size()); !problem.empty())
        return refuse(problem);
    return Status::ok();
}

} // namespace tc
