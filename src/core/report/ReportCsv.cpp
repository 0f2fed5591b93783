#include "core/report/ReportCsv.h"

#include "core/files/Paths.h"
#include "core/format/WeekMoments.h"
#include "core/report/PayrollIds.h"
#include "core/report/WeekSignOff.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace tc {

namespace {

bool isNumber(std::string_view field) {
    if (!field.empty() && field.front() == '-')
        field.remove_prefix(1);
    const std::size_t point = field.find('.');
    const std::string_view whole = field.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "." : field.substr(point);
    const auto digits = [](std::string_view d) {
        return !d.empty() && std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(whole) && (fraction == "." || digits(fraction.substr(1)));
}

void addField(std::string& out, std::string_view field, bool escapeFormulas = true) {
    // The apostrophe keeps a formula-like cell text.
    std::string guarded;
    if (escapeFormulas && ReportCsv::isFormulaLike(field)) {
        guarded = "'" + std::string(field);
        field = guarded;
    }
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

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// A file name as Windows takes it: trailing dots and spaces dropped, letter
// case not counting.
std::string judgedName(std::string name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    return lowered(name);
}

bool endsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// Whether writing `path` would replace one of the time clock's own files.
bool isProgramFile(FileAccess& files, const std::string& path,
                   const std::vector<std::string>& programFolders) {
    const std::string resolved = files.resolvedPath(path);
    const std::string folder = parentFolder(resolved);
    const std::string name = judgedName(resolved.substr(folder.empty() ? 0 : folder.size() + 1));
    for (std::string_view data :
         {std::string_view(".dat"), std::string_view(".wkb"), std::string_view(".journal"), kTempSuffix})
        if (endsWith(name, data))
            return true;
    // Letter case counts only where the file system lets it.
    const auto same = [](const std::string& a, const std::string& b) {
        return kPathSeparator == '/' ? a == b : lowered(a) == lowered(b);
    };
    for (const std::string& programFolder : programFolders) {
        const std::string base = files.resolvedPath(programFolder);
        if (same(folder, base))
            for (const char* own :
                 {kEmployeeListName, kJobListName, "lists.journal", "timeclock.ini", "timeclock.lock",
                  "timeclock", "timeclock.exe", "timeclock-report", "timeclock-report.exe"})
                if (name == lowered(own))
                    return true;
        for (int month = 1; month <= 12; ++month) {
            const std::string monthFolder = pathJoin(base, monthAbbrev(month)) + kPathSeparator;
            if (resolved.size() > monthFolder.size() &&
                same(resolved.substr(0, monthFolder.size()), monthFolder))
                return true;
        }
    }
    return false;
}

// The week's seal as the file's own last row, after the data, so a
// spreadsheet still opens the file and the seal travels with it.
std::string withSeal(std::string out, const WeekReport& report) {
    addRow(out, {"Seal", weekSealText(report)});
    return out;
}

} // namespace

bool ReportCsv::isFormulaLike(std::string_view field) {
    // A spreadsheet runs a cell that begins so as a formula (a name "=SUM(A1)"
    // shows 0). Numbers stay numbers.
    return !field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos &&
           !isNumber(field);
}

void ReportCsv::row(std::string& out, const std::vector<std::string>& fields, bool escapeFormulas) {
    bool first = true;
    for (const std::string& f : fields) {
        if (!first)
            out += ',';
        addField(out, f, escapeFormulas);
        first = false;
    }
    out += "\r\n";
}

std::string ReportCsv::summary(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(kBom);
    const bool doubleTime = report.pay.doubleTime();
    std::vector<std::string> header{"Week Ending", "Station", "Position", "Name",    "Mon",
                                    "Tue",         "Wed",     "Thu",      "Fri",     "Sat",
                                    "Sun",         "Total",   "Regular",  "Overtime"};
    if (doubleTime)
        header.push_back("Double Time");
    header.insert(header.end(), {"Flags", "Approved", "Closed"});
    row(out, header);
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
            days[d] = formatShownHours(p.dayHundredths[std::size_t(d)]);
        std::vector<std::string> fields{week,
                                        joined(stations),
                                        joined(positions),
                                        p.name,
                                        days[0],
                                        days[1],
                                        days[2],
                                        days[3],
                                        days[4],
                                        days[5],
                                        days[6],
                                        formatShownHours(p.totalHundredths),
                                        formatShownHours(p.regularHundredths),
                                        formatShownHours(p.overtimeHundredths)};
        if (doubleTime)
            fields.push_back(formatShownHours(p.doubleTimeHundredths));
        fields.insert(fields.end(), {joined(p.flags), standingApproval(report, p) ? "yes" : "no", closed});
        row(out, fields);
    }
    for (const ReportProblem& problem : report.problems) {
        std::vector<std::string> fields(header.size());
        fields[0] = week;
        fields[1] = report.sources[std::size_t(problem.source)].station;
        fields[header.size() - 3] = problem.message;
        row(out, fields);
    }
    return withSeal(out, report);
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
    return withSeal(out, report);
}

std::string ReportCsv::jobs(const WeekReport& report) {
    const std::string week = formatIsoDate(report.sunday);
    std::string out(kBom);
    addRow(out, {"Week Ending", "Job", "Description", "Department", "Hours"});
    for (const JobHours& j : report.jobs)
        addRow(out, {week, j.job, j.description, j.department, formatShownHours(j.hundredths)});
    return withSeal(out, report);
}

Status ReportCsv::write(FileAccess& files, const std::vector<Output>& outputs,
                        const std::vector<std::string>& programFolders) {
    for (const Output& o : outputs)
        if (isProgramFile(files, o.path, programFolders))
            return Status::fail("Not written: " + o.path +
                                " would replace a file of the time clock's own (its week files, journals, "
                                "lists, settings or anything in its month folders). Choose a name ending in "
                                ".csv elsewhere.");
    for (const Output& o : outputs)
        if (PayrollIds::isItsFile(files.resolvedPath(o.path)))
            return Status::fail("Not written: " + o.path +
                                " would replace the payroll IDs of the time clock. Choose another name.");
    // A folder that is not there would stop the writing half way through the files.
    for (const Output& o : outputs) {
        const std::string folder = parentFolder(o.path);
        if (!folder.empty() && !files.isFolder(folder))
            return Status::fail("Nothing was written: the folder " + folder + " does not exist.");
        if (files.isFolder(o.path))
            return Status::fail("Nothing was written: " + o.path + " is a folder.");
    }
    std::vector<FileContents> contents;
    for (const Output& o : outputs)
        contents.push_back({o.path, o.bytes});
    return replaceFiles(files, contents);
}

} // namespace tc
