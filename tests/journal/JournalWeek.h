#pragma once

#include "cli/ReportCommand.h"
#include "core/files/Paths.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalReplay.h"
#include "core/journal/JournalSeal.h"
#include "core/punch/ForgottenClockOut.h"
#include "core/punch/PunchRecorder.h"
#include "core/report/WeekReport.h"
#include "core/sheet/ClaimAnswers.h"
#include "core/sheet/WeekSave.h"
#include "support/RecordText.h"
#include "support/RecordingTalk.h"
#include "support/ReportRun.h"
#include "support/SealedText.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace tc::test {

using F = TimeRecord::Field;
// The manager at work the day after the week ended.
inline const JournalStamp kManager{makeDateTime(2025, 2, 10, 9, 0, 0), -5 * 3600, "ann", "office"};
inline const std::string kWhen = "2025-02-10T09:00:00-05:00";

// A week of the station ending Sunday Feb 9 2025: punched through
// recordPunch (Ann at position 1, Bob at 2), or written whole.
struct JournalWeek {
    explicit JournalWeek(FileAccess& files = realFiles()) : state(base.path(), files) {}
    // Ann's record written as `ann` ("Ann|IN 8:00a Mon-Feb-3 1001.Dept-1|..."), Bob working Monday 9 to 5.
    explicit JournalWeek(const std::string& ann) : JournalWeek() {
        base.writeWeek(mondayFeb3(), week({ann, "Bob|IN 9:00a Mon-Feb-3 1001.Dept-1|OUT 5:00p"}));
    }
    ProgramFolder base;
    StationState state;

    std::string path() const { return base.weekFile(mondayFeb3()); }
    std::string journalPath() const { return journalPathOf(path()); }
    std::string journal() const { return readFile(journalPath()); }
    // Its events, the seals aside; the chain checked whole.
    std::string events() const {
        const std::string text = journal();
        const SealChain chain = checkSealChain(text);
        EXPECT_TRUE(chain.sealed && chain.brokenLine == 0) << chain.brokenLine << ": " << chain.brokenWhy;
        return withoutSeals(text);
    }
    std::string header() const {
        return "timeclock-journal\t2\tWeek Ending Sunday Feb 9 2025.journal\t" + stationName(base.path()) +
               "\n";
    }
    void punch(int position, const std::string& name, const std::string& action, int hour, int day = 0) {
        const bool in = action == "IN";
        const PunchInProgress punch{position - 1, name, action, in ? "1001" : "", in ? ".Dept-1" : "", {}};
        ASSERT_TRUE(recordPunch(state, punch, mondayFeb3(hour).addDays(day), -5 * 3600));
    }
    // Monday: Ann in at 8 and out at 5, Bob in at 9.
    void day() {
        punch(1, "Ann", "IN", 8);
        punch(1, "Ann", "OUT", 17);
        punch(2, "Bob", "IN", 9);
    }
    // Kim at position 3 in on Monday at 7, told on Tuesday at 6:30 when she left
    // (`left`; none: unknown) and in again; the claim told.
    ClockOutClaim toldClockOut(const std::optional<DateTime>& left) {
        punch(3, "Kim", "IN", 7);
        const DateTime told = mondayFeb3(6, 30).addDays(1);
        LastPunch last;
        EXPECT_TRUE(findLastPunch(state, {2, "Kim", "IN", "1001", ".Dept-1", {}}, told, last));
        EXPECT_TRUE(
            tellClockOut(realFiles(), *forgottenClockOut(last, 2, told), left, {told, -5 * 3600, {}, {}}));
        punch(3, "Kim", "IN", 7, 1);
        std::vector<ClockOutClaim> open;
        EXPECT_TRUE(openClaims(realFiles(), path(), open));
        EXPECT_EQ(open.size(), 1u);
        return open.at(0);
    }
    // A field of entry `k` of `position` in the week file, changed by hand.
    void forge(int position, F f, int k, const std::string& text) const {
        std::string bytes = readFile(path());
        bytes.replace(std::size_t(position - 1) * TimeRecord::kSize + TimeRecord::offset(f, k),
                      TimeRecord::width(f), pad(text, TimeRecord::width(f)));
        writeFile(path(), bytes);
    }
    WeekReport report() const {
        return makeWeekReport(realFiles(), {{base.path(), "Front"}}, mondayFeb3(), kManager.when, 40 * 3600);
    }
    // timeclock-report with `args` for `week` and this folder: the exit code and what it said.
    std::pair<int, std::string> command(std::vector<std::string> args,
                                        const std::string& week = "2025-02-03") const {
        args.insert(args.end(), {"--week", week, "--folder", base.path()});
        const ReportRun run = runReport(args, base.path(), kManager.when);
        return {run.code, run.out + run.err};
    }
    // Loads the week, lets `edit` change the sheet, saves it as the manager.
    SaveOutcome save(const std::function<void(TimeSheet&)>& edit) const {
        TimeSheet sheet;
        sheet.load(readFile(path()));
        edit(sheet);
        RecordingTalk talk;
        return saveWeek(realFiles(), path(), sheet, talk, kManager);
    }
    // Puts the week back as before the save on journal line `saveLine`, as the manager.
    SaveOutcome putBack(int saveLine, RecordingTalk& talk) const {
        TimeSheet sheet;
        sheet.load(readFile(path()));
        return restoreWeek(realFiles(), path(), sheet, talk, kManager, saveLine);
    }
    WeekVerification verify() const {
        WeekVerification v;
        EXPECT_TRUE(verifyWeekFile(realFiles(), path(), v));
        return v;
    }
};

} // namespace tc::test
