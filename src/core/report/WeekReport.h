#pragma once

#include "core/files/FileAccess.h"
#include "core/format/DateTime.h"
#include "core/format/TimeRecord.h"
#include "core/format/ZoneRules.h"
#include "core/journal/JournalReplay.h"
#include "core/report/PayRules.h"
#include "core/report/WeekApprovals.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace tc {

class WeekFileCache;

// One program folder whose week files are reported; the station is the
// folder's own name.
struct ReportSource {
    std::string folder;
    std::string station;
};
// The last part of a folder path ("/srv/clock/Front Door" -> "Front Door").
std::string stationName(const std::string& folder);

enum class PunchAction : unsigned char { In, Change, Lunch, Out, Other };

// Why a punch takes no part in the hours (None: it does).
// NoAmPm: a time of 1 to 12 o'clock without AM or PM, never guessed.
enum class PunchProblem : unsigned char { None, Unreadable, OutsideWeek, OutOfOrder, NoAmPm };

// One stored punch of the week. Its texts stay in the week file's bytes
// (WeekReport::punchText), so a report of a year builds no strings for them.
struct ReportPunch {
    int source = 0;   // index into WeekReport::sources
    int position = 0; // record, 1..24
    int entry = 0;    // 1..100
    PunchAction action = PunchAction::Other;
    PunchProblem problem = PunchProblem::None;
    long long at = 0;    // seconds from the week's Monday 00:00, when readable
    int correction = -1; // index into WeekReport::corrections when a save changed it
};

// A worked span, or the part of it that lies in the week.
struct WorkedSpan {
    int person = 0;
    int source = 0;
    int position = 0;
    int job = -1;         // index into WeekReport::jobs
    long long from = 0;   // seconds from Monday 00:00, within the week
    long long to = 0;     // end within the week; unused when open
    long long opened = 0; // when the span began (before `from` when it began last week)
    long long closed = 0; // when it ended (after `to` when it ended next week)
    bool open = false;    // no closing punch: shown, never counted
    bool stillIn = false; // open, and the employee may still be at work
    // Not counted because a punch at one of its ends cannot be placed: which
    // punch (its entry) and why. `fromKnown` / `toKnown` say whether that end
    // has a moment (`opened`, `closed`).
    PunchProblem doubt = PunchProblem::None;
    int doubtEntry = 0;
    bool fromKnown = true;
    bool toKnown = true;
    bool crossesClockChange = false; // the clocks changed during it: counted as the time that passed
    long long clockShift = 0;        // how far they moved forward within `from` to `to`
    long long hundredths = 0;        // its share of its job's line, as shown
    bool counted() const { return !open && doubt == PunchProblem::None; }
    long long seconds() const { return counted() ? std::max(0LL, to - from - clockShift) : 0; }
    // Rounded for pay (roundSpansForPay): paid from `paidFrom` to `paidTo`.
    bool rounded = false;
    long long paidFrom = 0;
    long long paidTo = 0;
    long long paidSeconds() const {
        return !rounded ? seconds() : counted() ? std::max(0LL, paidTo - paidFrom - clockShift) : 0;
    }
};

struct PersonWeek {
    std::string name;                         // trimmed, UTF-8
    std::vector<std::pair<int, int>> records; // (source, position), in the order met
    std::array<long long, 7> daySeconds{};    // Monday first
    long long totalSeconds = 0;
    long long overtimeSeconds = 0;
    long long doubleTimeSeconds = 0;
    long long exactSeconds = 0; // before rounding for pay
    long long regularSeconds() const { return totalSeconds - overtimeSeconds - doubleTimeSeconds; }
    // As shown, in hundredths of an hour: the days and regular + overtime add up to the total.
    std::array<long long, 7> dayHundredths{};
    long long totalHundredths = 0;
    long long regularHundredths = 0;
    long long overtimeHundredths = 0;
    long long doubleTimeHundredths = 0;
    std::vector<std::string> flags;
    std::vector<ReportPunch> punches;
};

struct JobHours {
    std::string job;         // the job item, without the department
    std::string department;  // "Dept-1" ... "Office", "Other"; empty when the punch has none
    std::string description; // from today's job list
    long long seconds = 0;
    long long hundredths = 0; // as shown: the jobs add up to the week's total
};

// A file or folder that could not be read, or a damaged file.
struct ReportProblem {
    int source = 0;
    std::string message;
};

// A week's hours per employee, day and job, from the saved week files of one
// or more stations. Weeks run Monday 00:00 to the next Monday 00:00.
struct WeekReport {
    DateTime sunday; // the week ends on this day (its file's name)
    DateTime monday; // the week starts on this day, 00:00
    bool currentWeek = false;
    long long overtimeAfterSeconds = 0;
    PayRules pay;
    std::vector<ReportSource> sources;
    std::vector<std::string> weekFiles;                        // per source
    std::vector<std::shared_ptr<const std::string>> weekBytes; // per source; null when not read
    bool anyWeekFile = false;
    std::vector<ReportProblem> problems;
    std::vector<PersonWeek> people; // in order of station, then position
    std::vector<WorkedSpan> spans;  // in order of person, then time
    std::vector<JobHours> jobs;     // by job, then department
    // From the week files' journals: the last save that changed each entry.
    std::vector<EntryCorrection> corrections;
    // Per source: its journal's seal, approvals and closing (empty without a journal).
    std::vector<WeekApprovals> signOffs;

    // What a span's detail row says about it ("over 16 hours", "in since ...").
    std::string spanFlags(const WorkedSpan& span) const;
    // "corrected 2025-02-04 10:00:00, was time 5:00:00 PM"; empty when not corrected.
    std::string correctionText(const ReportPunch& punch) const;
    // A stored field of a punch as UTF-8 text, trimmed.
    std::string punchText(const ReportPunch& punch, TimeRecord::Field field) const;
    long long totalSeconds() const;
};

inline constexpr long long kDefaultOvertimeAfterSeconds = 40 * 3600;
inline constexpr long long kLongSpanSeconds = 16 * 3600; // longer spans are counted and flagged

// Shares the hours shown among the parts under them, so that they add up: a
// person's days and regular + overtime + double time to the person's total,
// the jobs to the week's total, a job's detail rows to its line.
void shareReportHundredths(WeekReport& report);

// Works out the week that holds `anyDay`. `now` says whether it is the
// current week (an open span is then "in since", not a missing clock-out).
// Reads this week's file of every source and, for shifts across the week's
// ends, the week before and the week after; writes nothing. Job descriptions
// come from each source's job list. Pass a cache to share reads between weeks
// (the job lists are then read once). Spans count the time that passed by
// the zone's rules: across a change of the clocks an hour more or less than
// the wall clock shows. The rules of pay apply last (applyPayRules).
WeekReport makeWeekReport(FileAccess& files, const std::vector<ReportSource>& sources, const DateTime& anyDay,
                          const DateTime& now, long long overtimeAfterSeconds, WeekFileCache* cache = nullptr,
                          const ZoneRules& zone = ZoneRules(), const PayRules& pay = PayRules());

} // namespace tc
