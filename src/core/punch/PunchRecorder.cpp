#include "core/punch/PunchRecorder.h"

#include "core/files/MonthFolders.h"
#include "core/format/CodePageCheck.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/journal/Journal.h"

#include <utility>

namespace tc {

namespace {

Status notRecorded(const std::string& reason) {
    return Status::fail(kPunchNotRecorded + reason);
}

} // namespace

Status findLastSlot(AppState& state, TimeRecord& record) {
    Status st = readRecord(*state.files, state.WeekFile, state.ButtonNumber, record);
    state.LastSlot = st ? std::int16_t(record.usedEntries()) : std::int16_t(0);
    return st;
}

Status findLastSlot(AppState& state) {
    TimeRecord record;
    return findLastSlot(state, record);
}

Status recordPunch(AppState& state, const DateTime& now, int utcOffsetSeconds) {
    // A punch after midnight at the end of a Sunday belongs to the new week.
    setWeekFile(state, now);

    if (state.ButtonNumber < 1 || state.ButtonNumber > kPositions)
        return notRecorded("No employee button was chosen.");

    // A month folder removed after the first run is made again rather than
    // losing the punch.
    if (Status st = ensureWeekFolder(state); !st)
        return notRecorded(st.message());

    // The file is read once and written back from the same bytes: reading it
    // again to write the record would double the file work of every punch.
    std::string bytes;
    if (Status st = readWeekFile(*state.files, state.WeekFile, bytes, /*createIfMissing=*/true); !st) {
        state.LastSlot = 0;
        return notRecorded(st.message());
    }
    TimeRecord record = recordAt(bytes, state.ButtonNumber);
    state.LastSlot = std::int16_t(record.usedEntries());

    // A full record has no place left; writing at LastSlot + 1 would run
    // past entry 100 or over a punch already paid from.
    if (state.LastSlot >= TimeRecord::kEntries)
        return notRecorded("This week's record for " + trimSpaces(state.CurName) +
                           " is full (100 punches).\r\nPlease see the manager.");

    const int k = state.LastSlot + 1;

    using F = TimeRecord::Field;
    const std::pair<F, std::string> entry[] = {{F::Action, state.CurAction},
                                               {F::JobNumber, state.CurJob + state.CurDept},
                                               {F::ActTime, formatTime(now)},
                                               {F::ActDate, formatDate(now)}};
    bool converted = record.setName(state.CurName);
    for (const auto& [field, value] : entry)
        converted = record.set(field, k, value) && converted;
    if (!converted) {
        const std::string lacking =
            charactersOutsideCodePage(state.CurName + state.CurAction + state.CurJob + state.CurDept);
        const std::string why = lacking.empty()
                                    ? std::string(" could not be converted to the code page")
                                    : " holds characters (" + lacking + ") that cannot be stored in";
        return notRecorded("The name or the job \"" + state.CurName + "\", \"" + state.CurJob + "\"" + why +
                           " the week files.\r\nPlease see the manager.");
    }

    const TimeRecord before = recordAt(bytes, state.ButtonNumber);
    putRecord(bytes, state.ButtonNumber, record);
    if (Status st = replaceFile(*state.files, state.WeekFile, bytes); !st)
        return notRecorded(st.message());

    // The punch is stored: a journal that cannot be written does not undo
    // or refuse it. Verify and the history name the entry it lacks.
    const JournalStamp stamp{now, utcOffsetSeconds, {}, {}};
    (void)appendToJournal(*state.files, journalPathOf(state.WeekFile),
                          punchLine(stamp, state.ButtonNumber, k, record), [&] {
                              // A journal begun now: what the file held before this punch.
                              std::string was = bytes;
                              putRecord(was, state.ButtonNumber, before);
                              return existingLines(stamp, was);
                          });
    return Status::ok();
}

} // namespace tc
