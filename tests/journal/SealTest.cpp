// The sealed journal: forgeries verify must name, seals kept on cards, old
// journals; approving, acknowledging, closing and reopening a week, each a
// journal line, and what each lets through or stops.
#include "JournalWeek.h"
#include "core/journal/Sha256.h"
#include "core/report/WeekSignOff.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <numeric>

namespace tc::test {
namespace {

const std::string kAnnsDay = "Ann|IN 8:00a Mon-Feb-3 1001.Dept-1|OUT 4:00p";

// --require-approved ends with its own status (8: verify's 7 is taken), naming who is not approved.
bool notApproved(const JournalWeek& w, const std::string& names) {
    const auto [exit, said] = w.command({"--require-approved"});
    EXPECT_TRUE(exit == ReportCommand::Done
                    ? names.empty()
                    : said.ends_with("timeclock-report: not approved: " + names + ".\n"))
        << said;
    return exit == 8;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find('\n', from);
        lines.push_back(text.substr(from, end - from + 1));
        from = end + 1;
    }
    return lines;
}

// The journal as a forger with the files would write it anew: every seal
// worked out again over the lines given (the hash is no secret).
std::string resealed(const std::string& journalPath, const std::string& events) {
    const std::string header = sealedJournalHeader(journalPath);
    std::string seal;
    EXPECT_TRUE(lastSealIn(header, true, seal));
    const std::string text = withoutSeals(events);
    return header + sealedLines(seal, text.substr(text.find('\n') + 1), seal);
}

TEST(Seal, IsSha256OverThePreviousSealAndTheLine) {
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    JournalWeek w;
    w.day();
    const std::vector<std::string> lines = linesOf(w.journal());
    ASSERT_EQ(lines.size(), 4u);
    const auto text = [&](std::size_t i) { return lines[i].substr(0, lines[i].size() - 66); };
    const auto seal = [&](std::size_t i) { return lines[i].substr(lines[i].size() - 65, 64); };
    EXPECT_EQ(seal(0), sha256Hex(text(0)));
    EXPECT_EQ(seal(1), sha256Hex(seal(0) + "\n" + text(1)));
    // The week's seal is the last line's, shown in four groups of four.
    std::string last = seal(3);
    for (char& c : last)
        c = char(std::toupper((unsigned char)c));
    EXPECT_EQ(weekSealText(w.report()), last.substr(0, 4) + "-" + last.substr(4, 4) + "-" +
                                            last.substr(8, 4) + "-" + last.substr(12, 4));
}

// The journal's lines as `edit` leaves them.
void editLines(JournalWeek& w, const std::function<void(std::vector<std::string>&)>& edit) {
    std::vector<std::string> lines = linesOf(w.journal());
    edit(lines);
    writeFile(w.journalPath(), std::accumulate(lines.begin(), lines.end(), std::string()));
}
// Ann's clock-out made 6:00 PM in the week file; in its journal line too
// unless `journal` is None, with every seal worked out again when Resealed.
enum class Journal { None, Edited, Resealed };
void moveAnnsOut(JournalWeek& w, Journal journal) {
    std::string bytes = readFile(w.path());
    writeFile(w.path(), bytes.replace(TimeRecord::offset(F::ActTime, 2), 11, pad("6:00:00 PM", 11)));
    std::string text = journal == Journal::Resealed ? withoutSeals(w.journal()) : w.journal();
    text.replace(text.find("5:00:00 PM "), 11, "6:00:00 PM ");
    if (journal != Journal::None)
        writeFile(w.journalPath(), journal == Journal::Resealed ? resealed(w.journalPath(), text) : text);
}

TEST(Seal, VerifyNamesEachForgery) {
    struct Case {
        const char* what;
        bool sealKept; // from a card signed before the forgery, checked with --seal
        std::function<void(JournalWeek&)> forge;
        std::string named;
        int exit = ReportCommand::Unexplained;
    } cases[] = {
        {"the week grown after the card was signed: a punch and approvals appended", true,
         [](JournalWeek& w) {
             w.punch(3, "Cy", "IN", 7, 3);
             ASSERT_TRUE(approvePeople(realFiles(), w.report(), {}, kManager).written);
         },
         "The seal checked is that of line 4; everything since was appended after it.", ReportCommand::Done},
        {"a punch changed in the week file and in its journal line", false,
         [](JournalWeek& w) { moveAnnsOut(w, Journal::Edited); },
         "The journal's line 3 does not follow from the one before (its seal does not follow from line 2 "
         "and its own text): the journal was changed."},
        {"the journal cut short", true, [](JournalWeek& w) { editLines(w, [](auto& l) { l.pop_back(); }); },
         "The week never had the seal "},
        {"the journal extended by a line that does not follow", false,
         [](JournalWeek& w) { editLines(w, [](auto& l) { l.push_back(l[2]); }); },
         "The journal's line 5 does not follow"},
        {"the journal rebuilt from the week file after the card was signed", true,
         [](JournalWeek& w) {
             std::filesystem::remove(w.journalPath());
             w.punch(3, "Cy", "IN", 7, 3); // starts it over: the file's punches as existing
         },
         "The week never had the seal "},
        {"a punch rewritten after the card was signed, every seal worked out again", true,
         [](JournalWeek& w) { moveAnnsOut(w, Journal::Resealed); }, "The week never had the seal "},
        {"a closed week saved by hand outside the program", false,
         [](JournalWeek& w) {
             EXPECT_TRUE(closeWeek(realFiles(), w.report(), kManager));
             moveAnnsOut(w, Journal::None);
         },
         "The week was closed 2025-02-10 09:00:00 by ann on office; the program saves no closed week, so it "
         "was changed by hand outside it."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JournalWeek w;
        w.day();
        auto [exit, said] = w.command({"--verify"});
        ASSERT_EQ(exit, ReportCommand::Done) << said;
        const std::string kept = c.sealKept ? weekSealText(w.report()) : std::string();
        c.forge(w);
        std::tie(exit, said) = w.command(kept.empty() ? std::vector<std::string>{"--verify"}
                                                      : std::vector<std::string>{"--verify", "--seal", kept});
        EXPECT_EQ(exit, c.exit) << said;
        EXPECT_NE(said.find(c.exit == ReportCommand::Done ? c.named : "UNEXPLAINED: " + c.named),
                  std::string::npos)
            << said;
    }
}

TEST(Seal, AJournalBegunBeforeSealsIsReadAndSaidUnsealed) {
    JournalWeek w;
    w.day();
    // The same events under the first version's line (naming the journal), no seals.
    std::string old = withoutSeals(w.journal());
    old.replace(0, old.find('\n'), "timeclock-journal\t1\tWeek Ending Sunday Feb 9 2025.journal");
    writeFile(w.journalPath(), old);
    w.punch(3, "Cy", "IN", 7, 3);
    auto [exit, said] = w.command({"--verify"});
    EXPECT_EQ(exit, ReportCommand::Done) << said;
    EXPECT_NE(said.find("4 punches: 4 as stored at the station"), std::string::npos) << said;
    EXPECT_NE(said.find("Seal: not sealed: the journal was begun before seals."), std::string::npos) << said;
    EXPECT_EQ(weekSealText(w.report()), "not sealed");
    EXPECT_EQ(w.command({"--verify", "--seal", "0000-0000-0000-0000"}).first, ReportCommand::Unexplained);
    EXPECT_EQ(w.command({"--verify", "--seal", "12345"}).first, ReportCommand::BadUsage);
    EXPECT_EQ(w.command({"--seal", "0000-0000-0000-0000"}).first, ReportCommand::BadUsage);
}

TEST(SignOff, EachUnpayableFlagBlocksApprovalUntilAcknowledgedWithANote) {
    struct Case {
        const char* what;
        std::string ann;
        std::string flag;
    } cases[] = {
        {"a span with no clock-out", "Ann|IN 8:00a Mon-Feb-3 1001.Dept-1", "in since Mon 8:00 AM"},
        {"a time that cannot be read", "Ann|IN 8:00a Mon-Feb-3 1001.Dept-1|OUT 25:99p",
         "punch 2 cannot be read (\"25:99:00 PM\", \"Mon-Feb-3\"); its hours are not counted"},
        {"a punch dated outside the week", "Ann|IN 8:00a Mon-Feb-3 1001.Dept-1|OUT 4:00p Mon-Mar-3",
         "punch 2 is dated Mon-Mar-3, outside the week; its hours are not counted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JournalWeek w(c.ann);
        WeekReport report = w.report();
        ApprovalOutcome outcome = approvePeople(realFiles(), report, {}, kManager);
        ASSERT_TRUE(outcome.written);
        EXPECT_EQ(outcome.approved, std::vector<std::string>{"Bob"});
        EXPECT_EQ(
            outcome.refused,
            std::vector<std::string>{"Ann: " + c.flag + " is not mended in the time sheet nor acknowledged"});
        EXPECT_TRUE(notApproved(w, "Ann"));

        EXPECT_EQ(acknowledgeFlag(realFiles(), report, 0, c.flag, "  ", kManager).message(),
                  "An acknowledgement needs a note saying why the flag may be paid as it stands.");
        ASSERT_TRUE(acknowledgeFlag(realFiles(), report, 0, c.flag, "paid from the paper card", kManager));
        report = w.report();
        outcome = approvePeople(realFiles(), report, {0}, kManager);
        EXPECT_EQ(outcome.approved, std::vector<std::string>{"Ann"});
        EXPECT_TRUE(outcome.refused.empty());
        report = w.report();
        EXPECT_EQ(approvalText(report, report.people[0]), "Approved 2025-02-10 09:00:00 by ann on office");
        EXPECT_FALSE(notApproved(w, ""));
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
    JournalWeek w(kAnnsDay);
    ASSERT_TRUE(approvePeople(realFiles(), w.report(), {}, kManager).written);
    EXPECT_FALSE(notApproved(w, ""));
    TimeSheet sheet;
    sheet.load(readFile(w.path()));
    sheet.setCell(2, TimeSheet::ActTime, "5:00 PM");
    RecordingTalk talk;
    ASSERT_EQ(saveWeek(realFiles(), w.path(), sheet, talk, kManager), SaveOutcome::Saved);
    // An approval stands only for the totals it was given for.
    EXPECT_EQ(approvalText(w.report(), w.report().people[0]), "NOT APPROVED");
    EXPECT_TRUE(notApproved(w, "Ann"));

    JournalStamp sunday = kManager;
    sunday.when = makeDateTime(2025, 2, 9, 23);
    EXPECT_EQ(closeWeek(realFiles(), w.report(), sunday).message(),
              "The week ending 2025-02-09 has not ended yet; it can be closed from 2025-02-10 on.");
    ASSERT_TRUE(closeWeek(realFiles(), w.report(), kManager));
    EXPECT_EQ(closingText(w.report()), "closed 2025-02-10 09:00:00 by ann on office");
    EXPECT_FALSE(closeWeek(realFiles(), w.report(), kManager));

    const std::string week = readFile(w.path());
    const std::string backup = readFile(backupPathOf(w.path()));
    const auto said = [&](const std::string& notDone) {
        return "The week " + w.path() +
               " is closed (closed 2025-02-10 09:00:00 by ann on office), so it was " + notDone +
               ". To change it, reopen it in the week report, giving the reason.";
    };
    sheet.setCell(2, TimeSheet::ActTime, "6:00 PM");
    RecordingTalk refused;
    EXPECT_EQ(saveWeek(realFiles(), w.path(), sheet, refused, kManager), SaveOutcome::Refused);
    // Refused before the line is read: its number is no save here.
    EXPECT_EQ(restoreWeek(realFiles(), w.path(), sheet, refused, kManager, 1), SaveOutcome::Refused);
    EXPECT_EQ(refused.told, (std::vector<std::string>{said("not saved"), said("not put back")}));
    EXPECT_EQ(readFile(w.path()), week);
    EXPECT_EQ(readFile(backupPathOf(w.path())), backup);

    EXPECT_EQ(reopenWeek(realFiles(), w.report(), " ", kManager).message(),
              "Reopening a closed week needs a reason.");
    ASSERT_TRUE(reopenWeek(realFiles(), w.report(), "Ann's Friday was missed", kManager));
    EXPECT_NE(w.events().find("reopen\t" + kWhen + "\tann\toffice\tAnn's Friday was missed\n"),
              std::string::npos);
    EXPECT_EQ(closingText(w.report()), "open");
    const std::vector<HistoryItem> listed = weekHistory(parseJournal(w.journal()));
    ASSERT_GE(listed.size(), 2u);
    EXPECT_EQ(listed[listed.size() - 2].what.substr(0, 22), "Closed the week, seal ");
    EXPECT_EQ(listed.back().what, "Reopened the week: Ann's Friday was missed");
    EXPECT_EQ(listed.back().who, "ann on office");
    EXPECT_EQ(saveWeek(realFiles(), w.path(), sheet, refused, kManager), SaveOutcome::Saved);
}

TEST(SignOff, TheCsvFilesAndTheTableSayApprovedClosedAndTheSeal) {
    JournalWeek w(kAnnsDay);
    // A journal begins with the first line written for the week.
    ASSERT_TRUE(approvePeople(realFiles(), w.report(), {1}, kManager).written);
    ASSERT_TRUE(closeWeek(realFiles(), w.report(), kManager));
    const WeekReport report = w.report();
    const std::string seal = weekSealText(report);
    ASSERT_EQ(seal.size(), 19u);
    const std::string csv = w.base.file("week.csv");
    const auto [exit, table] = w.command({"--csv", csv});
    ASSERT_EQ(exit, ReportCommand::Done) << table;
    const std::string head = "2025-02-09," + stationName(w.base.path()) + ",";
    EXPECT_EQ(readFile(csv).substr(readFile(csv).find("\r\n") + 2),
              head + "1,Ann,8.00,0.00,0.00,0.00,0.00,0.00,0.00,8.00,8.00,0.00,,no,yes\r\n" + head +
                  "2,Bob,8.00,0.00,0.00,0.00,0.00,0.00,0.00,8.00,8.00,0.00,,yes,yes\r\nSeal," + seal +
                  "\r\n");
    EXPECT_NE(table.find("      0.00        no\nBob "), std::string::npos) << table; // Ann, then Bob
    EXPECT_NE(table.find("      0.00       yes\n\nSeal " + seal +
                         "; the week is closed 2025-02-10 09:00:00 by ann"),
              std::string::npos)
        << table;
}

} // namespace
} // namespace tc::test
