#include "core/sheet/ClaimAnswers.h"

#include "core/format/CodePage.h"
#include "core/format/PunchAction.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/sheet/TimeSheet.h"

#include <algorithm>

namespace tc {

namespace {

// The claim as the journal holds it now: answered since, or never told.
Status stillOpen(FileAccess& files, const std::string& weekFile, const ClockOutClaim& claim) {
    std::vector<ClockOutClaim> open;
    if (Status st = openClaims(files, weekFile, open); !st)
        return st;
    const bool found = std::any_of(open.begin(), open.end(), [&](const ClockOutClaim& c) {
        return c.told == claim.told && c.position == claim.position && c.entry == claim.entry;
    });
    return found ? Status::ok()
                 : Status::fail("The clock-out " + claim.name + " told on " + shownJournalTime(claim.told) +
                                " has been answered already or is not in the journal of " + weekFile + ".");
}

} // namespace

Status openClaims(FileAccess& files, const std::string& weekFile, std::vector<ClockOutClaim>& out) {
    out.clear();
    const std::string path = journalPathOf(weekFile);
    if (!files.exists(path))
        return Status::ok();
    std::string text;
    if (Status st = readJournalFile(files, path, text); !st)
        return st;
    for (ClockOutClaim& c : clockOutClaims(parseJournal(text, /*changesOnly=*/true)))
        if (c.answer == ClockOutClaim::Answer::Open)
            out.push_back(std::move(c));
    return Status::ok();
}

SaveOutcome acceptClaim(FileAccess& files, const std::string& weekFile, const ClockOutClaim& claim,
                        SaveTalk& talk, const JournalStamp& stamp) {
    if (!claim.left) {
        talk.tell(claim.name +
                  " did not know when he or she left, so no clock-out can be stored from the claim. "
                  "Enter it in the time sheet and reject the claim with a note.");
        return SaveOutcome::Refused;
    }
    if (Status st = stillOpen(files, weekFile, claim); !st) {
        talk.tell(st.message());
        return SaveOutcome::Refused;
    }
    std::string disk;
    if (Status st = readWeekFile(files, weekFile, disk, false); !st) {
        talk.tell(st.message() + "\r\nThe clock-out was not stored.");
        return SaveOutcome::Failed;
    }
    // The punch the claim was told for must still be that shift's last one.
    const TimeRecord record = recordAt(disk, claim.position);
    std::string name = trimSpaces(record.text(TimeRecord::Field::EmpName));
    name = name.substr(0, name.find('\0'));
    const std::string action = record.isFree(claim.entry)
                                   ? std::string()
                                   : trimSpaces(record.text(TimeRecord::Field::Action, claim.entry));
    if (ansiToUtf8(name) != claim.name || !meansAtWork(action) ||
        (claim.entry < TimeRecord::kEntries && !record.isFree(claim.entry + 1) &&
         trimSpaces(record.text(TimeRecord::Field::Action, claim.entry + 1)) == "OUT")) {
        talk.tell("Punch " + std::to_string(claim.entry) + " of position " + std::to_string(claim.position) +
                  " is no longer the open shift " + claim.name +
                  " told a clock-out for, so nothing was stored. Mend the week in the time sheet.");
        return SaveOutcome::Refused;
    }
    if (record.lastEntry() >= TimeRecord::kEntries) {
        talk.tell("The record of " + claim.name +
                  " holds 100 punches already, so the clock-out was not stored.");
        return SaveOutcome::Refused;
    }

    TimeSheet sheet;
    sheet.load(disk);
    std::vector<std::vector<int>> entryRows;
    sheet.buildRecords(nullptr, nullptr, &entryRows);
    const int row = entryRows[std::size_t(claim.position - 1)][std::size_t(claim.entry)];
    const int out = sheet.addRow(row);
    sheet.setCell(out, TimeSheet::Name, sheet.cell(row, TimeSheet::Name));
    sheet.setCell(out, TimeSheet::Action, "OUT");
    sheet.setCell(out, TimeSheet::JobNumber, "");
    sheet.setCell(out, TimeSheet::ActTime, formatTime(*claim.left));
    sheet.setCell(out, TimeSheet::ActDate, formatDate(*claim.left));
    const SaveOutcome saved = saveWeek(files, weekFile, sheet, talk, stamp);
    if (saved != SaveOutcome::Saved)
        return saved;
    if (Status st = appendToJournal(files, journalPathOf(weekFile), acceptedLine(stamp, claim)); !st)
        talk.tell(st.message() +
                  "\r\nThe clock-out was stored; the journal does not say it came from the claim.");
    return saved;
}

Status rejectClaim(FileAccess& files, const std::string& weekFile, const ClockOutClaim& claim,
                   const std::string& note, const JournalStamp& stamp) {
    if (trimSpaces(note).empty())
        return Status::fail("A claim is rejected with a note saying why.");
    if (Status st = stillOpen(files, weekFile, claim); !st)
        return st;
    return appendToJournal(files, journalPathOf(weekFile), rejectedLine(stamp, claim, note));
}

} // namespace tc
