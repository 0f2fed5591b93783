// Before any Qt header: Qt defines a macro named "forever".
#include "support/FaultyFiles.h"

#include "ManageScreenFixture.h"

#include "data/ListFiles.h"
#include "manage/ButtonData.h"

#include <QKeyEvent>

#include <QPointer>
#include <cstdio>

namespace tc::test {
namespace {

std::string employeeBody() {
    std::string body;
    for (int i = 1; i <= 24; ++i)
        body += (i == 7 ? std::string() : "Worker " + std::to_string(i)) + "\r\n";
    body += "Pay day Friday\r\nWash your hands\r\n";
    return body;
}

std::string jobsFile() {
    std::string jobs;
    for (int j = 1; j <= 20; ++j)
        jobs +=
            (j == 4 ? std::string(",") : std::to_string(1000 + j) + ",Job description " + std::to_string(j)) +
            "\r\n";
    return jobs;
}

class ButtonDataScreen : public ManageScreenTest {
  protected:
    void SetUp() override {
        ManageScreenTest::SetUp();
        writeFile(dir.file("employeelist.txt"), "Quarnel Data 1.1\r\n" + employeeBody());
        writeFile(dir.file("Jobs.dat"), jobsFile());
    }
    ButtonData* open(FileAccess& files = realFiles()) {
        auto* screen = new ButtonData(files, dir.path());
        screen->show();
        return screen;
    }
    std::string employees() const { return readFile(dir.file("employeelist.txt")); }
    std::string jobs() const { return readFile(dir.file("Jobs.dat")); }
};

TEST_F(ButtonDataScreen, ShowsBothListsAndItsFixedTexts) {
    ButtonData* screen = open();
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_EQ(screen->windowTitle(), "Button Data");
    EXPECT_EQ(text(screen, "Text1_0"), "Worker 1");
    EXPECT_EQ(text(screen, "Text1_6"), "");
    EXPECT_EQ(text(screen, "Text1_23"), "Worker 24");
    EXPECT_EQ(text(screen, "Text3_0"), "Pay day Friday");
    EXPECT_EQ(text(screen, "Text3_1"), "Wash your hands");
    EXPECT_EQ(text(screen, "Text2_0"), "1001,Job description 1");
    EXPECT_EQ(text(screen, "Text2_3"), ","); // an empty slot shows as a lone comma
    EXPECT_EQ(text(screen, "Text2_19"), "1020,Job description 20");
    EXPECT_EQ(caption(screen, "Label1_0"), "1");
    EXPECT_EQ(caption(screen, "Label1_23"), "24");
    EXPECT_EQ(caption(screen, "Label2_19"), "20");
    EXPECT_EQ(caption(screen, "Label3_0"), "Employee Names ");
    EXPECT_EQ(caption(screen, "Label3_1"), "Job Names , Numbers");
    EXPECT_EQ(caption(screen, "Label4"), "Clock Notes");
    EXPECT_EQ(child<QLineEdit>(screen, "Text3_1")->maxLength(), 15);

    const QString warning = caption(screen, "Label5");
    EXPECT_EQ(warning.size(), 399);
    EXPECT_TRUE(warning.startsWith("Note:" + QString(60, ' ') + "This Program records"));
    EXPECT_TRUE(warning.contains("incorrect locations." + QString(25, ' ') + "CHANGE EMPLOYEE"));
    EXPECT_TRUE(warning.endsWith("PRE-CLOCK IN.  Job Data may be changed at anytime."));

    auto* save = screen->findChild<QAction*>("MnuSave");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "&Save");
    EXPECT_EQ(save->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(screen->findChild<QAction*>("MunLoad")->shortcut(), QKeySequence("Ctrl+L"));
    EXPECT_EQ(screen->findChild<QAction*>("MnuExit")->text(), "E&xit");
}

TEST_F(ButtonDataScreen, SaveWithoutChangeRewritesHeaderAndKeepsJobsByteForByte) {
    const std::string jobsBefore = jobs();
    ButtonData* screen = open();
    press(screen, "Command1");
    ASSERT_EQ(shownTexts(),
              QStringList{"Files Have Been Updated. Restart is necessary for Employee Names to rebuild."});
    EXPECT_EQ(Messages::shown().front().buttons, Messages::OkOnly);
    EXPECT_EQ(employees(), "Quarnel Data 1.2\r\n" + employeeBody());
    EXPECT_EQ(jobs(), jobsBefore);
    EXPECT_TRUE(screen->isVisible()); // the editor stays open

    // The menu item saves the same way.
    Messages::clearShown();
    type(screen, "Text1_1", "Robert Kowalski");
    trigger(screen, "MnuSave");
    EXPECT_EQ(shownTexts().size(), 1);
    EXPECT_NE(employees().find("\r\nRobert Kowalski\r\n"), std::string::npos);
}

TEST_F(ButtonDataScreen, ReloadRestoresTheSavedTexts) {
    ButtonData* screen = open();
    type(screen, "Text1_0", "Somebody Else");
    type(screen, "Text2_2", "999,Changed");
    press(screen, "Command2");
    EXPECT_EQ(shownTexts(), QStringList{"File Has Been Reloaded."});
    EXPECT_EQ(text(screen, "Text1_0"), "Worker 1");
    EXPECT_EQ(text(screen, "Text2_2"), "1003,Job description 3");

    // The menu's Reload says nothing.
    Messages::clearShown();
    type(screen, "Text1_0", "Somebody Else");
    trigger(screen, "MunLoad");
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_EQ(text(screen, "Text1_0"), "Worker 1");
}

TEST_F(ButtonDataScreen, RefusesTextsTheListsCannotHoldAndWritesNothing) {
    const std::string employeesBefore = employees();
    const std::string jobsBefore = jobs();
    struct Case {
        const char* box;
        QString value;
        QString messageStart;
    };
    const Case cases[] = {
        {"Text1_9", "Joe \"JJ\" Jones", "Employee name 10 contains a double quote"},
        {"Text3_1", "\"Safety\"", "Clock note 2 contains a double quote"},
        {"Text2_4", "1005 Painting", "Job 5 must be a job number, a comma and a description"},
        {"Text2_4", "1005,Paint,trim", "Job 5 must be a job number, a comma and a description"},
        {"Text2_10", "1011,Deck \"A\"", "Job 11 contains a double quote"},
        {"Text1_2", "\u0141ukasz",
         "Employee name 3 contains characters that the list files cannot store (\u0141)"},
        {"Text2_19", "1020,\u738B\u738B roof \u0141",
         "Job 20 contains characters that the list files cannot "
         "store (\u738B \u0141)"},
    };
    for (const Case& c : cases) {
        ButtonData* screen = open();
        Messages::clearShown();
        type(screen, c.box, c.value);
        press(screen, "Command1");
        ASSERT_EQ(Messages::shown().size(), 1) << c.box;
        const QString shown = Messages::shown().front().text;
        EXPECT_TRUE(shown.startsWith(c.messageStart)) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith("The files were not updated.")) << shown.toStdString();
        EXPECT_EQ(employees(), employeesBefore) << c.box;
        EXPECT_EQ(jobs(), jobsBefore) << c.box;
        screen->close();
    }
}

TEST_F(ButtonDataScreen, ValuesWithACommaAreSavedInQuotesAndReadBackWhole) {
    ButtonData* screen = open();
    type(screen, "Text1_2", "Smith, John");
    type(screen, "Text3_0", "Hi, all");
    type(screen, "Text2_3", "104, \"Gutters, rear side\"");
    type(screen, "Text2_4", "\"105, 106\",Deck");
    press(screen, "Command1");
    EXPECT_EQ(shownTexts(),
              QStringList{"Files Have Been Updated. Restart is necessary for Employee Names to rebuild."});
    std::string expected = "Quarnel Data 1.2\r\n" + employeeBody();
    expected.replace(expected.find("Worker 3"), 8, "\"Smith, John\"");
    expected.replace(expected.find("Pay day Friday"), 14, "\"Hi, all\"");
    EXPECT_EQ(employees(), expected);
    std::string expectedJobs = jobsFile();
    expectedJobs.replace(expectedJobs.find(",\r\n"), 1, "104,\"Gutters, rear side\"");
    expectedJobs.replace(expectedJobs.find("1005,Job description 5"), 22, "\"105, 106\",Deck");
    EXPECT_EQ(jobs(), expectedJobs);
    EXPECT_EQ(text(screen, "Text2_3"), "104,\"Gutters, rear side\"");

    // The station's readers take each back as one value.
    EmployeeList list;
    ASSERT_TRUE(readEmployeeList(realFiles(), dir.path(), list));
    EXPECT_EQ(list.names[2], "Smith, John");
    EXPECT_EQ(list.names[3], "Worker 4");
    EXPECT_EQ(list.notes[0], "Hi, all");
    std::vector<JobItem> items;
    ASSERT_TRUE(readJobList(realFiles(), dir.path(), items));
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items[3].first, "104");
    EXPECT_EQ(items[3].second, "Gutters, rear side");
    EXPECT_EQ(items[4].first, "105, 106");
    EXPECT_EQ(items[5].first, "1006");
    // So does the editor.
    press(screen, "Command2");
    EXPECT_EQ(text(screen, "Text1_2"), "Smith, John");
    EXPECT_EQ(text(screen, "Text2_4"), "\"105, 106\",Deck");
}

TEST_F(ButtonDataScreen, AJobLineWithoutACommaStaysInItsOwnBoxAndIsNotSaved) {
    std::string broken = jobsFile();
    broken.replace(0, 4, "1001 Painting"); // line 1: "1001 Painting,Job description 1" -> no comma
    broken.replace(broken.find(",Job description 1"), 18, "");
    writeFile(dir.file("Jobs.dat"), broken);
    ButtonData* screen = open();
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown().front().text.startsWith(
        "Line 1 of the job list " + QString::fromStdString(dir.file("Jobs.dat")) + " is not"))
        << Messages::shown().front().text.toStdString();
    EXPECT_EQ(text(screen, "Text2_0"), "1001 Painting");
    EXPECT_EQ(text(screen, "Text2_1"), "1002,Job description 2");
    EXPECT_EQ(text(screen, "Text2_19"), "1020,Job description 20");

    Messages::clearShown();
    press(screen, "Command1");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(
        Messages::shown().front().text.startsWith("Job 1 must be a job number, a comma and a description"));
    EXPECT_EQ(jobs(), broken);
    type(screen, "Text2_0", "1001,Painting");
    press(screen, "Command1");
    EXPECT_EQ(jobs(), "1001,Painting" + jobsFile().substr(jobsFile().find("\r\n")));
}

TEST_F(ButtonDataScreen, MenuShortcutsWorkInATextBox) {
    QPointer<ButtonData> screen = open();
    QApplication::setActiveWindow(screen);
    auto* box = child<QLineEdit>(screen, "Text1_0");
    box->setFocus();
    box->selectAll();
    QKeyEvent ctrlX(QEvent::KeyPress, Qt::Key_X, Qt::ControlModifier, "\x18");
    QCoreApplication::sendEvent(box, &ctrlX);
    deleteClosedScreens();
    ASSERT_TRUE(screen.isNull()); // Exit, not Cut
    EXPECT_EQ(Clipboard::text(), "");
}

TEST_F(ButtonDataScreen, AnEmptiedJobBoxIsSavedAsAnEmptySlot) {
    ButtonData* screen = open();
    type(screen, "Text2_1", "");
    type(screen, "Text2_2", "   ");
    press(screen, "Command1");
    std::string expected = jobsFile();
    expected.replace(expected.find("1002,Job description 2"), 22, ",");
    expected.replace(expected.find("1003,Job description 3"), 22, ",");
    EXPECT_EQ(jobs(), expected);
    EXPECT_EQ(text(screen, "Text2_1"), ",");
}

TEST_F(ButtonDataScreen, OpensWithAMissingOrShortListAndSaveMakesThemWhole) {
    std::remove(dir.file("Jobs.dat").c_str());
    // Ends after the 10th name.
    std::string shortList = "Quarnel Data 1.2\r\n";
    for (int i = 1; i <= 10; ++i)
        shortList += "Worker " + std::to_string(i) + "\r\n";
    writeFile(dir.file("employeelist.txt"), shortList);

    ButtonData* screen = open();
    ASSERT_EQ(Messages::shown().size(), 1);
    const QString shown = Messages::shown().front().text;
    EXPECT_TRUE(shown.contains("employeelist.txt")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Jobs.dat")) << shown.toStdString();
    EXPECT_EQ(text(screen, "Text1_9"), "Worker 10");
    EXPECT_EQ(text(screen, "Text1_10"), "");
    EXPECT_EQ(text(screen, "Text2_0"), "");
    EXPECT_FALSE(fileExists(dir.file("Jobs.dat"))); // reading creates nothing

    // Reload with the files still broken reports the problem, not success.
    Messages::clearShown();
    press(screen, "Command2");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_NE(Messages::shown().front().text, "File Has Been Reloaded.");

    Messages::clearShown();
    press(screen, "Command1");
    std::string expectedEmployees = shortList;
    for (int i = 11; i <= 24; ++i)
        expectedEmployees += "\r\n";
    expectedEmployees += "\r\n\r\n";
    EXPECT_EQ(employees(), expectedEmployees);
    std::string expectedJobs;
    for (int j = 0; j < 20; ++j)
        expectedJobs += ",\r\n";
    EXPECT_EQ(jobs(), expectedJobs);

    // Both files now read back whole.
    Messages::clearShown();
    press(screen, "Command2");
    EXPECT_EQ(shownTexts(), QStringList{"File Has Been Reloaded."});
}

TEST_F(ButtonDataScreen, AFailedWriteSaysWhatWasNotUpdated) {
    const std::string employeesBefore = employees();
    const std::string jobsBefore = jobs();
    FaultyFiles files;
    ButtonData* screen = open(files);
    type(screen, "Text1_0", "New Name");

    files.reset();
    files.failAt(FaultyFiles::Op::Rename, 1);
    press(screen, "Command1");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown().front().text.contains("No space left on device"));
    EXPECT_TRUE(Messages::shown().front().text.endsWith("The files were not updated."));
    EXPECT_EQ(employees(), employeesBefore);
    EXPECT_EQ(jobs(), jobsBefore);

    // The employee list went through, the job list did not.
    Messages::clearShown();
    files.reset();
    files.failAt(FaultyFiles::Op::Rename, 2);
    press(screen, "Command1");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(
        Messages::shown().front().text.endsWith("The employee list was updated, but the job list was not."));
    EXPECT_NE(employees().find("New Name"), std::string::npos);
    EXPECT_EQ(jobs(), jobsBefore);
}

TEST_F(ButtonDataScreen, ExitClosesWithoutAQuestion) {
    QPointer<ButtonData> screen = open();
    type(screen, "Text1_0", "Unsaved");
    press(screen, "Command3");
    deleteClosedScreens();
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_EQ(employees().find("Unsaved"), std::string::npos);
}

} // namespace
} // namespace tc::test
