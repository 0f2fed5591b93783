// The station's question about a shift left without clocking out, as the
// employee meets it: what it asks, what each answer keeps, and what a stray
// press or the Enter key keeps (nothing).
#include "app/StationApp.h"
#include "data/Journal.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/MonotonicClock.h"
#include "platform/SettleTime.h"
#include "punch/ActionRules.h"
#include "station/HomeFM.h"
#include "support/WeekBuilder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace tc::test {
namespace {

class ClockOutQuestion : public ::testing::Test {
  protected:
    void SetUp() override {
        Messages::setTestMode(true);
        Clock::setFixed(mondayFeb3().addDays(1).addSeconds(-90 * 60)); // Tue 6:30 AM
        Clock::setFixedUtcOffset(-5 * 3600);
        MonotonicClock::setForTest(0);
        Environment::setScreenSizeForTest(QSize(1024, 768));
        base.writeLists(employeeListBytes(workerNames(), {"Note one", "Note two"}),
                        jobListBytes({"1234,Roof"}));
        base.putRecord(mondayFeb3(), 2,
                       makeRecord("Worker 2", {{"IN", "1234.Dept-1", "7:00:00 AM", "Mon-Feb-3"}}));
        weekBefore = readFile(week());
        app = std::make_unique<StationApp>(base.path());
        app->start();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::string week() const { return base.weekFile(mondayFeb3()); }
    std::string journal() const {
        const std::string path = journalPathOf(week());
        return fileExists(path) ? readFile(path) : "";
    }
    static QWidget* shown(const QString& name) {
        for (QWidget* w : QApplication::allWidgets())
            if (w->objectName() == name && w->isVisible())
                return w;
        return nullptr;
    }
    static QAbstractButton* button(QWidget* screen, const QString& name) {
        return screen ? screen->findChild<QAbstractButton*>(name) : nullptr;
    }
    static void tap(QWidget* screen, const QString& name) {
        QAbstractButton* b = button(screen, name);
        ASSERT_NE(b, nullptr) << name.toStdString();
        b->click();
    }
    static void press(QWidget* screen, const QString& name) {
        MonotonicClock::advanceForTest(SettleTime::kMilliseconds);
        tap(screen, name);
    }
    QWidget* pressName() {
        press(&app->home(), QStringLiteral("Command1_1"));
        return shown("ClockOutQuestionFM");
    }

    ProgramFolder base;
    std::string weekBefore;
    std::unique_ptr<StationApp> app;
};

TEST_F(ClockOutQuestion, AskedBeforeTheActionScreenAndATimeSetIsKeptAsAClaim) {
    QWidget* question = pressName();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(shown("NameFM"), nullptr);
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
    EXPECT_EQ(shown("ClockOutQuestionFM"), question);
    picker->setTime(QTime(16, 30));
    // Enter on the picker presses nothing.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(picker, &enter);
    EXPECT_EQ(journal(), "");

    press(question, "KeepTime");
    EXPECT_TRUE(
        journal().ends_with("\nclaim\t2025-02-04T06:30:00-05:00\t2\t1\tWorker 2\t2025-02-03 16:30:00\n"))
        << journal();
    EXPECT_EQ(readFile(week()), weekBefore);
    QWidget* actions = shown("NameFM");
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(button(actions, "Command1_0")->isEnabled());
    EXPECT_FALSE(button(actions, "Command1_3")->isEnabled());
}

TEST_F(ClockOutQuestion, IDontKnowIsKeptAsSuchAndExitKeepsNothing) {
    press(pressName(), "Exit");
    EXPECT_EQ(journal(), "");
    EXPECT_EQ(shown("NameFM"), nullptr);
    EXPECT_EQ(shown("ClockOutQuestionFM"), nullptr);

    press(pressName(), "DontKnow");
    EXPECT_TRUE(journal().ends_with("\t2\t1\tWorker 2\tunknown\n")) << journal();
    EXPECT_NE(shown("NameFM"), nullptr);
    EXPECT_EQ(readFile(week()), weekBefore);
}

} // namespace
} // namespace tc::test
