#include "core/report/WeekSignOff.h"

#include "core/format/TimeText.h"
#include "core/format/WeekMoments.h"
#include "core/journal/JournalSeal.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace tc {

namespace {

// The sources (station indices) holding records of the person, each once.
std::vector<int> sourcesOf(const PersonWeek& person) {
    std::vector<int> sources;
    for (const auto& [source, position] : person.records)
        if (std::find(sources.begin(), sources.end(), source) == sources.end())
            sources.push_back(source);
    return sources;
}

int positionIn(const PersonWeek& person, int source) {
    for (const auto& [s, position] : person.records)
        if (s == source)
            return position;
    return 0;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The seal a journal has now, shown; empty when it has none.
std::string sealNow(FileAccess& files, const std::string& journal) {
    std::string text, seal;
    if (!files.exists(journal) || !readJournalFile(files, journal, text))
        return {};
    return lastSealIn(text, true, seal) ? shownSeal(seal) : std::string();
}

// Appends each source's lines to its week's journal; a new journal begins
// with what the week file holds.
Status appendPerSource(FileAccess& files, const WeekReport& report, const JournalStamp& stamp,
                       const std::map<int, std::string>& lines) {
    for (const auto& [source, text] : lines) {
        const std::shared_ptr<const std::string> bytes = report.weekBytes[std::size_t(source)];
        if (Status st = appendToJournal(files, journalPathOf(report.weekFiles[std::size_t(source)]), text,
                                        [&] { return bytes ? existingLines(stamp, *bytes) : std::string(); });
            !st)
            return st;
    }
    return Status::ok();
}

std::string weekName(const WeekReport& report) {
    return "The week ending " + formatIsoDate(report.sunday);
}

} // namespace

bool isUnpayableFlag(const std::string& flag) {
    if (flag.starts_with("no clock-out after ") || flag.starts_with("in since "))
        return true;
    return flag.starts_with("punch ") && (flag.find(" cannot be read (") != std::string::npos ||
                                          flag.find(", outside the week;") != std::string::npos);
}

std::vector<std::string> blockingFlags(const WeekReport& report, const PersonWeek& person) {
    std::vector<std::string> blocking;
    const std::vector<int> sources = sourcesOf(person);
    for (const std::string& flag : person.flags)
        if (isUnpayableFlag(flag) && std::none_of(sources.begin(), sources.end(), [&](int s) {
                return report.signOffs[std::size_t(s)].acknowledged(person.name, flag);
            }))
            blocking.push_back(flag);
    return blocking;
}

const ApprovalLine* standingApproval(const WeekReport& report, const PersonWeek& person) {
    const ApprovalLine* last = nullptr;
    for (int s : sourcesOf(person))
        if (const ApprovalLine* a = report.signOffs[std::size_t(s)].lastApprovalOf(person.name))
            if (!last || a->when > last->when)
                last = a;
    if (!last || !blockingFlags(report, person).empty())
        return nullptr;
    const bool sameTotals = last->total == formatShownHours(person.totalHundredths) &&
                            last->regular == formatShownHours(person.regularHundredths) &&
                            last->overtime == formatShownHours(person.overtimeHundredths);
    return sameTotals ? last : nullptr;
}

bool isWeekClosed(const WeekReport& report) {
    bool any = false;
    for (std::size_t s = 0; s < report.sources.size(); ++s) {
        if (!report.weekBytes[s])
            continue;
        if (!report.signOffs[s].closed)
            return false;
        any = true;
    }
    return any;
}

std::string approvalText(const WeekReport& report, const PersonWeek& person) {
    const ApprovalLine* a = standingApproval(report, person);
    if (!a)
        return "NOT APPROVED";
    const std::string who =
        a->user.empty() || a->host.empty() ? a->user + a->host : a->user + " on " + a->host;
    return "Approved " + a->when + " by " + who;
}

std::string closingText(const WeekReport& report) {
    if (!isWeekClosed(report))
        return "open";
    for (const WeekApprovals& w : report.signOffs)
        if (w.closed)
            return "closed " + w.closedWhen + " by " + w.closedBy;
    return "open";
}

std::string weekSealText(const WeekReport& report) {
    std::string text;
    int shown = 0;
    for (std::size_t s = 0; s < report.sources.size(); ++s) {
        if (!report.weekBytes[s])
            continue;
        const std::string& seal = report.signOffs[s].seal;
        const std::string one = seal.empty() ? "not sealed" : shownSeal(seal);
        text += (shown++ > 0 ? ", " : "") +
                (report.sources.size() > 1 ? report.sources[s].station + " " + one : one);
    }
    return text.empty() ? "not sealed" : text;
}

std::string approvalMessage(const ApprovalOutcome& outcome) {
    std::string said;
    if (!outcome.written)
        said = outcome.written.message() + "\r\nNobody was approved.";
    else if (!outcome.approved.empty()) {
        said = "Approved: ";
        for (std::size_t i = 0; i < outcome.approved.size(); ++i)
            said += (i ? "; " : "") + outcome.approved[i];
        said += ".";
    }
    if (!outcome.refused.empty()) {
        said += std::string(said.empty() ? "" : "\r\n") + "Not approved:";
        for (const std::string& why : outcome.refused)
            said += "\r\n" + why + ".";
        said += "\r\nMend it in the time sheet, or acknowledge it with a note (Acknowledge Flags...).";
    }
    return said;
}

ApprovalOutcome approvePeople(FileAccess& files, const WeekReport& report, std::vector<std::size_t> people,
                              const JournalStamp& stamp) {
    ApprovalOutcome out;
    if (people.empty())
        for (std::size_t i = 0; i < report.people.size(); ++i)
            people.push_back(i);
    std::map<int, std::string> lines;
    std::map<int, std::string> seals;
    for (std::size_t i : people) {
        const PersonWeek& person = report.people.at(i);
        const std::vector<std::string> blocking = blockingFlags(report, person);
        if (!blocking.empty()) {
            std::string why = person.name + ": ";
            for (std::size_t k = 0; k < blocking.size(); ++k)
                why += (k > 0 ? "; " : "") + blocking[k];
            out.refused.push_back(why + (blocking.size() == 1 ? " is" : " are") +
                                  " not mended in the time sheet nor acknowledged");
            continue;
        }
        for (int s : sourcesOf(person)) {
            if (!seals.count(s))
                seals[s] = sealNow(files, journalPathOf(report.weekFiles[std::size_t(s)]));
            lines[s] += approveLine(stamp, {{},
                                            {},
                                            {},
                                            positionIn(person, s),
                                            person.name,
                                            formatShownHours(person.totalHundredths),
                                            formatShownHours(person.regularHundredths),
                                            formatShownHours(person.overtimeHundredths),
                                            seals[s]});
        }
        out.approved.push_back(person.name);
    }
    out.written = appendPerSource(files, report, stamp, lines);
    if (!out.written)
        out.approved.clear();
    return out;
}

Status acknowledgeFlag(FileAccess& files, const WeekReport& report, std::size_t person,
                       const std::string& flag, const std::string& note, const JournalStamp& stamp) {
    const PersonWeek& who = report.people.at(person);
    if (trimmed(note).empty())
        return Status::fail("An acknowledgement needs a note saying why the flag may be paid as it stands.");
    if (std::find(who.flags.begin(), who.flags.end(), flag) == who.flags.end() || !isUnpayableFlag(flag))
        return Status::fail(who.name + " has no flag \"" + flag + "\" that payroll cannot pay on.");
    std::map<int, std::string> lines;
    for (int s : sourcesOf(who))
        lines[s] = acknowledgeLine(stamp, positionIn(who, s), who.name, flag, trimmed(note));
    return appendPerSource(files, report, stamp, lines);
}

Status closeWeek(FileAccess& files, const WeekReport& report, const JournalStamp& stamp) {
    const DateTime end = report.sunday.addDays(1);
    if (std::tie(stamp.when.year, stamp.when.month, stamp.when.day) < std::tie(end.year, end.month, end.day))
        return Status::fail(weekName(report) + " has not ended yet; it can be closed from " +
                            formatIsoDate(end) + " on.");
    if (isWeekClosed(report))
        return Status::fail(weekName(report) + " is closed already (" + closingText(report) + ").");
    std::map<int, std::string> lines;
    for (std::size_t s = 0; s < report.sources.size(); ++s)
        if (report.weekBytes[s] && !report.signOffs[s].closed)
            lines[int(s)] = closeLine(stamp, sealNow(files, journalPathOf(report.weekFiles[s])));
    if (lines.empty())
        return Status::fail(weekName(report) + " has no week file to close.");
    return appendPerSource(files, report, stamp, lines);
}

Status reopenWeek(FileAccess& files, const WeekReport& report, const std::string& reason,
                  const JournalStamp& stamp) {
    if (trimmed(reason).empty())
        return Status::fail("Reopening a closed week needs a reason.");
    std::map<int, std::string> lines;
    for (std::size_t s = 0; s < report.sources.size(); ++s)
        if (report.weekBytes[s] && report.signOffs[s].closed)
            lines[int(s)] = reopenLine(stamp, trimmed(reason));
    if (lines.empty())
        return Status::fail(weekName(report) + " is not closed.");
    return appendPerSource(files, report, stamp, lines);
}

std::optional<std::string> closedWeekMessage(FileAccess& files, const std::string& weekFile,
                                             const std::string& notDone) {
    const std::string path = journalPathOf(weekFile);
    std::string text;
    if (!files.exists(path) || !readJournalFile(files, path, text))
        return std::nullopt;
    const WeekApprovals state = readWeekApprovals(parseJournal(text));
    if (!state.closed)
        return std::nullopt;
    return "The week " + weekFile + " is closed (closed " + state.closedWhen + " by " + state.closedBy +
           "), so it was " + notDone + ". To change it, reopen it in the week report, giving the reason.";
}

} // namespace tc
