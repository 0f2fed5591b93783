#include "core/punch/StatusBoard.h"

#include "core/files/MonthFolders.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/punch/StationState.h"

namespace tc {

BoardColour colourForAction(std::string_view lastAction) {
    if (lastAction == kActionIn || lastAction == kActionChange)
        return BoardColour::Yellow;
    if (lastAction == kActionLunch)
        return BoardColour::Red;
    if (lastAction == kActionOut)
        return BoardColour::LightGrey;
    return BoardColour::Unchanged;
}

BoardButton boardButtonFor(const TimeRecord& record, const std::string& name) {
    BoardButton button;
    const int last = record.lastEntry();
    button.colour = colourForAction(record.lastAction());
    std::string job;
    // Entry 0 is never written; an unwritten entry's job number counts as empty.
    if (last > 0)
        job = std::string(trimSpaces(record.text(TimeRecord::Field::JobNumber, last)));
    // The job field of a hand-edited record may hold NULs; they are no text.
    while (!job.empty() && job.back() == '\0')
        job.pop_back();
    button.caption = name + "\r\n" + std::string(trimSpaces(std::string_view(job)));
    return button;
}

Status readStatusBoard(StationState& state, StatusBoard& board) {
    if (Status st = ensureWeekFolder(state); !st)
        return st;
    std::string bytes;
    if (Status st = readWeekFile(*state.files, state.weekFile, bytes, /*createIfMissing=*/true); !st)
        return st;
    StatusBoard fresh;
    for (int p = 1; p <= kPositions; ++p)
        fresh[std::size_t(p - 1)] =
            boardButtonFor(recordAt(bytes, p), state.employeeNames[std::size_t(p - 1)]);
    board = fresh;
    return Status::ok();
}

} // namespace tc
