// The journal at the screens: the history in the time sheet (a correction
// saved, the week listed and put back as before that save), and a clock-out
// told at the station, accepted in the time sheet (its grid shows the OUT) or
// rejected from the week report with a note (its flags follow).
#include "JournalWeek.h"
#include "gui/manage/ClockOutClaimsScreen.h"
#include "gui/manage/TimeSheetModel.h"
#include "gui/manage/TimeSheetScreen.h"
#include "gui/manage/WeekHistoryScreen.h"
#include "gui/report/WeekReportScreen.h"
#include "platform/Environment.h"
#include "support/fakes/FakeServices.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tc::test {
namespace {

class JournalScreens : public ::testing::Test {
  protected:
    // The screens' clock, dialogs, clipboard and printer.
    FakeServices fakes;
    JournalWeek week;

    void SetUp() override {
        fakes.clock.set(kManager.when);
        fakes.clock.setUtcOffset(-5 * 3600);
        qputenv("USERNAME", "ann");
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The time sheet, the week (again) opened in it.
    TimeSheetScreen* open(TimeSheetScreen* sheet = nullptr) {
        if (!sheet)
            sheet = new TimeSheetScreen(fakes.services, realFiles(), week.base.path());
        sheet->show();
        fakes.fileDialog.choose(QString::fromStdString(week.path()));
        sheet->openFile();
        return sheet;
    }
    // `text` typed into a cell of the grid.
    static void edit(TimeSheetScreen* sheet, int row, int column, const char* text) {
        sheet->selectCell(row, column);
        sheet->findChild<QLineEdit*>(QStringLiteral("editField"))->setText(QString::fromLatin1(text));
        sheet->replaceCell();
    }
    static void click(QWidget* screen, const char* name) {
        screen->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
};

QString cell(QTableWidget* list, int row, int column) {
    return list->item(row, column) ? list->item(row, column)->text() : QString();
}

TEST_F(JournalScreens, TheHistoryListsTheWeekAndPutsItBackAsBeforeAChosenSave) {
    week.punch(1, "Ann", "IN", 8);
    week.punch(1, "Ann", "OUT", 17);
    const std::string before = readFile(week.path());

    // The manager corrects Ann's clock-out and saves.
    TimeSheetScreen* sheet = open();
    edit(sheet, 2, TimeSheet::ActTime, "4:30 PM");
    sheet->saveFile();
    ASSERT_EQ(fakes.messages.shown().back().text, QStringLiteral("done"));
    ASSERT_NE(readFile(week.path()), before);

    sheet->findChild<QAction*>(QStringLiteral("historyAction"))->trigger();
    auto* history = sheet->findChild<WeekHistoryScreen*>();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->windowFlags() & Qt::WindowStaysOnTopHint); // not under the station
    auto* list = history->findChild<QTableWidget*>(QStringLiteral("HistoryList"));
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(cell(list, 0, 1),
              QStringLiteral("Punch, position 1, entry 1: Ann, IN 1001.Dept-1 8:00:00 AM Mon-Feb-3"));
    EXPECT_TRUE(cell(list, 2, 1)
                    .startsWith(QStringLiteral("Saved (backup Week Ending Sunday Feb 9 2025.wkb); 24 "
                                               "changes: position 1, entry 2, time \"5:00:00 PM\" "
                                               "to \"4:30 PM\"; position 2, name")))
        << cell(list, 2, 1).toStdString();
    EXPECT_EQ(cell(list, 2, 0), QStringLiteral("2025-02-10 09:00:00"));
    EXPECT_EQ(cell(list, 2, 2).toStdString(), "ann on " + Environment::hostName());

    history->selectItem(2);
    fakes.messages.clearShown();
    fakes.messages.answer(Messages::Answer::Yes);
    click(history, "PutBack");
    // The journal explains the week: nothing is asked but the screen's question.
    ASSERT_EQ(fakes.messages.shown().size(), 3); // the question, the backup made, "done"
    EXPECT_EQ(fakes.messages.shown().back().text, QStringLiteral("done"));
    EXPECT_EQ(recordAt(readFile(week.path()), 1), recordAt(before, 1));
    ASSERT_EQ(list->rowCount(), 4);
    EXPECT_TRUE(
        cell(list, 3, 1).startsWith(QStringLiteral("Put back as before the save of 2025-02-10 09:00:00")));
    EXPECT_EQ(history->findChild<QLabel*>(QStringLiteral("HistoryNotes"))->text(),
              QStringLiteral("Every punch in the week file is explained by the journal."));
    EXPECT_EQ(sheet->model().sheet().cell(2, TimeSheet::ActTime), "5:00:00 PM ");
}

TEST_F(JournalScreens, AClaimAcceptedInTheTimeSheetTheGridShowsTheOut) {
    week.toldClockOut(mondayFeb3(16, 30));
    TimeSheetScreen* sheet = open();
    sheet->findChild<QAction*>(QStringLiteral("claimsAction"))->trigger();
    auto* claims = sheet->findChild<ClockOutClaimsScreen*>();
    ASSERT_NE(claims, nullptr);

    // Changes not saved in the grid would be lost: nothing is accepted.
    edit(sheet, 3, TimeSheet::ActTime, "7:05:00 AM");
    const std::string before = readFile(week.path());
    claims->selectItem(0);
    click(claims, "AcceptClaim");
    EXPECT_EQ(fakes.messages.shown().back().text,
              QStringLiteral("Save the changes made here first: accepting a claim saves the week."));
    EXPECT_EQ(readFile(week.path()), before);

    open(sheet); // the week again, as on disk
    claims->selectItem(0);
    click(claims, "AcceptClaim");
    EXPECT_EQ(sheet->model().sheet().cell(4, TimeSheet::Action), "OUT    "); // saved and shown
    EXPECT_TRUE(claims->items().empty());
}

TEST_F(JournalScreens, AClaimRejectedFromTheReportWithANoteItsFlagGoes) {
    week.toldClockOut(mondayFeb3(16, 30));
    auto* report =
        new WeekReportScreen(fakes.services, realFiles(), week.base.path(), [] { return std::string(); });
    report->showWeek(mondayFeb3());
    EXPECT_EQ(report->report().people.at(0).flags.size(), 3u); // unpaid, still in, the claim
    click(report, "ClockOutClaims");
    auto* claims = report->findChild<ClockOutClaimsScreen*>();
    ASSERT_NE(claims, nullptr);
    claims->selectItem(0);
    click(claims, "RejectClaim");
    EXPECT_EQ(fakes.messages.shown().size(), 1u); // refused without a note
    claims->findChild<QLineEdit*>(QStringLiteral("RejectNote"))->setText(QStringLiteral("Left at noon"));
    click(claims, "RejectClaim");
    EXPECT_TRUE(week.events().ends_with("\tLeft at noon\tann\t" + Environment::hostName() + "\n"));
    EXPECT_TRUE(claims->items().empty());
    EXPECT_EQ(report->report().people.at(0).flags.size(), 2u);
}

} // namespace
} // namespace tc::test
