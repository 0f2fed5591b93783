#include "core/report/PayrollExport.h"
#include "RecordText.h"
#include "cli/ReportCommand.h"
#include "core/files/Paths.h"
#include "core/report/WeekReport.h"
#include "support/ReportRun.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace tc::test {
namespace {

const DateTime kWeek = makeDateTime(2009, 2, 4); // the week of Monday Feb 2 to Sunday Feb 8 2009
const DateTime kLater = makeDateTime(2009, 3, 2, 9);

// A line of a payroll file split as its service reads it: CSV (quotes doubled inside quoted fields) or, for
// QuickBooks, tabs.
std::vector<std::string> fieldsOf(const std::string& line, char separator) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (separator == ',' && c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else
                quoted = !quoted;
        } else if (c == separator && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        EXPECT_EQ(line.back(), '\r');
        lines.push_back(line.substr(0, line.size() - 1));
    }
    return lines;
}

long long hundredths(const std::string& hours) {
    return hours.empty() ? 0 : std::llround(std::stod(hours) * 100);
}

// Reads a payroll file back: per payroll ID, hundredths of regular, overtime and double time (an iif file:
// its minutes, all under regular).
using Totals = std::map<std::string, std::array<long long, 3>>;
Totals readBack(const std::string& format, const std::string& bytes) {
    Totals totals;
    const std::vector<std::string> lines = linesOf(bytes);
    if (format == "iif") {
        EXPECT_EQ(lines.at(0),
                  "!TIMERHDR\tVER\tREL\tCOMPANYNAME\tIMPORTEDBEFORE\tFROMTIMER\tCOMPANYCREATETIME");
        EXPECT_EQ(lines.at(2), "!TIMEACT\tDATE\tJOB\tEMP\tITEM\tPITEM\tDURATION\tPROJ\tNOTE\tBILLINGSTATUS");
        for (std::size_t i = 3; i < lines.size(); ++i) {
            const std::vector<std::string> f = fieldsOf(lines[i], '\t');
            EXPECT_EQ(f.size(), 10u);
            EXPECT_EQ(f[0], "TIMEACT");
            const std::size_t colon = f[6].find(':');
            totals[f[3]][0] += std::stoll(f[6].substr(0, colon)) * 60 + std::stoll(f[6].substr(colon + 1));
        }
        return totals;
    }
    std::vector<std::string> header = fieldsOf(lines.at(0), ',');
    auto column = [&header](const std::string& name) {
        const auto at = std::find(header.begin(), header.end(), name);
        EXPECT_NE(at, header.end()) << name;
        return std::size_t(at - header.begin());
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = fieldsOf(lines[i], ',');
        EXPECT_EQ(f.size(), header.size()) << lines[i];
        if (format == "adp") {
            auto& t = totals[f[column("File #")]];
            t[0] += hundredths(f[column("Reg Hours")]);
            t[1] += hundredths(f[column("O/T Hours")]);
            t[2] += f[column("Hours 3 Code")] == "D" ? hundredths(f[column("Hours 3 Amount")]) : 0;
        } else if (format == "gusto") {
            auto& t = totals[f[column("employee_id")]];
            t[0] += hundredths(f[column("regular_hours")]);
            t[1] += hundredths(f[column("overtime_hours")]);
            t[2] += hundredths(f[column("double_overtime_hours")]);
        } else {
            const std::string component = f[column("PAY COMPONENT")];
            totals[f[column("WORKER ID")]][component == "Hourly"     ? 0
                                           : component == "Overtime" ? 1
                                                                     : 2] += hundredths(f[column("HOURS")]);
        }
    }
    return totals;
}

std::string goldenPath(const std::string& format) {
    return std::string(PAYROLL_GOLDEN_DIR) + "/week." + format + (format == "iif" ? ".iif" : ".csv");
}

TEST(PayrollExport, EachFormatMatchesItsGoldenFileAndReadsBackToTheReport) {
    if (!std::filesystem::is_directory(PAYROLL_GOLDEN_DIR))
        GTEST_SKIP() << "the golden files are not at " << PAYROLL_GOLDEN_DIR;
    ProgramFolder folder;
    // Ann: 13 h on Monday (1 h double time) on two jobs, 8 h Tuesday; José 7:52 AM to 4:05 PM paid 7:45 to
    // 4:00, 8.25 h; Lee: no hours, no payroll ID: not needed.
    folder.writeWeek(
        kWeek,
        week({"Ann Baker|IN 6:00a Mon-Feb-2 1001.Dept-1|CHANGE 1:00p Mon-Feb-2 1002.Office|OUT 7:00p|IN "
              "8:00a Tue-Feb-3 1001.Dept-1|OUT 4:00p",
              "Jos\u00e9 de la Cruz|IN 7:52a Wed-Feb-4 1003.Dept-2|OUT 4:05p", "Lee"}));
    writeFile(folder.file("timeclock.ini"),
              "[pay]\ndaily-overtime-after = 8\ndaily-double-time-after = 12\nround-minutes = 15\n"
              "adp-company-code = XYZ\nadp-batch-id = 0207\npaychex-client-id = 1234567\n");
    writeFile(folder.file("payroll.csv"), "\xEF\xBB\xBFName,Payroll ID\r\nAnn Baker,000101\r\n"
                                          "Jos\xC3\xA9 de la Cruz,000102\r\n");
    PayRules pay;
    pay.dailyOvertimeAfterSeconds = 8 * 3600;
    pay.dailyDoubleTimeAfterSeconds = 12 * 3600;
    pay.roundMinutes = 15;
    const WeekReport report = makeWeekReport(realFiles(), {{folder.path(), "Front"}}, kWeek, kLater,
                                             40 * 3600, nullptr, ZoneRules(), pay);
    const std::map<std::string, std::string> idOf{{"Ann Baker", "000101"},
                                                  {"Jos\xC3\xA9 de la Cruz", "000102"}};
    for (const std::string& format : PayrollExport::formats()) {
        SCOPED_TRACE(format);
        const std::string out = folder.file("payroll-out." + format);
        const ReportRun run = runReport({"--week", "2009-02-04", "--payroll", format, "--payroll-file", out},
                                        folder.path(), kLater);
        ASSERT_EQ(run.code, ReportCommand::Done) << run.err;
        const std::string bytes = readFile(out);
        if (std::getenv("PAYROLL_GOLDEN_WRITE"))
            writeFile(goldenPath(format), bytes);
        EXPECT_EQ(bytes, readFile(goldenPath(format)));
        Totals expected;
        for (const PersonWeek& p : report.people)
            if (p.totalHundredths > 0)
                expected[idOf.at(p.name)] =
                    format == "iif" ? std::array<long long, 3>{(p.totalSeconds + 30) / 60, 0, 0}
                                    : std::array<long long, 3>{p.regularHundredths, p.overtimeHundredths,
                                                               p.doubleTimeHundredths};
        EXPECT_EQ(readBack(format, bytes), expected);
    }
}

TEST(PayrollExport, RefusesAWeekWithoutEveryPayrollIdAndWritesNothing) {
    ProgramFolder folder;
    folder.writeWeek(kWeek, week({"Ann|IN 8:00a Mon-Feb-2|OUT 4:00p", "Bob|IN 8:00a Mon-Feb-2|OUT 4:00p",
                                  "Cy|IN 8:00a Mon-Feb-2|OUT 4:00p"}));
    writeFile(folder.file("payroll.csv"), "Name,Payroll ID\r\nBob,7\r\n");
    const std::string out = folder.file("gusto.csv"), csv = folder.file("week.csv");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--payroll", "gusto"}, "Nothing was written: no payroll ID for Ann, Cy in payroll.csv."},
        {{"--payroll", "adp"}, "Nothing was written: no payroll ID for Ann, Cy in payroll.csv."},
    };
    for (const auto& [args, said] : cases) {
        std::vector<std::string> all{"--week", "2009-02-04", "--csv", csv, "--payroll-file", out};
        all.insert(all.end(), args.begin(), args.end());
        const ReportRun run = runReport(all, folder.path(), kLater);
        EXPECT_EQ(run.code, ReportCommand::NotWritten);
        EXPECT_EQ(run.err, "timeclock-report: " + said + "\n");
        EXPECT_FALSE(fileExists(out) || fileExists(csv));
    }
    // No file of the report replaces payroll.csv, in any letter case.
    ReportRun run =
        runReport({"--week", "2009-02-04", "--jobs-csv", folder.file("Payroll.CSV")}, folder.path(), kLater);
    EXPECT_EQ(run.code, ReportCommand::NotWritten);
    EXPECT_EQ(run.err, "timeclock-report: Not written: " + folder.file("Payroll.CSV") +
                           " would replace the payroll IDs of the time clock. Choose another name.\n");
    EXPECT_EQ(readFile(folder.file("payroll.csv")), "Name,Payroll ID\r\nBob,7\r\n");
    // payroll.csv through a link is not read.
    std::filesystem::rename(folder.file("payroll.csv"), folder.file("ids.csv"));
    std::error_code linkError;
    std::filesystem::create_symlink(folder.file("ids.csv"), folder.file("payroll.csv"), linkError);
    if (linkError)
        GTEST_SKIP() << "no symbolic link can be made here: " << linkError.message();
    run = runReport({"--week", "2009-02-04", "--payroll", "gusto", "--payroll-file", out}, folder.path(),
                    kLater);
    EXPECT_EQ(run.code, ReportCommand::NotWritten);
    EXPECT_EQ(run.err, "timeclock-report: Nothing was written: Cannot read " + folder.file("payroll.csv") +
                           ": it is a link; only a file of its own is read.\n");
}

TEST(PayrollExport, EscapesFormulasInSpreadsheetFormatsAndKeepsOutOfProgramFolders) {
    ProgramFolder folder;
    folder.writeWeek(kWeek, week({"Ann|IN 8:00a Mon-Feb-2|OUT 4:00p"}));
    writeFile(folder.file("payroll.csv"), "Name,Payroll ID\r\nAnn,-7x\r\n");
    const std::string out = folder.file("payroll out.txt");
    // The CSV formats keep the ID as text; QuickBooks takes each text as it
    // stands, so there the ID is refused.
    const std::pair<std::string, std::string> cases[] = {
        {"adp", "XYZ,0207,'-7x,8.00,"},
        {"gusto", ",'-7x,8.00,"},
        {"paychex", "1234567,'-7x,,"},
        {"iif", "Nothing was written: the payroll ID of Ann cannot be written in a QuickBooks file (a tab, "
                "line break, quote, a character this computer's code page lacks, or =, +, - or @ first)."},
    };
    for (const auto& [format, expected] : cases) {
        std::filesystem::remove(out);
        const ReportRun run = runReport({"--week", "2009-02-04", "--payroll", format, "--payroll-file", out,
                                         "--adp-company-code", "XYZ", "--adp-batch-id", "0207",
                                         "--paychex-client-id", "1234567"},
                                        folder.path(), kLater);
        if (format == "iif") {
            EXPECT_EQ(run.code, ReportCommand::NotWritten);
            EXPECT_EQ(run.err, "timeclock-report: " + expected + "\n");
            EXPECT_FALSE(fileExists(out));
        } else {
            EXPECT_EQ(run.code, ReportCommand::Done) << format << run.err;
            EXPECT_NE(readFile(out).find(expected), std::string::npos) << format << "\n" << readFile(out);
        }
    }
    // Never into a month folder, and with the CSV files all or none.
    const std::string inMonth = pathJoin(pathJoin(folder.path(), "Feb"), "payroll.txt");
    const std::string csv = folder.file("week.csv");
    const ReportRun inFolder =
        runReport({"--week", "2009-02-04", "--csv", csv, "--payroll", "gusto", "--payroll-file", inMonth},
                  folder.path(), kLater);
    EXPECT_EQ(inFolder.code, ReportCommand::NotWritten);
    EXPECT_NE(inFolder.err.find("would replace a file of the time clock's own"), std::string::npos)
        << inFolder.err;
    EXPECT_FALSE(fileExists(inMonth) || fileExists(csv));
}

TEST(PayrollIds, WritesTheWholeFileAndReadsItBack) {
    ProgramFolder folder;
    PayrollIds ids;
    ids.entries = {{"Zo\u00eb \"Z\", Ray", "000101"}, {"Bob", "=1+2"}};
    ASSERT_TRUE(PayrollIds::write(realFiles(), folder.path(), ids));
    EXPECT_EQ(readFile(folder.file("payroll.csv")),
              "\xEF\xBB\xBFName,Payroll ID\r\n\"Zo\xC3\xAB \"\"Z\"\", Ray\",000101\r\nBob,=1+2\r\n");
    PayrollIds back;
    ASSERT_TRUE(PayrollIds::read(realFiles(), folder.path(), back));
    EXPECT_EQ(back.entries, ids.entries);
    const std::pair<std::vector<std::pair<std::string, std::string>>, std::string> refused[] = {
        {{{"Bob", "1"}, {"Bob", "2"}}, "Not saved: Bob is listed twice."},
        {{{"Bob", "1\n2"}}, "Not saved: a name or payroll ID holds a line break."},
    };
    for (const auto& [entries, said] : refused) {
        ids.entries = entries;
        const Status st = PayrollIds::write(realFiles(), folder.path(), ids);
        EXPECT_EQ(st.message(), said);
    }
    PayrollIds again;
    ASSERT_TRUE(PayrollIds::read(realFiles(), folder.path(), again));
    EXPECT_EQ(again.entries, back.entries); // nothing written by a refused save
    writeFile(folder.file("payroll.csv"), "Name,Payroll ID\r\n\"Ann,1\r\n");
    EXPECT_EQ(PayrollIds::read(realFiles(), folder.path(), again).message(),
              "Cannot read " + folder.file("payroll.csv") + ": line 2 is not a name and a payroll ID.");
}

} // namespace
} // namespace tc::test
