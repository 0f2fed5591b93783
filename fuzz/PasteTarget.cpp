#include "FuzzTargets.h"

#include "core/sheet/TimeSheet.h"

#include <algorithm>

namespace tc::fuzz {

void pasteTarget(const std::uint8_t* data, std::size_t size) {
    // Clipboard text ends at its first NUL (CF_TEXT, CF_UNICODETEXT), so a
    // pasted cell never holds one; drop them rather than the input.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    TimeSheet sheet, other;
    const int leftOut = sheet.pasteAll(text);
    if (sheet.rowCount() > TimeSheet::kFullWeekRows ||
        (leftOut > 0 && sheet.rowCount() != TimeSheet::kFullWeekRows))
        propertyFailed("a paste grew the grid past a full week, or left out lines while it could grow");

    // Copy All, then Paste All into a fresh sheet, gives the same grid: no
    // cell holds a TAB, CR or LF, so the text splits where it was joined.
    const std::string copied = sheet.copyAllText();
    other.pasteAll(copied);
    if (copied.find('\n') != std::string::npos || other.copyAllText() != copied)
        propertyFailed("copy then paste changed the grid");

    // The pasted grid's week holds up as any week file does.
    const std::string saved = sheet.saveBytes();
    weekFileTarget(reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size());
}

} // namespace tc::fuzz
