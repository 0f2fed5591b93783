#include "station/HomeFM.h"
#include "data/Paths.h"
#include "data/WeekFile.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/TaskBar.h"
#include "station/AppState.h"
#include "support/TempDir.h"
#include "support/WeekBuilder.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

using namespace tc;
using tc::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string sampleList(int names = 24, bool notes = true) {
    const std::vector<std::string> noteLines =
        notes ? std::vector<std::string>{"Lunch at noon", "Safety first"} : std::vector<std::string>{};
    return tc::test::employeeListBytes(tc::test::workerNames(names), std::span(noteLines));
}

struct Station : ::testing::Test {
    TempDir dir;
    AppState state{dir.path()};

    void SetUp() override {
        Messages::setTestMode(true);
        Clock::setFixed(makeDateTime(2025, 2, 3, 14, 5, 9)); // Monday; week ends Sunday Feb 9
        Environment::setBaseFolderForTest(QString::fromStdString(dir.path()));
        Environment::setScreenSizeForTest(QSize(1024, 768));
        tc::test::writeFile(dir.file("employeelist.txt"), sampleList());
    }
    void TearDown() override {
        Messages::setTestMode(false);
        Environment::setBaseFolderForTest(std::nullopt);
        Environment::setScreenSizeForTest(std::nullopt);
        Clock::useSystemTime();
    }

    QStringList shownTexts() const {
        QStringList texts;
        for (const auto& m : Messages::shown())
            texts << m.text;
        return texts;
    }
};

const QString kPassword1 = QStringLiteral("Password = qm482");
const QString kPassword2 =
    QStringLiteral("Wright it down!\r\nPassword = qm482\r\nThis pass word will not be repeted");
const QString kScreen = QStringLiteral("Optimal screen resolution should be set to\r\n1024 By 768");

} // namespace

TEST_F(Station, FirstRunNoticesDependOnTheScreen) {
    Environment::setScreenSizeForTest(QSize(1280, 1024));
    {
        HomeFM home(state);
        home.load();
        ASSERT_EQ(Messages::shown().size(), 3);
        EXPECT_EQ(Messages::shown()[0].text, kPassword1);
        EXPECT_EQ(Messages::shown()[0].buttons, Messages::OkCritical);
        EXPECT_EQ(Messages::shown()[0].title, QStringLiteral("Time Clock"));
        EXPECT_EQ(Messages::shown()[1].text, kPassword2);
        EXPECT_EQ(Messages::shown()[1].buttons, Messages::OkCritical);
        EXPECT_EQ(Messages::shown()[2].text, kScreen);
        EXPECT_EQ(Messages::shown()[2].buttons, Messages::OkOnly);
        for (const char* m :
             {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"})
            EXPECT_TRUE(fs::is_directory(fs::path(dir.path()) / m)) << m;
        EXPECT_FALSE(TaskBar::isVisible());
    }
    EXPECT_TRUE(TaskBar::isVisible()); // shown again when the station goes

    // Second start, Feb and Mar deleted meanwhile: Jan decides, nothing is
    // shown and Mar is not made again; Feb is, as this week's file lies in it.
    fs::remove_all(fs::path(dir.path()) / "Feb");
    fs::remove_all(fs::path(dir.path()) / "Mar");
    Messages::clearShown();
    {
        AppState again(dir.path());
        HomeFM home(again);
        home.load();
        EXPECT_TRUE(Messages::shown().isEmpty()) << shownTexts().join(" | ").toStdString();
        EXPECT_FALSE(fs::exists(fs::path(dir.path()) / "Mar"));
        EXPECT_TRUE(fs::is_directory(fs::path(dir.path()) / "Feb"));
    }
}

TEST_F(Station, ScreenMatchingInOneDimensionGetsNoScreenNotice) {
    for (QSize size : {QSize(1366, 768), QSize(1024, 600)}) {
        TempDir fresh;
        tc::test::writeFile(fresh.file("employeelist.txt"), sampleList());
        Environment::setScreenSizeForTest(size);
        Messages::clearShown();
        AppState s(fresh.path());
        HomeFM home(s);
        home.load();
        EXPECT_EQ(shownTexts(), (QStringList{kPassword1, kPassword2})) << size.width();
    }
}

TEST_F(Station, LoadsNamesNotesAndTheBoard) {
    fs::create_directory(fs::path(dir.path()) / "Jan");
    fs::create_directory(fs::path(dir.path()) / "Feb");
    SetWeekFile(state, Clock::now());
    std::string bytes;
    TimeRecord r;
    r.set(TimeRecord::Field::Action, 1, "IN");
    r.set(TimeRecord::Field::JobNumber, 1, "101.Dept-2");
    putRecord(bytes, 2, r);
    TimeRecord lunch = r;
    lunch.set(TimeRecord::Field::Action, 2, "LUNCH");
    lunch.set(TimeRecord::Field::JobNumber, 2, "");
    putRecord(bytes, 3, lunch);
    tc::test::writeFile(state.WeekFile, bytes);
    state.WeekFile.clear();

    HomeFM home(state);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(home.buttonColour(i), QColor(224, 224, 224));
    home.load();
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_EQ(state.WeekFile, weekFilePath(dir.path(), Clock::now()));
    EXPECT_EQ(state.EmpNames[1], "Worker 1");
    EXPECT_EQ(state.EmpNames[24], "Worker 24");
    EXPECT_EQ(home.buttonCaption(0), QStringLiteral("Worker 1\r\n"));
    EXPECT_EQ(home.buttonCaption(1), QStringLiteral("Worker 2\r\n101.Dept-2"));
    EXPECT_EQ(home.employeeButton(1)->text(), QStringLiteral("Worker 2\n101.Dept-2"));
    EXPECT_EQ(home.buttonColour(1), QColor(255, 255, 0));
    EXPECT_EQ(home.buttonColour(2), QColor(255, 0, 0));
    EXPECT_EQ(home.buttonColour(3), QColor(224, 224, 224));
    // The colour really is on the face, whatever the style.
    EXPECT_TRUE(home.employeeButton(1)->styleSheet().contains(QStringLiteral("#ffff00")));
    EXPECT_EQ(home.findChild<QLabel*>(QStringLiteral("Label2_0"))->text(), QStringLiteral("Lunch at noon"));
    EXPECT_EQ(home.findChild<QLabel*>(QStringLiteral("Label2_1"))->text(), QStringLiteral("Safety first"));

    // A later punch elsewhere and a refresh: the board follows the file; a
    // button whose record lost its recognised action keeps its colour.
    TimeRecord odd;
    odd.set(TimeRecord::Field::Action, 1, "Break");
    putRecord(bytes, 2, odd);
    tc::test::writeFile(state.WeekFile, bytes);
    home.UpdateStatusBoard();
    EXPECT_EQ(home.buttonColour(1), QColor(255, 255, 0));
    EXPECT_EQ(home.buttonCaption(1), QStringLiteral("Worker 2\r\n"));

    // Edits of the list while running change nothing until the next start.
    tc::test::writeFile(dir.file("employeelist.txt"), sampleList().replace(18, 8, "Someone "));
    home.UpdateStatusBoard();
    EXPECT_EQ(state.EmpNames[1], "Worker 1");
}

TEST_F(Station, NamesWithAmpersandShowWhole) {
    fs::create_directory(fs::path(dir.path()) / "Jan");
    std::string list = sampleList();
    list.replace(list.find("Worker 1\r\n"), 8, "Smith & Sons");
    tc::test::writeFile(dir.file("employeelist.txt"), list);
    HomeFM home(state);
    home.load();
    EXPECT_EQ(home.buttonCaption(0), QStringLiteral("Smith & Sons\r\n"));
    EXPECT_EQ(home.employeeButton(0)->text(), QStringLiteral("Smith && Sons\n")); // "&&" draws one '&'
}

TEST_F(Station, MissingOrShortEmployeeListIsReportedAndTheStationStarts) {
    fs::create_directory(fs::path(dir.path()) / "Jan");
    fs::remove(dir.file("employeelist.txt"));
    {
        HomeFM home(state);
        home.load();
        ASSERT_EQ(Messages::shown().size(), 1);
        EXPECT_TRUE(Messages::shown()[0].text.contains(QStringLiteral("employeelist.txt")));
        EXPECT_EQ(Messages::shown()[0].buttons, Messages::OkOnly);
        for (int i = 0; i < 24; ++i)
            EXPECT_EQ(home.buttonCaption(i), QStringLiteral("\r\n"));
        EXPECT_FALSE(fs::exists(dir.file("employeelist.txt"))); // never made up
        EXPECT_TRUE(home.isLoaded());
    }

    Messages::clearShown();
    tc::test::writeFile(dir.file("employeelist.txt"), sampleList(10, false));
    AppState s(dir.path());
    HomeFM home(s);
    home.load();
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown()[0].text.contains(QStringLiteral("employeelist.txt")));
    EXPECT_EQ(home.buttonCaption(9), QStringLiteral("Worker 10\r\n"));
    EXPECT_EQ(home.buttonCaption(10), QStringLiteral("\r\n"));
    EXPECT_EQ(s.EmpNames[11], "");
}

TEST_F(Station, MissingMonthFolderIsMadeAgainAtStart) {
    fs::create_directory(fs::path(dir.path()) / "Jan");
    HomeFM home(state);
    home.load();
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_TRUE(fs::is_directory(fs::path(dir.path()) / "Feb"));
    EXPECT_TRUE(tc::test::fileExists(state.WeekFile));
}

TEST_F(Station, AWeekFileThatCannotBeReadIsToldAtStartAndTheStationRuns) {
    fs::create_directory(fs::path(dir.path()) / "Jan");
    fs::create_directory(fs::path(dir.path()) / "Feb");
    const std::string week = weekFilePath(dir.path(), Clock::now());
    fs::create_directory(week); // no week file: something else at its place
    HomeFM home(state);
    home.load();
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown()[0].text.contains(QString::fromStdString(week)));
    EXPECT_TRUE(home.isLoaded());
    EXPECT_EQ(home.buttonCaption(0), QStringLiteral("Worker 1"));
}

TEST_F(Station, ButtonPressSetsPositionAndName) {
    fs::create_directory(fs::path(dir.path()) / "Jan");
    HomeFM home(state);
    home.load();
    QList<int> pressed;
    int management = 0;
    QObject::connect(&home, &HomeFM::employeePressed, [&](int position) { pressed << position; });
    QObject::connect(&home, &HomeFM::managementPressed, [&] { ++management; });

    home.employeeButton(0)->click();
    EXPECT_EQ(state.ButtonNumber, 1);
    EXPECT_EQ(state.CurName, "Worker 1");
    home.employeeButton(23)->click();
    EXPECT_EQ(state.ButtonNumber, 24);
    EXPECT_EQ(state.CurName, "Worker 24");
    EXPECT_EQ(pressed, (QList<int>{1, 24}));

    // While a punch is in progress, its position cannot change.
    home.setPunchInProgress(true);
    home.employeeButton(4)->click();
    EXPECT_EQ(state.ButtonNumber, 24);
    EXPECT_EQ(pressed.count(), 2);
    home.setPunchInProgress(false);
    home.employeeButton(4)->click();
    EXPECT_EQ(state.ButtonNumber, 5);

    home.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    EXPECT_EQ(management, 1);
    EXPECT_EQ(home.findChild<QPushButton*>(QStringLiteral("Command4"))->text(), QStringLiteral("Management"));
}

TEST_F(Station, RefusesToCloseUntilAllowed) {
    fs::create_directory(fs::path(dir.path()) / "Jan");
    HomeFM home(state);
    home.load();
    home.show();
    EXPECT_FALSE(home.close());
    EXPECT_TRUE(home.isVisible());
    QCloseEvent event;
    QCoreApplication::sendEvent(&home, &event);
    EXPECT_FALSE(event.isAccepted());

    home.allowClose();
    EXPECT_TRUE(home.close());
    EXPECT_FALSE(home.isVisible());
}

TEST_F(Station, ClockShowsTheTime) {
    fs::create_directory(fs::path(dir.path()) / "Jan");
    HomeFM home(state);
    auto* label = home.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* timer = home.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_TRUE(label && timer);
    EXPECT_EQ(label->text(), QStringLiteral("Label1"));
    home.load();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_EQ(label->text(), QStringLiteral("2:05:09 PM"));
    Clock::advance(3600 * 10);
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    EXPECT_EQ(label->text(), QStringLiteral("12:05:09 AM"));
}

TEST_F(Station, LayoutAt1024x768AndScaled) {
    {
        HomeFM home(state);
        EXPECT_EQ(home.geometry().size(), QSize(1024, 768));
        EXPECT_EQ(home.employeeButton(0)->geometry(), QRect(32, 16, 300, 73));
        EXPECT_EQ(home.employeeButton(7)->geometry(), QRect(32, 16 + 80 * 7, 300, 73));
        EXPECT_EQ(home.employeeButton(8)->geometry(), QRect(344, 16, 300, 73));
        EXPECT_EQ(home.employeeButton(23)->geometry(), QRect(656, 576, 300, 73));
        EXPECT_EQ(home.findChild<QWidget*>(QStringLiteral("Label2_0"))->geometry(), QRect(104, 656, 209, 25));
        EXPECT_EQ(home.findChild<QWidget*>(QStringLiteral("Label2_1"))->geometry(), QRect(104, 681, 209, 25));
        EXPECT_EQ(home.findChild<QWidget*>(QStringLiteral("Label1"))->geometry(), QRect(320, 656, 337, 81));
        EXPECT_EQ(home.findChild<QWidget*>(QStringLiteral("Command4"))->geometry(), QRect(664, 656, 177, 81));
        EXPECT_EQ(home.employeeButton(0)->text(), QStringLiteral("Command1"));
        EXPECT_TRUE(home.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(home.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(home.employeeButton(0)->font().pointSize(), 22);
        EXPECT_EQ(home.findChild<QWidget*>(QStringLiteral("Label1"))->font().pointSize(), 48);
    }
    Environment::setScreenSizeForTest(QSize(1280, 1024));
    HomeFM home(state);
    EXPECT_EQ(home.geometry().size(), QSize(1280, 1024));
    EXPECT_EQ(home.employeeButton(0)->geometry(), QRect(40, 21, 375, 98));
    EXPECT_EQ(home.employeeButton(23)->geometry(), QRect(820, 768, 375, 97));
    EXPECT_EQ(home.findChild<QWidget*>(QStringLiteral("Command4"))->geometry(), QRect(830, 875, 221, 108));
    EXPECT_EQ(home.employeeButton(0)->font().pointSize(), 28); // 22 x 1.25
}
