#include "manage/WeekSave.h"

#include "data/WeekFile.h"

#include <algorithm>
#include <cctype>

namespace tc {

std::string backupPathOf(const std::string& weekFile) {
    return weekFile.substr(0, weekFile.size() >= 3 ? weekFile.size() - 3 : 0) + "wkb";
}

namespace {

// The backup path is the file itself (letter case does not count on Windows).
bool isItsOwnBackup(const std::string& weekFile) {
    const std::string backup = backupPathOf(weekFile);
    return std::equal(weekFile.begin(), weekFile.end(), backup.begin(), backup.end(), [](char a, char b) {
        return std::tolower((unsigned char)a) == std::tolower((unsigned char)b);
    });
}

std::string unconvertedMessage(const std::string& weekFile, const SheetCell& cell) {
    std::string column = TimeSheet::headings()[std::size_t(cell.column)];
    if (!column.empty() && column.back() == ':')
        column.pop_back();
    return "The text in row " + std::to_string(cell.row) + ", column " + column +
           ", could not be converted to the code page of the week files, so " + weekFile + " was not saved.";
}

} // namespace

SaveOutcome saveWeek(FileAccess& files, const std::string& weekFile, TimeSheet& sheet, SaveTalk& talk) {
    if (weekFile.empty())
        return SaveOutcome::NothingOpened;
    if (isItsOwnBackup(weekFile)) {
        talk.tell(weekFile +
                  " is a backup copy. Saving it would write over it without making a backup first, "
                  "so it was not saved. To mend the week, open its .dat file.");
        return SaveOutcome::Refused;
    }

    // Worked out against the file as it is now: the station may have stored
    // punches in it since it was opened here.
    std::string disk;
    if (Status st = readWeekFile(files, weekFile, disk, false); !st) {
        talk.tell(st.message() + "\r\nThe file was not saved.");
        return SaveOutcome::Failed;
    }
    const SavePlan plan = sheet.planSave(disk);
    if (plan.unconverted) {
        // The record would hold '?' where the text was: a wrong name or job on
        // someone's pay. Nothing is written.
        talk.tell(unconvertedMessage(weekFile, *plan.unconverted));
        return SaveOutcome::Refused;
    }
    if (plan.hasConflicts() && !talk.ask(plan.conflictQuestion()))
        return SaveOutcome::Stopped;
    if (!plan.moves.empty() && !talk.ask(plan.moveQuestion()))
        return SaveOutcome::Stopped;
    if (!plan.unsavedRows.empty() && !talk.ask(plan.unsavedRowsQuestion()))
        return SaveOutcome::Stopped;

    const std::string backup = backupPathOf(weekFile);
    if (Status st = copyFile(files, weekFile, backup); !st) {
        talk.tell(st.message() + "\r\nNo backup copy could be made, so the week was not saved.");
        return SaveOutcome::Failed;
    }
    talk.tell(backup + " Has been created. As Backup.");

    if (Status st = replaceFile(files, weekFile, plan.bytes); !st) {
        talk.tell(st.message() + "\r\nThe week was not saved; the file is as it was before.");
        return SaveOutcome::Failed;
    }
    talk.showSaved(sheet, plan.bytes);
    talk.tell("done");
    return SaveOutcome::Saved;
}

} // namespace tc
