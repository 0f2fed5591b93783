#include "core/journal/JournalChecks.h"

#include "core/files/Paths.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/format/WeekMoments.h"

#include <array>
#include <cstdio>

namespace tc {

namespace {

// A journal's moment: the local time and its offset from UTC.
struct Moment {
    DateTime local;
    long long utc = 0; // seconds since 1970, for the order of lines
};

std::optional<Moment> readMoment(const std::string& text) {
    int y, mo, d, h, mi, s, oh, om;
    char sign;
    int used = 0;
    if (text.size() != 25 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &sign, &oh,
                    &om, &used) != 9 ||
        used != 25 || (sign != '+' && sign != '-') || !isCalendarDate(y, mo, d) || h < 0 || h > 23 ||
        mi < 0 || mi > 59 || s < 0 || s > 59 || oh < 0 || oh > 23 || om < 0 || om > 59)
        return std::nullopt;
    const DateTime local = makeDateTime(y, mo, d, h, mi, s);
    const long long offset = (sign == '-' ? -1 : 1) * (oh * 3600LL + om * 60LL);
    return Moment{local, dayNumber(y, mo, d) * kDaySeconds + local.secondsOfDay() - offset};
}

} // namespace

std::optional<DateTime> weekSundayOfFile(const std::string& weekFile) {
    const std::size_t slash = weekFile.find_last_of("/\\");
    const std::string name = weekFile.substr(slash == std::string::npos ? 0 : slash + 1);
    char month[4] = {};
    int day = 0, year = 0;
    if (std::sscanf(name.c_str(), "Week Ending Sunday %3s %d %d.dat", month, &day, &year) != 3)
        return std::nullopt;
    for (int m = 1; m <= 12; ++m) {
        const DateTime sunday = makeDateTime(year, m, day);
        if (monthAbbrev(m) == std::string(month) && isCalendarDate(year, m, day) && sunday.weekday() == 0 &&
            weekFileName(sunday) == name)
            return sunday;
    }
    return std::nullopt;
}

std::vector<std::string> journalLineDoubts(const JournalText& journal,
                                           const std::optional<DateTime>& sunday) {
    std::vector<std::string> doubts;
    // The last punch or existing line of each position: a record's punches
    // are stored in the order they happen.
    std::array<std::optional<Moment>, kPositions> previous;
    std::array<int, kPositions> previousLine{};
    for (const JournalLine& line : journal.lines) {
        if (line.kind != JournalKind::Punch && line.kind != JournalKind::Existing)
            continue;
        const auto& f = line.fields;
        const std::string where = "line " + std::to_string(line.number) + " of the journal";
        const std::optional<Moment> moment = readMoment(f[0]);
        if (!moment) {
            doubts.push_back(where + ": its moment \"" + f[0] + "\" cannot be read (the line was changed).");
            continue;
        }
        const std::string stamped = shownJournalTime(f[0]);
        const std::size_t p = std::size_t(line.intField(1) - 1);
        if (previous[p] && moment->utc < previous[p]->utc)
            doubts.push_back(where + " was stamped " + stamped + ", earlier than line " +
                             std::to_string(previousLine[p]) + " of position " + f[1] +
                             " before it: the lines were changed or moved, or the clock was set back.");
        previous[p] = moment;
        previousLine[p] = line.number;
        if (line.kind != JournalKind::Punch)
            continue; // an existing line is stamped when the journal began
        const std::string punch = "the punch of position " + f[1] + ", entry " + f[2];
        const std::string time = trimSpaces(f[6]), date = trimSpaces(f[7]);
        if (time != formatTime(moment->local) || date != formatDate(moment->local))
            doubts.push_back(where + ": " + punch + " was stamped " + stamped + " but holds the time \"" +
                             time + "\" and the date \"" + date + "\" (the line was changed).");
        if (sunday) {
            const long long day = dayNumber(moment->local.year, moment->local.month, moment->local.day);
            const long long last = dayNumber(sunday->year, sunday->month, sunday->day);
            if (day < last - 6 || day > last)
                doubts.push_back(where + ": " + punch + " was stamped " + stamped +
                                 ", outside the week ending " + formatIsoDate(*sunday) +
                                 " (a journal of another week).");
        }
    }
    return doubts;
}

} // namespace tc
