#pragma once

#include "core/files/FileAccess.h"
#include "core/files/Status.h"
#include "core/format/TimeRecord.h"
#include "core/format/WeekFile.h"

#include <array>
#include <string>
#include <string_view>

namespace tc {

struct StationState;

// What one employee button shows: its face colour (left as it was when the
// last action is not one of the four words) and its two-line caption.
enum class BoardColour { Unchanged, Yellow, Red, LightGrey };

struct BoardButton {
    BoardColour colour = BoardColour::Unchanged;
    std::string caption; // name, CR LF, trimmed job number of the last entry
};

using StatusBoard = std::array<BoardButton, kPositions>; // by button position, from 0

// "IN"/"CHANGE" yellow, "LUNCH" red, "OUT" light grey; anything else unchanged.
BoardColour colourForAction(std::string_view lastAction);

// One button from an employee's record. A record whose 100 entries are all
// written shows entry 100 like any other last entry.
BoardButton boardButtonFor(const TimeRecord& record, const std::string& name);

// The whole board from this week's file (read afresh, created empty when
// missing; its month folder is made again first when it was deleted). On
// failure `board` is left as it was and the Status says why.
Status readStatusBoard(StationState& state, StatusBoard& board);

} // namespace tc
