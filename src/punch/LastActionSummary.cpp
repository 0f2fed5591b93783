#include "punch/LastActionSummary.h"

#include "data/Paths.h"
#include "data/TimeText.h"
#include "data/WeekFile.h"
#include "punch/PunchRecorder.h"

namespace tc {

namespace {

using F = TimeRecord::Field;

// A text box shows its text only up to the first NUL; an entry never written
// is all NULs.
std::string upToNul(std::string text) {
    if (std::size_t nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    return text;
}

bool startsWork(const TimeRecord& record, int k) {
    const std::string_view word = trimSpaces(record.raw(F::Action, k));
    return word == kActionIn || word == kActionChange;
}

bool sameEmployee(const TimeRecord& a, const TimeRecord& b) {
    const std::string name = trimSpaces(a.text(F::EmpName));
    return !name.empty() && name.find('\0') == std::string::npos && name == trimSpaces(b.text(F::EmpName));
}

// The period from one punch to another, when both times can be read.
std::optional<long long> period(const TimeRecord& from, int i, const TimeRecord& to, int j) {
    const std::optional<int> t1 = parseTimeOfDay(from.raw(F::ActTime, i));
    const std::optional<int> t2 = parseTimeOfDay(to.raw(F::ActTime, j));
    if (!t1 || !t2)
        return std::nullopt;
    return periodHundredths(*t1, *t2, from.raw(F::ActDate, i), to.raw(F::ActDate, j));
}

} // namespace

std::optional<long long> workedHundredths(const TimeRecord& record, const TimeRecord* lastWeek) {
    std::optional<long long> total;
    // A shift across Sunday midnight: its IN or CHANGE closes last week's
    // record, and the first punch of this week ends it.
    if (lastWeek && !record.actionUnwritten(1) && sameEmployee(*lastWeek, record)) {
        const int last = lastWeek->lastEntry();
        if (last > 0 && startsWork(*lastWeek, last))
            if (const std::optional<long long> p = period(*lastWeek, last, record, 1))
                total = *p;
    }
    for (int i = 1; i <= TimeRecord::kEntries; ++i) {
        if (!startsWork(record, i))
            continue;
        // Entry 100 has no following entry inside the record.
        if (i == TimeRecord::kEntries)
            break;
        const std::string_view next = trimSpaces(record.raw(F::ActTime, i + 1));
        if (!next.empty() && next.front() == '\0')
            break; // the period still open at the last punch
        // A time edited into something unreadable: only this period is lost.
        if (const std::optional<long long> p = period(record, i, record, i + 1))
            total = total.value_or(0) + *p;
    }
    return total;
}

SummaryTexts LastActionSummary(AppState& state, const DateTime& now, char decimalSeparator) {
    SetWeekFile(state, now);
    // One read gives both the last slot and the texts; a record that cannot
    // be read shows as no punch.
    TimeRecord record;
    if (!FindLastSlot(state, record))
        record = TimeRecord();
    const int k = state.LastSlot;

    // Last week's record of the same position, read only (never created).
    std::string lastWeekBytes;
    const bool haveLastWeek =
        readWeekFile(*state.files, weekFilePath(state.baseFolder, now.addDays(-7)), lastWeekBytes, false)
            .isOk();
    const TimeRecord lastWeek = haveLastWeek ? recordAt(lastWeekBytes, state.ButtonNumber) : TimeRecord();

    SummaryTexts out;
    out.Text1 = upToNul("Last Operation        " + record.text(F::Action, k) + "\r\n" +
                        "On Job Number      " + record.text(F::JobNumber, k) + "\r\n" +
                        "At Time                   " + record.text(F::ActTime, k) + "\r\n" +
                        "On Date                   " + record.text(F::ActDate, k));
    const std::optional<long long> hundredths = workedHundredths(record, haveLastWeek ? &lastWeek : nullptr);
    out.Text2 = "Time As of Last Action. = " +
                (hundredths ? formatHundredths(*hundredths, decimalSeparator) : std::string()) + "\r\n";
    return out;
}

} // namespace tc
