#pragma once

#include "core/format/DateTime.h"

#include <string>

namespace tc {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// folder + separator + name (the folder has no trailing separator).
std::string pathJoin(const std::string& folder, const std::string& name);
// The folder part of a path (everything before the last separator).
std::string parentFolder(const std::string& path);

inline constexpr const char* kEmployeeListName = "employeelist.txt";
inline constexpr const char* kJobListName = "Jobs.dat";

std::string employeeListPath(const std::string& baseFolder);
std::string jobListPath(const std::string& baseFolder);

// The Sunday that ends the week holding `now`: the first of now + 0..7 days
// that is a Sunday (so on a Sunday, that same day).
DateTime weekEndingSunday(const DateTime& now);
// "Week Ending Sunday Feb 2 2025.dat"
std::string weekFileName(const DateTime& now);
// base / "Feb" / "Week Ending Sunday Feb 2 2025.dat": the month of the Sunday, not of today.
std::string weekFilePath(const std::string& baseFolder, const DateTime& now);
// base / "Jan" ... "Dec"
std::string monthFolderPath(const std::string& baseFolder, int month);

} // namespace tc
