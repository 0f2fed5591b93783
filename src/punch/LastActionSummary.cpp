#include "punch/LastActionSummary.h"

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

} // namespace

std::optional<long long> workedHundredths(const TimeRecord& record) {
    std::optional<long long> total;
    for (int i = 1; i <= TimeRecord::kEntries; ++i) {
        if (!startsWork(record, i))
            continue;
        // Entry 100 has no following entry inside the record.
        if (i == TimeRecord::kEntries)
            break;
        const std::string_view next = trimSpaces(record.raw(F::ActTime, i + 1));
        if (!next.empty() && next.front() == '\0')
            break; // the period still open at the last punch
        const std::optional<int> t1 = parseTimeOfDay(record.raw(F::ActTime, i));
        const std::optional<int> t2 = parseTimeOfDay(next);
        if (!t1 || !t2)
            continue; // a time edited into something unreadable: only this period is lost
        total = total.value_or(0) + periodHundredths(*t1, *t2);
    }
    return total;
}

SummaryTexts LastActionSummary(AppState& state, const DateTime& now) {
    SetWeekFile(state, now);
    // One read gives both the last slot and the texts; a record that cannot
    // be read shows as no punch.
    TimeRecord record;
    if (!FindLastSlot(state, record))
        record = TimeRecord();
    const int k = state.LastSlot;

    SummaryTexts out;
    out.Text1 = upToNul("Last Operation        " + record.text(F::Action, k) + "\r\n" +
                        "On Job Number      " + record.text(F::JobNumber, k) + "\r\n" +
                        "At Time                   " + record.text(F::ActTime, k) + "\r\n" +
                        "On Date                   " + record.text(F::ActDate, k));
    const std::optional<long long> hundredths = workedHundredths(record);
    out.Text2 =
        "Time As of Last Action. = " + (hundredths ? formatHundredths(*hundredths) : std::string()) + "\r\n";
    return out;
}

} // namespace tc
