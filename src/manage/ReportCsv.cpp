#include "manage/ReportCsv.h"

#include "data/Paths.h"
#include "manage/WeekMoments.h"
#include "manage/WeekSignOff.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace tc {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

void addField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void addRow(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view f : fields) {
        if (!first)
            out += ',';
        addField(out, f);
        first = false;
    }
    out += "\r\n";
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "; ") + p;
    return out;
}

bool isProgramData(const std::string& path) {
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return tail == ".dat" || tail == ".wkb";
}

// The week's seal as the file's own last row, after the data, so a
// spreadsheet still opens the file and the seal travels with it.
std::string withSeal(std::string out, const WeekReport& report) {
    addRow(out, {"Seal", weekSealText(report)});
    return out;
}

} // namespace

std::string ReportCsv::summary(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(kBom);
    addRow(out, {"Week Ending", "Station", "Position", "Name", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat",
                 "Sun", "Total", "Regular", "Overtime", "Flags", "Approved", "Closed"});
    const char* const closed = isWeekClosed(report) ? "yes" : "no";
    for (const PersonWeek& p : report.people) {
        std::vector<std::string> stations, positions;
        for (auto [source, position] : p.records) {
            const std::string& station = report.sources[std::size_t(source)].station;
            if (std::find(stations.begin(), stations.end(), station) == stations.end())
                stations.push_back(station);
            positions.push_back(std::to_string(position));
        }
        std::string days[7];
        for (int d = 0; d < 7; ++d)
            days[d] = formatHours(p.daySeconds[std::size_t(d)]);
        addRow(out, {week, joined(stations), joined(positions), p.name, days[0], days[1], days[2], days[3],
                     days[4], days[5], days[6], formatHours(p.totalSeconds), formatHours(p.regularSeconds()),
                     formatHours(p.overtimeSeconds), joined(p.flags),
                     standingApproval(report, p) ? "yes" : "no", closed});
    }
    for (const ReportProblem& problem : report.problems)
        addRow(out, {week, report.sources[std::size_t(problem.source)].station, "", "", "", "", "", "", "",
                     "", "", "", "", "", problem.message, "", ""});
    return withSeal(out, report);
}

std::string ReportCsv::detail(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(kBom);
    addRow(out, {"Week Ending", "Station", "Position", "Name", "Job", "Department", "Start", "End", "Hours",
                 "Flags"});
    for (const WorkedSpan& s : report.spans) {
        const JobHours& job = report.jobs[std::size_t(s.job)];
        addRow(out, {week, report.sources[std::size_t(s.source)].station, std::to_string(s.position),
                     report.people[std::size_t(s.person)].name, job.job, job.department,
                     formatStamp(report.monday, s.from), s.open ? "" : formatStamp(report.monday, s.to),
                     s.open ? "" : formatHours(s.seconds()), report.spanFlags(s)});
    }
    return withSeal(out, report);
}

std::string ReportCsv::jobs(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(kBom);
    addRow(out, {"Week Ending", "Job", "Description", "Department", "Hours"});
    for (const JobHours& j : report.jobs)
        addRow(out, {week, j.job, j.description, j.department, formatHours(j.seconds)});
    return withSeal(out, report);
}

Status ReportCsv::write(FileAccess& files, const std::vector<Output>& outputs) {
    for (const Output& o : outputs)
        if (isProgramData(o.path))
            return Status::fail("Not written: " + o.path +
                                " would replace a file of the time clock's own (.dat and .wkb files are its "
                                "data). Choose a name ending in .csv.");
    // A folder that is not there would stop the writing half way through the files.
    for (const Output& o : outputs) {
        const std::string folder = parentFolder(o.path);
        if (!folder.empty() && !files.isFolder(folder))
            return Status::fail("Nothing was written: the folder " + folder + " does not exist.");
    }
    for (const Output& o : outputs)
        if (Status st = replaceFile(files, o.path, o.bytes); !st)
            return st;
    return Status::ok();
}

} // namespace tc
