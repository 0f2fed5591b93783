// A manager's round through the station's Management button, as the shop
// uses it: correct a punch in the time sheet, take the week to a
// spreadsheet and back, change a job, and end the program with Exit All.
#include "ManageScreenFixture.h"

#include "app/StationApp.h"
#include "data/Paths.h"
#include "data/WeekFile.h"
#include "manage/ButtonData.h"
#include "manage/PassFM.h"
#include "manage/TimeManage.h"
#include "manage/TimeSheetModel.h"
#include "punch/JobFM.h"
#include "punch/NameFM.h"
#include "station/HomeFM.h"

#include <QPushButton>
#include <QRadioButton>

namespace tc::test {
namespace {

class ManagerDay : public ManageScreenTest {
  protected:
    void SetUp() override {
        ManageScreenTest::SetUp();
        writeWorkerLists();
        station = std::make_unique<StationApp>(dir.path());
        station->start();
        Messages::clearShown();
    }
    void TearDown() override {
        station.reset();
        ManageScreenTest::TearDown();
    }

    HomeFM& home() { return station->home(); }
    NameFM* actionScreen() { return home().findChild<NameFM*>(QString(), Qt::FindDirectChildrenOnly); }

    // Management, the password, a destination, OK.
    void enterManagement(const char* destination) {
        press(&home(), "Command4");
        PassFM* pass = PassFM::current();
        ASSERT_NE(pass, nullptr);
        child<QRadioButton>(pass, destination)->setChecked(true);
        type(pass, "Text2", "qm482");
        press(pass, "Command2");
    }
    template <typename T> static T* openScreen() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<T*>(w); s && s->isVisible())
                return s;
        return nullptr;
    }

    std::unique_ptr<StationApp> station;
};

TEST_F(ManagerDay, CorrectsAPunchChangesAJobAndEndsTheProgram) {
    // Worker 1 clocks in at the station: job 1001, Dept. 2.
    press(&home(), "Command1_0");
    ASSERT_NE(actionScreen(), nullptr);
    press(actionScreen(), "Command1_0");
    JobFM* jobs = actionScreen()->findChild<JobFM*>();
    ASSERT_NE(jobs, nullptr);
    press(jobs, "Command1_0");
    auto* dept = jobs->findChild<QWidget*>(QStringLiteral("DepartFM"));
    ASSERT_NE(dept, nullptr);
    press(dept, "Command1_1");
    deleteClosedScreens();
    const std::string week = weekFilePath(dir.path(), Clock::now());
    ASSERT_EQ(recordAt(readFile(week), 1).raw(TimeRecord::Field::ActTime, 1), "10:00:00 AM");

    // The punch was an hour late: the manager corrects it in the time sheet.
    enterManagement("Option2");
    TimeManage* sheet = openScreen<TimeManage>();
    ASSERT_NE(sheet, nullptr);
    FileDialog::setNextFileName(QString::fromStdString(week));
    press(sheet, "Command1");
    sheet->selectCell(1, 3);
    EXPECT_EQ(text(sheet, "Text1"), "10:00:00 AM");
    type(sheet, "Text1", "9:00:00 AM");
    press(sheet, "Command2");

    // To the spreadsheet and back unchanged.
    press(sheet, "Command4");
    const QString copied = Clipboard::text();
    EXPECT_EQ(copied.count(QLatin1Char('\r')), 1999);
    Clipboard::setText(QString(copied).replace(QStringLiteral("\r"), QStringLiteral("\r\n")));
    press(sheet, "Command5");
    press(sheet, "Command4");
    EXPECT_EQ(Clipboard::text(), copied);

    Messages::clearShown();
    press(sheet, "Command3");
    const std::string backup = week.substr(0, week.size() - 3) + "wkb";
    EXPECT_EQ(shownTexts(),
              (QStringList{QString::fromStdString(backup) + " Has been created. As Backup.", "done"}));
    EXPECT_TRUE(fileExists(backup));
    EXPECT_EQ(recordAt(readFile(week), 1).raw(TimeRecord::Field::ActTime, 1), "9:00:00 AM ");
    EXPECT_EQ(recordAt(readFile(backup), 1).raw(TimeRecord::Field::ActTime, 1), "10:00:00 AM");
    press(sheet, "Command8");

    // A new job in the button data shows on the job screen at the next punch.
    enterManagement("Option1");
    ButtonData* data = openScreen<ButtonData>();
    ASSERT_NE(data, nullptr);
    type(data, "Text2_0", "9999,Night shift");
    press(data, "Command1");
    press(data, "Command3");
    deleteClosedScreens();
    press(&home(), "Command1_1");
    ASSERT_NE(actionScreen(), nullptr);
    press(actionScreen(), "Command1_0");
    jobs = actionScreen()->findChild<JobFM*>();
    ASSERT_NE(jobs, nullptr);
    EXPECT_EQ(child<QPushButton>(jobs, "Command1_0")->property("Caption").toString(), "9999\nNight shift");
    press(jobs, "Command2_0"); // Cancel
    deleteClosedScreens();

    // Exit All ends the program and gives the taskbar back.
    press(&home(), "Command4");
    PassFM* pass = PassFM::current();
    ASSERT_NE(pass, nullptr);
    type(pass, "Text2", "qm482");
    press(pass, "Command3");
    EXPECT_FALSE(home().isVisible());
    EXPECT_TRUE(TaskBar::isVisible());
}

} // namespace
} // namespace tc::test
