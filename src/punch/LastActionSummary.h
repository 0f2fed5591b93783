#pragma once

#include "data/DateTime.h"
#include "data/TimeRecord.h"
#include "station/AppState.h"

#include <optional>
#include <string>

namespace tc {

// The texts of the action screen's two summary boxes.
struct SummaryTexts {
    std::string Text1; // the last punch, four lines
    std::string Text2; // the hours line
};

// Works out this week's file and LastSlot again, then describes the
// employee's last punch and the hours worked this week up to it, the hours
// written with `decimalSeparator` (the machine's). Reads the week files,
// writes nothing.
SummaryTexts LastActionSummary(AppState& state, const DateTime& now, char decimalSeparator = '.');

// Hours worked, in hundredths: each IN or CHANGE punch up to the next punch,
// each period measured in whole seconds and truncated to hundredths. The open
// period after the last punch is not counted, nor is a period one of whose
// times cannot be read. With `lastWeek`, the same position's record of the
// week before: when it holds the same name and ends with an IN or CHANGE,
// the shift that ran across Sunday midnight counts from that punch to this
// week's first. nullopt when no period was counted.
std::optional<long long> workedHundredths(const TimeRecord& record, const TimeRecord* lastWeek = nullptr);

} // namespace tc
