#include "core/report/PayrollExport.h"

#include "core/format/CodePage.h"
#include "core/format/WeekMoments.h"
#include "core/report/ReportCsv.h"

#include <algorithm>
#include <cstdio>

namespace tc {

namespace {

bool hasHours(const PersonWeek& p) {
    return p.totalHundredths > 0;
}

// "02/03/2009" (with a two-digit year "02/03/09") of the week's day `day` (0: Monday).
std::string usDate(const WeekReport& report, int day, bool shortYear) {
    const DateTime d = report.monday.addDays(day);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%0*d", d.month, d.day, shortYear ? 2 : 4,
                  shortYear ? d.year % 100 : d.year);
    return text;
}

// The person's paid seconds per day and job (spans on the day they start).
std::vector<std::array<long long, 7>> secondsByJobAndDay(const WeekReport& report, int person) {
    std::vector<std::array<long long, 7>> out(report.jobs.size());
    for (const WorkedSpan& s : report.spans)
        if (s.person == person && s.counted())
            out[std::size_t(s.job)][std::size_t(std::min(s.from / kDaySeconds, 6LL))] += s.paidSeconds();
    return out;
}

// Shares `total` whole minutes among parts given in seconds as the report
// shares hundredths: whole minutes first, the rest to the largest remainders.
std::vector<long long> shareMinutes(long long total, const std::vector<long long>& seconds) {
    std::vector<long long> out(seconds.size());
    std::vector<std::size_t> order(seconds.size());
    long long given = 0;
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        out[i] = seconds[i] / 60;
        given += out[i];
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&seconds](std::size_t a, std::size_t b) { return seconds[a] % 60 > seconds[b] % 60; });
    for (std::size_t k = 0; given < total && k < order.size(); ++k, ++given)
        ++out[order[k]];
    return out;
}

} // namespace

const std::vector<std::string>& PayrollExport::formats() {
    static const std::vector<std::string> kAll{"adp", "gusto", "paychex", "iif"};
    return kAll;
}

Status PayrollExport::make(const std::string& format, const WeekReport& report, const PayrollIds& ids,
                           std::string& bytes) {
    if (std::find(formats().begin(), formats().end(), format) == formats().end())
        return Status::fail("There is no payroll format \"" + format +
                            "\" (there are adp, gusto, paychex and iif).");
    std::string missing;
    for (const PersonWeek& p : report.people)
        if (hasHours(p) && ids.idOf(p.name).empty())
            missing += (missing.empty() ? "" : ", ") + p.name;
    if (!missing.empty())
        return Status::fail("Nothing was written: no payroll ID for " + missing + " in " +
                            PayrollIds::kFileName + ".");
    const PayRules& pay = report.pay;
    if (format == "adp" && (pay.adpCompanyCode.empty() || pay.adpBatchId.empty()))
        return Status::fail(
            "Nothing was written: the adp file needs adp-company-code and adp-batch-id in the "
            "settings file's [pay] section.");
    if (format == "paychex" && pay.paychexClientId.empty())
        return Status::fail("Nothing was written: the paychex file needs paychex-client-id in the settings "
                            "file's [pay] section.");
    if (format == "iif")
        return iif(report, ids, bytes);
    bytes = format == "adp"     ? adp(report, ids)
            : format == "gusto" ? gusto(report, ids)
                                : paychex(report, ids);
    return Status::ok();
}

Status PayrollExport::exportWeek(FileAccess& files, const std::string& baseFolder, const std::string& format,
                                 const WeekReport& report, const std::string& path) {
    ReportCsv::Output output;
    if (Status st = prepare(files, baseFolder, format, report, path, output); !st)
        return st;
    std::vector<std::string> programFolders{baseFolder};
    for (const ReportSource& source : report.sources)
        programFolders.push_back(source.folder);
    return ReportCsv::write(files, {output}, programFolders);
}

Status PayrollExport::prepare(FileAccess& files, const std::string& baseFolder, const std::string& format,
                              const WeekReport& report, const std::string& path, ReportCsv::Output& out) {
    PayrollIds ids;
    if (Status st = PayrollIds::read(files, baseFolder, ids); !st)
        return Status::fail("Nothing was written: " + st.message());
    out.path = path;
    return make(format, report, ids, out.bytes);
}

std::string PayrollExport::adp(const WeekReport& report, const PayrollIds& ids) {
    std::string out;
    ReportCsv::row(
        out, {"Co Code", "Batch ID", "File #", "Reg Hours", "O/T Hours", "Hours 3 Code", "Hours 3 Amount"});
    for (const PersonWeek& p : report.people)
        if (hasHours(p))
            ReportCsv::row(out, {report.pay.adpCompanyCode, report.pay.adpBatchId, ids.idOf(p.name),
                                 formatShownHours(p.regularHundredths),
                                 formatShownHours(p.overtimeHundredths), p.doubleTimeHundredths ? "D" : "",
                                 p.doubleTimeHundredths ? formatShownHours(p.doubleTimeHundredths) : ""});
    return out;
}

std::string PayrollExport::gusto(const WeekReport& report, const PayrollIds& ids) {
    std::string out;
    ReportCsv::row(out, {"last_name", "first_name", "employee_id", "regular_hours", "overtime_hours",
                         "double_overtime_hours"});
    for (const PersonWeek& p : report.people) {
        if (!hasHours(p))
            continue;
        const std::size_t space = p.name.rfind(' ');
        const std::string last = space == std::string::npos ? p.name : p.name.substr(space + 1);
        const std::string first = space == std::string::npos ? "" : p.name.substr(0, space);
        ReportCsv::row(out,
                       {last, first, ids.idOf(p.name), formatShownHours(p.regularHundredths),
                        formatShownHours(p.overtimeHundredths), formatShownHours(p.doubleTimeHundredths)});
    }
    return out;
}

std::string PayrollExport::paychex(const WeekReport& report, const PayrollIds& ids) {
    std::string out;
    ReportCsv::row(out, {"CLIENT ID", "WORKER ID", "ORG", "JOB NUMBER", "PAY COMPONENT", "RATE",
                         "RATE NUMBER", "HOURS", "UNITS", "LINE DATE", "AMOUNT", "CHECK SEQ NUMBER"});
    for (std::size_t i = 0; i < report.people.size(); ++i) {
        const PersonWeek& p = report.people[i];
        if (!hasHours(p))
            continue;
        const DaySplit split = splitDays(p.daySeconds, report.pay, report.overtimeAfterSeconds);
        const std::vector<std::array<long long, 7>> jobs = secondsByJobAndDay(report, int(i));
        const std::pair<const char*, std::vector<long long>> components[] = {
            {"Hourly", shareHundredths(p.regularHundredths, {split.regular.begin(), split.regular.end()})},
            {"Overtime",
             shareHundredths(p.overtimeHundredths, {split.overtime.begin(), split.overtime.end()})},
            {"Double Time",
             shareHundredths(p.doubleTimeHundredths, {split.doubleTime.begin(), split.doubleTime.end()})}};
        for (int d = 0; d < 7; ++d) {
            // The job of the day: the one with the most hours that day (the first on a tie).
            std::size_t dayJob = jobs.size();
            for (std::size_t j = 0; j < jobs.size(); ++j)
                if (jobs[j][std::size_t(d)] > 0 &&
                    (dayJob == jobs.size() || jobs[j][std::size_t(d)] > jobs[dayJob][std::size_t(d)]))
                    dayJob = j;
            const std::string job = dayJob < jobs.size() ? report.jobs[dayJob].job : "";
            for (const auto& [component, hundredths] : components)
                if (hundredths[std::size_t(d)] > 0)
                    ReportCsv::row(out, {report.pay.paychexClientId, ids.idOf(p.name), "", job, component, "",
                                         "", formatShownHours(hundredths[std::size_t(d)]), "",
                                         usDate(report, d, false), "", ""});
        }
    }
    return out;
}

Status PayrollExport::iif(const WeekReport& report, const PayrollIds& ids, std::string& bytes) {
    std::string out = "!TIMERHDR\tVER\tREL\tCOMPANYNAME\tIMPORTEDBEFORE\tFROMTIMER\tCOMPANYCREATETIME\r\n"
                      "TIMERHDR\t8\t0\t\tN\tY\t0\r\n"
                      "!TIMEACT\tDATE\tJOB\tEMP\tITEM\tPITEM\tDURATION\tPROJ\tNOTE\tBILLINGSTATUS\r\n";
    // QuickBooks reads the file in the computer's code page; a tab or line
    // break would end the field. It takes each text as it stands, so an
    // apostrophe cannot keep a formula-like name text when the file is opened
    // in a spreadsheet (as QuickBooks's own advice on IIF files has it): such
    // a text is refused instead.
    auto text = [](const std::string& utf8, std::string& ansi) {
        const std::optional<std::string> converted = utf8ToAnsiChecked(utf8);
        if (!converted || converted->find_first_of("\t\r\n\"") != std::string::npos ||
            ReportCsv::isFormulaLike(*converted))
            return false;
        ansi = *converted;
        return true;
    };
    for (std::size_t i = 0; i < report.people.size(); ++i) {
        const PersonWeek& p = report.people[i];
        if (!hasHours(p))
            continue;
        std::string employee;
        if (!text(ids.idOf(p.name), employee))
            return Status::fail("Nothing was written: the payroll ID of " + p.name +
                                " cannot be written in a QuickBooks file (a tab, line break, quote, a "
                                "character this computer's code page lacks, or =, +, - or @ first).");
        const std::vector<std::array<long long, 7>> jobs = secondsByJobAndDay(report, int(i));
        std::vector<long long> seconds;
        long long total = 0;
        for (int d = 0; d < 7; ++d)
            for (const std::array<long long, 7>& job : jobs) {
                seconds.push_back(job[std::size_t(d)]);
                total += job[std::size_t(d)];
            }
        const std::vector<long long> minutes = shareMinutes((total + 30) / 60, seconds);
        for (int d = 0; d < 7; ++d)
            for (std::size_t j = 0; j < jobs.size(); ++j) {
                const long long m = minutes[std::size_t(d) * jobs.size() + j];
                if (m == 0)
                    continue;
                std::string job;
                if (!text(report.jobs[j].job, job))
                    return Status::fail("Nothing was written: the job " + report.jobs[j].job +
                                        " cannot be written in a QuickBooks file.");
                out += "TIMEACT\t" + usDate(report, d, true) + "\t" + job + "\t" + employee + "\t\t\t" +
                       std::to_string(m / 60) + (m % 60 < 10 ? ":0" : ":") + std::to_string(m % 60) +
                       "\t\t\t0\r\n";
            }
    }
    bytes = out;
    return Status::ok();
}

} // namespace tc
