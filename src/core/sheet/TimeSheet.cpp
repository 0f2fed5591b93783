#include "core/sheet/TimeSheet.h"

#include "core/format/CodePage.h"
#include "core/format/PunchAction.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/format/WeekMoments.h"

#include <algorithm>
#include <iterator>

namespace tc {

namespace {

using Field = TimeRecord::Field;

constexpr Field kEntryFields[] = {Field::Action, Field::JobNumber, Field::ActTime, Field::ActDate};

// The screen's own test, made on Action: a never-written Action is all NUL,
// while an Action of spaces only (an empty cell saved) is still a punch row.
bool entryInUse(const TimeRecord& r, int k) {
    std::string_view a = trimSpaces(r.raw(Field::Action, k));
    return a.empty() || a.front() != '\0';
}

bool isPlaceholderName(std::string_view name) {
    std::string_view t = trimSpaces(name);
    return t.empty() || t.front() == '\0';
}

// The name as the record's 20-byte field keeps it: trimmed, converted to the
// code page, cut to the width, trimmed again. Rows of one block are compared
// this way so that a name longer than the field keeps its rows together. A
// blank or never-written name is kept as the empty name.
std::string storedName(std::string_view cellText) {
    if (isPlaceholderName(cellText))
        return {};
    std::string ansi = utf8ToAnsi(trimSpaces(cellText));
    if (ansi.size() > TimeRecord::width(Field::EmpName))
        ansi.resize(TimeRecord::width(Field::EmpName));
    return std::string(trimSpaces(std::string_view(ansi)));
}

bool hasText(const std::array<std::string, TimeSheet::kColumns>& row, int from, int to) {
    for (int c = from; c <= to; ++c)
        if (!trimSpaces(std::string_view(row[std::size_t(c)])).empty())
            return true;
    return false;
}

// A punch row: something in Action..ActDate.
bool hasPunch(const std::array<std::string, TimeSheet::kColumns>& row) {
    return hasText(row, TimeSheet::Action, TimeSheet::ActDate);
}

const std::string kNoText;

// The grid text has no quoting: a TAB, CR or LF inside a cell would split it
// when "Copy All" is pasted back (a name read from a list with an unbalanced
// quote holds a line break, and the station stores it).
bool splitsCell(char c) {
    return c == '\t' || c == '\r' || c == '\n';
}
void keepOnOneCell(std::string& text) {
    std::replace_if(text.begin(), text.end(), splitsCell, ' ');
}

// A field's text into a cell: plain ASCII without TAB or line breaks (nearly
// every field) is copied into the cell's own room; anything else is
// converted from the code page and kept on one cell.
void putText(std::string& cell, std::string_view ansi) {
    if (std::all_of(ansi.begin(), ansi.end(), [](char c) { return c == '\0' || (c >= ' ' && c < 0x7F); })) {
        cell.assign(ansi);
        return;
    }
    cell = ansiToUtf8(ansi);
    keepOnOneCell(cell);
}

// A record the station never wrote a punch into: all of its entries NUL.
// It is saved as the grid's placeholder, a name of 20 spaces.
bool neverPunched(const TimeRecord& r) {
    const std::string_view entries = r.view().substr(TimeRecord::offset(Field::Action));
    return entries.find_first_not_of('\0') == std::string_view::npos;
}

std::string shownName(const TimeRecord& r) {
    const std::string name = trimSpaces(r.text(Field::EmpName));
    return isPlaceholderName(name) ? std::string() : name;
}

// The punches of a record that hold any text, each as its four fields.
std::vector<std::string> punchesOf(const TimeRecord& r) {
    std::vector<std::string> out;
    for (int k = 1; k <= TimeRecord::kEntries; ++k) {
        if (!entryInUse(r, k))
            continue;
        std::string punch;
        for (Field f : kEntryFields)
            punch += r.raw(f, k);
        if (punch.find_first_not_of(' ') != std::string::npos)
            out.push_back(std::move(punch));
    }
    std::sort(out.begin(), out.end());
    return out;
}

// The punches stored in `disk` that neither the loaded record nor the one
// to be saved holds, in entry order: "OUT 5:05:00 PM Mon-Feb-3".
std::vector<std::string> punchesLostBy(const TimeRecord& loaded, const TimeRecord& disk,
                                       const TimeRecord& mine) {
    const std::vector<std::string> kept = punchesOf(mine), was = punchesOf(loaded);
    std::vector<std::string> out;
    for (int k = 1; k <= TimeRecord::kEntries; ++k) {
        if (!entryInUse(disk, k))
            continue;
        std::string punch, shown;
        for (Field f : kEntryFields) {
            punch += disk.raw(f, k);
            const std::string text = disk.text(f, k);
            if (const std::string t = trimSpaces(text.substr(0, text.find('\0'))); !t.empty())
                shown += (shown.empty() ? "" : " ") + t;
        }
        if (!std::binary_search(kept.begin(), kept.end(), punch) &&
            !std::binary_search(was.begin(), was.end(), punch))
            out.push_back(shown);
    }
    return out;
}

// Punches that a position loses and another gains: the grid would save them
// into another employee's record. One move per position that loses any.
std::vector<PunchMove> movedPunches(const std::vector<TimeRecord>& before,
                                    const std::vector<TimeRecord>& after, const std::vector<int>& changed) {
    std::vector<PunchMove> moves;
    if (changed.size() < 2)
        return moves;
    std::vector<std::vector<std::string>> lost, gained;
    for (int p : changed) {
        const std::vector<std::string> was = punchesOf(before[std::size_t(p - 1)]);
        const std::vector<std::string> is = punchesOf(after[std::size_t(p - 1)]);
        lost.emplace_back();
        gained.emplace_back();
        std::set_difference(was.begin(), was.end(), is.begin(), is.end(), std::back_inserter(lost.back()));
        std::set_difference(is.begin(), is.end(), was.begin(), was.end(), std::back_inserter(gained.back()));
    }
    for (std::size_t i = 0; i < changed.size(); ++i)
        for (std::size_t j = 0; j < changed.size(); ++j) {
            std::vector<std::string> both;
            if (i != j)
                std::set_intersection(lost[i].begin(), lost[i].end(), gained[j].begin(), gained[j].end(),
                                      std::back_inserter(both));
            if (!both.empty()) {
                moves.push_back({changed[i], changed[j], shownName(before[std::size_t(changed[i] - 1)])});
                break;
            }
        }
    return moves;
}

// Every row is a punch, so its Action must not read back as never written,
// as a NUL after blanks would make it (a loaded field can hold NULs, and a
// TAB before them is a space in the cell).
bool setAction(TimeRecord& rec, int k, const std::string& cell) {
    if (cell.find('\0') == std::string::npos)
        return rec.set(Field::Action, k, cell);
    std::string text = cell;
    std::replace(text.begin(), text.end(), '\0', ' ');
    return rec.set(Field::Action, k, text);
}

} // namespace

const std::array<std::string, TimeSheet::kColumns>& TimeSheet::headings() {
    static const std::array<std::string, kColumns> kHeadings = {
        "Name:", "Action:", "Job Number:", "Act Time:", "Act Date:", "Duration"};
    return kHeadings;
}

TimeSheet::TimeSheet() {
    load({});
    // No file was loaded: no row belongs to a position yet, names alone make the blocks.
    origins_.assign(rows_.size(), RowOrigin::Typed);
}

const std::string& TimeSheet::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        return kNoText;
    return rows_[std::size_t(row)][std::size_t(column)];
}

bool TimeSheet::setCell(int row, int column, std::string text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        return false;
    keepBase();
    keepOnOneCell(text);
    rows_[std::size_t(row)][std::size_t(column)] = std::move(text);
    return true;
}

TimeSheet::RowOrigin TimeSheet::rowOrigin(int row) const {
    if (row < 0 || row >= rowCount())
        return RowOrigin::Typed;
    return origins_[std::size_t(row)];
}

void TimeSheet::load(std::string_view fileBytes) {
    // Start from a clean grid: whatever an earlier load, paste or edit left
    // below or between the new week's rows would otherwise be saved into
    // this week's file as if it belonged to it.
    std::array<TimeRecord, kPositions> records;
    std::array<std::vector<int>, kPositions> inUse;
    std::size_t needed = 1; // heading row
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord& r = records[std::size_t(p - 1)] = recordAt(fileBytes, p);
        std::vector<int>& used = inUse[std::size_t(p - 1)];
        for (int k = 1; k <= TimeRecord::kEntries; ++k)
            if (entryInUse(r, k))
                used.push_back(k);
        needed += std::max<std::size_t>(1, used.size());
    }

    // Every cell emptied, but the rows and the cells' room kept: a week
    // opened after another fills the same storage instead of allocating
    // some 14,000 strings again.
    for (Row& r : rows_)
        for (std::string& c : r)
            c.clear();
    // A full week (24 x 100 punches) needs more rows than the usual grid; it
    // grows rather than drop punches.
    rows_.resize(std::max<std::size_t>(kMinRows, needed));
    rows_[0] = headings();
    origins_.assign(rows_.size(), RowOrigin::Typed);

    std::size_t row = 1;
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord& r = records[std::size_t(p - 1)];
        const std::vector<int>& used = inUse[std::size_t(p - 1)];
        origins_[row] = RowOrigin::PositionStart;
        if (used.empty()) {
            ++row; // placeholder: its name cell stays empty
            continue;
        }
        std::string name = r.text(Field::EmpName);
        keepOnOneCell(name);
        // Entries in use are placed on consecutive rows even if the record
        // has a gap, so no punch lands on another position's rows.
        for (int k : used) {
            if (origins_[row] != RowOrigin::PositionStart)
                origins_[row] = RowOrigin::SamePosition;
            Row& cells = rows_[row++];
            cells[Name] = name;
            putText(cells[Action], r.raw(Field::Action, k));
            putText(cells[JobNumber], r.raw(Field::JobNumber, k));
            putText(cells[ActTime], r.raw(Field::ActTime, k));
            putText(cells[ActDate], r.raw(Field::ActDate, k));
        }
    }

    fillDurations();

    baseFile_.assign(fileBytes);
    baseGrid_.clear();
    baseIsGrid_ = true;
}

void TimeSheet::keepBase() {
    if (!baseIsGrid_)
        return;
    baseGrid_ = buildRecords();
    baseIsGrid_ = false;
}

void TimeSheet::fillDurations() {
    const int last = rowCount() - 1;
    for (int i = 1; i < last; ++i) {
        const Row& cur = rows_[std::size_t(i)];
        const Row& next = rows_[std::size_t(i + 1)];
        std::string_view name = trimSpaces(std::string_view(cur[Name]));
        if (name.empty() || trimSpaces(std::string_view(next[Name])) != name || startsPosition(i + 1))
            continue; // another person's punch, even under the same name
        if (!meansAtWork(std::string_view(cur[Action])))
            continue;
        // A time that cannot be read for sure ("8:30" may be morning or
        // afternoon) costs only this row its duration, as the report pays
        // no hours on it; the rest of the week is still worked out.
        const std::optional<int> t1 = parseClearTimeOfDay(cur[ActTime]);
        const std::optional<int> t2 = parseClearTimeOfDay(next[ActTime]);
        if (!t1 || !t2)
            continue;
        // Rounded half up from whole seconds, as the report rounds hours.
        rows_[std::size_t(i)][Duration] =
            formatHundredths(hundredthsOf(periodSeconds(*t1, *t2, cur[ActDate], next[ActDate])));
    }
}

std::vector<TimeRecord> TimeSheet::buildRecords(std::vector<int>* unsavedRows,
                                                std::vector<std::optional<SheetCell>>* unconverted,
                                                std::vector<std::vector<int>>* entryRows) const {
    std::vector<TimeRecord> out;
    out.reserve(kPositions);
    if (unconverted)
        unconverted->assign(kPositions, std::nullopt);
    if (entryRows)
        entryRows->assign(kPositions, std::vector<int>(TimeRecord::kEntries + 1, 0));
    const int rows = rowCount();
    int row = 1;
    for (int p = 1; p <= kPositions; ++p) {
        // Keeps the first cell of this position that the converter failed on.
        const auto converted = [&](bool ok, int cellRow, int column) {
            if (ok || !unconverted)
                return;
            std::optional<SheetCell>& first = (*unconverted)[std::size_t(p - 1)];
            if (!first)
                first = SheetCell{cellRow, column};
        };
        TimeRecord rec;
        rec.setName("");
        if (row >= rows) {
            out.push_back(rec);
            continue;
        }
        const Row& first = rows_[std::size_t(row)];
        // A row without a name is a placeholder unless it holds a punch: the
        // station stores a punch from a button without a name under a blank
        // name, and taking such rows for placeholders would push every later
        // employee into the wrong record. (A loaded nameless record whose
        // first entry is blank still keeps its later rows.)
        const bool loadedOn = row + 1 < rows && origins_[std::size_t(row)] == RowOrigin::PositionStart &&
                              origins_[std::size_t(row + 1)] == RowOrigin::SamePosition;
        if (isPlaceholderName(first[Name]) && !hasPunch(first) && !loadedOn) {
            ++row;
            out.push_back(rec);
            continue;
        }
        const std::string key = storedName(first[Name]);
        // The rows of a block carry the same name cell as its first row;
        // only a different cell needs converting to compare it as stored.
        const std::string& keyCell = first[Name];
        converted(
            rec.setName(key.empty() ? std::string() : std::string(trimSpaces(std::string_view(first[Name])))),
            row, Name);
        for (int k = 1;; ++k) {
            const Row& cells = rows_[std::size_t(row)];
            converted(setAction(rec, k, cells[Action]), row, Action);
            converted(rec.set(Field::JobNumber, k, cells[JobNumber]), row, JobNumber);
            converted(rec.set(Field::ActTime, k, cells[ActTime]), row, ActTime);
            converted(rec.set(Field::ActDate, k, cells[ActDate]), row, ActDate);
            if (entryRows)
                (*entryRows)[std::size_t(p - 1)][std::size_t(k)] = row;
            ++row;
            if (row >= rows)
                break;
            const Row& next = rows_[std::size_t(row)];
            if (startsPosition(row))
                break; // the next loaded position, whatever its name
            if ((next[Name] != keyCell && storedName(next[Name]) != key) ||
                (key.empty() && !hasPunch(next) && origins_[std::size_t(row)] != RowOrigin::SamePosition))
                break;
            if (k == TimeRecord::kEntries) {
                // The record is full; the row has no entry to go into.
                if (unsavedRows)
                    unsavedRows->push_back(row);
                ++row;
                break;
            }
        }
        out.push_back(rec);
    }
    if (unsavedRows)
        for (; row < rows; ++row)
            if (hasText(rows_[std::size_t(row)], Name, ActDate))
                unsavedRows->push_back(row);
    return out;
}

std::string TimeSheet::saveBytes() const {
    std::string bytes;
    bytes.reserve(std::size_t(kPositions) * TimeRecord::kSize);
    for (const TimeRecord& r : buildRecords())
        bytes.append(r.view());
    return bytes;
}

SavePlan TimeSheet::planSave(std::string_view diskBytes) const {
    return planSave(baseFile_, diskBytes);
}

SavePlan TimeSheet::planSave(std::string_view loadedBytes, std::string_view diskBytes) const {
    // What the grid made of the file when it was loaded: a position whose
    // record the grid still makes the same way was not touched here.
    std::vector<TimeRecord> otherBase;
    const std::vector<TimeRecord>* base = &baseGrid_;
    if (loadedBytes != std::string_view(baseFile_)) {
        TimeSheet fresh;
        fresh.load(loadedBytes);
        otherBase = fresh.buildRecords();
        base = &otherBase;
    }

    SavePlan plan;
    std::vector<int> changed; // positions whose record the grid changed
    TimeRecord placeholder;
    placeholder.setName("");
    std::vector<std::optional<SheetCell>> unconverted;
    std::vector<std::vector<int>> entryRows;
    const std::vector<TimeRecord> grid = buildRecords(&plan.unsavedRows, &unconverted, &entryRows);
    if (base == &baseGrid_ && baseIsGrid_)
        base = &grid; // nothing changed here since the load or the last save
    plan.bytes.reserve(std::max(std::size_t(kPositions) * TimeRecord::kSize, diskBytes.size()));
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord loaded = recordAt(loadedBytes, p);
        const TimeRecord mine = keepingStoredMeaning(grid[std::size_t(p - 1)], loaded);
        const TimeRecord disk = recordAt(diskBytes, p);
        const bool onDisk = diskBytes.size() >= std::size_t(p) * TimeRecord::kSize;
        const bool changedHere = !(mine == (*base)[std::size_t(p - 1)] || mine == loaded);
        const bool changedThere = !(disk == loaded);

        const TimeRecord* take = &mine;
        if (!changedHere) {
            if (onDisk)
                take = neverPunched(disk) ? &placeholder : &disk;
        } else if (changedThere && !(mine == disk)) {
            std::string name = shownName(mine);
            if (name.empty())
                name = shownName(disk);
            plan.conflicts.push_back({p, name, punchesLostBy(loaded, disk, mine)});
        }
        plan.bytes.append(take->view());
        if (changedHere)
            changed.push_back(p);
        if (take == &mine && !plan.unconverted)
            plan.unconverted = unconverted[std::size_t(p - 1)];
        if (take == &mine && changedHere)
            addOddCells(plan, mine, entryRows[std::size_t(p - 1)]);
    }
    plan.moves = movedPunches(*base, grid, changed);
    // Records beyond the 24 positions are not the sheet's; they stay as they are.
    const std::size_t full = std::size_t(kPositions) * TimeRecord::kSize;
    if (diskBytes.size() > full)
        plan.bytes.append(diskBytes.substr(full));
    return plan;
}

// A time or date typed as another text of the same meaning ("07:15:00 AM"
// for "7:15:00 AM", as a spreadsheet copies it back) is no change: the record
// keeps the loaded bytes.
TimeRecord TimeSheet::keepingStoredMeaning(const TimeRecord& mine, const TimeRecord& loaded) {
    std::string bytes;
    for (int k = 1; k <= TimeRecord::kEntries; ++k)
        for (const Field f : {Field::ActTime, Field::ActDate}) {
            const std::string_view typed = mine.raw(f, k), stored = loaded.raw(f, k);
            if (typed == stored)
                continue;
            bool same = false;
            if (f == Field::ActTime) {
                const std::optional<int> a = parseClearTimeOfDay(typed), b = parseClearTimeOfDay(stored);
                same = a && b && *a == *b;
            } else {
                same = sameDateText(typed, stored);
            }
            if (same) {
                if (bytes.empty())
                    bytes = mine.view();
                bytes.replace(TimeRecord::offset(f, k), TimeRecord::width(f), stored);
            }
        }
    return bytes.empty() ? mine : TimeRecord::fromBytes(bytes);
}

// The times and dates of a record to be written that cannot be read for
// sure: "8:30" may be morning or afternoon, "25:99" or "noon" is no time.
void TimeSheet::addOddCells(SavePlan& plan, const TimeRecord& mine, const std::vector<int>& rows) const {
    for (int k = 1; k <= TimeRecord::kEntries; ++k) {
        const int row = rows[std::size_t(k)];
        if (row == 0)
            continue;
        for (const int column : {int(ActTime), int(ActDate)}) {
            const std::string_view field = mine.raw(column == ActTime ? Field::ActTime : Field::ActDate, k);
            const std::string& text = rows_[std::size_t(row)][std::size_t(column)];
            if (trimSpaces(text).empty() || field.front() == '\0' ||
                (column == ActTime ? parseClearTimeOfDay(field).has_value() : isDateText(field)))
                continue;
            std::string heading = headings()[std::size_t(column)];
            if (!heading.empty() && heading.back() == ':')
                heading.pop_back();
            plan.oddCells.push_back({SheetCell{row, column}, heading, trimSpaces(text)});
        }
    }
}

bool TimeSheet::hasUnsavedChanges() const {
    return !baseIsGrid_ && buildRecords() != baseGrid_;
}

std::string TimeSheet::copyAllText() const {
    std::size_t size = 0;
    for (const Row& r : rows_)
        for (const std::string& c : r)
            size += c.size() + 1;
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (i > 0)
            out += '\r';
        const Row& r = rows_[i];
        for (int c = 0; c < kColumns; ++c) {
            if (c > 0)
                out += '\t';
            out += r[std::size_t(c)];
        }
    }
    return out;
}

int TimeSheet::pasteAll(std::string_view text) {
    keepBase();
    const std::vector<Run> before = runs();
    const std::vector<RowOrigin> was = origins_;
    // A week needs up to kFullWeekRows rows; a longer text is pasted that far.
    const std::size_t limit = std::max<std::size_t>(kFullWeekRows, rows_.size());
    int leftOut = 0;
    std::size_t pos = 0;
    std::size_t row = 0;
    // The next CR and the next LF, each found with one fast search.
    std::size_t nextCr = text.find('\r');
    std::size_t nextLf = text.find('\n');
    while (pos < text.size()) {
        // One line: up to a CR, an LF or a CR LF pair.
        if (nextCr < pos)
            nextCr = text.find('\r', pos);
        if (nextLf < pos)
            nextLf = text.find('\n', pos);
        const std::size_t end = std::min({nextCr, nextLf, text.size()});
        const std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size())
            pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
        // Blank lines below the grid grow it only when text follows them.
        if (row >= rows_.size() && line.find_first_not_of("\t ") == std::string_view::npos) {
            ++row;
            continue;
        }
        if (row >= limit) {
            ++leftOut;
            continue;
        }
        if (row >= rows_.size())
            rows_.resize(row + 1);
        std::size_t cellStart = 0;
        for (int c = 0; c < kColumns; ++c) {
            std::size_t tab = line.find('\t', cellStart);
            rows_[row][std::size_t(c)].assign(line.substr(
                cellStart, tab == std::string_view::npos ? std::string_view::npos : tab - cellStart));
            if (tab == std::string_view::npos)
                break;
            cellStart = tab + 1;
        }
        ++row;
    }
    carryOrigins(before, was);
    return leftOut;
}

std::vector<TimeSheet::Run> TimeSheet::runs() const {
    std::vector<Run> out;
    out.reserve(std::size_t(kPositions) * 2 + 8);
    for (int r = 1; r < rowCount(); ++r) {
        const Row& row = rows_[std::size_t(r)];
        const bool nameless = isPlaceholderName(row[Name]);
        const bool placeholder = nameless && !hasPunch(row);
        const std::string_view name = nameless ? std::string_view() : trimSpaces(std::string_view(row[Name]));
        if (!placeholder && !out.empty() && !out.back().placeholder && out.back().name == name) {
            ++out.back().length;
            continue;
        }
        out.push_back({r, 1, placeholder, std::string(name)});
    }
    return out;
}

void TimeSheet::carryOrigins(const std::vector<Run>& before, const std::vector<RowOrigin>& was) {
    const std::vector<Run> after = runs();
    origins_.assign(rows_.size(), RowOrigin::Typed);
    const auto same = [](const Run& a, const Run& b) {
        return a.placeholder == b.placeholder && a.name == b.name;
    };
    const auto carry = [&](const Run& o, const Run& n) {
        const auto from = was.begin() + o.start;
        const auto to = origins_.begin() + n.start;
        if (o.length == n.length) {
            std::copy(from, from + o.length, to);
            return;
        }
        // Rows were added to the run or taken from it. Within one position
        // that changes nothing; a run that held the start of another
        // position (two neighbours under one name) cannot be split again.
        *to = *from;
        const bool onePosition =
            std::find(from + 1, from + o.length, RowOrigin::PositionStart) == from + o.length;
        if (onePosition && *from == RowOrigin::PositionStart)
            std::fill(to + 1, to + n.length, RowOrigin::SamePosition);
    };
    // The runs before and after the paste, paired from the top and from the
    // bottom as long as their names agree; the rest are left to the names.
    std::size_t head = 0;
    for (; head < before.size() && head < after.size() && same(before[head], after[head]); ++head)
        carry(before[head], after[head]);
    for (std::size_t tail = 1; tail <= before.size() - head && tail <= after.size() - head &&
                               same(before[before.size() - tail], after[after.size() - tail]);
         ++tail)
        carry(before[before.size() - tail], after[after.size() - tail]);
}

int TimeSheet::addRow(int belowRow) {
    const int at = std::clamp(belowRow + 1, 1, rowCount());
    keepBase();
    Row fresh;
    // assign(1, ' ') rather than = " ": gcc 12 at -O3 reports a false
    // -Wrestrict on the literal assignment here.
    fresh[Name].assign(1, ' ');
    rows_.insert(rows_.begin() + at, std::move(fresh));
    origins_.insert(origins_.begin() + at, RowOrigin::Typed);
    return at;
}

bool TimeSheet::removeRow(int row) {
    if (row < 1 || row >= rowCount())
        return false;
    keepBase();
    const std::size_t at = std::size_t(row);
    if (origins_[at] == RowOrigin::PositionStart && at + 1 < origins_.size() &&
        origins_[at + 1] == RowOrigin::SamePosition)
        origins_[at + 1] = RowOrigin::PositionStart;
    rows_.erase(rows_.begin() + row);
    origins_.erase(origins_.begin() + row);
    return true;
}

} // namespace tc
