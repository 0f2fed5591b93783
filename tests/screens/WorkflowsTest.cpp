#include "ScreenFixture.h"
#include "core/files/Paths.h"
#include "core/format/WeekFile.h"
#include "core/punch/ActionRules.h"
#include "core/report/WeekReport.h"
#include "core/sheet/TimeSheet.h"
#include "gui/manage/EditorFactory.h"
#include "gui/manage/ListEditor.h"
#include "gui/manage/ManagementWindows.h"
#include "gui/manage/PasswordScreen.h"
#include "gui/manage/TimeSheetScreen.h"
#include "gui/report/TimeCards.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTableWidget>
#include <QTextDocument>
#include <filesystem>
#include <stdexcept>

// Each workflow of the station and the management area, as a person goes
// through it: from the first press to the bytes on disk and the message seen.
namespace tc::test {
namespace {

namespace fs = std::filesystem;

class Screens : public ScreenFixture {
  protected:
    // The numbered button `index` of a punch screen (or of the station).
    static QString choice(const QString& screen, int index) {
        const QString kind = screen == "StationScreen" ? "employee" : screen.chopped(6).toLower();
        return QStringLiteral("%1Button_%2").arg(kind).arg(index);
    }
    static QString employee(int index) { return choice("StationScreen", index); }

    // The punch screen in front, or the station.
    static QString front() {
        for (const char* screen : {"DepartmentScreen", "JobScreen", "ActionScreen"})
            if (shown(screen))
                return screen;
        return "StationScreen";
    }
    // A punch through the station's buttons: the name, the action and, for
    // Clock IN and Change Job, a job and a department. Each screen just shown
    // takes first the second half of a double tap, and the station the quick
    // taps after the punch: none is taken, nor another name while it is made.
    void punch(int position, int action, int job = -1, int department = -1) {
        press(&home(), employee(position - 1));
        tap(&home(), employee(15));
        const std::pair<QString, int> steps[] = {
            {"ActionScreen", action}, {"JobScreen", job}, {"DepartmentScreen", department}};
        for (int i = 0; i < 3 && steps[i].second >= 0; ++i) {
            tap(shown(steps[i].first), choice(steps[i].first, steps[i].second));
            EXPECT_EQ(front(), steps[i].first);
            press(shown(steps[i].first), choice(steps[i].first, steps[i].second));
        }
        settle();
        tap(&home(), employee(15));
        tap(&home(), employee(15));
        EXPECT_EQ(front(), "StationScreen");
    }

    // This week in the time sheet, a new one unless given.
    TimeSheetScreen* openWeek(TimeSheetScreen* sheet = nullptr) {
        if (!sheet)
            (sheet = new TimeSheetScreen(fakes.services, realFiles(), base.path()))->show();
        fakes.fileDialog.choose(QString::fromStdString(week()));
        press(sheet, "openButton");
        return sheet;
    }
    // The edit field into the cell, then Replace.
    void correct(TimeSheetScreen* sheet, int row, int column, const QString& text) {
        sheet->selectCell(row, column);
        type(sheet, "editField", text);
        press(sheet, "replaceButton");
    }
    // The week report from the time sheet's menu.
    static QWidget* openReport(TimeSheetScreen* sheet) {
        sheet->findChild<QAction*>("weekReportAction")->trigger();
        return shown("WeekReportScreen");
    }
    // One message, the refusal or failure, holding `part` and ending so.
    void toldOnce(const QString& part, const QString& end) {
        const QStringList texts = told();
        ASSERT_EQ(texts.size(), 1) << texts.join(" | ").toStdString();
        EXPECT_TRUE(texts[0].contains(part) && texts[0].endsWith(end)) << texts[0].toStdString();
    }
};

Punch mon(const char* action, const char* job, const char* time) {
    return {action, job, time, "Mon-Feb-3"};
}
// Worker 1 in and out (8.50 hours), Worker 2 still in.
std::string twoWorkers() {
    return weekBytes(
        {makeRecord("Worker 1", {mon("IN", "1234.Dept-1", "8:00:00 AM"), mon("OUT", "", "4:30:00 PM")}),
         makeRecord("Worker 2", {mon("IN", "2001.Office", "9:00:00 AM")})});
}

TEST_F(Screens, APunchDayThroughTheButtonsIsStoredAndShownOnTheBoard) {
    start();
    const struct {
        DateTime at;
        int action, job, department;
        QString board;
        QColor colour;
    } day[] = {{mondayFeb3(9, 5, 7), ClockIn, 0, 1, "Worker 2\r\n1234.Dept-2", StationScreen::yellow()},
               {mondayFeb3(10), ChangeJob, 1, 5, "Worker 2\r\n2001.Office", StationScreen::yellow()},
               {mondayFeb3(12), Lunch, -1, -1, "Worker 2\r\n", StationScreen::red()},
               {mondayFeb3(12, 30), ClockIn, 0, 6, "Worker 2\r\n1234.Other", StationScreen::yellow()},
               {mondayFeb3(16, 30), ClockOut, -1, -1, "Worker 2\r\n", StationScreen::lightGrey()}};
    for (const auto& step : day) {
        SCOPED_TRACE(step.board.toStdString());
        fakes.clock.set(step.at);
        punch(2, step.action, step.job, step.department);
        EXPECT_EQ(home().buttonCaption(1), step.board);
        EXPECT_EQ(home().buttonColour(1), step.colour);
    }
    EXPECT_EQ(readFile(week()),
              weekBytes({TimeRecord(), makeRecord("Worker 2", {mon("IN", "1234.Dept-2", "9:05:07 AM"),
                                                               mon("CHANGE", "2001.Office", "10:00:00 AM"),
                                                               mon("LUNCH", "", "12:00:00 PM"),
                                                               mon("IN", "1234.Other", "12:30:00 PM"),
                                                               mon("OUT", "", "4:30:00 PM")})}));
    EXPECT_EQ(told(), QStringList());

    // A job without a number cannot be chosen; a button without a name opens nothing.
    press(&home(), employee(1));
    press(shown("ActionScreen"), choice("ActionScreen", ClockIn));
    ASSERT_NE(shown("JobScreen"), nullptr);
    EXPECT_FALSE(shown("JobScreen")->findChild<QAbstractButton*>(choice("JobScreen", 2))->isEnabled());
    press(shown("JobScreen"), "cancelAndBack_0"); // Cancel
    app->state().employeeNames[6] = "  ";
    press(&home(), employee(6));
    EXPECT_EQ(shown("ActionScreen"), nullptr);

    // A punch that cannot be stored is told; the file and the board stay.
    base.putRecord(mondayFeb3(), 5, fullRecord("Worker 5", "IN"));
    const std::string before = readFile(week());
    punch(5, ClockOut);
    EXPECT_TRUE(
        told().join("|").startsWith("Your punch was NOT recorded.\r\nThis week's record for Worker 5"));
    EXPECT_EQ(readFile(week()), before);
    EXPECT_EQ(home().buttonColour(4), StationScreen::lightGrey());

    // The program folder gone, a name pressed is told why nothing opens.
    fs::rename(base.path(), base.path() + "-moved");
    press(&home(), employee(0));
    const QStringList texts = told();
    fs::rename(base.path() + "-moved", base.path());
    EXPECT_TRUE(texts.size() == 1 && texts[0].contains(" is missing, so ")) << texts.join("|").toStdString();
}

// A press is judged when the finger lands: one that lands while the screen
// just shown settles is ignored whole, however long it is held.
TEST_F(Screens, APressThatLandsBeforeTheScreenSettlesIsIgnoredWhole) {
    start();
    const auto hold = [this](QWidget* screen, const QString& name, qint64 after, qint64 held) {
        auto* b = screen ? screen->findChild<QAbstractButton*>(name) : nullptr;
        ASSERT_NE(b, nullptr) << name.toStdString();
        const QPointF at = QRectF(b->rect()).center();
        fakes.monotonic.advance(after);
        QMouseEvent down(QEvent::MouseButtonPress, at, b->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(b, &down);
        fakes.monotonic.advance(held);
        QMouseEvent up(QEvent::MouseButtonRelease, at, b->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(b, &up);
    };
    const struct {
        const char* what;
        int steps;     // presses made before: the name, Clock IN, a job
        qint64 after;  // from the screen's showing to the finger landing
        qint64 held;   // from landing to lifting
        QString front; // the screen in front after the press
    } presses[] = {
        {"second tap on Clock IN lifted late", 1, 100, 1000, "ActionScreen"},
        {"second tap on a job lifted late", 2, 250, 150, "JobScreen"},
        {"second tap on a department lifted late", 3, 250, 200, "DepartmentScreen"},
        {"a department pressed once settled", 3, SettleTime::kMilliseconds, 100, "StationScreen"},
    };
    const std::string empty = readFile(week());
    for (const auto& c : presses) {
        SCOPED_TRACE(c.what);
        const QString route[] = {employee(0), choice("ActionScreen", ClockIn),
                                 choice("JobScreen", 0)}; // from the station on
        const char* screens[] = {"ActionScreen", "JobScreen", "DepartmentScreen"};
        for (int i = 0; i < c.steps; ++i)
            press(i == 0 ? &home() : shown(screens[i - 1]), route[i]);
        hold(shown(screens[c.steps - 1]), choice(screens[c.steps - 1], c.steps == 1 ? ClockIn : 0), c.after,
             c.held);
        settle();
        EXPECT_EQ(front(), c.front);
        EXPECT_EQ(readFile(week()) != empty, c.front == "StationScreen"); // the last one only
        if (QWidget* name = shown("ActionScreen"))
            name->close();
        settle();
    }
}

TEST_F(Screens, TheStationStartsAndTellsWhatIsWrong) {
    // Each start in the program folder as the one before left it.
    const struct {
        const char* what;
        std::string removed;   // from the program folder
        bool weekFolder;       // a folder where this week's file goes
        QStringList toldParts; // each message told holds its part
    } starts[] = {
        {"first run", "Jan", false, {"Password = qm482", "Wright it down!", "1024 By 768"}},
        {"later run", "", false, {}},
        {"no employee list", "employeelist.txt", false, {"employeelist.txt"}},
        {"and a week file's folder", "Feb", true, {"employeelist.txt", "Sunday Feb 9 2025.dat"}},
    };
    fakes.host.setScreenSize(QSize(1280, 1024));
    for (const auto& c : starts) {
        SCOPED_TRACE(c.what);
        if (!c.removed.empty())
            fs::remove_all(base.file(c.removed));
        if (c.weekFolder)
            fs::create_directories(week());
        StationApp station(fakes.services, base.path());
        station.start();
        const QStringList texts = told();
        ASSERT_EQ(texts.size(), c.toldParts.size()) << texts.join(" | ").toStdString();
        for (int i = 0; i < texts.size(); ++i)
            EXPECT_TRUE(texts[i].contains(c.toldParts[i])) << texts[i].toStdString();
        // The station runs: its buttons answer.
        press(&station.home(), "managementButton");
        ASSERT_NE(shown("PasswordScreen"), nullptr);
        shown("PasswordScreen")->close();
    }
}

// Minimised, a management window comes back at once; the password screen
// also when Management is pressed before it has.
TEST_F(Screens, AMinimisedManagementWindowComesBack) {
    start();
    press(&home(), "managementButton");
    QWidget* pass = shown("PasswordScreen");
    ASSERT_NE(pass, nullptr);
    pass->setWindowState(Qt::WindowMinimized);
    press(&home(), "managementButton");
    EXPECT_EQ(shown("PasswordScreen"), pass);
    EXPECT_FALSE(pass->isMinimized());
    management("qm482");
    for (const char* name : {"TimeSheetScreen", "PasswordScreen"}) {
        if (std::string(name) == "PasswordScreen")
            press(&home(), "managementButton");
        QWidget* window = shown(name);
        ASSERT_NE(window, nullptr) << name;
        window->setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        EXPECT_FALSE(window->isMinimized()) << name;
    }
    // The time sheet open already comes to the front; a second is not loaded over it.
    management("qm482");
    EXPECT_EQ(home().findChildren<TimeSheetScreen*>().size(), 1);
}

TEST_F(Screens, AManagersRoundFromThePasswordToExitAll) {
    base.writeWeek(mondayFeb3(),
                   weekBytes({makeRecord("Worker 1", {mon("IN", "1234.Dept-1", "8:00:00 AM")})}));
    start();
    // A wrong password and Enter: one message, though the Enter that closes
    // it is released in the password box too.
    press(&home(), "managementButton");
    QWidget* pass = shown("PasswordScreen");
    type(pass, "passwordBox", "qm483");
    for (QEvent::Type key : {QEvent::KeyPress, QEvent::KeyRelease, QEvent::KeyRelease}) {
        QKeyEvent enter(key, Qt::Key_Return, Qt::NoModifier, "\r");
        QCoreApplication::sendEvent(pass->findChild<QLineEdit*>("passwordBox"), &enter);
    }
    EXPECT_EQ(told(), QStringList{"Wrong Password"});
    management("qm482");
    auto* sheet = qobject_cast<TimeSheetScreen*>(shown("TimeSheetScreen"));
    ASSERT_NE(sheet, nullptr);
    correct(openWeek(sheet), 1, TimeSheet::ActTime, "7:55:00 AM");
    press(sheet, "saveButton");
    EXPECT_EQ(told().last(), "done");
    std::string saved = readFile(week());
    EXPECT_EQ(recordAt(saved, 1), makeRecord("Worker 1", {mon("IN", "1234.Dept-1", "7:55:00 AM")}));

    // To a spreadsheet, one time changed there, and back (with its CR LF):
    // saved, that time is all that changes.
    press(sheet, "copyAllButton");
    fakes.clipboard.setText(fakes.clipboard.text().replace("\r", "\r\n").replace("7:55:00", "7:50:00"));
    press(sheet, "pasteAllButton");
    press(sheet, "saveButton");
    EXPECT_EQ(told().last(), "done");
    EXPECT_EQ(readFile(week()), saved.replace(saved.find("7:55:00"), 7, "7:50:00"));

    press(&home(), "managementButton");
    type(shown("PasswordScreen"), "passwordBox", "qm482");
    press(shown("PasswordScreen"), "exitAllButton"); // Exit All
    EXPECT_FALSE(home().isVisible());
    EXPECT_EQ(shown("TimeSheetScreen"), nullptr);
    EXPECT_TRUE(fakes.taskBar.isVisible());
}

TEST_F(Screens, AnEditorThatFailsToLoadClosesThePasswordScreenAndGivesTheTaskbarBack) {
    struct FailingEditors : EditorFactory {
        QWidget* make(Services&, Editor, FileAccess&, const std::string&, QWidget*) override {
            throw std::runtime_error("the editor failed to load");
        }
    } failing;
    StationState state(base.path());
    ManagementWindows open;
    fakes.taskBar.setVisible(false);
    PasswordScreen::showManagement(fakes.services, state, nullptr, failing, open);
    management("qm482");
    EXPECT_EQ(shown("PasswordScreen"), nullptr);
    EXPECT_TRUE(fakes.taskBar.isVisible());
}

TEST_F(Screens, TheListEditorShowsWhatItRefusesAndExitsOnCtrlX) {
    const std::string jobList = jobListPath(base.path());
    writeFile(jobList, jobListBytes({"1234 Roof repair", "2001,Siding"}));
    QPointer<ListEditor> editor = new ListEditor(fakes.services, realFiles(), base.path());
    editor->show();
    // A job line without a comma stays in its own box, its line named, and is refused at Save.
    toldOnce("Line 1 of the job list " + QString::fromStdString(jobList) + " is not", "");
    press(editor, "saveButton");
    toldOnce("Job 1 must be a job number, a comma and a description", "The files were not updated.");
    EXPECT_EQ(readFile(jobList), jobListBytes({"1234 Roof repair", "2001,Siding"}));

    // Ctrl+X in a text box is the menu's Exit, not Cut.
    QApplication::setActiveWindow(editor);
    QKeyEvent ctrlX(QEvent::KeyPress, Qt::Key_X, Qt::ControlModifier, "\x18");
    QCoreApplication::sendEvent(editor->findChild<QLineEdit*>("nameBox_0"), &ctrlX);
    settle();
    EXPECT_TRUE(editor.isNull());
}

TEST_F(Screens, AStationPunchMadeWhileTheSheetIsOpenSurvivesTwoSaves) {
    start();
    punch(1, ClockIn, 0, 0);
    TimeSheetScreen* sheet = openWeek();
    fakes.clock.set(mondayFeb3(12));
    punch(1, Lunch);
    press(sheet, "saveButton");
    EXPECT_EQ(told().last(), "done");
    correct(sheet, 1, TimeSheet::ActTime, "8:00:00 AM");
    press(sheet, "saveButton");
    EXPECT_EQ(told().last(), "done"); // nothing asked (a question is not answered Yes)
    EXPECT_EQ(recordAt(readFile(week()), 1), makeRecord("Worker 1", {mon("IN", "1234.Dept-1", "8:00:00 AM"),
                                                                     mon("LUNCH", "", "12:00:00 PM")}));

    // Both sides change Worker 1 now: Enter pressed through every question
    // keeps the station's punch, which the question names.
    correct(sheet, 1, TimeSheet::ActTime, "7:30:00 AM");
    fakes.clock.set(mondayFeb3(13));
    punch(1, ClockIn, 0, 0);
    const std::string stored = readFile(week());
    told();
    for (int i = 0; i < 3; ++i)
        fakes.messages.pressEnter();
    press(sheet, "saveButton");
    EXPECT_TRUE(readFile(week()) == stored);
    EXPECT_EQ(told().size(), 1); // the question, answered No
}

// The printed card's text, read back from the PDF.
std::string pdfText(const std::string& pdf) {
    EXPECT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
    return fileExists(pdf + ".txt") ? readFile(pdf + ".txt") : std::string();
}

TEST_F(Screens, TheWeekReportExportsPrintsApprovesClosesAndReopensTheSavedWeek) {
    base.writeWeek(mondayFeb3(), twoWorkers());
    TimeSheetScreen* sheet = openWeek();
    correct(sheet, 1, TimeSheet::ActTime, "9:00:00 AM"); // not saved
    fakes.clock.set(mondayFeb3(9, 5, 7).addDays(7));     // payroll's Monday
    QWidget* report = openReport(sheet);
    ASSERT_NE(report, nullptr);
    press(report, "PrevWeek");
    EXPECT_TRUE(report->windowFlags() & Qt::WindowStaysOnTopHint); // not under the station
    EXPECT_TRUE(report->findChild<QLabel*>("Notes")->text().startsWith("The time sheet holds changes to " +
                                                                       QString::fromStdString(week())));
    auto* table = report->findChild<QTableWidget*>("WeekTable");
    const auto sealShown = [&] { return report->findChild<QLabel*>("SealLabel")->text().toStdString(); };
    const std::string pdf = base.file("card.pdf");
    fakes.printing.printTo(QString::fromStdString(pdf));
    const auto card = [&](int row) {
        table->selectRow(row);
        press(report, "PrintCards");
        return pdfText(pdf);
    };
    const std::string csv = base.file("hours"); // payroll.csv holds the payroll IDs
    fakes.fileDialog.choose(QString::fromStdString(csv + ".csv"));
    press(report, "ExportCsv");
    EXPECT_EQ(told(), QStringList{QString::fromStdString("The week was exported:\r\n" + csv + ".csv\r\n" +
                                                         csv + " detail.csv\r\n" + csv + " jobs.csv")});
    for (const char* file : {".csv", " detail.csv", " jobs.csv"})
        EXPECT_NE(readFile(csv + file).find(",8.50"), std::string::npos) << file; // the saved week's hours

    fakes.printing.printTo(QString::fromStdString(base.file("card.pdf")));
    const auto cards = [&] {
        press(report, "PrintCards");
        return QByteArray::fromStdString(readFile(base.file("card.pdf"))).count("/Type /Page\n");
    };
    EXPECT_EQ(cards(), 2); // one a page, none selected: everybody's
    table->selectRow(0);
    EXPECT_EQ(cards(), 1);
    EXPECT_EQ(readFile(week()), twoWorkers());
    if (std::system("command -v pdftotext >/dev/null") != 0)
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing: the printed card cannot be read back";
    EXPECT_NE(card(0).find("NOT APPROVED"), std::string::npos);

    press(report, "ApproveAll");
    const QStringList said = told();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith("Approved: Worker 1.\r\nNot approved:\r\nWorker 2: "))
        << said[0].toStdString();
    EXPECT_EQ(table->item(1, 13)->text(), "no");
    table->selectRow(1);
    fakes.prompt.answer(QStringLiteral("left at noon, told the office"));
    press(report, "AcknowledgeFlags");
    table->selectRow(1);
    press(report, "ApproveSelected");
    EXPECT_EQ(told(), QStringList{"Approved: Worker 2."});
    EXPECT_EQ(table->item(1, 13)->text(), "yes");

    // The card shows what the screen shows: the totals, the approval, the seal.
    const std::string shownSeal = sealShown();
    ASSERT_EQ(shownSeal.find("Seal "), 0u) << shownSeal;
    const std::string seal = shownSeal.substr(5, 19);
    const std::string printed = card(0);
    for (const std::string& part :
         {std::string("8.50"), std::string("Approved 2025-02-10 09:05:07 by "), "Seal of the week: " + seal,
          std::string("Employee signature:"), std::string("Manager signature:")})
        EXPECT_NE(printed.find(part), std::string::npos) << part << "\n" << printed;
    EXPECT_EQ(printed.find("NOT APPROVED"), std::string::npos) << printed;

    fakes.messages.answer(Messages::Answer::Yes);
    press(report, "CloseWeek");
    EXPECT_EQ(told().last(), "Closed the week ending 2025-02-09.");
    EXPECT_NE(sealShown().find("; the week is closed 2025-02-10 09:05:07 by "), std::string::npos)
        << sealShown();
    const std::string bytes = readFile(week());
    press(sheet, "saveButton");
    toldOnce("is closed (closed 2025-02-10 09:05:07 by ", "reopen it in the week report, giving the reason.");
    EXPECT_EQ(readFile(week()), bytes);

    fakes.prompt.answer(QStringLiteral("Worker 1's start was wrong"));
    press(report, "ReopenWeek");
    EXPECT_EQ(told().last(), "Reopened the week ending 2025-02-09.");
    EXPECT_NE(sealShown().find("; the week is open."), std::string::npos) << sealShown();
}

TEST_F(Screens, TheWeekReportShowsRoundingAndExportsPayrollOnlyWithEveryId) {
    // 7:53 AM to 4:07 PM rounded to 15 minutes: 8.00 paid of 8.23 worked, 14 minutes lost.
    base.writeWeek(mondayFeb3(), weekBytes({makeRecord("Worker 1", {mon("IN", "1234.Dept-1", "7:53:00 AM"),
                                                                    mon("OUT", "", "4:07:00 PM")})}));
    writeFile(base.file("timeclock.ini"), "[pay]\nround-minutes = 15\ndaily-double-time-after = 12\n");
    QWidget* report = openReport(openWeek());
    ASSERT_NE(report, nullptr);
    press(report, "RoundingAudit");
    EXPECT_EQ(told().last(),
              "Punches are rounded to 15 minutes for pay.\r\n\r\nName: exact hours, paid hours, "
              "minutes gained\r\nWorker 1: 8.23, 8.00, -14.00\r\nTotal: 8.23, 8.00, -14.00");
    EXPECT_EQ(report->findChild<QTableWidget*>("WeekTable")->horizontalHeaderItem(13)->text(), "Double Time");

    const std::string out = base.file("gusto.csv");
    report->findChild<QComboBox*>("PayrollFormat")->setCurrentText("gusto");
    fakes.fileDialog.choose(QString::fromStdString(out));
    press(report, "ExportPayroll");
    EXPECT_TRUE(told().last().startsWith("Nothing was written")); // the refusal told
    EXPECT_FALSE(fileExists(out));
    writeFile(base.file("payroll.csv"), "Name,Payroll ID\r\nWorker 1,W1\r\n");
    fakes.fileDialog.choose(QString::fromStdString(out));
    press(report, "ExportPayroll");
    EXPECT_EQ(told().last(), QString::fromStdString("The payroll file was written:\r\n" + out));
    EXPECT_EQ(readFile(out),
              "last_name,first_name,employee_id,regular_hours,overtime_hours,double_overtime_hours\r\n"
              "1,Worker,W1,8.00,0.00,0.00\r\n");
}

// Under a double-time rule the time card's parts add up to its total: 13
// hours on Monday are 8 regular, 4 overtime and 1 double time.
TEST(TimeCard, ShowsDoubleTimeWhenARuleMakesIt) {
    ProgramFolder base;
    base.writeWeek(mondayFeb3(),
                   weekBytes({makeRecord("Worker 1", {{"IN", "1", "7:00:00 AM", "Mon-Feb-3"},
                                                      {"OUT", "", "8:00:00 PM", "Mon-Feb-3"}})}));
    PayRules pay;
    ASSERT_TRUE(pay.set("daily-overtime-after", "8", "test") &&
                pay.set("daily-double-time-after", "12", "test"));
    const WeekReport report =
        makeWeekReport(realFiles(), {{base.path(), "Door"}}, mondayFeb3(), mondayFeb3().addDays(7),
                       kDefaultOvertimeAfterSeconds, nullptr, ZoneRules(), pay);
    QTextDocument card;
    card.setHtml(TimeCards::html(report, 0));
    const QString text = card.toPlainText();
    EXPECT_TRUE(text.contains("Overtime\nDouble Time\n13.00\n0.00\n0.00\n0.00\n0.00\n0.00\n0.00\n"
                              "13.00\n8.00\n4.00\n1.00\n"))
        << text.toStdString();
}

} // namespace
} // namespace tc::test
