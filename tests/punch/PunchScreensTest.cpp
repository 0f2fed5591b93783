#include "punch/PunchScreens.h"
#include "app/StationApp.h"
#include "data/ListFiles.h"
#include "data/Paths.h"
#include "data/WeekFile.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/MonotonicClock.h"
#include "platform/SettleTime.h"
#include "punch/DepartFM.h"
#include "punch/JobFM.h"
#include "punch/NameFM.h"
#include "station/HomeFM.h"
#include "support/WeekBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace tc::test {
namespace {

using F = TimeRecord::Field;

std::string employeeList() {
    std::vector<std::string> names = workerNames();
    names[1] = "Bob Brown";
    names[4] = "Eve Stone";
    return employeeListBytes(names, {"Lunch at noon", "Safety first"});
}

const char* kJobs = "1234,Roof repair on the north barn\r\n"
                    "2001,Siding\r\n"
                    "77,Gutters\r\n";

// The station as it runs, on a fixed clock, with month folders and both lists.
struct PunchScreens : ::testing::Test {
    ProgramFolder base;
    std::unique_ptr<StationApp> app;

    void SetUp() override {
        Messages::setTestMode(true);
        Messages::clearShown();
        Clock::setFixed(mondayFeb3(9, 5, 7));
        Environment::setBaseFolderForTest(QString::fromStdString(base.path()));
        Environment::setScreenSizeForTest(QSize(1024, 768));
        MonotonicClock::setForTest(0);
        writeFile(employeeListPath(base.path()), employeeList());
        writeFile(jobListPath(base.path()), kJobs);
        app = std::make_unique<StationApp>(base.path());
        app->start();
    }
    void TearDown() override {
        app.reset();
        Messages::setTestMode(false);
        Environment::setBaseFolderForTest(std::nullopt);
        Environment::setScreenSizeForTest(std::nullopt);
        Clock::useSystemTime();
        MonotonicClock::setForTest(std::nullopt);
    }

    HomeFM& home() { return app->home(); }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    NameFM* action() { return home().findChild<NameFM*>(QString(), Qt::FindDirectChildrenOnly); }
    JobFM* jobs() { return action() ? action()->findChild<JobFM*>() : nullptr; }
    DepartFM* departments() { return jobs() ? jobs()->findChild<DepartFM*>() : nullptr; }

    static QPushButton* button(QWidget* screen, const QString& name) {
        auto* b = screen ? screen->findChild<QPushButton*>(name) : nullptr;
        EXPECT_NE(b, nullptr) << name.toStdString();
        return b;
    }
    // A press once the screen has settled; `tap` presses at once, as a quick second tap does.
    static void press(QWidget* screen, const char* name) {
        MonotonicClock::advanceForTest(SettleTime::kMilliseconds);
        tap(screen, name);
    }
    static void tap(QWidget* screen, const char* name) {
        if (QPushButton* b = button(screen, QString::fromLatin1(name)))
            b->click();
    }
    std::vector<bool> enabledActions() {
        std::vector<bool> v;
        for (int i = 0; i < 5; ++i)
            v.push_back(button(action(), QStringLiteral("Command1_%1").arg(i))->isEnabled());
        return v;
    }
    QString boxText(const char* name) {
        return action()->findChild<QPlainTextEdit*>(QString::fromLatin1(name))->property("Text").toString();
    }

    // Station button of position p, then the action screen's button.
    void pressEmployee(int position) {
        MonotonicClock::advanceForTest(SettleTime::kMilliseconds);
        home().employeeButton(position - 1)->click();
        ASSERT_NE(action(), nullptr);
    }
    // The whole path of a clock in or change job.
    void punchJob(int position, const char* action, int job, int dept) {
        pressEmployee(position);
        press(this->action(), action);
        ASSERT_NE(jobs(), nullptr);
        press(jobs(), QStringLiteral("Command1_%1").arg(job).toLatin1().constData());
        ASSERT_NE(departments(), nullptr);
        press(departments(), QStringLiteral("Command1_%1").arg(dept).toLatin1().constData());
        settle();
    }
    void punchNow(int position, const char* action) {
        pressEmployee(position);
        press(this->action(), action);
        settle();
    }

    TimeRecord record(int position) { return base.record(mondayFeb3(), position); }
    std::string weekBytes() {
        const std::string path = base.weekFile(mondayFeb3());
        return fileExists(path) ? readFile(path) : std::string("(no file)");
    }
};

const std::vector<bool> kOffTheClock = {true, false, false, false, true};
const std::vector<bool> kAtWork = {false, true, true, true, true};
const std::vector<bool> kAtLunch = {true, false, false, true, true};

TEST_F(PunchScreens, ADayThroughTheButtonsIsStoredAndShownOnTheBoard) {
    pressEmployee(2);
    EXPECT_EQ(action()->findChild<QLabel*>("Label1_0")->text(), "Bob Brown");
    EXPECT_EQ(enabledActions(), kOffTheClock);
    EXPECT_EQ(boxText("Text1"), "Last Operation        ");
    EXPECT_EQ(boxText("Text2"), "Time As of Last Action. = \r\n");
    press(action(), "Command1_0");
    ASSERT_NE(jobs(), nullptr);
    EXPECT_EQ(button(jobs(), "Command1_0")->property("Caption").toString(), "1234\nRoof repair on the n");
    EXPECT_EQ(button(jobs(), "Command2_0")->text(), "Cancel");
    EXPECT_EQ(button(jobs(), "Command2_1")->text(), "Back");
    press(jobs(), "Command1_0");
    ASSERT_NE(departments(), nullptr);
    EXPECT_EQ(departments()->windowTitle(), "Select Department");
    EXPECT_EQ(departments()->findChild<QLabel*>("Label1")->text(), "Roof repair on the north barn");
    const char* captions[8] = {"Dept.  1", "Dept.  2", "Dept.  3", "Dept.  4",
                               "Dept. 5",  "Office",   "Other",    "Cancel"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(button(departments(), QStringLiteral("Command1_%1").arg(i))->text(), captions[i]);
    press(departments(), "Command1_1");
    settle();

    EXPECT_EQ(action(), nullptr); // every punch screen is gone
    EXPECT_FALSE(home().punchInProgress());
    TimeRecord r = record(2);
    EXPECT_EQ(r.raw(F::EmpName), "Bob Brown           ");
    EXPECT_EQ(r.raw(F::Action, 1), "IN     ");
    EXPECT_EQ(r.raw(F::JobNumber, 1), "1234.Dept-2         ");
    EXPECT_EQ(r.raw(F::ActTime, 1), "9:05:07 AM ");
    EXPECT_EQ(r.raw(F::ActDate, 1), "Mon-Feb-3  ");
    EXPECT_TRUE(r.isFree(2));
    EXPECT_EQ(home().buttonColour(1), HomeFM::yellow());
    EXPECT_EQ(home().buttonCaption(1), "Bob Brown\r\n1234.Dept-2");

    Clock::setFixed(mondayFeb3(10, 0, 0));
    pressEmployee(2);
    EXPECT_EQ(enabledActions(), kAtWork);
    EXPECT_EQ(boxText("Text1"), "Last Operation        IN     \r\n"
                                "On Job Number      1234.Dept-2         \r\n"
                                "At Time                   9:05:07 AM \r\n"
                                "On Date                   Mon-Feb-3  ");
    press(action(), "Command1_4"); // Exit
    settle();
    punchJob(2, "Command1_1", 2, 5); // Change Job, 77, Office
    EXPECT_EQ(record(2).raw(F::Action, 2), "CHANGE ");
    EXPECT_EQ(record(2).raw(F::JobNumber, 2), "77.Office           ");
    EXPECT_EQ(home().buttonColour(1), HomeFM::yellow());
    EXPECT_EQ(home().buttonCaption(1), "Bob Brown\r\n77.Office");

    Clock::setFixed(mondayFeb3(12, 0, 0));
    punchNow(2, "Command1_2"); // Lunch
    EXPECT_EQ(record(2).raw(F::Action, 3), "LUNCH  ");
    EXPECT_EQ(record(2).raw(F::JobNumber, 3), std::string(20, ' '));
    EXPECT_EQ(home().buttonColour(1), HomeFM::red());
    EXPECT_EQ(home().buttonCaption(1), "Bob Brown\r\n");

    Clock::setFixed(mondayFeb3(12, 30, 0));
    pressEmployee(2);
    EXPECT_EQ(enabledActions(), kAtLunch);
    EXPECT_EQ(boxText("Text2"), "Time As of Last Action. = 2.91\r\n"); // 9:05:07 to 10:00, 10:00 to 12:00
    press(action(), "Command1_0");
    press(jobs(), "Command1_1");
    press(departments(), "Command1_6");
    settle();

    Clock::setFixed(mondayFeb3(16, 30, 0));
    punchNow(2, "Command1_3"); // Clock Out
    r = record(2);
    EXPECT_EQ(r.raw(F::Action, 5), "OUT    ");
    EXPECT_EQ(r.raw(F::JobNumber, 5), std::string(20, ' '));
    EXPECT_EQ(r.raw(F::ActTime, 5), "4:30:00 PM ");
    EXPECT_TRUE(r.isFree(6));
    EXPECT_EQ(home().buttonColour(1), HomeFM::lightGrey());
    EXPECT_EQ(home().buttonCaption(1), "Bob Brown\r\n");

    pressEmployee(2);
    EXPECT_EQ(enabledActions(), kOffTheClock);
    // 9:05:07 to 10:00 is 0.91, 10:00 to 12:00 is 2, 12:30 to 4:30 is 4.
    EXPECT_EQ(boxText("Text2"), "Time As of Last Action. = 6.91\r\n");
    // A disabled action cannot be pressed.
    press(action(), "Command1_3");
    settle();
    EXPECT_TRUE(record(2).isFree(6));
    EXPECT_TRUE(Messages::shown().isEmpty());
}

TEST_F(PunchScreens, OnlyThePunchFinallyChosenIsStored) {
    // Exit, Back then Exit, Cancel: nothing at all.
    punchNow(5, "Command1_4");
    EXPECT_EQ(action(), nullptr);
    pressEmployee(5);
    press(action(), "Command1_0");
    press(jobs(), "Command2_1"); // Back
    settle();
    ASSERT_NE(action(), nullptr);
    EXPECT_EQ(jobs(), nullptr);
    EXPECT_FALSE(action()->isHidden());
    press(action(), "Command1_4");
    settle();
    pressEmployee(5);
    press(action(), "Command1_0");
    press(jobs(), "Command2_0"); // Cancel
    settle();
    EXPECT_EQ(action(), nullptr);
    EXPECT_FALSE(home().punchInProgress());
    EXPECT_EQ(weekBytes(), "");
    EXPECT_EQ(home().buttonColour(4), HomeFM::lightGrey());
    EXPECT_EQ(home().buttonCaption(4), "Eve Stone\r\n");

    // Clock IN, a job, Cancel on the departments, Back, Clock IN again (the
    // job list is read again), another job, department 3: one punch.
    pressEmployee(5);
    press(action(), "Command1_0");
    press(jobs(), "Command1_0");
    press(departments(), "Command1_7"); // Cancel
    settle();
    ASSERT_NE(jobs(), nullptr);
    EXPECT_EQ(departments(), nullptr);
    press(jobs(), "Command2_1");
    settle();
    writeFile(jobListPath(base.path()), std::string(kJobs) + "  88 ,Paint\r\n");
    press(action(), "Command1_0");
    ASSERT_NE(jobs(), nullptr);
    EXPECT_TRUE(button(jobs(), "Command1_3")->isEnabled());
    press(jobs(), "Command1_3");
    press(departments(), "Command1_2");
    settle();
    const TimeRecord r = record(5);
    EXPECT_EQ(r.raw(F::Action, 1), "IN     ");
    EXPECT_EQ(r.raw(F::JobNumber, 1), "88.Dept-3           ");
    EXPECT_TRUE(r.isFree(2));
    EXPECT_EQ(home().buttonCaption(4), "Eve Stone\r\n88.Dept-3");
}

TEST_F(PunchScreens, TheStationStartsNoOtherPunchWhileOneIsOpen) {
    pressEmployee(2);
    NameFM* first = action();
    home().employeeButton(4)->click();
    EXPECT_EQ(app->state().ButtonNumber, 2);
    EXPECT_EQ(app->state().CurName, "Bob Brown");
    EXPECT_EQ(home().findChildren<NameFM*>().size(), 1);
    EXPECT_EQ(action(), first);
    press(action(), "Command1_2"); // Lunch is not offered: nothing happens
    press(action(), "Command1_0");
    press(jobs(), "Command1_1");
    press(departments(), "Command1_4");
    settle();
    EXPECT_EQ(record(2).raw(F::JobNumber, 1), "2001.Dept-5         ");
    EXPECT_TRUE(record(5).isFree(1));
    pressEmployee(5); // free again
    EXPECT_EQ(app->state().ButtonNumber, 5);
    // Closed from outside, with the job screen open: the same as Exit.
    press(action(), "Command1_0");
    action()->close();
    settle();
    EXPECT_EQ(action(), nullptr);
    EXPECT_EQ(home().findChildren<JobFM*>().size(), 0);
    EXPECT_FALSE(home().punchInProgress());
    EXPECT_TRUE(record(5).isFree(1));
}

TEST_F(PunchScreens, OnlyPressesMeantForASettledScreenAreTaken) {
    // A double tap on a name: the second tap lands on the action screen just shown.
    pressEmployee(2);
    tap(action(), "Command1_0");
    EXPECT_EQ(jobs(), nullptr);
    press(action(), "Command1_0"); // a moment later it is taken
    ASSERT_NE(jobs(), nullptr);
    tap(jobs(), "Command1_0");
    EXPECT_EQ(departments(), nullptr);
    press(jobs(), "Command1_0");
    ASSERT_NE(departments(), nullptr);
    tap(departments(), "Command1_1");
    EXPECT_TRUE(record(2).isFree(1));
    press(departments(), "Command1_1");
    settle();
    EXPECT_EQ(record(2).raw(F::Action, 1), "IN     ");

    // Three quick taps on Lunch: the station button under it (position 16) is not punched.
    pressEmployee(2);
    press(action(), "Command1_2");
    home().employeeButton(15)->click();
    home().employeeButton(15)->click();
    settle();
    EXPECT_EQ(action(), nullptr);
    EXPECT_EQ(record(2).raw(F::Action, 2), "LUNCH  ");
    EXPECT_TRUE(record(2).isFree(3));
    EXPECT_EQ(recordAt(readFile(base.weekFile(mondayFeb3())), 16), TimeRecord());

    // A button without a name (a blank line in the list) opens nothing.
    app->state().EmpNames[7] = "  ";
    pressEmployee(2);
    press(action(), "Command1_4");
    settle();
    MonotonicClock::advanceForTest(SettleTime::kMilliseconds);
    home().employeeButton(6)->click();
    EXPECT_EQ(action(), nullptr);

    // A job line without a job (only a description) cannot be punched.
    writeFile(jobListPath(base.path()), std::string(kJobs) + "   ,Only a description\r\n");
    pressEmployee(5);
    press(action(), "Command1_0");
    EXPECT_FALSE(button(jobs(), "Command1_3")->isEnabled());
    EXPECT_TRUE(button(jobs(), "Command1_2")->isEnabled());
}

TEST_F(PunchScreens, JobButtonsWithoutAJobAreBlankAndAnUnreadableListIsTold) {
    pressEmployee(2);
    press(action(), "Command1_0");
    for (int i = 3; i < 20; ++i) {
        QPushButton* b = button(jobs(), QStringLiteral("Command1_%1").arg(i));
        EXPECT_FALSE(b->isEnabled()) << i;
        EXPECT_EQ(b->text(), "") << i;
    }
    press(jobs(), "Command2_0");
    settle();

    // A pair cut short: the jobs before it still work, and the file is named.
    writeFile(jobListPath(base.path()), "1234,Roof\r\n,\r\n2001");
    pressEmployee(2);
    press(action(), "Command1_0");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown()[0].text.contains(QString::fromStdString(jobListPath(base.path()))));
    EXPECT_EQ(Messages::shown()[0].buttons, Messages::OkOnly);
    EXPECT_TRUE(button(jobs(), "Command1_0")->isEnabled());
    EXPECT_FALSE(button(jobs(), "Command1_1")->isEnabled()); // the lone comma: an empty slot
    EXPECT_FALSE(button(jobs(), "Command1_2")->isEnabled());
    press(jobs(), "Command2_1");
    settle();

    // No job list at all: Back and Cancel still lead away, nothing is stored.
    Messages::clearShown();
    std::filesystem::remove(jobListPath(base.path()));
    press(action(), "Command1_0");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown()[0].text.contains(QString::fromStdString(jobListPath(base.path()))));
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(button(jobs(), QStringLiteral("Command1_%1").arg(i))->isEnabled());
    press(jobs(), "Command2_0");
    settle();
    EXPECT_EQ(action(), nullptr);
    EXPECT_EQ(weekBytes(), "");
}

TEST_F(PunchScreens, APunchThatCannotBeStoredIsToldAndTheBoardStaysAsItWas) {
    // Eve's record is full, her last punch an IN.
    base.putRecord(mondayFeb3(), 5, fullRecord("Eve Stone", "IN"));
    const std::string before = weekBytes();
    pressEmployee(5);
    EXPECT_EQ(enabledActions(), kAtWork);
    press(action(), "Command1_3");
    settle();
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_EQ(Messages::shown()[0].text, "Your punch was NOT recorded.\r\n"
                                         "This week's record for Eve Stone is full (100 punches).\r\n"
                                         "Please see the manager.");
    EXPECT_EQ(Messages::shown()[0].buttons, Messages::OkOnly);
    EXPECT_EQ(weekBytes(), before);
    EXPECT_EQ(action(), nullptr);
    EXPECT_EQ(home().buttonColour(4), HomeFM::lightGrey()); // the board was not redrawn

    // The month folder turned into a file: the punch cannot be stored anywhere.
    Messages::clearShown();
    std::filesystem::remove_all(base.path() + "/Feb");
    writeFile(base.path() + "/Feb", "x");
    punchJob(2, "Command1_0", 0, 0);
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown()[0].text.startsWith("Your punch was NOT recorded.\r\n"));
    EXPECT_EQ(action(), nullptr);
    EXPECT_EQ(home().buttonColour(1), HomeFM::lightGrey());
    EXPECT_EQ(home().buttonCaption(1), "Bob Brown\r\n");
    EXPECT_EQ(readFile(base.path() + "/Feb"), "x");
}

TEST_F(PunchScreens, AcrossTheEndOfTheWeekTheFirstPressIsJudgedFromTheOldWeek) {
    app.reset();
    Clock::setFixed(sundayFeb2(22, 0, 0));
    app = std::make_unique<StationApp>(base.path());
    app->start();
    punchJob(2, "Command1_0", 0, 0);
    punchJob(5, "Command1_0", 1, 1);
    const std::string oldWeek = base.weekFile(sundayFeb2());
    EXPECT_EQ(home().buttonCaption(4), "Eve Stone\r\n2001.Dept-2");

    Clock::setFixed(sundayFeb2(23, 59, 59));
    Clock::advance(1); // Monday 3 February, 0:00:00
    pressEmployee(2);
    EXPECT_EQ(enabledActions(), kAtWork);                  // still judged from the week that just ended
    EXPECT_EQ(boxText("Text1"), "Last Operation        "); // the summary reads the new week
    const std::string oldBytes = readFile(oldWeek);
    press(action(), "Command1_3");
    settle();
    EXPECT_EQ(readFile(oldWeek), oldBytes);
    EXPECT_EQ(record(2).raw(F::Action, 1), "OUT    ");
    EXPECT_EQ(record(2).raw(F::ActTime, 1), "12:00:00 AM");
    // The board now reads the new week: Eve keeps her colour but loses her job line.
    EXPECT_EQ(home().buttonColour(1), HomeFM::lightGrey());
    EXPECT_EQ(home().buttonColour(4), HomeFM::yellow());
    EXPECT_EQ(home().buttonCaption(4), "Eve Stone\r\n");
    pressEmployee(5);
    EXPECT_EQ(enabledActions(), kOffTheClock);
}

TEST_F(PunchScreens, ScreensKeepTheirLayoutAndClock) {
    pressEmployee(2);
    press(action(), "Command1_0");
    press(jobs(), "Command1_0");
    auto at = [](QWidget* screen, const char* name) { return screen->findChild<QWidget*>(name)->geometry(); };
    EXPECT_EQ(at(action(), "Command1_3"), QRect(592, 592, 177, 81));
    EXPECT_EQ(at(action(), "Text2"), QRect(504, 168, 425, 409));
    EXPECT_EQ(at(action(), "Label1_1"), QRect(344, 680, 337, 81));
    EXPECT_EQ(at(jobs(), "Command1_13"), QRect(416, 240, 400, 63));
    EXPECT_EQ(at(jobs(), "Command2_1"), QRect(832, 600, 177, 65));
    EXPECT_EQ(at(jobs(), "Command2_0"), QRect(832, 672, 177, 65));
    EXPECT_EQ(departments()->size(), QSize(686, 498));
    EXPECT_EQ(at(departments(), "Command1_5"), QRect(344, 192, 266, 93));
    EXPECT_EQ(at(departments(), "Command1_3"), QRect(64, 400, 266, 93));
    EXPECT_EQ(action()->geometry().size(), QSize(1024, 768));

    // The action screen's clock runs.
    auto* clock = action()->findChild<QLabel*>("Label1_1");
    QElapsedTimer waited;
    waited.start();
    while (clock->text() != "9:05:07 AM" && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(clock->text(), "9:05:07 AM");
    press(departments(), "Command1_7");
    press(jobs(), "Command2_0");
    settle();

    // On a larger screen everything grows with it.
    Environment::setScreenSizeForTest(QSize(2048, 1536));
    pressEmployee(2);
    EXPECT_EQ(at(action(), "Command1_3"), QRect(1184, 1184, 354, 162));
    EXPECT_EQ(action()->geometry().size(), QSize(2048, 1536));
}

} // namespace
} // namespace tc::test
