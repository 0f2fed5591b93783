#pragma once

#include "core/files/FileAccess.h"
#include "core/journal/Journal.h"
#include "core/report/WeekReport.h"

#include <optional>
#include <string>
#include <vector>

namespace tc {

// A flag payroll cannot pay on: a span with no clock-out, a time or date
// that cannot be read, a punch dated outside the week.
bool isUnpayableFlag(const std::string& flag);

// A person's flags that payroll cannot pay on and no one acknowledged.
std::vector<std::string> blockingFlags(const WeekReport& report, const PersonWeek& person);
// The approval that stands for the person: the last one, given for the
// totals the week shows now; null when none (never approved, or the week
// changed since).
const ApprovalLine* standingApproval(const WeekReport& report, const PersonWeek& person);
// Closed: every week file of the week is closed.
bool isWeekClosed(const WeekReport& report);
// "Approved 2025-02-10 09:00:00 by ann on office-pc" / "NOT APPROVED".
std::string approvalText(const WeekReport& report, const PersonWeek& person);
// "closed 2025-02-10 09:30:00 by ann on office-pc" / "open".
std::string closingText(const WeekReport& report);
// The week's seal, shown: one per station's journal ("Back Door 3F2A-..." when
// there are several), "not sealed" for a journal begun before seals.
std::string weekSealText(const WeekReport& report);

// What approving people did: who was approved, who not and why.
struct ApprovalOutcome {
    std::vector<std::string> approved;
    std::vector<std::string> refused; // "Lee Chan: no clock-out after Fri 10:15 AM is not acknowledged"
    Status written;                   // a journal that could not be written
};
// Approves the people at these indices of report.people (all when empty):
// an approve line in the journal of each week file that holds a record of
// the person, with the totals and that journal's seal. Someone with a flag
// payroll cannot pay on that is not acknowledged is not approved.
ApprovalOutcome approvePeople(FileAccess& files, const WeekReport& report, std::vector<std::size_t> people,
                              const JournalStamp& stamp);
// What the manager is told after approving: "Approved: Ann; Bob." and for
// each person not approved why, with where to mend it.
std::string approvalMessage(const ApprovalOutcome& outcome);
// Lets one of a person's unpayable flags through: an acknowledge line with
// the note (which must say something).
Status acknowledgeFlag(FileAccess& files, const WeekReport& report, std::size_t person,
                       const std::string& flag, const std::string& note, const JournalStamp& stamp);
// Closes the week (after payroll): a close line in each week file's journal.
// Only a week that has ended can be closed.
Status closeWeek(FileAccess& files, const WeekReport& report, const JournalStamp& stamp);
// Reopens a closed week: a reopen line with the reason (which must say something).
Status reopenWeek(FileAccess& files, const WeekReport& report, const std::string& reason,
                  const JournalStamp& stamp);

// The time sheet's answer for a closed week file ("... is closed ..., so it
// was not saved."); nullopt when the week is not closed. `notDone` ends the
// sentence: "so it was not saved".
std::optional<std::string> closedWeekMessage(FileAccess& files, const std::string& weekFile,
                                             const std::string& notDone);

} // namespace tc
