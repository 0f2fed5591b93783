#pragma once

#include "core/files/FileAccess.h"
#include "core/journal/Journal.h"
#include "core/sheet/TimeSheet.h"

#include <string>
#include <string_view>

namespace tc {

// What saving a week needs from the person at the screen.
class SaveTalk {
  public:
    virtual ~SaveTalk() = default;
    // A question answered Yes (true) or No / Cancel (false). Every question
    // of a save is one whose Yes removes or moves stored punches: a screen
    // asks it with No as the default.
    virtual bool ask(const std::string& question) = 0;
    // A message with an OK button.
    virtual void tell(const std::string& message) = 0;
    // The week was written: the sheet shows the bytes written, as a fresh load
    // of them does. A screen overrides this to keep its view in step.
    virtual void showSaved(TimeSheet& sheet, std::string_view written) { sheet.load(written); }
};

enum class SaveOutcome {
    NothingOpened, // no week open: nothing said, nothing touched
    Refused,       // the week cannot be saved here (told why)
    Stopped,       // the manager answered No to a question
    Failed,        // reading, the backup or the write failed (told why); the week file is as it was
    Saved,
};

// The backup beside a week file: its last three characters replaced by "wkb".
std::string backupPathOf(const std::string& weekFile);

// "Save": reads the week file as it is now, works out what to write
// (TimeSheet::planSave), refuses when a text to be written could not be
// converted to the code page (naming its row and column), asks about
// conflicts with the station, punches that would move to another record and
// rows no record takes, copies the file to its backup, replaces it, appends
// the save and every field it changed to the week's journal (`stamp`: when
// and by whom), and shows the written week in the sheet. A week opened from
// its backup is not saved: there would be no backup of it. A journal that
// cannot be written does not undo the save; the manager is told.
SaveOutcome saveWeek(FileAccess& files, const std::string& weekFile, TimeSheet& sheet, SaveTalk& talk,
                     const JournalStamp& stamp = {});

// Puts the week back as it was just before the save (or restore) that begins
// on line `saveLine` of its journal (weekBeforeSave: later saves are undone
// too, punches stored since are kept). A save like any other: the usual
// question where the station changed a record since the sheet was loaded,
// a backup, the journal's lines marked as a restore. Asks first when the
// journal does not explain the week file as it is (what it lacks would be
// undone as well).
SaveOutcome restoreWeek(FileAccess& files, const std::string& weekFile, TimeSheet& sheet, SaveTalk& talk,
                        const JournalStamp& stamp, int saveLine);

} // namespace tc
