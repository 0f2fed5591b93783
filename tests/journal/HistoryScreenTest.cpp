// The history in the time sheet: a correction saved through the screen, the
// week's journal listed, and the week put back as it was before that save.
#include "core/format/WeekFile.h"
#include "core/journal/Journal.h"
#include "core/punch/PunchRecorder.h"
#include "gui/manage/TimeSheetModel.h"
#include "gui/manage/TimeSheetScreen.h"
#include "gui/manage/WeekHistoryScreen.h"
#include "platform/Environment.h"
#include "support/WeekBuilder.h"
#include "support/fakes/FakeServices.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace tc::test {
namespace {

class HistoryScreen : public ::testing::Test {
  protected:
    // The screens' clock, dialogs, clipboard and printer.
    FakeServices fakes;

    void SetUp() override {
        fakes.clock.set(makeDateTime(2025, 2, 4, 10, 0, 0));
        fakes.clock.setUtcOffset(-5 * 3600);
        qputenv("USERNAME", "ann");
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ProgramFolder base;
};

QString cell(QTableWidget* list, int row, int column) {
    return list->item(row, column) ? list->item(row, column)->text() : QString();
}

TEST_F(HistoryScreen, ListsTheWeekAndPutsItBackAsBeforeAChosenSave) {
    StationState station(base.path());
    PunchInProgress punch = PunchInProgress::forEmployee(0, "Ann");
    for (const char* action : {"IN", "OUT"}) {
        punch.action = action;
        ASSERT_TRUE(recordPunch(station, punch, mondayFeb3(action[0] == 'I' ? 8 : 17), -5 * 3600));
    }
    const std::string week = base.weekFile(mondayFeb3());
    const std::string before = readFile(week);

    // The manager corrects Ann's clock-out and saves.
    auto* sheet = new TimeSheetScreen(fakes.services, realFiles(), base.path());
    sheet->show();
    fakes.fileDialog.choose(QString::fromStdString(week));
    sheet->openFile();
    sheet->selectCell(2, TimeSheet::ActTime);
    sheet->findChild<QLineEdit*>(QStringLiteral("editField"))->setText(QStringLiteral("4:30 PM"));
    sheet->replaceCell();
    sheet->saveFile();
    ASSERT_EQ(fakes.messages.shown().back().text, QStringLiteral("done"));
    ASSERT_NE(readFile(week), before);

    sheet->findChild<QAction*>(QStringLiteral("historyAction"))->trigger();
    auto* history = sheet->findChild<WeekHistoryScreen*>();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->windowFlags() & Qt::WindowStaysOnTopHint); // not under the station
    auto* list = history->findChild<QTableWidget*>(QStringLiteral("HistoryList"));
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(cell(list, 0, 1), QStringLiteral("Punch, position 1, entry 1: Ann, IN 8:00:00 AM Mon-Feb-3"));
    EXPECT_TRUE(cell(list, 2, 1)
                    .startsWith(QStringLiteral("Saved (backup Week Ending Sunday Feb 9 2025.wkb); 24 "
                                               "changes: position 1, entry 2, time \"5:00:00 PM\" "
                                               "to \"4:30 PM\"; position 2, name")))
        << cell(list, 2, 1).toStdString();
    EXPECT_EQ(cell(list, 2, 0), QStringLiteral("2025-02-04 10:00:00"));
    EXPECT_EQ(cell(list, 2, 2).toStdString(), "ann on " + Environment::hostName());

    history->selectItem(2);
    fakes.messages.clearShown();
    fakes.messages.answer(Messages::Answer::Yes);
    history->findChild<QPushButton*>(QStringLiteral("PutBack"))->click();
    EXPECT_EQ(fakes.messages.shown().back().text, QStringLiteral("done"));
    EXPECT_EQ(recordAt(readFile(week), 1), recordAt(before, 1));
    ASSERT_EQ(list->rowCount(), 4);
    EXPECT_TRUE(
        cell(list, 3, 1).startsWith(QStringLiteral("Put back as before the save of 2025-02-04 10:00:00")));
    EXPECT_EQ(history->findChild<QLabel*>(QStringLiteral("HistoryNotes"))->text(),
              QStringLiteral("Every punch in the week file is explained by the journal."));
    EXPECT_EQ(sheet->model().sheet().cell(2, TimeSheet::ActTime), "5:00:00 PM ");
}

} // namespace
} // namespace tc::test
