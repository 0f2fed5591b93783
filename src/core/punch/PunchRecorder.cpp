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

Status recordPunch(StationState& state, const PunchInProgress& punch, const DateTime& now,
                   int utcOffsetSeconds) {
    // A punch after midnight at the end of a Sunday belongs to the new week.
    setWeekFile(state, now);

    if (punch.position < 0 || punch.position >= kPositions)
        return notRecorded("No employee button was chosen.");

    // A month folder removed after the first run is made again rather than
    // losing the punch.
    if (Status st = ensureWeekFolder(state); !st)
        return notRecorded(st.message());

    // The file is read once and written back from the same bytes: reading it
    // again to write the record would double the file work of every punch.
    std::string bytes;
    if (Status st = readWeekFile(*state.files, state.weekFile, bytes, /*createIfMissing=*/true); !st)
        return notRecorded(st.message());
    TimeRecord record = recordAt(bytes, punch.record());
    const int used = record.usedEntries();

    // A full record has no place left; writing after the last used entry would run
    // past entry 100 or over a punch already paid from.
    if (used >= TimeRecord::kEntries)
        return notRecorded("This week's record for " + trimSpaces(punch.employee) +
                           " is full (100 punches).\r\nPlease see the manager.");

    const int k = used + 1;

    using F = TimeRecord::Field;
    const std::pair<F, std::string> entry[] = {{F::Action, punch.action},
                                               {F::JobNumber, punch.job + punch.department},
                                               {F::ActTime, formatTime(now)},
                                               {F::ActDate, formatDate(now)}};
    bool converted = record.setName(punch.employee);
    for (const auto& [field, value] : entry)
        converted = record.set(field, k, value) && converted;
    if (!converted) {
        const std::string lacking =
            charactersOutsideCodePage(punch.employee + punch.action + punch.job + punch.department);
        const std::string why = lacking.empty()
                                    ? std::string(" could not be converted to the code page")
                                    : " holds characters (" + lacking + ") that cannot be stored in";
        return notRecorded("The name or the job \"" + punch.employee + "\", \"" + punch.job + "\"" + why +
                           " the week files.\r\nPlease see the manager.");
    }

    const TimeRecord before = recordAt(bytes, punch.record());
    putRecord(bytes, punch.record(), record);
    if (Status st = replaceFile(*state.files, state.weekFile, bytes); !st)
        return notRecorded(st.message());

    // The punch is stored: a journal that cannot be written does not undo
    // or refuse it. Verify and the history name the entry it lacks.
    const JournalStamp stamp{now, utcOffsetSeconds, {}, {}};
    (void)appendToJournal(*state.files, journalPathOf(state.weekFile),
                          punchLine(stamp, punch.record(), k, record), [&] {
                              // A journal begun now: what the file held before this punch.
                              std::string was = bytes;
                              putRecord(was, punch.record(), before);
                              return existingLines(stamp, was);
                          });
    return Status::ok();
}

} // namespace tc
