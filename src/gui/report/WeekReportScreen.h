#pragma once

#include "core/files/FileAccess.h"
#include "core/format/DateTime.h"
#include "core/report/WeekReport.h"
#include "platform/Services.h"

#include <QWidget>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QTableWidget;

namespace tc {

class WeekTimeline;

// "Week Report": a week's hours per employee and day with overtime and
// flags, the hours per job, and the week as a picture; previous and next
// week; the three CSV files for payroll; time cards to print; the week's
// seal, its approval per employee and its closing. Reads the saved week
// files of this station and of the stations named in the settings file, and
// never writes them: approvals and closing are lines of their journals.
class WeekReportScreen : public QWidget {
    Q_OBJECT
  public:
    // `unsavedSheet` names the file the time sheet holds unsaved changes
    // to, or gives "" when it holds none.
    WeekReportScreen(Services& services, FileAccess& files, std::string baseFolder,
                     std::function<std::string()> unsavedSheet, QWidget* parent = nullptr);

    const WeekReport& report() const { return report_; }

    void showWeek(const DateTime& anyDay);
    void previousWeek() { showWeek(report_.sunday.addDays(-7)); }
    void nextWeek() { showWeek(report_.sunday.addDays(7)); }
    void exportCsv();
    // The selected employee's card, or every employee's when none is selected.
    void printTimeCards();
    // The payroll service's file in the format chosen beside the button.
    void exportPayroll();
    // Per employee the exact and the paid hours and the minutes rounding moved.
    void showRoundingAudit();
    void editPayrollIds();
    // The selected employee's week, or everyone's: an approval in the journal.
    void approve(bool everyone);
    // Each flag of the selected employee that payroll cannot pay on, let
    // through with a note asked for it.
    void acknowledgeFlags();
    void closeWeek();
    void reopenWeek();

  private:
    void fillWeekTable();
    void fillJobsTable();
    int selectedPerson() const;

    Services& services_;
    FileAccess& files_;
    std::string baseFolder_;
    std::function<std::string()> unsavedSheet_;
    WeekReport report_;
    QLabel* weekLabel_ = nullptr;
    QLabel* notes_ = nullptr;
    QLabel* seal_ = nullptr;
    QTableWidget* weekTable_ = nullptr;
    QTableWidget* jobsTable_ = nullptr;
    WeekTimeline* timeline_ = nullptr;
    QComboBox* payrollFormat_ = nullptr;
};

} // namespace tc
