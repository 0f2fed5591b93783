#include "FuzzTargets.h"

#include "data/WeekFile.h"
#include "manage/TimeSheet.h"

#include <algorithm>

namespace tc::fuzz {

namespace {

// Entries with anything but spaces (or NUL) in one of their four fields.
int entriesHoldingText(const TimeRecord& r) {
    int n = 0;
    for (int k = 1; k <= TimeRecord::kEntries; ++k)
        for (TimeRecord::Field f : {TimeRecord::Field::Action, TimeRecord::Field::JobNumber,
                                    TimeRecord::Field::ActTime, TimeRecord::Field::ActDate})
            if (r.raw(f, k).find_first_not_of(std::string_view(" \0", 2)) != std::string_view::npos) {
                ++n;
                break;
            }
    return n;
}

} // namespace

void pasteTarget(const std::uint8_t* data, std::size_t size) {
    // Clipboard text ends at its first NUL (CF_TEXT, CF_UNICODETEXT), so a
    // pasted cell never holds one; drop them rather than the input.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    TimeSheet sheet;
    sheet.pasteAll(text);
    if (sheet.rowCount() != TimeSheet::kMinRows)
        propertyFailed("pasting changed the number of rows");

    // Copy All, then Paste All into a fresh sheet, gives the same grid, but
    // for one thing the text form cannot say: a row whose first cell begins
    // with a lone LF follows its CR separator as CR LF, which Paste All takes
    // for a spreadsheet's line end (no cell holds a CR, so that is the only
    // CR LF in the text).
    const std::string copied = sheet.copyAllText();
    std::string expected;
    for (std::size_t i = 0; i < copied.size(); ++i)
        if (!(copied[i] == '\n' && i > 0 && copied[i - 1] == '\r'))
            expected += copied[i];
    TimeSheet other;
    other.pasteAll(copied);
    if (other.copyAllText() != expected)
        propertyFailed("copy then paste changed the grid");

    // The pasted grid saves to a week that loads and saves the same once it
    // has settled. The first save may still settle: a cell cut to its width
    // can become blank, and a nameless row of blanks is shown, and so saved,
    // as a placeholder. Settling never loses an entry that holds anything.
    const std::string saved = sheet.saveBytes();
    TimeSheet reloaded;
    reloaded.load(saved);
    const std::string settled = reloaded.saveBytes();
    for (int p = 1; p <= kPositions; ++p)
        if (entriesHoldingText(recordAt(saved, p)) != entriesHoldingText(recordAt(settled, p)))
            propertyFailed("a pasted week lost a punch when it was saved again");
    TimeSheet again;
    again.load(settled);
    if (again.saveBytes() != settled)
        propertyFailed("a pasted week saves to a week that loads differently");
}

} // namespace tc::fuzz
