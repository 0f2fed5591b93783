#pragma once

#include "core/files/FileAccess.h"

#include <string>
#include <string_view>

namespace tc {

// The list editor's save replaces two files and appends to lists.journal; a
// crash between them must not leave a new employee list beside an old job
// list. Both temporary files are made whole first; then a small record
// beside them ("lists.saving", holding the journal's lines) marks the point
// of no return; then both are renamed, the lines appended and the record
// removed. finishListSave completes whatever a crash left.
inline constexpr const char* kListsSavingName = "lists.saving";
// Far more than the lines of one save of 24 names, 2 notes and 20 jobs.
inline constexpr std::size_t kMaxListsSavingBytes = std::size_t(1) << 20;
std::string listsSavingPath(const std::string& baseFolder);

// Replaces employeelist.txt and Jobs.dat with the given bytes as one, then
// appends `journalLines` (may be empty) to lists.journal. A failure before
// the record is made changes nothing; a rename failing after it leaves the
// record for finishListSave and says so. A journal that cannot be written
// does not undo the save: `journalProblem` says why (empty when it was).
Status saveListsTogether(FileAccess& files, const std::string& baseFolder, std::string_view employeeBytes,
                         std::string_view jobBytes, std::string_view journalLines,
                         std::string& journalProblem);

// At station start and when the list editor opens: with a record there, the
// renames still to do are done and the journal's lines appended unless the
// journal already ends with them, then the record goes; without one, the
// lists' stray temporary files go. A record that is damaged, too large, a
// link or not a regular file is reported and nothing is touched.
Status finishListSave(FileAccess& files, const std::string& baseFolder);

} // namespace tc
