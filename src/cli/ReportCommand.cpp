#include "cli/ReportCommand.h"

#include "core/files/FolderIdentity.h"
#include "core/files/Paths.h"
#include "core/format/ShownText.h"
#include "core/format/WeekMoments.h"
#include "core/journal/JournalReplay.h"
#include "core/journal/JournalSeal.h"
#include "core/report/PayrollExport.h"
#include "core/report/ReportCsv.h"
#include "core/report/ReportSettings.h"
#include "core/report/RoundingAudit.h"
#include "core/report/WeekSignOff.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>

namespace tc {

namespace {

constexpr const char* kName = "timeclock-report";

std::optional<DateTime> parseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    const int y = std::stoi(text.substr(0, 4));
    const int m = std::stoi(text.substr(5, 2));
    const int d = std::stoi(text.substr(8, 2));
    if (m < 1 || m > 12 || d < 1 || y < 1900)
        return std::nullopt;
    const long long daysInMonth =
        (m == 12 ? dayNumber(y + 1, 1, 1) : dayNumber(y, m + 1, 1)) - dayNumber(y, m, 1);
    if (d > daysInMonth)
        return std::nullopt;
    const DateTime date = makeDateTime(y, m, d);
    return date;
}

// Width on a terminal: UTF-8 continuation bytes take no column.
std::size_t columns(const std::string& s) {
    return std::size_t(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string padded(const std::string& s, std::size_t width, bool right = false) {
    const std::size_t n = columns(s);
    const std::string fill(width > n ? width - n : 0, ' ');
    return right ? fill + s : s + fill;
}

} // namespace

const std::array<const char*, 9> ReportCommand::kPayOptions = {
    "daily-overtime-after", "daily-double-time-after", "seventh-day",  "round-minutes",    "meal-after-hours",
    "meal-minutes",         "adp-company-code",        "adp-batch-id", "paychex-client-id"};

void ReportCommand::addOptions(CLI::App& app, Options& o) {
    app.add_option("--week", o.week, "Any day of the week, YYYY-MM-DD (default: this week)");
    app.add_option("--folder", o.folders,
                   "A program folder; repeat for several stations (default: the program's folder and the "
                   "folders of its settings file)");
    app.add_option("--csv", o.csv, "Write the summary CSV here (- writes it to standard output)");
    app.add_option("--detail-csv", o.detailCsv, "Write one CSV row per worked span here");
    app.add_option("--jobs-csv", o.jobsCsv, "Write the hours per job and department here");
    app.add_option("--overtime-after", o.overtimeAfter,
                   "Weekly hours above which hours are overtime (default: the settings file's, else 40)");
    for (std::size_t i = 0; i < kPayOptions.size(); ++i)
        app.add_option(std::string("--") + kPayOptions[i], o.pay[i],
                       std::string("The settings file's [pay] ") + kPayOptions[i]);
    app.add_option("--rounding-audit", o.roundingAudit,
                   "Write the exact and the paid hours of each employee and the minutes rounding moved here");
    app.add_option("--payroll", o.payroll, "A payroll service's import file: adp, gusto, paychex or iif");
    app.add_option("--payroll-file", o.payrollFile, "Write the --payroll file here");
    app.add_flag("--verify", o.verify,
                 "Compare each folder's week file with its journal instead: exit code 6 when a punch is not "
                 "explained by the journal or its seals do not follow one from another");
    app.add_option("--seal", o.seal,
                   "With --verify: a seal printed on a signed card or kept by payroll (XXXX-XXXX-XXXX-XXXX); "
                   "exit code 6 unless the week had it and everything since was appended after it");
    app.add_flag("--require-approved", o.requireApproved,
                 "Exit code 8 when any employee of the week is not approved (the report is still shown and "
                 "written)");
}

int ReportCommand::run(const std::vector<std::string>& args, const std::string& programFolder,
                       const DateTime& now, FileAccess& files, std::ostream& out, std::ostream& err) {
    CLI::App app("A week's hours per employee, day and job, for payroll.", kName);
    Options o;
    addOptions(app, o);
    std::vector<std::string> argv{kName};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<const char*> pointers;
    for (const std::string& a : argv)
        pointers.push_back(a.c_str());
    try {
        app.parse(int(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? Done : BadUsage;
    }
    auto fail = [&err](int code, const std::string& message) {
        err << kName << ": " << message << "\n";
        return code;
    };

    ReportSettings settings;
    if (Status st = readReportSettings(files, programFolder, settings); !st)
        return fail(BadUsage, st.message());
    long long overtime = settings.overtimeAfterSeconds;
    if (!o.overtimeAfter.empty()) {
        const std::optional<long long> seconds = parseHours(o.overtimeAfter);
        if (!seconds)
            return fail(BadUsage, "--overtime-after must be a number of hours such as 40 or 37.5, not \"" +
                                      o.overtimeAfter + "\".");
        overtime = *seconds;
    }
    for (std::size_t i = 0; i < kPayOptions.size(); ++i)
        if (!o.pay[i].empty())
            if (Status st = settings.pay.set(kPayOptions[i], o.pay[i], "the command line"); !st)
                return fail(BadUsage, st.message());
    if (o.payroll.empty() != o.payrollFile.empty())
        return fail(BadUsage, "--payroll and --payroll-file go together: the format and the file to write.");
    if (!o.payroll.empty() && std::find(PayrollExport::formats().begin(), PayrollExport::formats().end(),
                                        o.payroll) == PayrollExport::formats().end())
        return fail(BadUsage, "--payroll must be adp, gusto, paychex or iif, not \"" + o.payroll + "\".");
    if (!o.seal.empty() && (!o.verify || !isShownSeal(o.seal)))
        return fail(BadUsage, o.verify
                                  ? "--seal must be 16 hexadecimal digits as XXXX-XXXX-XXXX-XXXX, not \"" +
                                        o.seal + "\"."
                                  : "--seal checks a week's journal: give it with --verify.");
    DateTime day = now;
    if (!o.week.empty()) {
        const std::optional<DateTime> date = parseIsoDate(o.week);
        if (!date)
            return fail(BadUsage, "--week must be a date as YYYY-MM-DD, not \"" + o.week + "\".");
        day = *date;
    }
    std::vector<std::string> folders = o.folders;
    if (folders.empty()) {
        folders.push_back(programFolder);
        folders.insert(folders.end(), settings.folders.begin(), settings.folders.end());
    }
    for (const std::string& folder : folders)
        if (!files.isFolder(folder))
            return fail(NoFolder, "the folder " + folder + " does not exist.");
    // A station is counted once however often, and however, its folder is named.
    const DistinctFolders distinct = distinctFolders(folders);
    for (const auto& [repeat, same] : distinct.repeated)
        err << kName << ": the folder " << repeat << " is "
            << (repeat == same ? "" : "the same as " + same + ", ") << "given twice; it is reported once.\n";
    std::vector<ReportSource> sources;
    for (const std::string& folder : distinct.folders)
        sources.push_back({folder, stationName(folder)});

    if (o.verify) {
        bool anyWeekFile = false, passed = true, witnessed = true;
        for (const ReportSource& source : sources) {
            const std::string path = weekFilePath(source.folder, day);
            if (!files.exists(path))
                continue;
            anyWeekFile = true;
            WeekVerification v;
            if (Status st = verifyWeekFile(files, path, v, o.seal); !st) {
                err << kName << ": " << st.message() << "\n";
                passed = false;
                continue;
            }
            out << v.text(path);
            passed = passed && v.passed();
            witnessed = witnessed && v.witnessed();
        }
        if (!anyWeekFile)
            return fail(NoWeekFile, "no week file for the week ending " +
                                        formatIsoDate(weekEndingSunday(day)) + " in the folders given.");
        // Unexplained is the graver: a change the journal does not account
        // for; unwitnessed punches were there before it began.
        return !passed ? Unexplained : !witnessed ? Unwitnessed : Done;
    }

    const WeekReport report = makeWeekReport(files, sources, day, now, overtime, nullptr,
                                             ZoneRules(settings.timeZone), settings.pay);
    for (const ReportProblem& p : report.problems)
        err << kName << ": " << p.message << "\n";
    if (!report.anyWeekFile) {
        std::string message = "no week file for the week ending " + formatIsoDate(report.sunday) + " in";
        for (const std::string& path : report.weekFiles)
            message += "\n  " + path;
        return fail(NoWeekFile, message);
    }

    std::vector<ReportCsv::Output> outputs;
    if (!o.csv.empty())
        outputs.push_back({o.csv, ReportCsv::summary(report)});
    if (!o.detailCsv.empty())
        outputs.push_back({o.detailCsv, ReportCsv::detail(report)});
    if (!o.jobsCsv.empty())
        outputs.push_back({o.jobsCsv, ReportCsv::jobs(report)});
    if (!o.roundingAudit.empty())
        outputs.push_back({o.roundingAudit, RoundingAudit::csv(report)});
    // The payroll file goes with the others: when it is refused, no file is written.
    if (!o.payroll.empty()) {
        ReportCsv::Output payroll;
        if (Status st =
                PayrollExport::prepare(files, programFolder, o.payroll, report, o.payrollFile, payroll);
            !st)
            return fail(NotWritten, st.message());
        outputs.push_back(std::move(payroll));
    }
    // "-" is standard output, which then holds that CSV alone.
    const auto toOut =
        std::find_if(outputs.begin(), outputs.end(), [](const auto& x) { return x.path == "-"; });
    const bool csvToOut = toOut != outputs.end();
    std::string written;
    if (csvToOut) {
        written = toOut->bytes;
        outputs.erase(toOut);
        if (std::any_of(outputs.begin(), outputs.end(), [](const auto& x) { return x.path == "-"; }))
            return fail(BadUsage, "only one CSV can be written to standard output (-).");
    }
    std::vector<std::string> programFolders = folders;
    programFolders.push_back(programFolder);
    if (Status st = ReportCsv::write(files, outputs, programFolders); !st)
        return fail(NotWritten, st.message());
    if (csvToOut) {
        out << written;
        return Done;
    }
    out << table(report);
    if (o.requireApproved) {
        std::vector<std::string> notApproved;
        for (const PersonWeek& p : report.people)
            if (!standingApproval(report, p))
                notApproved.push_back(p.name);
        if (!notApproved.empty()) {
            std::string names;
            for (std::size_t i = 0; i < notApproved.size(); ++i)
                names += (i > 0 ? ", " : "") + notApproved[i];
            return fail(NotApproved, "not approved: " + names + ".");
        }
    }
    return Done;
}

std::string ReportCommand::table(const WeekReport& report) {
    static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    std::size_t nameWidth = 4;
    for (const PersonWeek& p : report.people)
        nameWidth = std::max(nameWidth, columns(shownText(p.name)));
    std::string out = "Week ending " + formatIsoDate(report.sunday) + ", overtime after " +
                      formatHours(report.overtimeAfterSeconds) + " hours\n\n" + padded("Name", nameWidth);
    for (const char* d : kDays)
        out += padded(d, 7, true);
    const bool doubleTime = report.pay.doubleTime();
    out += padded("Total", 8, true) + padded("Regular", 9, true) + padded("Overtime", 10, true) +
           (doubleTime ? padded("Double Time", 13, true) : "") + padded("Approved", 10, true) + "  Flags\n";
    for (const PersonWeek& p : report.people) {
        out += padded(shownText(p.name), nameWidth);
        for (long long h : p.dayHundredths)
            out += padded(formatShownHours(h), 7, true);
        out += padded(formatShownHours(p.totalHundredths), 8, true) +
               padded(formatShownHours(p.regularHundredths), 9, true) +
               padded(formatShownHours(p.overtimeHundredths), 10, true) +
               (doubleTime ? padded(formatShownHours(p.doubleTimeHundredths), 13, true) : "") +
               padded(standingApproval(report, p) ? "yes" : "no", 10, true);
        for (std::size_t i = 0; i < p.flags.size(); ++i)
            out += (i == 0 ? "  " : "; ") + p.flags[i];
        out += "\n";
    }
    out += "\nSeal " + weekSealText(report) + "; the week is " + closingText(report) + ".\n";
    out += "\nHours per job and department\n\n";
    std::size_t jobWidth = 3, descWidth = 11;
    for (const JobHours& j : report.jobs) {
        jobWidth = std::max(jobWidth, columns(j.job));
        descWidth = std::max(descWidth, columns(j.description));
    }
    out += padded("Job", jobWidth) + "  " + padded("Department", 10) + "  " +
           padded("Description", descWidth) + padded("Hours", 8, true) + "\n";
    for (const JobHours& j : report.jobs)
        out += padded(j.job, jobWidth) + "  " + padded(j.department, 10) + "  " +
               padded(j.description, descWidth) + padded(formatShownHours(j.hundredths), 8, true) + "\n";
    return out;
}

} // namespace tc
