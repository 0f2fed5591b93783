// Before any Qt header: Qt defines a macro named "forever".
#include "support/FaultyFiles.h"

#include "ManageScreenFixture.h"

#include "data/Paths.h"
#include "data/TimeRecord.h"
#include "data/WeekFile.h"
#include "manage/TimeManage.h"
#include "manage/TimeSheetModel.h"
#include "support/WeekBuilder.h"

#include <QHeaderView>
#include <QPointer>
#include <QTableView>
#include <filesystem>
#include <vector>

namespace tc::test {
namespace {

// Ann on position 1 (a day's punches), nobody on 2, Bob on 3; 24 records.
std::string sampleWeek() {
    std::string bytes;
    putRecord(bytes, 1,
              makeRecord("Ann Lee", {{"IN", "1001.Dept-1", "8:00:00 AM", "Mon-Feb-2"},
                                     {"LUNCH", "", "12:00:00 PM", "Mon-Feb-2"},
                                     {"IN", "1002.Office", "12:45:00 PM", "Mon-Feb-2"},
                                     {"OUT", "", "4:30:00 PM", "Mon-Feb-2"}}));
    putRecord(bytes, 3, makeRecord("Bob Stone", {{"IN", "1003.Other", "7:00:00 AM", "Mon-Feb-2"}}));
    for (int p = 1; p <= kPositions; ++p)
        if (p != 1 && p != 3)
            putRecord(bytes, p, makeRecord("", {}));
    return bytes;
}

class TimeManageScreen : public ManageScreenTest {
  protected:
    void SetUp() override {
        ManageScreenTest::SetUp();
        std::filesystem::create_directory(dir.file("Feb"));
        week = dir.file("Feb") + "/Week Ending Sunday Feb 8 2009.dat";
        backup = dir.file("Feb") + "/Week Ending Sunday Feb 8 2009.wkb";
        writeFile(week, sampleWeek());
    }

    TimeManage* openScreen(FileAccess& files = realFiles()) {
        auto* screen = new TimeManage(files, dir.path());
        screen->show();
        return screen;
    }
    TimeManage* openWithWeek(FileAccess& files = realFiles()) {
        TimeManage* screen = openScreen(files);
        FileDialog::setNextFileName(QString::fromStdString(week));
        press(screen, "Command1");
        Messages::clearShown();
        return screen;
    }
    static QString cell(TimeManage* screen, int row, int column) {
        return screen->model().cellText(row, column);
    }
    static int rows(TimeManage* screen) { return screen->model().sheet().rowCount(); }

    std::string week;
    std::string backup;
};

TEST_F(TimeManageScreen, ShowsItsFixedTexts) {
    TimeManage* screen = openScreen();
    EXPECT_EQ(screen->windowTitle(), "Form1");
    EXPECT_EQ(caption(screen, "Label5"), "This weeks file name is\r\nWeek Ending Sunday Feb 8 2009.dat");
    EXPECT_EQ(caption(screen, "Label4"), "Dur. = hour . % of hour");
    EXPECT_EQ(caption(screen, "Label3"),
              "Use correct time format, when editing. Use [Copy All] to copy data to "
              "clipboard then open and paste into Excel or MSWorks.");
    EXPECT_EQ(caption(screen, "Label2"),
              "Note:" + QString(63, ' ') + "Do not remove blank lines" + QString(27, ' ') +
                  "Do not Add blank lines or add lines for employees who have no data.");
    EXPECT_EQ(caption(screen, "Label1"), "Edit Field");
    EXPECT_EQ(text(screen, "Text1"), "Select cell & edit hear.");
    EXPECT_EQ(child<QAbstractButton>(screen, "Command1")->toolTip(),
              "Files are saved as week ending sunday in the month of that sunday.");
    EXPECT_EQ(child<QAbstractButton>(screen, "Command3")->toolTip(),
              "Files are saved as week ending sunday in the month of that sunday.");
    EXPECT_EQ(TimeManage::qtFilter(TimeManage::openFilter()), "Data Files (*.dat);;Back Up Files (*.bak)");

    auto* grid = child<QTableView>(screen, "FGrid");
    EXPECT_EQ(grid->model()->rowCount(), 1999); // data rows; the heading row is the header
    EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal).toString(), "Job Number:");
    EXPECT_EQ(grid->columnWidth(0), 167); // 2500 twips
    EXPECT_EQ(grid->columnWidth(5), 80);  // 1200 twips
}

TEST_F(TimeManageScreen, OpenLoadsTheChosenWeekAndCancelChangesNothing) {
    TimeManage* screen = openScreen();
    FileDialog::setNextFileName(std::nullopt);
    press(screen, "Command1");
    EXPECT_EQ(shownTexts(), QStringList{"Dialog Cancelled"});
    EXPECT_TRUE(screen->openedFile().empty());

    Messages::clearShown();
    FileDialog::setNextFileName(QString::fromStdString(week));
    press(screen, "Command1");
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_EQ(screen->openedFile(), week);
    EXPECT_EQ(cell(screen, 1, 0), "Ann Lee             ");
    EXPECT_EQ(cell(screen, 1, 1), "IN     ");
    EXPECT_EQ(cell(screen, 1, 3), "8:00:00 AM ");
    EXPECT_EQ(cell(screen, 1, 5), "4");
    EXPECT_EQ(cell(screen, 3, 5), "3.75");
    EXPECT_EQ(cell(screen, 5, 0), ""); // position 2's placeholder
    EXPECT_EQ(cell(screen, 6, 0), "Bob Stone           ");
    EXPECT_EQ(text(screen, "Text1"), "Select cell & edit here.");

    // A second cancel keeps the week that is open.
    Messages::clearShown();
    FileDialog::setNextFileName(std::nullopt);
    press(screen, "Command1");
    EXPECT_EQ(shownTexts(), QStringList{"Dialog Cancelled"});
    EXPECT_EQ(screen->openedFile(), week);
    EXPECT_EQ(cell(screen, 6, 0), "Bob Stone           ");

    // A file that cannot be read is reported and does not replace the open week.
    Messages::clearShown();
    FileDialog::setNextFileName(QString::fromStdString(dir.file("Feb") + "/gone.dat"));
    press(screen, "Command1");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown().front().text.endsWith("Nothing was loaded."));
    EXPECT_EQ(screen->openedFile(), week);
    EXPECT_EQ(cell(screen, 6, 0), "Bob Stone           ");
}

TEST_F(TimeManageScreen, ReplaceWritesTheEditFieldIntoTheCurrentCell) {
    TimeManage* screen = openWithWeek();
    screen->selectCell(2, 1);
    EXPECT_EQ(text(screen, "Text1"), "LUNCH  "); // padding included
    type(screen, "Text1", "OUT");
    press(screen, "Command2");
    EXPECT_EQ(cell(screen, 2, 1), "OUT");
    EXPECT_EQ(child<QTableView>(screen, "FGrid")->model()->index(1, 1).data().toString(), "OUT");
}

TEST_F(TimeManageScreen, SaveMakesTheBackupThenWritesTheGrid) {
    const std::string before = readFile(week);
    TimeManage* screen = openWithWeek();
    screen->selectCell(4, 3);
    type(screen, "Text1", "5:00:00 PM");
    press(screen, "Command2");
    press(screen, "Command3");
    EXPECT_EQ(shownTexts(),
              (QStringList{QString::fromStdString(backup) + " Has been created. As Backup.", "done"}));
    EXPECT_EQ(readFile(backup), before);
    const std::string after = readFile(week);
    ASSERT_EQ(after.size(), 24 * TimeRecord::kSize);
    EXPECT_EQ(recordAt(after, 1).text(TimeRecord::Field::ActTime, 4), "5:00:00 PM ");
    EXPECT_EQ(recordAt(after, 3), recordAt(before, 3));

    // The second backup is a copy of what the first save wrote.
    Messages::clearShown();
    press(screen, "Command3");
    EXPECT_EQ(readFile(backup), after);

    // Nothing opened: nothing happens.
    TimeManage* fresh = openScreen();
    Messages::clearShown();
    press(fresh, "Command3");
    EXPECT_TRUE(Messages::shown().isEmpty());
}

TEST_F(TimeManageScreen, APunchStoredAtTheStationMeanwhileSurvivesTheSave) {
    TimeManage* screen = openWithWeek();
    screen->selectCell(1, 2);
    type(screen, "Text1", "1009.Dept-2");
    press(screen, "Command2");

    // The station clocks Bob out while the editor is open.
    TimeRecord bob = recordAt(readFile(week), 3);
    bob.set(TimeRecord::Field::Action, 2, "OUT");
    bob.set(TimeRecord::Field::JobNumber, 2, "");
    bob.set(TimeRecord::Field::ActTime, 2, "3:30:00 PM");
    bob.set(TimeRecord::Field::ActDate, 2, "Wed-Feb-4");
    ASSERT_TRUE(writeRecord(realFiles(), week, 3, bob).isOk());
    const std::string withPunch = readFile(week);

    press(screen, "Command3");
    EXPECT_EQ(shownTexts().last(), "done");
    EXPECT_EQ(readFile(backup), withPunch);
    const std::string after = readFile(week);
    EXPECT_EQ(recordAt(after, 3), bob);
    EXPECT_EQ(recordAt(after, 1).text(TimeRecord::Field::JobNumber, 1), "1009.Dept-2         ");
}

TEST_F(TimeManageScreen, AfterASaveTheGridShowsTheSavedWeekSoALaterSaveKeepsTheStationsPunch) {
    TimeManage* screen = openWithWeek(); // Bob Stone clocked in at 7:00
    TimeRecord bob = recordAt(readFile(week), 3);
    bob.set(TimeRecord::Field::Action, 2, "LUNCH"); // and goes to lunch at the station
    bob.set(TimeRecord::Field::JobNumber, 2, "");
    bob.set(TimeRecord::Field::ActTime, 2, "11:30:00 AM");
    bob.set(TimeRecord::Field::ActDate, 2, "Wed-Feb-4");
    ASSERT_TRUE(writeRecord(realFiles(), week, 3, bob).isOk());

    screen->selectCell(2, 2);
    press(screen, "Command3");
    EXPECT_EQ(shownTexts().last(), "done");
    EXPECT_EQ(cell(screen, 7, 1), "LUNCH  "); // the grid shows what was saved
    EXPECT_EQ(cell(screen, 6, 5), "4.5");
    EXPECT_EQ(screen->currentRow(), 2);
    EXPECT_EQ(screen->currentColumn(), 2);

    // The manager corrects Bob's IN and saves again: no question, the LUNCH stays.
    Messages::clearShown();
    screen->selectCell(6, 3);
    type(screen, "Text1", "7:15:00 AM");
    press(screen, "Command2");
    press(screen, "Command3");
    EXPECT_EQ(shownTexts(),
              (QStringList{QString::fromStdString(backup) + " Has been created. As Backup.", "done"}));
    bob.set(TimeRecord::Field::ActTime, 1, "7:15:00 AM");
    EXPECT_EQ(recordAt(readFile(week), 3), bob);
}

TEST_F(TimeManageScreen, OpenRefusesAnythingButAWeekFileAndKeepsTheOpenWeek) {
    std::filesystem::create_directory(dir.file("Other"));
    std::filesystem::create_directory(dir.file("Feb") + "/folder.dat");
    const std::string feb = dir.file("Feb") + "/";
    const std::string inMonths = "week files lie in the month folders (Jan to Dec) of " + dir.path() + ".";
    const struct {
        std::string path;
        std::string bytes; // written first, unless the path is a folder
        std::string why;
    } cases[] = {
        {dir.file("Jobs.dat"), "1001,Roof repair\r\n", inMonths},
        {dir.file("Other") + "/week.dat", sampleWeek(), inMonths},
        {feb + "folder.dat", "", "it is a folder."},
        {feb + "odd.dat", std::string(4970, ' '),
         "its length, 4970 bytes, is not a whole number of 4969-byte records."},
        {feb + "long.dat", sampleWeek() + std::string(TimeRecord::kSize, '\0'),
         "it holds 25 records, and a week file holds at most 24."},
    };
    TimeManage* screen = openWithWeek();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        if (!std::filesystem::is_directory(c.path))
            writeFile(c.path, c.bytes);
        Messages::clearShown();
        FileDialog::setNextFileName(QString::fromStdString(c.path));
        press(screen, "Command1");
        EXPECT_EQ(shownTexts(), QStringList{QString::fromStdString(c.path + " is not a week file: " + c.why +
                                                                   "\r\nNothing was loaded.")});
        EXPECT_EQ(screen->openedFile(), week);
        EXPECT_EQ(cell(screen, 6, 0), "Bob Stone           ");
        if (!std::filesystem::is_directory(c.path)) {
            EXPECT_TRUE(readFile(c.path) == c.bytes);
        }
    }
    // A week file reached by another spelling of its folder opens.
    FileDialog::setNextFileName(QString::fromStdString(dir.path() + "/Other/../Feb/odd.dat"));
    writeFile(feb + "odd.dat", "");
    Messages::clearShown();
    press(screen, "Command1");
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_EQ(cell(screen, 6, 0), "");
}

TEST_F(TimeManageScreen, AWeekOpenedFromItsBackupIsNotSavedOverItself) {
    for (const std::string& copy : {backup, backup.substr(0, backup.size() - 3) + "WKB"}) {
        SCOPED_TRACE(copy);
        writeFile(copy, sampleWeek());
        TimeManage* screen = openScreen();
        FileDialog::setNextFileName(QString::fromStdString(copy));
        press(screen, "Command1");
        screen->selectCell(1, 1);
        type(screen, "Text1", "OUT");
        press(screen, "Command2");
        Messages::clearShown();
        press(screen, "Command3");
        EXPECT_EQ(shownTexts(),
                  QStringList{QString::fromStdString(copy) +
                              " is a backup copy. Saving it would write over it without making a "
                              "backup first, so it was not saved. To mend the week, open its .dat "
                              "file."});
        EXPECT_TRUE(readFile(copy) == sampleWeek());
        screen->close();
    }
}

TEST_F(TimeManageScreen, AConflictingEditIsAskedAboutAndOnlyYesSaves) {
    TimeManage* screen = openWithWeek();
    screen->selectCell(6, 2);
    type(screen, "Text1", "1004.Dept-3");
    press(screen, "Command2");

    TimeRecord bob = recordAt(readFile(week), 3);
    bob.set(TimeRecord::Field::Action, 2, "LUNCH");
    bob.set(TimeRecord::Field::JobNumber, 2, "");
    bob.set(TimeRecord::Field::ActTime, 2, "11:30:00 AM");
    bob.set(TimeRecord::Field::ActDate, 2, "Wed-Feb-4");
    ASSERT_TRUE(writeRecord(realFiles(), week, 3, bob).isOk());
    const std::string onDisk = readFile(week);

    for (int answer : {int(Messages::No), int(Messages::Cancel)}) {
        Messages::clearShown();
        Messages::setNextAnswer(answer);
        press(screen, "Command3");
        ASSERT_EQ(Messages::shown().size(), 1);
        EXPECT_EQ(Messages::shown().front().buttons, Messages::YesNoCancel);
        EXPECT_TRUE(Messages::shown().front().text.contains("Bob Stone"))
            << Messages::shown().front().text.toStdString();
        EXPECT_EQ(readFile(week), onDisk);
        EXPECT_FALSE(fileExists(backup));
    }

    Messages::clearShown();
    Messages::setNextAnswer(Messages::Yes);
    press(screen, "Command3");
    EXPECT_EQ(shownTexts().last(), "done");
    EXPECT_EQ(readFile(backup), onDisk); // the station's punch is kept in the backup
    EXPECT_EQ(recordAt(readFile(week), 3).text(TimeRecord::Field::JobNumber, 1), "1004.Dept-3         ");
}

TEST_F(TimeManageScreen, AFailedBackupOrWriteLeavesTheFileAsItWas) {
    const std::string before = readFile(week);
    FaultyFiles files;
    TimeManage* screen = openWithWeek(files);
    screen->selectCell(1, 1);
    type(screen, "Text1", "CHANGE");
    press(screen, "Command2");

    files.reset();
    files.failAt(FaultyFiles::Op::OpenForWriting, 1);
    press(screen, "Command3");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown().front().text.contains("No backup copy could be made"));
    EXPECT_TRUE(Messages::shown().front().text.endsWith("was not saved."));
    EXPECT_EQ(readFile(week), before);

    // The backup is made; writing the week fails.
    Messages::clearShown();
    files.reset();
    files.failAt(FaultyFiles::Op::Rename, 2);
    press(screen, "Command3");
    ASSERT_EQ(Messages::shown().size(), 2);
    EXPECT_TRUE(
        Messages::shown()[1].text.endsWith("\r\nThe week was not saved; the file is as it was before."));
    EXPECT_FALSE(shownTexts().contains("done"));
    EXPECT_EQ(readFile(week), before);
    EXPECT_EQ(readFile(backup), before);
}

TEST_F(TimeManageScreen, TheEditFieldTurnsBlackWhenItsTextChanges) {
    TimeManage* screen = openScreen();
    auto* field = child<QLineEdit>(screen, "Text1");
    const QColor grey = field->palette().color(QPalette::Text);
    EXPECT_NE(grey, QColor(Qt::black));

    FileDialog::setNextFileName(QString::fromStdString(week));
    press(screen, "Command1"); // "hear." becomes "here.": a change
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::black));

    FileDialog::setNextFileName(QString::fromStdString(week));
    press(screen, "Command1"); // already the hint: no change, stays grey
    EXPECT_EQ(field->palette().color(QPalette::Text), grey);
    screen->selectCell(1, 0);
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::black));
}

TEST_F(TimeManageScreen, DataThatNoRecordTakesIsNotDroppedWithoutAsking) {
    writeFile(week, "");
    TimeManage* screen = openWithWeek(); // rows 1 to 24 are the placeholders
    screen->selectCell(30, 0);
    type(screen, "Text1", "Zed");
    press(screen, "Command2");

    Messages::setNextAnswer(Messages::No);
    press(screen, "Command3");
    ASSERT_EQ(Messages::shown().size(), 1);
    EXPECT_TRUE(Messages::shown().front().text.startsWith("Row 30 holds data that no employee record takes"));
    EXPECT_EQ(readFile(week), "");
    EXPECT_FALSE(fileExists(backup));

    Messages::clearShown();
    Messages::setNextAnswer(Messages::Yes);
    press(screen, "Command3");
    EXPECT_EQ(shownTexts().last(), "done");
    EXPECT_EQ(readFile(week).size(), 24 * TimeRecord::kSize);
}

TEST_F(TimeManageScreen, CopyAllPutsTheWholeGridOnTheClipboard) {
    writeFile(week, "");
    TimeManage* screen = openWithWeek();
    press(screen, "Command4");
    EXPECT_EQ(shownTexts(), QStringList{"Data has been placed on the clipboard."});
    QString expected = "Name:\tAction:\tJob Number:\tAct Time:\tAct Date:\tDuration";
    for (int i = 1; i < 2000; ++i)
        expected += "\r\t\t\t\t\t";
    EXPECT_EQ(Clipboard::text(), expected);
    EXPECT_EQ(screen->currentRow(), 1);
    EXPECT_EQ(screen->currentColumn(), 1);
}

TEST_F(TimeManageScreen, PasteAllFillsTheGridFromTheHeadingRow) {
    TimeManage* screen = openWithWeek();
    Clipboard::setText("Who\tWhat\r\nCarl\tIN\tX1");
    press(screen, "Command5");
    EXPECT_EQ(cell(screen, 0, 0), "Who");
    EXPECT_EQ(cell(screen, 0, 1), "What");
    EXPECT_EQ(cell(screen, 0, 2), "Job Number:"); // not reached: kept
    EXPECT_EQ(cell(screen, 1, 0), "Carl");
    EXPECT_EQ(cell(screen, 1, 2), "X1");
    EXPECT_EQ(cell(screen, 1, 3), "8:00:00 AM "); // not reached: kept
    EXPECT_EQ(cell(screen, 2, 0), "Ann Lee             ");
    EXPECT_EQ(child<QTableView>(screen, "FGrid")->model()->headerData(0, Qt::Horizontal).toString(), "Who");
    EXPECT_EQ(screen->currentRow(), 0);
    EXPECT_EQ(screen->currentColumn(), 1);

    // Right after a paste the heading row is current: nothing is removed.
    Messages::clearShown();
    press(screen, "Command7");
    EXPECT_EQ(rows(screen), 2000);
    EXPECT_EQ(cell(screen, 0, 0), "Who");
    for (const auto& shown : Messages::shown())
        EXPECT_NE(shown.title, "Warning");

    // Copy All then Paste All gives the same grid back.
    press(screen, "Command4");
    const QString copied = Clipboard::text();
    press(screen, "Command5");
    press(screen, "Command4");
    EXPECT_EQ(Clipboard::text(), copied);

    // A text longer than a full week says what it left out.
    Messages::clearShown();
    Clipboard::setText(QString("Ann\tIN\n").repeated(2500) + "\t\n");
    press(screen, "Command5");
    EXPECT_EQ(rows(screen), 2401);
    EXPECT_EQ(shownTexts(),
              QStringList{"The pasted text is longer than a full week of 2401 rows: 99 more lines "
                          "holding data were not pasted. Nothing has been saved."});
}

TEST_F(TimeManageScreen, AddRowAndRemoveRow) {
    TimeManage* screen = openWithWeek();
    screen->selectCell(4, 0);
    press(screen, "Command6");
    EXPECT_EQ(rows(screen), 2001);
    EXPECT_EQ(cell(screen, 5, 0), " ");
    EXPECT_EQ(cell(screen, 5, 1), "");
    EXPECT_EQ(cell(screen, 6, 0), ""); // position 2's placeholder moved down
    EXPECT_EQ(child<QTableView>(screen, "FGrid")->model()->rowCount(), 2000);

    screen->selectCell(5, 0);
    for (int answer : {int(Messages::No), int(Messages::Cancel)}) {
        Messages::clearShown();
        Messages::setNextAnswer(answer);
        press(screen, "Command7");
        ASSERT_EQ(Messages::shown().size(), 1);
        EXPECT_EQ(Messages::shown().front().text,
                  "Blank rows are place holders are you sure you want to remove?");
        EXPECT_EQ(Messages::shown().front().title, "Warning");
        EXPECT_EQ(Messages::shown().front().buttons, Messages::YesNoCancel);
        EXPECT_EQ(rows(screen), 2001);
    }
    Messages::setNextAnswer(Messages::Yes);
    press(screen, "Command7");
    EXPECT_EQ(rows(screen), 2000);
    EXPECT_EQ(cell(screen, 5, 0), "");
    EXPECT_EQ(cell(screen, 6, 0), "Bob Stone           ");
}

TEST_F(TimeManageScreen, ExitDiscardsEdits) {
    const std::string before = readFile(week);
    QPointer<TimeManage> screen = openWithWeek();
    screen->selectCell(1, 1);
    type(screen, "Text1", "OUT");
    press(screen, "Command2");
    press(screen, "Command8");
    deleteClosedScreens();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(readFile(week), before);
}

} // namespace
} // namespace tc::test
