#include "FuzzTargets.h"

#include "manage/TimeSheet.h"

#include <algorithm>

namespace tc::fuzz {

void pasteTarget(const std::uint8_t* data, std::size_t size) {
    // Clipboard text ends at its first NUL (CF_TEXT, CF_UNICODETEXT), so a
    // pasted cell never holds one; drop them rather than the input.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    TimeSheet sheet;
    sheet.pasteAll(text);
    if (sheet.rowCount() != TimeSheet::kMinRows)
        propertyFailed("pasting changed the number of rows");

    // Copy All, then Paste All into a fresh sheet, gives the same grid.
    const std::string copied = sheet.copyAllText();
    TimeSheet other;
    other.pasteAll(copied);
    if (other.copyAllText() != copied)
        propertyFailed("copy then paste changed the grid");

    // The pasted grid saves to a week that loads and saves the same.
    const std::string saved = sheet.saveBytes();
    TimeSheet reloaded;
    reloaded.load(saved);
    if (reloaded.saveBytes() != saved)
        propertyFailed("a pasted week saves to a week that loads differently");
}

} // namespace tc::fuzz
