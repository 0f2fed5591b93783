#include "manage/ReportCsv.h"

#include "data/Paths.h"
#include "manage/PayrollIds.h"
#include "manage/WeekMoments.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace tc {

namespace {

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

} // namespace

void ReportCsv::row(std::string& out, const std::vector<std::string>& fields) {
    bool first = true;
    for (const std::string& f : fields) {
        if (!first)
            out += ',';
        addField(out, f);
        first = false;
    }
    out += "\r\n";
}

std::string ReportCsv::summary(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(kBom);
    const bool doubleTime = report.pay.doubleTime();
    if (doubleTime)
        row(out, {"Week Ending", "Station", "Position", "Name", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat",
                  "Sun", "Total", "Regular", "Overtime", "Double Time", "Flags"});
    else
        addRow(out, {"Week Ending", "Station", "Position", "Name", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat",
                     "Sun", "Total", "Regular", "Overtime", "Flags"});
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
            days[d] = formatShownHours(p.dayHundredths[std::size_t(d)]);
        if (doubleTime)
            row(out, {week, joined(stations), joined(positions), p.name, days[0], days[1], days[2], days[3],
                      days[4], days[5], days[6], formatShownHours(p.totalHundredths),
                      formatShownHours(p.regularHundredths), formatShownHours(p.overtimeHundredths),
                      formatShownHours(p.doubleTimeHundredths), joined(p.flags)});
        else
            addRow(out, {week, joined(stations), joined(positions), p.name, days[0], days[1], days[2],
                         days[3], days[4], days[5], days[6], formatShownHours(p.totalHundredths),
                         formatShownHours(p.regularHundredths), formatShownHours(p.overtimeHundredths),
                         joined(p.flags)});
    }
    for (const ReportProblem& problem : report.problems) {
        std::vector<std::string> fields(doubleTime ? 16 : 15);
        fields[0] = week;
        fields[1] = report.sources[std::size_t(problem.source)].station;
        fields.back() = problem.message;
        row(out, fields);
    }
    return out;
}

std::string ReportCsv::detail(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(kBom);
    const bool paidTimes = report.pay.roundMinutes > 0;
    if (paidTimes)
        row(out, {"Week Ending", "Station", "Position", "Name", "Job", "Department", "Start", "End",
                  "Paid Start", "Paid End", "Hours", "Flags"});
    else
        addRow(out, {"Week Ending", "Station", "Position", "Name", "Job", "Department", "Start", "End",
                     "Hours", "Flags"});
    for (const WorkedSpan& s : report.spans) {
        const JobHours& job = report.jobs[std::size_t(s.job)];
        const bool counted = s.counted();
        const std::string start = counted || s.open ? formatStamp(report.monday, s.from)
                                  : s.fromKnown     ? formatStamp(report.monday, s.opened)
                                                    : "";
        const std::string end = counted                ? formatStamp(report.monday, s.to)
                                : !s.open && s.toKnown ? formatStamp(report.monday, s.closed)
                                                       : "";
        const std::string hours = s.open ? "" : formatShownHours(s.hundredths);
        if (paidTimes)
            row(out, {week, report.sources[std::size_t(s.source)].station, std::to_string(s.position),
                      report.people[std::size_t(s.person)].name, job.job, job.department, start, end,
                      counted ? formatStamp(report.monday, s.paidFrom) : "",
                      counted ? formatStamp(report.monday, s.paidTo) : "", hours, report.spanFlags(s)});
        else
            addRow(out, {week, report.sources[std::size_t(s.source)].station, std::to_string(s.position),
                         report.people[std::size_t(s.person)].name, job.job, job.department, start, end,
                         hours, report.spanFlags(s)});
    }
    return out;
}

std::string ReportCsv::jobs(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(kBom);
    addRow(out, {"Week Ending", "Job", "Description", "Department", "Hours"});
    for (const JobHours& j : report.jobs)
        addRow(out, {week, j.job, j.description, j.department, formatShownHours(j.hundredths)});
    return out;
}

Status ReportCsv::write(FileAccess& files, const std::vector<Output>& outputs) {
    for (const Output& o : outputs)
        if (isProgramData(o.path))
            return Status::fail("Not written: " + o.path +
                                " would replace a file of the time clock's own (.dat and .wkb files are its "
                                "data). Choose a name ending in .csv.");
    for (const Output& o : outputs)
        if (PayrollIds::isItsFile(o.path))
            return Status::fail("Not written: " + o.path +
                                " would replace the payroll IDs of the time clock. Choose another name.");
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
