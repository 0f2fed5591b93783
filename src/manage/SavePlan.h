#pragma once

#include <string>
#include <vector>

namespace tc {

// A button position whose record was changed on this screen and, since the
// file was opened (or last saved), also at the station.
struct SaveConflict {
    int position = 0; // 1..24
    std::string name; // the employee's name, trimmed, for the question to the manager
};

// What "Save" is about to write into a week file, worked out against the file
// as it is on disk at the moment of saving (see TimeSheet::planSave).
struct SavePlan {
    // The whole new file: records 1..24, then whatever the disk file holds
    // beyond record 24. With conflicts, these bytes overwrite the station's
    // changes at the conflicting positions (the manager's answer "Save anyway").
    std::string bytes;
    std::vector<SaveConflict> conflicts;
    // Grid rows (indexes) holding text that no record takes: the 101st row of
    // a full block, and rows below the last position's rows.
    std::vector<int> unsavedRows;

    bool hasConflicts() const { return !conflicts.empty(); }
    // "Ann, Bob, position 7" (a position without a name is named by number).
    std::string conflictNames() const;
    // The question for the manager when there are conflicts.
    std::string conflictQuestion() const;
};

} // namespace tc
