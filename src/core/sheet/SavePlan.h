#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tc {

// A button position whose record was changed on this screen and, since the
// file was opened (or last saved), also at the station.
struct SaveConflict {
    int position = 0; // 1..24
    std::string name; // the employee's name, trimmed, for the question to the manager
    // The punches the station stored there since the load that saving the
    // grid's record would remove: "OUT 5:05:00 PM Mon-Feb-3".
    std::vector<std::string> stationPunches;
};

// Punches that the grid would save into another position's record than the
// one they were loaded from (rows of two neighbours under one name that a
// paste ran together, a blank row removed or added above them).
struct PunchMove {
    int from = 0;     // 1..24
    int to = 0;       // 1..24
    std::string name; // the employee at `from`, trimmed; empty when nameless
};

// A cell of the time sheet: its row (1 = the first row below the headings)
// and its column.
struct SheetCell {
    int row = 0;
    int column = 0;
};

// What "Save" is about to write into a week file, worked out against the file
// as it is on disk at the moment of saving (see TimeSheet::planSave).
struct SavePlan {
    // The whole new file: records 1..24, then whatever the disk file holds
    // beyond record 24. With conflicts, these bytes overwrite the station's
    // changes at the conflicting positions (the manager's answer "Save anyway").
    std::string bytes;
    std::vector<SaveConflict> conflicts;
    std::vector<PunchMove> moves;
    // Grid rows (indexes) holding text that no record takes: the 101st row of
    // a full block, and rows below the last position's rows.
    std::vector<int> unsavedRows;
    // The first cell of a record to be written whose text the code-page
    // converter failed on: the record would hold '?' for it, so the week is
    // not saved.
    std::optional<SheetCell> unconverted;
    // Times and dates of the records to be written that cannot be read for
    // sure ("8:30", "25:99", "noon"): saved as typed only when the manager
    // says so; the week report counts no time it would have to guess.
    struct OddCell {
        SheetCell cell;
        std::string column; // its heading
        std::string text;
    };
    std::vector<OddCell> oddCells;

    bool hasConflicts() const { return !conflicts.empty(); }
    // "Ann, Bob, position 7" (a position without a name is named by number).
    std::string conflictNames() const;
    // The question for the manager when there are conflicts.
    std::string conflictQuestion() const;
    // The question for the manager when punches would move.
    std::string moveQuestion() const;
    // The question for the manager when rows would not be saved.
    std::string unsavedRowsQuestion() const;
    // The question for the manager when times or dates are in an odd form.
    std::string oddCellsQuestion() const;
};

} // namespace tc
