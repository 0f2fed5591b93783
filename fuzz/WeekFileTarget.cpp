#include "FuzzTargets.h"

#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/sheet/TimeSheet.h"

#include <algorithm>

namespace tc::fuzz {

namespace {

using F = TimeRecord::Field;

// Entries in use (an action written) with any text in their four fields.
int punchesHoldingText(const TimeRecord& r) {
    int n = 0;
    for (int k = 1; k <= TimeRecord::kEntries; ++k) {
        const std::string_view action = trimSpaces(r.raw(F::Action, k));
        std::string entry;
        for (F f : {F::Action, F::JobNumber, F::ActTime, F::ActDate})
            entry += r.raw(f, k);
        n += (action.empty() || action.front() != '\0') &&
             entry.find_first_not_of(std::string_view(" \t\r\n\0", 5)) != std::string::npos;
    }
    return n;
}

} // namespace

void weekFileTarget(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::size_t kFull = kPositions * TimeRecord::kSize;
    TimeSheet sheet, again;
    sheet.load(bytes);
    const std::string saved = sheet.saveBytes(); // what the grid alone makes
    again.load(saved);
    if (again.saveBytes() != saved)
        propertyFailed("a saved week loads to a different week");

    // Saved without an edit, or after Copy All and Paste All, nothing is asked
    // and every whole record and all past the 24th stay byte for byte (a
    // record never punched gets the grid's placeholder); the grid keeps every
    // punch at its position.
    const SavePlan plan = sheet.planSave(bytes);
    sheet.pasteAll(sheet.copyAllText());
    const SavePlan pasted = sheet.planSave(bytes);
    for (const SavePlan* s : {&plan, &pasted})
        if (s->hasConflicts() || !s->moves.empty() || !s->unsavedRows.empty() || s->unconverted ||
            s->bytes != plan.bytes)
            propertyFailed("a save without edits, or after a copy and paste back, asks or saves differently");
    if (plan.bytes.size() != std::max(size, kFull) ||
        plan.bytes.compare(kFull, size, bytes, std::min(size, kFull)))
        propertyFailed("a save without edits changed the file's length or what lies past record 24");
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord in = recordAt(bytes, p);
        const bool neverPunched = in.view().find_first_not_of('\0', 20) == std::string_view::npos;
        if (std::size_t(p) * TimeRecord::kSize <= size &&
            !(recordAt(plan.bytes, p) == (neverPunched ? recordAt(saved, p) : in)))
            propertyFailed("a save without edits changed record " + std::to_string(p));
        if (punchesHoldingText(in) != punchesHoldingText(recordAt(saved, p)))
            propertyFailed("the grid moved or lost a punch of position " + std::to_string(p));
    }
}

} // namespace tc::fuzz
