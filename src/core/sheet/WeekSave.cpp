#include "core/sheet/WeekSave.h"

#include "core/files/Paths.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/journal/JournalReplay.h"
#include "core/report/WeekSignOff.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

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

// Nothing open, or a backup open: a save or restore stops before it reads anything.
std::optional<SaveOutcome> refusedBeforeReading(const std::string& weekFile, SaveTalk& talk) {
    if (weekFile.empty())
        return SaveOutcome::NothingOpened;
    if (isItsOwnBackup(weekFile)) {
        talk.tell(weekFile +
                  " is a backup copy. Saving it would write over it without making a backup first, "
                  "so it was not saved. To mend the week, open its .dat file.");
        return SaveOutcome::Refused;
    }
    return std::nullopt;
}

// The end of every save: the questions, the backup, the replacement, the
// journal's lines, the sheet. `undone` is the time of the save a restore
// undoes (empty for a save).
SaveOutcome writeWeek(FileAccess& files, const std::string& weekFile, const std::string& disk,
                      const SavePlan& plan, TimeSheet& sheet, SaveTalk& talk, const JournalStamp& stamp,
                      const std::string& undone, int undoneLine = 0, const std::string& found = {}) {
    if (const auto closed =
            closedWeekMessage(files, weekFile, undone.empty() ? "not saved" : "not put back")) {
        talk.tell(*closed);
        return SaveOutcome::Refused;
    }
    if (plan.hasConflicts() && !talk.ask(plan.conflictQuestion()))
        return SaveOutcome::Stopped;
    if (!plan.moves.empty() && !talk.ask(plan.moveQuestion()))
        return SaveOutcome::Stopped;
    if (!plan.unsavedRows.empty() && !talk.ask(plan.unsavedRowsQuestion()))
        return SaveOutcome::Stopped;
    if (!plan.oddCells.empty() && !talk.ask(plan.oddCellsQuestion()))
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
    // The lines reach the disk before "done". A crash before them leaves a
    // change that verify names as made outside the program.
    int count = 0;
    const std::string changes = weekChangeLines(disk, plan.bytes, count);
    const std::string when = formatJournalTime(stamp.when, stamp.utcOffsetSeconds);
    const std::string backupName =
        backup.substr(backup.find_last_of(kPathSeparator == '/' ? "/" : "\\/") + 1);
    const std::string head =
        undone.empty() ? journalLine({"save", when, std::to_string(count), escapedField(backupName),
                                      escapedField(stamp.user), escapedField(stamp.host)})
                       : journalLine({"restore", when, std::to_string(count), escapedField(backupName),
                                      escapedField(stamp.user), escapedField(stamp.host), undone,
                                      std::to_string(undoneLine)});
    const Status journal = appendToJournal(files, journalPathOf(weekFile), found + head + changes,
                                           [&] { return existingLines(stamp, disk); });
    talk.showSaved(sheet, plan.bytes);
    if (!journal)
        talk.tell(
            journal.message() +
            "\r\nThe week was saved. The history and timeclock-report --verify name what the journal lacks.");
    talk.tell("done");
    return SaveOutcome::Saved;
}

} // namespace

SaveOutcome saveWeek(FileAccess& files, const std::string& weekFile, TimeSheet& sheet, SaveTalk& talk,
                     const JournalStamp& stamp) {
    if (const std::optional<SaveOutcome> refused = refusedBeforeReading(weekFile, talk))
        return *refused;

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
    return writeWeek(files, weekFile, disk, plan, sheet, talk, stamp, {});
}

SaveOutcome restoreWeek(FileAccess& files, const std::string& weekFile, TimeSheet& sheet, SaveTalk& talk,
                        const JournalStamp& stamp, int saveLine) {
    if (const std::optional<SaveOutcome> refused = refusedBeforeReading(weekFile, talk))
        return *refused;
    // Before any question about what the journal lacks: a closed week is not put back at all.
    if (const auto closed = closedWeekMessage(files, weekFile, "not put back")) {
        talk.tell(*closed);
        return SaveOutcome::Refused;
    }
    std::string text, disk;
    Status st = readJournalFile(files, journalPathOf(weekFile), text);
    if (st)
        st = readWeekFile(files, weekFile, disk, false);
    if (!st) {
        talk.tell(st.message() + "\r\nThe week was not put back.");
        return SaveOutcome::Failed;
    }
    const JournalText journal = parseJournal(text);
    const std::optional<std::string> target_ = weekBeforeSave(journal, saveLine);
    if (!target_) {
        talk.tell("Line " + std::to_string(saveLine) + " of " + journalPathOf(weekFile) +
                  " is not a save, so the week was not put back.");
        return SaveOutcome::Refused;
    }
    // A punch the journal has no line for is kept, at the end of its record,
    // and named in the journal; what else the journal does not explain is
    // undone, after the question.
    std::string target = *target_;
    const std::vector<std::pair<int, int>> unseen = entriesNotInJournal(disk, replayWeek(journal));
    std::string found;
    for (const auto& [p, k] : unseen) {
        using F = TimeRecord::Field;
        const TimeRecord now = recordAt(disk, p);
        const TimeRecord kept = recordAt(target, p);
        const int at = kept.usedEntries() + 1;
        if (at > TimeRecord::kEntries) {
            talk.tell(
                "The record of position " + std::to_string(p) +
                " has no room left to keep a punch the journal has no line for, so the week was not put "
                "back.");
            return SaveOutcome::Refused;
        }
        found += foundLine(stamp, p, k, now);
        if (target.size() < std::size_t(p) * TimeRecord::kSize)
            target.resize(std::size_t(p) * TimeRecord::kSize, '\0');
        // A structured binding cannot be captured by every compiler in use (clang 14).
        const std::size_t recordAt = std::size_t(p - 1) * TimeRecord::kSize;
        const auto put = [&](F f, int from, int to) {
            std::memcpy(target.data() + recordAt + TimeRecord::offset(f, to), now.raw(f, from).data(),
                        TimeRecord::width(f));
        };
        if (trimSpaces(std::string(kept.raw(F::EmpName))).find_first_not_of('\0') == std::string::npos)
            put(F::EmpName, 0, 0); // a record the put-back would leave without a name takes the punch's
        for (F f : {F::Action, F::JobNumber, F::ActTime, F::ActDate})
            put(f, k, at);
    }
    if (const WeekVerification v = verifyWeek(disk, &journal); !v.passed()) {
        std::string list;
        for (std::size_t i = 0; i < v.unexplained.size() && i < 5; ++i)
            list += "\r\n" + v.unexplained[i];
        if (v.unexplained.size() > 5)
            list += "\r\n...and " + std::to_string(v.unexplained.size() - 5) + " more.";
        if (!talk.ask("The journal does not explain the week file as it is now:" + list +
                      (unseen.empty() ? std::string()
                                      : "\r\nThe " + std::to_string(unseen.size()) +
                                            (unseen.size() == 1 ? " punch" : " punches") +
                                            " the journal has no line for " +
                                            (unseen.size() == 1 ? "is" : "are") + " kept, at the end of " +
                                            (unseen.size() == 1 ? "its record" : "their records") +
                                            ", and named in the history.") +
                      "\r\nPutting the week back undoes the rest. Put it back anyway?"))
            return SaveOutcome::Stopped;
    }
    SavePlan plan;
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord want = recordAt(target, p);
        const TimeRecord now = recordAt(disk, p);
        if (!(want == now) && !(now == recordAt(sheet.loadedBytes(), p))) {
            const std::string name = trimSpaces(now.text(TimeRecord::Field::EmpName));
            plan.conflicts.push_back({p, name.substr(0, name.find('\0')), {}});
        }
        plan.bytes.append(want.view());
    }
    const auto save = std::find_if(journal.lines.begin(), journal.lines.end(),
                                   [saveLine](const JournalLine& l) { return l.number == saveLine; });
    return writeWeek(files, weekFile, disk, plan, sheet, talk, stamp, save->fields[0], saveLine, found);
}

} // namespace tc
