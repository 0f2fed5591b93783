// What an employee meets after pressing the name: the question about a
// shift left without clocking out (what it asks, what each answer keeps, and
// what a stray press or the Enter key keeps: nothing), and the own week.
#include "ScreenFixture.h"
#include "core/journal/Journal.h"
#include "core/punch/ActionRules.h"
#include "gui/punch/OwnWeekScreen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimeEdit>

namespace tc::test {
namespace {

class EmployeeScreens : public ScreenFixture {
  protected:
    // Worker 2 in since Monday 7:00 AM; the station started Tuesday 6:30 AM.
    void SetUp() override {
        ScreenFixture::SetUp();
        fakes.clock.set(mondayFeb3().addDays(1).addSeconds(-90 * 60));
        fakes.clock.setUtcOffset(-5 * 3600);
        base.putRecord(mondayFeb3(), 2,
                       makeRecord("Worker 2", {{"IN", "1234.Dept-1", "7:00:00 AM", "Mon-Feb-3"}}));
        weekBefore = readFile(week());
        start();
    }
    std::string journal() const {
        const std::string path = journalPathOf(week());
        return fileExists(path) ? unsealedJournal(path) : "";
    }
    static bool enabled(QWidget* screen, const QString& name) {
        return screen->findChild<QAbstractButton*>(name)->isEnabled();
    }
    QWidget* pressName() {
        press(&home(), QStringLiteral("employeeButton_1"));
        return shown("ClockOutQuestionScreen");
    }

    std::string weekBefore;
};

TEST_F(EmployeeScreens, AskedBeforeTheActionScreenAndATimeSetIsKeptAsAClaim) {
    QWidget* question = pressName();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(shown("ActionScreen"), nullptr);
    EXPECT_EQ(question->findChild<QLabel*>("Question")->text(),
              "You did not clock out on Mon. When did you leave?");
    auto* picker = question->findChild<QTimeEdit*>("LeftAt");
    EXPECT_EQ(picker->minimumTime(), QTime(7, 0));
    EXPECT_EQ(picker->maximumTime(), QTime(23, 59, 59));

    // A tap that lands before the screen settled keeps nothing; nor does
    // the time's button before the time is set.
    tap(question, "DontKnow");
    press(question, "KeepTime");
    EXPECT_EQ(journal(), "");
    EXPECT_EQ(shown("ClockOutQuestionScreen"), question);
    picker->setTime(QTime(16, 30));
    // Enter on the picker presses nothing.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(picker, &enter);
    EXPECT_EQ(journal(), "");

    press(question, "KeepTime");
    EXPECT_TRUE(journal().ends_with("\t2\t1\tWorker 2\t2025-02-03 16:30:00\n")) << journal();
    EXPECT_EQ(readFile(week()), weekBefore);
    QWidget* actions = shown("ActionScreen");
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(enabled(actions, "actionButton_0"));
    EXPECT_FALSE(enabled(actions, "actionButton_3"));
}

TEST_F(EmployeeScreens, IDontKnowIsKeptAsSuchAndExitKeepsNothing) {
    press(pressName(), "Exit");
    EXPECT_EQ(journal(), "");
    EXPECT_EQ(shown("ActionScreen"), nullptr);
    EXPECT_EQ(shown("ClockOutQuestionScreen"), nullptr);

    press(pressName(), "DontKnow");
    EXPECT_TRUE(journal().ends_with("\t2\t1\tWorker 2\tunknown\n")) << journal();
    EXPECT_NE(shown("ActionScreen"), nullptr);
    EXPECT_EQ(readFile(week()), weekBefore);
}

TEST_F(EmployeeScreens, TheSettingsFileSaysHowLongASameDayShiftMayRun) {
    writeFile(base.file("timeclock.ini"), "[report]\nask-clock-out-after = 2.5\n");
    fakes.clock.set(mondayFeb3(9, 30));
    EXPECT_EQ(pressName(), nullptr);
    press(shown("ActionScreen"), QStringLiteral("actionButton_4")); // Exit
    fakes.clock.set(mondayFeb3(9, 30, 1));
    EXPECT_NE(pressName(), nullptr);
}

TEST_F(EmployeeScreens, TheOwnWeekShowsTheEmployeesHoursAndFlagsAndClosesByItself) {
    fakes.clock.set(mondayFeb3(11));
    press(&home(), QStringLiteral("employeeButton_1"));
    QWidget* actions = shown("ActionScreen");
    ASSERT_NE(actions, nullptr);
    tap(actions, "OwnWeek"); // the second half of a double tap
    EXPECT_EQ(shown("OwnWeekScreen"), nullptr);
    press(actions, "OwnWeek");
    QWidget* own = shown("OwnWeekScreen");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->findChild<QLabel*>("Hours")->text(),
              "Mon 0.00\nTue 0.00\nWed 0.00\nThu 0.00\nFri 0.00\nSat 0.00\nSun 0.00\nTotal 0.00");
    EXPECT_EQ(own->findChild<QPlainTextEdit*>("Flags")->toPlainText(), "in since Mon 7:00 AM");

    tap(own, "CloseWeek");
    EXPECT_EQ(shown("OwnWeekScreen"), own);
    fakes.monotonic.advance(OwnWeekScreen::kShownMilliseconds - 1);
    static_cast<OwnWeekScreen*>(own)->closeIfShownLongEnough();
    EXPECT_EQ(shown("OwnWeekScreen"), own);
    fakes.monotonic.advance(1);
    static_cast<OwnWeekScreen*>(own)->closeIfShownLongEnough();
    EXPECT_EQ(shown("OwnWeekScreen"), nullptr);
    EXPECT_EQ(shown("ActionScreen"), actions);
    EXPECT_EQ(readFile(week()), weekBefore);
}

} // namespace
} // namespace tc::test
