#include "FuzzTargets.h"
#include "MemoryFiles.h"
#include "NoQuestionTalk.h"

#include "data/WeekFile.h"
#include "manage/TimeSheet.h"
#include "manage/WeekSave.h"

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
    const int leftOut = sheet.pasteAll(text);
    if (sheet.rowCount() < TimeSheet::kMinRows || sheet.rowCount() > TimeSheet::kFullWeekRows)
        propertyFailed("pasting grew the grid beyond a full week");
    if (leftOut > 0 && sheet.rowCount() != TimeSheet::kFullWeekRows)
        propertyFailed("lines were left out of a grid that could still grow");

    // Copy All, then Paste All into a fresh sheet, gives the same grid: no
    // cell holds a TAB, CR or LF, so the text splits where it was joined.
    const std::string copied = sheet.copyAllText();
    if (copied.find('\n') != std::string::npos)
        propertyFailed("Copy All wrote a line break inside a cell");
    TimeSheet other;
    other.pasteAll(copied);
    if (other.copyAllText() != copied)
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

    // That week taken to a spreadsheet and back unchanged saves byte for
    // byte through the time sheet's Save, every punch at its position and
    // nothing asked.
    again.pasteAll(again.copyAllText());
    MemoryFiles files;
    const std::string path = "week.dat";
    files.files[path] = settled;
    NoQuestionTalk talk("a week copied and pasted back");
    if (saveWeek(files, path, again, talk) != SaveOutcome::Saved || files.files[path] != settled)
        propertyFailed("a week copied and pasted back saves differently: " + talk.told);
}

} // namespace tc::fuzz
