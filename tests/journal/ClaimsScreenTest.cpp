// The clock-outs told at the station, answered by the manager: accepted in
// the time sheet (its grid shows the OUT), rejected from the week report
// with a note (its flags follow).
#include "core/format/WeekFile.h"
#include "core/journal/Journal.h"
#include "core/punch/ActionRules.h"
#include "core/punch/ForgottenClockOut.h"
#include "core/punch/PunchRecorder.h"
#include "gui/manage/ClockOutClaimsScreen.h"
#include "gui/manage/TimeSheetModel.h"
#include "gui/manage/TimeSheetScreen.h"
#include "gui/report/WeekReportScreen.h"
#include "platform/Environment.h"
#include "support/WeekBuilder.h"
#include "support/fakes/FakeServices.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tc::test {
namespace {

// Kim (position 2) clocked in on Monday at 7, told on Tuesday she left at
// 4:30 PM, and clocked in again; the manager looks on Wednesday.
class ClaimsScreen : public ::testing::Test {
  protected:
    // The screens' clock, dialogs, clipboard and printer.
    FakeServices fakes;

    void SetUp() override {
        fakes.clock.set(makeDateTime(2025, 2, 5, 10, 0, 0));
        fakes.clock.setUtcOffset(-5 * 3600);
        StationState s(base.path());
        const PunchInProgress in{1, "Kim", "IN", "1001", ".Dept-1", {}};
        ASSERT_TRUE(recordPunch(s, in, mondayFeb3(7), -5 * 3600));
        const DateTime told = mondayFeb3(6).addDays(1);
        LastPunch last;
        ASSERT_TRUE(findLastPunch(s, in, told, last));
        ASSERT_TRUE(tellClockOut(realFiles(), *forgottenClockOut(last, in.position, told), mondayFeb3(16, 30),
                                 {told, -5 * 3600, {}, {}}));
        ASSERT_TRUE(recordPunch(s, in, mondayFeb3(7).addDays(1), -5 * 3600));
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::string week() const { return base.weekFile(mondayFeb3()); }
    static void click(QWidget* screen, const char* name) {
        screen->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
    ProgramFolder base;
};

const Punch kMonIn{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"};
const Punch kOut{"OUT", "", "4:30:00 PM", "Mon-Feb-3"};
const Punch kTueIn{"IN", "1001.Dept-1", "7:00:00 AM", "Tue-Feb-4"};

TEST_F(ClaimsScreen, AcceptedInTheTimeSheetTheGridShowsTheOut) {
    auto* sheet = new TimeSheetScreen(fakes.services, realFiles(), base.path());
    sheet->show();
    fakes.fileDialog.choose(QString::fromStdString(week()));
    sheet->openFile();
    sheet->findChild<QAction*>(QStringLiteral("claimsAction"))->trigger();
    auto* claims = sheet->findChild<ClockOutClaimsScreen*>();
    ASSERT_NE(claims, nullptr);

    // Changes not saved in the grid would be lost: nothing is accepted.
    sheet->selectCell(2, TimeSheet::ActTime);
    sheet->findChild<QLineEdit*>(QStringLiteral("editField"))->setText(QStringLiteral("7:05:00 AM"));
    sheet->replaceCell();
    const std::string before = readFile(week());
    claims->selectItem(0);
    click(claims, "AcceptClaim");
    EXPECT_EQ(fakes.messages.shown().back().text,
              QStringLiteral("Save the changes made here first: accepting a claim saves the week."));
    EXPECT_EQ(readFile(week()), before);

    fakes.fileDialog.choose(QString::fromStdString(week()));
    sheet->openFile(); // the week again, as on disk
    claims->selectItem(0);
    click(claims, "AcceptClaim");
    EXPECT_EQ(recordAt(readFile(week()), 2), makeRecord("Kim", {kMonIn, kOut, kTueIn}));
    EXPECT_EQ(sheet->model().sheet().cell(3, TimeSheet::Action), "OUT    ");
    EXPECT_TRUE(claims->items().empty());
}

TEST_F(ClaimsScreen, RejectedFromTheReportWithANoteItsFlagGoes) {
    auto* report =
        new WeekReportScreen(fakes.services, realFiles(), base.path(), [] { return std::string(); });
    report->showWeek(mondayFeb3());
    EXPECT_EQ(report->report().people.at(0).flags.size(), 3u); // unpaid, still in, the claim
    click(report, "ClockOutClaims");
    auto* claims = report->findChild<ClockOutClaimsScreen*>();
    ASSERT_NE(claims, nullptr);
    claims->selectItem(0);
    click(claims, "RejectClaim");
    EXPECT_EQ(fakes.messages.shown().back().text,
              QStringLiteral("A claim is rejected with a note saying why."));
    claims->findChild<QLineEdit*>(QStringLiteral("RejectNote"))->setText(QStringLiteral("Left at noon"));
    click(claims, "RejectClaim");
    EXPECT_TRUE(
        unsealedJournal(journalPathOf(week()))
            .ends_with("\tLeft at noon\t" + Environment::userName() + "\t" + Environment::hostName() + "\n"));
    EXPECT_TRUE(claims->items().empty());
    EXPECT_EQ(report->report().people.at(0).flags.size(), 2u);
}

} // namespace
} // namespace tc::test
