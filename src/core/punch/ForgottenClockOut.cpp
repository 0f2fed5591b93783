#include "core/punch/ForgottenClockOut.h"

#include "core/files/Paths.h"
#include "core/format/CodePage.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/format/WeekMoments.h"
#include "core/journal/ClockOutClaim.h"

namespace tc {

namespace {

long long secondsBetween(const DateTime& from, const DateTime& to) {
    return (dayNumber(to.year, to.month, to.day) - dayNumber(from.year, from.month, from.day)) * kDaySeconds +
           to.secondsOfDay() - from.secondsOfDay();
}

} // namespace

std::string ForgottenClockOut::question() const {
    return std::string("You did not clock out on ") + weekdayAbbrev(lastPunch.weekday()) +
           ". When did you leave?";
}

std::optional<ForgottenClockOut> forgottenClockOut(const LastPunch& last, int position, const DateTime& now,
                                                   long long limitSeconds) {
    if (last.entry < 1 || last.clockOutTold || stateForLastAction(last.action()) != EmployeeState::AtWork)
        return std::nullopt;
    const DateTime sunday = weekEndingSunday(last.weekDay);
    const DateTime monday = weekMonday(sunday);
    const std::optional<long long> day =
        storedDay(last.record.text(TimeRecord::Field::ActDate, last.entry), sunday, monday);
    // Never guessed: a time that may be morning or afternoon asks nothing.
    const std::optional<int> time =
        parseClearTimeOfDay(last.record.text(TimeRecord::Field::ActTime, last.entry));
    if (!day || !time)
        return std::nullopt;
    const DateTime at = monday.addSeconds(*day + *time);
    const long long since = secondsBetween(at, now);
    const bool earlierDay = dayNumber(at.year, at.month, at.day) < dayNumber(now.year, now.month, now.day);
    if (since < 0 || (!earlierDay && since <= limitSeconds))
        return std::nullopt;
    ForgottenClockOut shift;
    shift.weekFile = last.weekFile;
    shift.position = position;
    shift.entry = last.entry;
    std::string name = trimSpaces(last.record.text(TimeRecord::Field::EmpName));
    shift.name = ansiToUtf8(name.substr(0, name.find('\0')));
    shift.lastPunch = at;
    shift.earliest = at;
    shift.latest = earlierDay ? monday.addSeconds(*day + kDaySeconds - 1) : now;
    return shift;
}

Status tellClockOut(FileAccess& files, const ForgottenClockOut& shift, const std::optional<DateTime>& left,
                    const JournalStamp& told) {
    if (left && (secondsBetween(shift.earliest, *left) < 0 || secondsBetween(*left, shift.latest) < 0))
        return Status::fail("The time told lies outside the shift, so it was not kept.");
    std::string week;
    if (Status st = readWeekFile(files, shift.weekFile, week, false); !st)
        return st;
    ClockOutClaim claim;
    claim.told = formatJournalTime(told.when, told.utcOffsetSeconds);
    claim.position = shift.position + 1; // the journal counts records from 1
    claim.entry = shift.entry;
    claim.name = shift.name;
    claim.left = left;
    return appendToJournal(files, journalPathOf(shift.weekFile), claimLine(claim),
                           [&] { return existingLines(told, week); });
}

} // namespace tc
