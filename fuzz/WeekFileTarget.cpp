#include "FuzzTargets.h"
#include "MemoryFiles.h"
#include "NoQuestionTalk.h"

#include "data/TimeRecord.h"
#include "data/WeekFile.h"
#include "manage/TimeSheet.h"
#include "manage/WeekSave.h"

#include <algorithm>

namespace tc::fuzz {

void weekFileTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::size_t kRec = TimeRecord::kSize;
    constexpr std::size_t kFull = std::size_t(kPositions) * kRec;

    TimeSheet sheet;
    sheet.load(bytes);
    (void)sheet.copyAllText();

    // Saving without an edit, through the time sheet's Save: nothing is
    // asked, the backup holds the file as it was, and every whole record and
    // everything past the 24th stays byte for byte (a record never punched
    // gets its name of 20 blanks).
    MemoryFiles files;
    const std::string path = "week.dat";
    files.files[path] = std::string(bytes);
    NoQuestionTalk talk("a save without edits");
    if (saveWeek(files, path, sheet, talk) != SaveOutcome::Saved)
        propertyFailed("a save without edits was not saved: " + talk.told);
    if (files.files[backupPathOf(path)] != bytes)
        propertyFailed("the backup is not the file as it was");
    const std::string& written = files.files[path];
    if (written.size() != std::max(bytes.size(), kFull))
        propertyFailed("a save without edits changed the file's length");
    TimeRecord placeholder;
    placeholder.setName("");
    for (std::size_t p = 1; p * kRec <= std::min(bytes.size(), kFull); ++p) {
        const TimeRecord in = recordAt(bytes, int(p));
        const bool neverPunched = in.view().find_first_not_of('\0', 20) == std::string_view::npos;
        if (!(recordAt(written, int(p)) == (neverPunched ? placeholder : in)))
            propertyFailed("a save without edits changed a record");
    }
    if (bytes.size() > kFull && written.compare(kFull, std::string::npos, bytes.substr(kFull)) != 0)
        propertyFailed("a save without edits changed what lies past record 24");

    // What the grid alone makes loads to a grid that makes the same again.
    const std::string saved = sheet.saveBytes();
    if (saved.size() != kFull)
        propertyFailed("the grid did not make 24 records");
    TimeSheet again;
    again.load(saved);
    if (again.saveBytes() != saved)
        propertyFailed("a saved week loads to a different week");

    // Every punch in the file is still in the saved week, at its position.
    // (An entry of a nameless record whose four fields are all blank has
    // nothing to show and reads as a placeholder row.)
    // (TAB, CR and LF are spaces in the grid.)
    auto blank = [](std::string_view s) { return s.find_first_not_of(" \t\r\n") == std::string_view::npos; };
    using F = TimeRecord::Field;
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord in = recordAt(bytes, p);
        const TimeRecord out = recordAt(saved, p);
        std::string_view name = in.raw(F::EmpName);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        const bool nameless = name.empty() || name.front() == '\0';
        int used = 0;
        bool exempt = false;
        for (int k = 1; k <= TimeRecord::kEntries; ++k) {
            std::string_view a = in.raw(F::Action, k);
            while (!a.empty() && a.front() == ' ')
                a.remove_prefix(1);
            if (!a.empty() && a.front() == '\0')
                continue;
            ++used;
            exempt = exempt || (nameless && blank(in.raw(F::Action, k)) && blank(in.raw(F::JobNumber, k)) &&
                                blank(in.raw(F::ActTime, k)) && blank(in.raw(F::ActDate, k)));
        }
        if (!exempt && out.lastEntry() != used)
            propertyFailed("position " + std::to_string(p) + " had " + std::to_string(used) +
                           " punches, saved " + std::to_string(out.lastEntry()));
    }
}

} // namespace tc::fuzz
