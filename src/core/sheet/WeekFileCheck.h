#pragma once

#include "core/files/FileAccess.h"

#include <string>

namespace tc {

// Reads `path` for the time sheet into `bytes`, after making sure it is a
// week file: a regular file in one of the month folders Jan..Dec directly
// beneath `baseFolder`, whose length is a whole number of records (0 to 24).
// Anything else (the job list, a folder, a file typed into the dialog from
// elsewhere) is refused with a message naming the file and why, before the
// screen could save a week over it.
Status checkWeekFileForEditing(FileAccess& files, const std::string& baseFolder, const std::string& path,
                               std::string& bytes);

} // namespace tc
