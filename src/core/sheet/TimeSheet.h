#pragma once

#include "core/format/TimeRecord.h"
#include "core/format/WeekFile.h"
#include "core/sheet/SavePlan.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// The weekly time sheet: a table of texts, row 0 the headings, then one row
// per punch, the 24 button positions one after another. Each position takes
// either an employee block (one row per entry in use, the record's name in
// every row) or one placeholder row with an empty name and no punch. "Save"
// reads the rows back with the same layout, so the layout is the contract
// between the two directions.
//
// Cells hold UTF-8 text; a cell loaded from the file holds the field's whole
// fixed-width text, padding included. No cell holds a TAB, a CR or an LF: the
// grid text of "Copy All" has no quoting, so any of them would split the cell
// when the text is pasted back; each becomes a space when a cell is set or
// loaded. (A save keeps the record on disk for every position the manager
// did not change, so such a field keeps its bytes there.)
//
// Rows loaded from the file remember where their position began, so two
// neighbouring records under one name (or both without one) stay two records
// when saved, through "Copy All" and "Paste All" too; see RowOrigin.
class TimeSheet {
  public:
    static constexpr int kColumns = 6;
    static constexpr int kMinRows = 2000; // heading row + 1999 data rows
    // A full week: the heading row and 100 punches for each of the 24
    // positions. A paste grows the grid up to this size, no further.
    static constexpr int kFullWeekRows = 1 + kPositions * TimeRecord::kEntries;
    enum Column { Name = 0, Action = 1, JobNumber = 2, ActTime = 3, ActDate = 4, Duration = 5 };
    static const std::array<std::string, kColumns>& headings();

    // An empty week's grid, not loaded from any file.
    TimeSheet();

    int rowCount() const { return int(rows_.size()); }
    // Text of a cell; empty outside the grid.
    const std::string& cell(int row, int column) const;
    // False (and nothing changes) outside the grid. A TAB or CR in `text`
    // is stored as a space.
    bool setCell(int row, int column, std::string text);

    // Replaces the whole grid by the week in `fileBytes` (a week file's
    // contents; a short or empty file gives placeholders for the missing
    // records). Rows that the week does not fill are empty afterwards, and the
    // grid grows beyond kMinRows when the week needs more rows. Durations are
    // filled in. The bytes are kept as the base that planSave compares with.
    void load(std::string_view fileBytes);

    // Column 5 of each row of an "IN" or "CHANGE" followed by a row of the
    // same (trimmed) name that does not begin another loaded position: the
    // hours between the two times, cut to hundredths. A time that cannot be
    // read gives its row no duration.
    void fillDurations();

    // The 24 records that the grid's rows make, exactly as "Save" stores them.
    // With `unconverted` (24 entries, one per position), the first cell of
    // each position whose text the code-page converter failed on.
    // With `entryRows` (24 entries), the grid row of each entry of each position (0: none).
    std::vector<TimeRecord> buildRecords(std::vector<int>* unsavedRows = nullptr,
                                         std::vector<std::optional<SheetCell>>* unconverted = nullptr,
                                         std::vector<std::vector<int>>* entryRows = nullptr) const;
    // The file that the grid alone makes: 24 records, 119256 bytes.
    std::string saveBytes() const;

    // Works out what "Save" writes, given the file as it is on disk now:
    // for each position the manager did not change since the load (or the
    // last save), the record on disk now, so that punches the station stored
    // meanwhile survive; for each position the manager changed, the grid's
    // record; where both sides changed it, the grid's record and a conflict
    // for the manager to decide on.
    //
    // A record without any entry is written as a placeholder (a name of 20
    // spaces), wherever it lies. Punches that the grid would put into
    // another position's record than the one they were loaded from are
    // listed in plan.moves.
    //
    // saveWeek (WeekSave.h) is the whole sequence: read the disk bytes,
    // plan, ask, back up, write, load the written bytes.
    SavePlan planSave(std::string_view diskBytes) const;
    // The same with an explicit base: `loadedBytes` is the file as it was
    // when the grid was loaded from it.
    SavePlan planSave(std::string_view loadedBytes, std::string_view diskBytes) const;
    static TimeRecord keepingStoredMeaning(const TimeRecord& mine, const TimeRecord& loaded);
    void addOddCells(SavePlan& plan, const TimeRecord& mine, const std::vector<int>& rows) const;
    // The file's bytes as loaded (or as last saved).
    const std::string& loadedBytes() const { return baseFile_; }
    // True when saving would write other records than the grid was loaded
    // (or last saved) with.
    bool hasUnsavedChanges() const;

    // Whole grid as clipboard text: cells joined by TAB, rows by CR, no
    // separator after the last row; headings and empty rows included.
    std::string copyAllText() const;
    // Pastes clipboard text over the grid from row 0, column 0. CR LF, CR and
    // LF each end a line; a line end at the very end adds no empty line.
    // Cells the text does not reach keep their text; cells beyond column 5
    // are dropped. A text longer than the grid grows it, up to kFullWeekRows
    // (or the grid's size, when it is larger already); returns how many
    // lines beyond that hold text, which were not pasted. Empty text changes
    // nothing.
    //
    // Where loaded positions began is carried over to the pasted rows: runs
    // of rows under one name that the paste left as they were, or whose
    // rows belong to one position, keep their origins. A run that held two
    // same-name neighbours and changed its length cannot be told apart; it
    // is left to the names, and planSave lists the punches that would move.
    int pasteAll(std::string_view text);

    // Inserts a row below `belowRow` (clamped to the grid); its name cell is
    // a single space. It belongs to a block only by its name. Returns the new
    // row's index.
    int addRow(int belowRow);
    // Removes a data row. The heading row and rows outside the grid are not
    // removed (false). Removing the first row of a loaded block leaves its
    // next row as the block's first.
    bool removeRow(int row);

    // Where a row came from. A block ends where the name changes, as ever,
    // and also before the first row of another loaded position: without that
    // two neighbours under one name become one block and every later
    // position's punches are saved into the record before (the wrong
    // person's pay).
    enum class RowOrigin : unsigned char {
        Typed,         // added, in a sheet no file was loaded into, pasted where nothing carries over,
                       // or below the loaded positions
        PositionStart, // the first row (or the placeholder) of a loaded position
        SamePosition,  // a later row of the same loaded position
    };
    RowOrigin rowOrigin(int row) const;

  private:
    using Row = std::array<std::string, kColumns>;
    std::vector<Row> rows_;
    std::vector<RowOrigin> origins_; // one per row

    // Consecutive data rows under one name (a placeholder row alone).
    struct Run {
        int start = 0;
        int length = 0;
        bool placeholder = false;
        std::string name; // trimmed
    };
    std::vector<Run> runs() const;
    // Gives the rows the origins that `before` (the runs and origins of
    // the grid before a paste) says they had.
    void carryOrigins(const std::vector<Run>& before, const std::vector<RowOrigin>& was);
    // The first row of a loaded position: no block runs on into it.
    bool startsPosition(int row) const { return origins_[std::size_t(row)] == RowOrigin::PositionStart; }

    // The base of the next save: the file's bytes and the records the grid
    // made from them.
    std::string baseFile_;
    std::vector<TimeRecord> baseGrid_;
    // Until the first change after a load or save the base is simply what
    // the grid makes now, so opening a week does not build its records twice.
    bool baseIsGrid_ = true;
    // Called before every change: fixes the base as the grid makes it.
    void keepBase();
};

} // namespace tc
