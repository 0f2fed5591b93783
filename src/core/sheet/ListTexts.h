#pragma once

#include "core/files/FileAccess.h"
#include "core/format/ListFiles.h"
#include "core/journal/Journal.h"

#include <array>
#include <string>

namespace tc {

// The texts of the button data editor's boxes (UTF-8): the 24 employee names
// in button order, the 20 job lines, the two clock notes.
struct ListTexts {
    std::array<std::string, kPositions> names;
    std::array<std::string, kJobs> jobs;
    std::array<std::string, 2> notes;
};

// LoadButtonData: the employee list into the name and note boxes, line j of
// the job list into job box j. A missing or short list, or a job line that is
// not a job and its description, is a failure whose message says which; the
// boxes then show what could be read, the rest blank.
Status loadButtonDataBoxes(FileAccess& files, const std::string& baseFolder, ListTexts& boxes);

// What the lists journal needs from a save of the editor: the boxes as the
// editor loaded (or last saved) them, and when and by whom; after the save,
// why the journal could not be written (empty when it was).
struct ListsJournal {
    ListTexts before;
    JournalStamp stamp;
    std::string problem;
};

// Save: refuses, with a message naming the box, any text that the list files
// cannot give back: a double quote in a name, a note or a job item,
// characters the code page lacks, a job box that is not exactly two fields
// (a job and its description; a value holding a comma goes in double quotes).
// Otherwise writes both lists; an emptied job box becomes an empty slot (a
// lone comma) and every job box then shows the line written. With a
// `journal`, the names, notes and jobs that changed, old and new, then go
// into lists.journal; a journal that cannot be written does not undo the
// save (journal->problem says why).
Status saveButtonDataBoxes(FileAccess& files, const std::string& baseFolder, ListTexts& boxes,
                           ListsJournal* journal = nullptr);

} // namespace tc
