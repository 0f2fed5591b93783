#pragma once

#include "core/format/DateTime.h"
#include "core/journal/Journal.h"

#include <optional>
#include <string>
#include <vector>

namespace tc {

// What an employee said at the next punch about a shift left without
// clocking out: when he or she left (or that it is not known). It is kept as
// a line of the week's journal, never as a punch: the week file is changed
// only when the manager accepts it, by a save like any other.
struct ClockOutClaim {
    enum class Answer : unsigned char { Open, Accepted, Rejected };

    std::string told;             // journal time of the telling; names the claim
    int position = 0;             // 1..24
    int entry = 0;                // the shift's last punch, 1..100
    std::string name;             // trimmed, UTF-8
    std::optional<DateTime> left; // none: "unknown"
    Answer answer = Answer::Open;
    std::string note; // the manager's, with a rejection
    int line = 0;     // of the claim line, in its journal
};

// "2025-02-03 17:05:00", or "unknown".
std::string claimedTimeText(const std::optional<DateTime>& left);

// "left Mon-Feb-3 4:30:00 PM (told 2025-02-04 06:30:00)", or "left at a
// time not known (told ...)": the claim for people.
std::string claimText(const ClockOutClaim& claim);

// claim  when-told  position  entry  name  claimed
std::string claimLine(const ClockOutClaim& claim);
// accepted  when  position  entry  when-told  user  host
std::string acceptedLine(const JournalStamp& stamp, const ClockOutClaim& claim);
// rejected  when  position  entry  when-told  note  user  host
std::string rejectedLine(const JournalStamp& stamp, const ClockOutClaim& claim, const std::string& note);

// Every claim of a journal, in the order told, with the manager's answer.
std::vector<ClockOutClaim> clockOutClaims(const JournalText& journal);

} // namespace tc
