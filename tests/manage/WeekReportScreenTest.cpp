#include "data/Paths.h"
#include "data/WeekFile.h"
#include "manage/ManageScreenFixture.h"
#include "manage/TimeManage.h"
#include "manage/TimeSheet.h"
#include "manage/WeekReportFM.h"
#include "platform/Printing.h"
#include "support/WeekBuilder.h"

#include <QTableWidget>
#include <filesystem>

namespace tc::test {
namespace {

using WeekReportScreen = ManageScreenTest;

QString cellText(QWidget* screen, const char* table, int row, int column) {
    auto* t = screen->findChild<QTableWidget*>(QString::fromLatin1(table));
    return t && t->item(row, column) ? t->item(row, column)->text() : QString();
}

// A manager's round: from the time sheet's File menu to the week, its CSV
// files for payroll and a time card printed to PDF.
TEST_F(WeekReportScreen, FromTheTimeSheetToCsvFilesAndATimeCard) {
    Printing::setTestMode(true);
    writeWorkerLists();
    const std::string week = weekFilePath(dir.path(), Clock::now());
    std::filesystem::create_directories(parentFolder(week));
    writeFile(week, weekBytes({makeRecord("Worker 1", {{"IN", "1001.Dept-1", "8:00:00 AM", "Mon-Feb-2"},
                                                       {"OUT", "", "4:30:00 PM", "Mon-Feb-2"}}),
                               makeRecord("Worker 2", {{"IN", "1002.Office", "4:02:00 PM", "Tue-Feb-3"}})}));
    const std::string saved = readFile(week);

    auto* sheet = new TimeManage(realFiles(), dir.path());
    sheet->show();
    FileDialog::setNextFileName(QString::fromStdString(week));
    sheet->openFile();
    sheet->selectCell(1, TimeSheet::ActTime);
    type(sheet, "Text1", QStringLiteral("9:00:00 AM"));
    sheet->replaceCell(); // not saved

    trigger(sheet, "MnuWeekReport");
    auto* report = sheet->findChild<WeekReportFM*>();
    ASSERT_NE(report, nullptr);
    ASSERT_TRUE(report->isVisible());
    EXPECT_EQ(caption(report, "WeekLabel"), QStringLiteral("Week Ending Sunday Feb 8 2009"));
    EXPECT_TRUE(
        caption(report, "Notes")
            .startsWith(QStringLiteral("The time sheet holds changes to ") + QString::fromStdString(week)));
    EXPECT_EQ(cellText(report, "WeekTable", 0, 2), QStringLiteral("Worker 1"));
    EXPECT_EQ(cellText(report, "WeekTable", 0, 10), QStringLiteral("8.50")); // the saved file, not the edit
    EXPECT_EQ(cellText(report, "WeekTable", 1, 13), QStringLiteral("in since Tue 4:02 PM"));
    EXPECT_EQ(cellText(report, "JobsTable", 0, 2), QStringLiteral("Job 1"));

    FileDialog::setNextFileName(QString::fromStdString(dir.file("payroll.csv")));
    press(report, "ExportCsv");
    const char* const headers[] = {
        "Week Ending,Station,Position,Name,Mon,Tue,Wed,Thu,Fri,Sat,Sun,Total,Regular,Overtime,Flags\r\n",
        "Week Ending,Station,Position,Name,Job,Department,Start,End,Hours,Flags\r\n",
        "Week Ending,Job,Description,Department,Hours\r\n"};
    const char* const names[] = {"payroll.csv", "payroll detail.csv", "payroll jobs.csv"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(fileExists(dir.file(names[i]))) << names[i];
        EXPECT_EQ(readFile(dir.file(names[i])).rfind(std::string("\xEF\xBB\xBF") + headers[i], 0), 0u)
            << names[i];
    }
    EXPECT_TRUE(shownTexts().last().startsWith(QStringLiteral("The week was exported:\r\n")));

    Printing::setTestPdf(QString::fromStdString(dir.file("card.pdf")));
    report->findChild<QTableWidget*>(QStringLiteral("WeekTable"))->selectRow(0);
    press(report, "PrintCards");
    EXPECT_EQ(Printing::printedTitles(), QStringList{QStringLiteral("Time cards, week ending 2009-02-08")});
    EXPECT_EQ(readFile(dir.file("card.pdf")).substr(0, 5), "%PDF-");

    press(report, "PrevWeek");
    EXPECT_EQ(caption(report, "WeekLabel"), QStringLiteral("Week Ending Sunday Feb 1 2009"));
    EXPECT_TRUE(caption(report, "Notes").contains(QStringLiteral("There is no week file for this week.")));
    EXPECT_EQ(readFile(week), saved); // the report wrote nothing into the week
    Printing::setTestMode(false);
}

} // namespace
} // namespace tc::test
