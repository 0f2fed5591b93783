// Approving, acknowledging, closing and reopening a week: each a journal
// line, and what each lets through or stops.
#include "data/Journal.h"
#include "data/Paths.h"
#include "manage/JournalReplay.h"
#include "manage/ReportCommand.h"
#include "manage/WeekReport.h"
#include "manage/WeekSave.h"
#include "manage/WeekSignOff.h"
#include "support/RecordingTalk.h"
#include "support/SealedText.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace tc::test {
namespace {

const JournalStamp kManager{makeDateTime(2025, 2, 10, 9, 0, 0), -5 * 3600, "ann", "office"};
const std::string kWhen = "2025-02-10T09:00:00-05:00";

// Ann's record holds `annPunches`; Bob worked Monday 9 to 5.
struct Week {
    explicit Week(const std::vector<Punch>& annPunches) {
        base.writeWeek(mondayFeb3(),
                       weekBytes({makeRecord("Ann", annPunches),
                                  makeRecord("Bob", {{"IN", "1001.Dept-1", "9:00:00 AM", "Mon-Feb-3"},
                                                     {"OUT", "", "5:00:00 PM", "Mon-Feb-3"}})}));
    }
    ProgramFolder base;
    std::string path() const { return base.weekFile(mondayFeb3()); }
    std::string events() const { return withoutSeals(readFile(journalPathOf(path()))); }
    WeekReport report(const DateTime& now = kManager.when) const {
        return makeWeekReport(realFiles(), {{base.path(), "Front"}}, mondayFeb3(), now, 40 * 3600);
    }
    std::pair<int, std::string> requireApproved() const {
        std::ostringstream out, err;
        const int exit =
            ReportCommand::run({"--require-approved", "--week", "2025-02-03", "--folder", base.path()},
                               base.path(), kManager.when, realFiles(), out, err);
        return {exit, err.str()};
    }
};

const std::vector<Punch> kAnnsDay = {{"IN", "1001.Dept-1", "8:00:00 AM", "Mon-Feb-3"},
                                     {"OUT", "", "4:00:00 PM", "Mon-Feb-3"}};

TEST(SignOff, EachUnpayableFlagBlocksApprovalUntilAcknowledgedWithANote) {
    struct Case {
        const char* what;
        std::vector<Punch> ann;
        std::string flag;
    } cases[] = {
        {"a span with no clock-out",
         {{"IN", "1001.Dept-1", "8:00:00 AM", "Mon-Feb-3"}},
         "in since Mon 8:00 AM"},
        {"a time that cannot be read",
         {{"IN", "1001.Dept-1", "8:00:00 AM", "Mon-Feb-3"}, {"OUT", "", "25:99:00 XM", "Mon-Feb-3"}},
         "punch 2 cannot be read (\"25:99:00 XM\", \"Mon-Feb-3\"); its hours are not counted"},
        {"a punch dated outside the week",
         {{"IN", "1001.Dept-1", "8:00:00 AM", "Mon-Feb-3"}, {"OUT", "", "4:00:00 PM", "Mon-Mar-3"}},
         "punch 2 is dated Mon-Mar-3, outside the week; its hours are not counted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Week w(c.ann);
        WeekReport report = w.report();
        ASSERT_EQ(report.people.size(), 2u);
        EXPECT_EQ(blockingFlags(report, report.people[0]), std::vector<std::string>{c.flag});
        ApprovalOutcome outcome = approvePeople(realFiles(), report, {}, kManager);
        ASSERT_TRUE(outcome.written);
        EXPECT_EQ(outcome.approved, std::vector<std::string>{"Bob"});
        EXPECT_EQ(
            outcome.refused,
            std::vector<std::string>{"Ann: " + c.flag + " is not mended in the time sheet nor acknowledged"});
        EXPECT_EQ(w.requireApproved(), std::make_pair(int(ReportCommand::NotApproved),
                                                      std::string("timeclock-report: not approved: Ann.\n")));

        EXPECT_EQ(acknowledgeFlag(realFiles(), report, 0, c.flag, "  ", kManager).message(),
                  "An acknowledgement needs a note saying why the flag may be paid as it stands.");
        ASSERT_TRUE(acknowledgeFlag(realFiles(), report, 0, c.flag, "paid from the paper card", kManager));
        report = w.report();
        outcome = approvePeople(realFiles(), report, {0}, kManager);
        EXPECT_EQ(outcome.approved, std::vector<std::string>{"Ann"});
        EXPECT_TRUE(outcome.refused.empty());
        report = w.report();
        EXPECT_EQ(approvalText(report, report.people[0]), "Approved 2025-02-10 09:00:00 by ann on office");
        EXPECT_EQ(w.requireApproved().first, ReportCommand::Done);
        // Both stand in the journal, the approval with the seal the week had.
        const std::string events = w.events();
        EXPECT_NE(events.find("acknowledge\t" + kWhen + "\tann\toffice\t1\tAnn\t" + c.flag +
                              "\tpaid from the paper card\n"),
                  std::string::npos)
            << events;
        const ApprovalLine* approval = standingApproval(report, report.people[0]);
        ASSERT_NE(approval, nullptr);
        EXPECT_EQ(approval->seal.size(), 19u);
        EXPECT_NE(
            events.find("approve\t" + kWhen + "\tann\toffice\t1\tAnn\t0.00\t0.00\t0.00\t" + approval->seal),
            std::string::npos)
            << events;
    }
}

TEST(SignOff, AClosedWeekIsNeitherSavedNorPutBackUntilReopenedWithAReason) {
    Week w(kAnnsDay);
    ASSERT_TRUE(approvePeople(realFiles(), w.report(), {}, kManager).written);
    EXPECT_EQ(w.requireApproved().first, ReportCommand::Done);
    TimeSheet sheet;
    sheet.load(readFile(w.path()));
    sheet.setCell(2, TimeSheet::ActTime, "5:00 PM");
    RecordingTalk talk;
    ASSERT_EQ(saveWeek(realFiles(), w.path(), sheet, talk, kManager), SaveOutcome::Saved);
    // An approval stands only for the totals it was given for.
    EXPECT_EQ(approvalText(w.report(), w.report().people[0]), "NOT APPROVED");
    EXPECT_EQ(w.requireApproved(), std::make_pair(int(ReportCommand::NotApproved),
                                                  std::string("timeclock-report: not approved: Ann.\n")));

    JournalStamp sunday = kManager;
    sunday.when = makeDateTime(2025, 2, 9, 23);
    EXPECT_EQ(closeWeek(realFiles(), w.report(), sunday).message(),
              "The week ending 2025-02-09 has not ended yet; it can be closed from 2025-02-10 on.");
    ASSERT_TRUE(closeWeek(realFiles(), w.report(), kManager));
    EXPECT_EQ(closingText(w.report()), "closed 2025-02-10 09:00:00 by ann on office");
    EXPECT_FALSE(closeWeek(realFiles(), w.report(), kManager));

    const std::string week = readFile(w.path());
    const std::string backup = readFile(backupPathOf(w.path()));
    const std::string closed = "The week " + w.path() +
                               " is closed (closed 2025-02-10 09:00:00 by ann on office), so it was %. To "
                               "change it, reopen it in the week report, giving the reason.";
    const auto said = [&](const char* notDone) {
        std::string s = closed;
        return s.replace(s.find('%'), 1, notDone);
    };
    sheet.setCell(2, TimeSheet::ActTime, "6:00 PM");
    RecordingTalk refused;
    EXPECT_EQ(saveWeek(realFiles(), w.path(), sheet, refused, kManager), SaveOutcome::Refused);
    const std::vector<HistoryItem> history = weekHistory(parseJournal(readFile(journalPathOf(w.path()))));
    const auto save =
        std::find_if(history.rbegin(), history.rend(), [](const HistoryItem& i) { return i.saveLine > 0; });
    ASSERT_NE(save, history.rend());
    EXPECT_EQ(restoreWeek(realFiles(), w.path(), sheet, refused, kManager, save->saveLine),
              SaveOutcome::Refused);
    EXPECT_EQ(refused.told, (std::vector<std::string>{said("not saved"), said("not put back")}));
    EXPECT_EQ(readFile(w.path()), week);
    EXPECT_EQ(readFile(backupPathOf(w.path())), backup);

    EXPECT_EQ(reopenWeek(realFiles(), w.report(), " ", kManager).message(),
              "Reopening a closed week needs a reason.");
    ASSERT_TRUE(reopenWeek(realFiles(), w.report(), "Ann's Friday was missed", kManager));
    EXPECT_NE(w.events().find("reopen\t" + kWhen + "\tann\toffice\tAnn's Friday was missed\n"),
              std::string::npos);
    EXPECT_EQ(closingText(w.report()), "open");
    const std::vector<HistoryItem> listed = weekHistory(parseJournal(readFile(journalPathOf(w.path()))));
    ASSERT_GE(listed.size(), 2u);
    EXPECT_EQ(listed[listed.size() - 2].what.substr(0, 22), "Closed the week, seal ");
    EXPECT_EQ(listed.back().what, "Reopened the week: Ann's Friday was missed");
    EXPECT_EQ(listed.back().who, "ann on office");
    EXPECT_EQ(saveWeek(realFiles(), w.path(), sheet, refused, kManager), SaveOutcome::Saved);
}

TEST(SignOff, TheCsvFilesAndTheTableSayApprovedClosedAndTheSeal) {
    Week w(kAnnsDay);
    // A journal begins with the first line written for the week.
    ASSERT_TRUE(approvePeople(realFiles(), w.report(), {1}, kManager).written);
    ASSERT_TRUE(closeWeek(realFiles(), w.report(), kManager));
    const WeekReport report = w.report();
    const std::string seal = weekSealText(report);
    ASSERT_EQ(seal.size(), 19u);
    const std::string csv = w.base.file("week.csv"), detail = w.base.file("detail.csv"),
                      jobs = w.base.file("jobs.csv");
    std::ostringstream out, err;
    ASSERT_EQ(ReportCommand::run({"--week", "2025-02-03", "--folder", w.base.path(), "--csv", csv,
                                  "--detail-csv", detail, "--jobs-csv", jobs},
                                 w.base.path(), kManager.when, realFiles(), out, err),
              ReportCommand::Done)
        << err.str();
    const std::string head = "2025-02-09," + stationName(w.base.path()) + ",";
    EXPECT_EQ(readFile(csv).substr(readFile(csv).find("\r\n") + 2),
              head + "1,Ann,8.00,0.00,0.00,0.00,0.00,0.00,0.00,8.00,8.00,0.00,,no,yes\r\n" + head +
                  "2,Bob,8.00,0.00,0.00,0.00,0.00,0.00,0.00,8.00,8.00,0.00,,yes,yes\r\nSeal," + seal +
                  "\r\n");
    for (const std::string& file : {detail, jobs})
        EXPECT_TRUE(readFile(file).ends_with("\r\nSeal," + seal + "\r\n")) << readFile(file);
    const std::string table = out.str();
    EXPECT_NE(
        table.find(
            "Ann    8.00   0.00   0.00   0.00   0.00   0.00   0.00    8.00     8.00      0.00        no\n"
            "Bob    8.00   0.00   0.00   0.00   0.00   0.00   0.00    8.00     8.00      0.00       yes\n"
            "\nSeal " +
            seal + "; the week is closed 2025-02-10 09:00:00 by ann on office.\n"),
        std::string::npos)
        << table;
}

} // namespace
} // namespace tc::test
