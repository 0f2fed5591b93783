#pragma once

#include "core/files/FileAccess.h"
#include "core/files/Status.h"
#include "core/format/DateTime.h"
#include "core/journal/Journal.h"
#include "core/punch/ActionRules.h"

#include <optional>
#include <string>

namespace tc {

inline constexpr long long kClockOutQuestionAfterSeconds = 14 * 3600;

// A shift whose employee did not clock out, found when he or she presses the
// name again: the station asks when he or she left before anything else.
struct ForgottenClockOut {
    std::string weekFile; // that holds the shift's last punch
    int position = 0;     // the employee's button, 0 to 23
    int entry = 0;        // the shift's last punch (an IN or CHANGE)
    std::string name;     // trimmed, UTF-8
    DateTime lastPunch;
    // The leaving times that may be told: after the last punch, on its day,
    // and not later than now.
    DateTime earliest;
    DateTime latest;

    // "You did not clock out on Tue. When did you leave?"
    std::string question() const;
};

// The shift to ask about, for the employee at `position` (0 to 23): the last
// punch is an IN or CHANGE of an earlier day than `now`, or made more than
// `limitSeconds` ago, and no clock-out has been told for it yet. A LUNCH, an
// OUT, or a punch whose time or date cannot be read asks nothing.
std::optional<ForgottenClockOut> forgottenClockOut(const LastPunch& last, int position, const DateTime& now,
                                                   long long limitSeconds = kClockOutQuestionAfterSeconds);

// Keeps the answer as a claim line in the journal of the shift's week (a
// journal begun by it first gets what the week held). `left` (none: "I don't
// know") must lie between shift.earliest and shift.latest. The week file
// is not touched.
Status tellClockOut(FileAccess& files, const ForgottenClockOut& shift, const std::optional<DateTime>& left,
                    const JournalStamp& told);

} // namespace tc
