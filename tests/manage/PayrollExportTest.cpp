#include "core/report/PayrollExport.h"
#include "cli/ReportCommand.h"
#include "core/files/Paths.h"
#include "support/RecordText.h"
#include "support/ReportRun.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tc::test {
namespace {

const DateTime kWeek = makeDateTime(2009, 2, 4); // the week of Monday Feb 2 to Sunday Feb 8 2009
const DateTime kLater = makeDateTime(2009, 3, 2, 9);

// Every file the command writes of a week under the rules of pay, byte for byte (the station's folder, a
// temporary one, named "Front").
TEST(PayrollExport, EachFileMatchesItsGoldenFile) {
    if (!std::filesystem::is_directory(PAYROLL_GOLDEN_DIR))
        GTEST_SKIP() << "the golden files are not at " << PAYROLL_GOLDEN_DIR;
    ProgramFolder folder;
    // Ann: 13 h on Monday on two jobs (8 regular, 4 overtime, 1 double time), 8 h Tuesday: 16 + 4 + 1; José
    // 7:52 AM to 4:05 PM paid 7:45 to 4:00, 8.25 h: 8 + 0.25, 2 minutes gained; Lee: no hours, no payroll
    // ID: not needed.
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
    const std::string station = stationName(folder.path());
    for (const std::string& format : PayrollExport::formats()) {
        const std::string payroll = format + (format == "iif" ? ".iif" : ".csv");
        const ReportRun run =
            runReport({"--week", "2009-02-04", "--csv", folder.file("summary.csv"), "--detail-csv",
                       folder.file("detail.csv"), "--rounding-audit", folder.file("audit.csv"), "--payroll",
                       format, "--payroll-file", folder.file(payroll)},
                      folder.path(), kLater);
        ASSERT_EQ(run.code, ReportCommand::Done) << run.err;
        EXPECT_NE(run.out.find("Overtime  Double Time  Approved  Flags\n"), std::string::npos) << run.out;
        for (const std::string& name :
             {std::string("summary.csv"), std::string("detail.csv"), std::string("audit.csv"), payroll}) {
            SCOPED_TRACE(name);
            std::string bytes = readFile(folder.file(name));
            for (std::size_t at; (at = bytes.find(station)) != std::string::npos;)
                bytes.replace(at, station.size(), "Front");
            const std::string golden = std::string(PAYROLL_GOLDEN_DIR) + "/week." + name;
            if (std::getenv("PAYROLL_GOLDEN_WRITE"))
                writeFile(golden, bytes);
            EXPECT_EQ(bytes, readFile(golden));
        }
    }
}

// A payroll file is written whole with the CSV files or nothing is: not without every payroll ID, not over
// payroll.csv, not from a payroll.csv that is a link, not with a formula-like ID QuickBooks would take as it
// stands. The CSV formats keep such an ID as text.
TEST(PayrollExport, RefusesWhatItCannotWriteWholeAndWritesNothing) {
    ProgramFolder folder;
    folder.writeWeek(kWeek, week({"Ann|IN 8:00a Mon-Feb-2|OUT 4:00p", "Bob|IN 8:00a Mon-Feb-2|OUT 4:00p",
                                  "Cy|IN 8:00a Mon-Feb-2|OUT 4:00p"}));
    writeFile(folder.file("payroll.csv"), "Name,Payroll ID\r\nBob,7\r\n");
    const std::string out = folder.file("payroll out.txt"), csv = folder.file("week.csv");
    auto refused = [&](std::vector<std::string> args, const std::string& said) {
        args.insert(args.begin(), {"--week", "2009-02-04", "--csv", csv});
        const ReportRun run = runReport(args, folder.path(), kLater);
        EXPECT_EQ(run.code, ReportCommand::NotWritten);
        EXPECT_EQ(run.err, "timeclock-report: " + said + "\n");
        EXPECT_FALSE(fileExists(out) || fileExists(csv));
    };
    for (const std::string& format : PayrollExport::formats())
        refused({"--payroll", format, "--payroll-file", out},
                "Nothing was written: no payroll ID for Ann, Cy in payroll.csv.");
    refused({"--jobs-csv", folder.file("Payroll.CSV")},
            "Not written: " + folder.file("Payroll.CSV") +
                " would replace the payroll IDs of the time clock. Choose another name.");
    EXPECT_EQ(readFile(folder.file("payroll.csv")), "Name,Payroll ID\r\nBob,7\r\n");
    writeFile(folder.file("payroll.csv"), "Name,Payroll ID\r\nAnn,-7x\r\nBob,7\r\nCy,8\r\n");
    refused({"--payroll", "iif", "--payroll-file", out},
            "Nothing was written: the payroll ID of Ann cannot be written in a QuickBooks file (a tab, line "
            "break, quote, a character this computer's code page lacks, or =, +, - or @ first).");
    for (const auto& [format, line] :
         {std::pair{"adp", "XYZ,0207,'-7x,8.00,"}, {"gusto", ",'-7x,8.00,"}, {"paychex", "1234567,'-7x,,"}}) {
        const ReportRun run = runReport({"--week", "2009-02-04", "--payroll", format, "--payroll-file", out,
                                         "--adp-company-code", "XYZ", "--adp-batch-id", "0207",
                                         "--paychex-client-id", "1234567"},
                                        folder.path(), kLater);
        EXPECT_EQ(run.code, ReportCommand::Done) << run.err;
        EXPECT_NE(readFile(out).find(line), std::string::npos) << format << "\n" << readFile(out);
    }
    std::filesystem::remove(out);
    std::filesystem::rename(folder.file("payroll.csv"), folder.file("ids.csv"));
    std::error_code linkError;
    std::filesystem::create_symlink(folder.file("ids.csv"), folder.file("payroll.csv"), linkError);
    if (linkError)
        GTEST_SKIP() << "no symbolic link can be made here: " << linkError.message();
    refused({"--payroll", "gusto", "--payroll-file", out},
            "Nothing was written: Cannot read " + folder.file("payroll.csv") +
                ": it is a link; only a file of its own is read.");
}

TEST(PayrollIds, WritesTheWholeFileAndReadsItBack) {
    ProgramFolder folder;
    PayrollIds ids, back;
    ids.entries = {{"Zo\u00eb \"Z\", Ray", "000101"}, {"Bob", "=1+2"}};
    ASSERT_TRUE(PayrollIds::write(realFiles(), folder.path(), ids));
    const std::string bytes =
        "\xEF\xBB\xBFName,Payroll ID\r\n\"Zo\xC3\xAB \"\"Z\"\", Ray\",000101\r\nBob,=1+2\r\n";
    EXPECT_EQ(readFile(folder.file("payroll.csv")), bytes);
    ASSERT_TRUE(PayrollIds::read(realFiles(), folder.path(), back));
    EXPECT_EQ(back.entries, ids.entries);
    const std::pair<std::vector<std::pair<std::string, std::string>>, std::string> refused[] = {
        {{{"Bob", "1"}, {"Bob", "2"}}, "Not saved: Bob is listed twice."},
        {{{"Bob", "1\n2"}}, "Not saved: a name or payroll ID holds a line break."},
    };
    for (const auto& [entries, said] : refused) {
        ids.entries = entries;
        EXPECT_EQ(PayrollIds::write(realFiles(), folder.path(), ids).message(), said);
        EXPECT_EQ(readFile(folder.file("payroll.csv")), bytes);
    }
    writeFile(folder.file("payroll.csv"), "Name,Payroll ID\r\n\"Ann,1\r\n");
    EXPECT_EQ(PayrollIds::read(realFiles(), folder.path(), back).message(),
              "Cannot read " + folder.file("payroll.csv") + ": line 2 is not a name and a payroll ID.");
}

} // namespace
} // namespace tc::test
