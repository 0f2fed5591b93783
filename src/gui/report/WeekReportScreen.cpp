#include "gui/report/WeekReportScreen.h"

#include "core/files/Paths.h"
#include "core/format/ShownText.h"
#include "core/format/TimeText.h"
#include "core/format/WeekMoments.h"
#include "core/report/PayrollExport.h"
#include "core/report/ReportCsv.h"
#include "core/report/RoundingAudit.h"
#include "core/report/StationsReport.h"
#include "core/report/WeekSignOff.h"
#include "gui/manage/ClockOutClaimsScreen.h"
#include "gui/report/PayrollIdsDialog.h"
#include "gui/report/TimeCards.h"
#include "gui/report/WeekTimeline.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "platform/Printing.h"
#include "platform/TextPrompt.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTextDocument>
#include <algorithm>

namespace tc {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QTableWidget* makeTable(QWidget* parent, const char* name, const QStringList& headings) {
    auto* t = new QTableWidget(0, int(headings.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headings);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(20);
    t->setWordWrap(false);
    return t;
}

QTableWidgetItem* cell(const QString& text, bool number = false) {
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

std::string join(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "; ") + p;
    return out;
}

} // namespace

WeekReportScreen::WeekReportScreen(Services& services, FileAccess& files, std::string baseFolder,
                                   std::function<std::string()> unsavedSheet, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), files_(files), baseFolder_(std::move(baseFolder)),
      unsavedSheet_(std::move(unsavedSheet)) {
    setObjectName(QStringLiteral("WeekReportScreen"));
    setWindowTitle(QStringLiteral("Week Report"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* previous = makeButton(this, "PrevWeek", QStringLiteral("< Previous Week"));
    auto* next = makeButton(this, "NextWeek", QStringLiteral("Next Week >"));
    auto* exportCsv = makeButton(this, "ExportCsv", QStringLiteral("Export CSV..."));
    auto* print = makeButton(this, "PrintCards", QStringLiteral("Print Time Cards..."));
    auto* claims = makeButton(this, "ClockOutClaims", QStringLiteral("Clock-Out Claims..."));
    auto* close = makeButton(this, "CloseReport", QStringLiteral("Close"));
    payrollFormat_ = new QComboBox(this);
    payrollFormat_->setObjectName(QStringLiteral("PayrollFormat"));
    for (const std::string& format : PayrollExport::formats())
        payrollFormat_->addItem(qs(format));
    auto* exportPayroll = makeButton(this, "ExportPayroll", QStringLiteral("Export Payroll..."));
    auto* payrollIds = makeButton(this, "PayrollIds", QStringLiteral("Payroll IDs..."));
    auto* rounding = makeButton(this, "RoundingAudit", QStringLiteral("Rounding..."));
    auto* approveOne = makeButton(this, "ApproveSelected", QStringLiteral("Approve Selected"));
    auto* approveAll = makeButton(this, "ApproveAll", QStringLiteral("Approve All"));
    auto* acknowledge = makeButton(this, "AcknowledgeFlags", QStringLiteral("Acknowledge Flags..."));
    auto* closeWeek = makeButton(this, "CloseWeek", QStringLiteral("Close Week..."));
    auto* reopenWeek = makeButton(this, "ReopenWeek", QStringLiteral("Reopen Week..."));
    seal_ = new QLabel(this);
    seal_->setObjectName(QStringLiteral("SealLabel"));
    seal_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    weekLabel_ = new QLabel(this);
    weekLabel_->setObjectName(QStringLiteral("WeekLabel"));
    QFont big = weekLabel_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    weekLabel_->setFont(big);
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("Notes"));
    notes_->setWordWrap(true);
    QPalette red = notes_->palette();
    red.setColor(QPalette::WindowText, QColor(0xc0, 0, 0));
    notes_->setPalette(red);

    weekTable_ = makeTable(this, "WeekTable",
                           {QStringLiteral("Station"), QStringLiteral("Pos."), QStringLiteral("Name"),
                            QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                            QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat"),
                            QStringLiteral("Sun"), QStringLiteral("Total"), QStringLiteral("Regular"),
                            QStringLiteral("Overtime"), QStringLiteral("Approved"), QStringLiteral("Flags")});
    weekTable_->horizontalHeader()->setStretchLastSection(true);
    jobsTable_ = makeTable(this, "JobsTable",
                           {QStringLiteral("Job"), QStringLiteral("Department"),
                            QStringLiteral("Description"), QStringLiteral("Hours")});
    jobsTable_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    timeline_ = new WeekTimeline(this);
    auto* pictureScroll = new QScrollArea(this);
    pictureScroll->setWidget(timeline_);
    pictureScroll->setWidgetResizable(true);
    pictureScroll->setFrameShape(QFrame::StyledPanel);

    auto* top = new QHBoxLayout;
    top->addWidget(previous);
    top->addWidget(weekLabel_, 1, Qt::AlignCenter);
    top->addWidget(next);
    top->addSpacing(24);
    top->addWidget(exportCsv);
    top->addWidget(print);
    top->addWidget(claims);
    top->addWidget(close);
    auto* payroll = new QHBoxLayout;
    payroll->addStretch(1);
    payroll->addWidget(payrollFormat_);
    payroll->addWidget(exportPayroll);
    payroll->addWidget(payrollIds);
    payroll->addWidget(rounding);
    auto* signOff = new QHBoxLayout;
    signOff->addWidget(seal_, 1);
    for (QPushButton* b : {approveOne, approveAll, acknowledge, closeWeek, reopenWeek})
        signOff->addWidget(b);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(pictureScroll, 5);
    bottom->addWidget(jobsTable_, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(payroll);
    layout->addWidget(notes_);
    layout->addLayout(signOff);
    layout->addWidget(weekTable_, 1);
    layout->addLayout(bottom, 1);

    connect(previous, &QPushButton::clicked, this, &WeekReportScreen::previousWeek);
    connect(next, &QPushButton::clicked, this, &WeekReportScreen::nextWeek);
    connect(exportCsv, &QPushButton::clicked, this, &WeekReportScreen::exportCsv);
    connect(print, &QPushButton::clicked, this, &WeekReportScreen::printTimeCards);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(exportPayroll, &QPushButton::clicked, this, &WeekReportScreen::exportPayroll);
    connect(payrollIds, &QPushButton::clicked, this, &WeekReportScreen::editPayrollIds);
    connect(rounding, &QPushButton::clicked, this, &WeekReportScreen::showRoundingAudit);
    connect(approveOne, &QPushButton::clicked, this, [this] { approve(false); });
    connect(approveAll, &QPushButton::clicked, this, [this] { approve(true); });
    connect(acknowledge, &QPushButton::clicked, this, &WeekReportScreen::acknowledgeFlags);
    connect(closeWeek, &QPushButton::clicked, this, &WeekReportScreen::closeWeek);
    connect(reopenWeek, &QPushButton::clicked, this, &WeekReportScreen::reopenWeek);
    connect(claims, &QPushButton::clicked, this, [this] {
        auto* screen = new ClockOutClaimsScreen(services_, files_, report_.weekFiles, {}, this);
        connect(screen, &ClockOutClaimsScreen::answered, this, [this] { showWeek(report_.sunday); });
        Environment::keepAboveStation(screen);
        screen->show();
    });

    const QRect area = Environment::scaled(services_.host.screenSize(), 0, 0, 1000, 700);
    resize(area.width(), area.height());
    showWeek(services_.clock.now());
}

void WeekReportScreen::showWeek(const DateTime& anyDay) {
    const DateTime now = services_.clock.now();
    StationsReport shown =
        makeStationsReport(files_, baseFolder_, anyDay, now, unsavedSheet_ ? unsavedSheet_() : std::string());
    report_ = std::move(shown.report);

    weekLabel_->setText(QStringLiteral("Week Ending %1").arg(qs(formatWeekName(report_.sunday))));
    notes_->setText(qs(join(shown.notes)));
    notes_->setVisible(!shown.notes.empty());
    seal_->setText(
        QStringLiteral("Seal %1; the week is %2.").arg(qs(weekSealText(report_)), qs(closingText(report_))));

    fillWeekTable();
    fillJobsTable();
    timeline_->setReport(&report_, secondsSinceMonday(report_.monday, now));
}

void WeekReportScreen::fillWeekTable() {
    // Double time has a column of its own only where a rule pays it.
    const bool doubleTime = report_.pay.doubleTime();
    const int approvedColumn = doubleTime ? 14 : 13;
    const int flagsColumn = approvedColumn + 1;
    if (weekTable_->columnCount() != flagsColumn + 1) {
        weekTable_->setColumnCount(flagsColumn + 1);
        if (doubleTime)
            weekTable_->setHorizontalHeaderItem(13, new QTableWidgetItem(QStringLiteral("Double Time")));
        weekTable_->setHorizontalHeaderItem(approvedColumn, new QTableWidgetItem(QStringLiteral("Approved")));
        weekTable_->setHorizontalHeaderItem(flagsColumn, new QTableWidgetItem(QStringLiteral("Flags")));
    }
    weekTable_->setRowCount(0);
    weekTable_->setRowCount(int(report_.people.size()));
    for (int row = 0; row < int(report_.people.size()); ++row) {
        const PersonWeek& p = report_.people[std::size_t(row)];
        std::vector<std::string> stations, positions;
        for (auto [source, position] : p.records) {
            stations.push_back(report_.sources[std::size_t(source)].station);
            positions.push_back(std::to_string(position));
        }
        stations.erase(std::unique(stations.begin(), stations.end()), stations.end());
        weekTable_->setItem(row, 0, cell(qs(join(stations))));
        weekTable_->setItem(row, 1, cell(qs(join(positions)), true));
        weekTable_->setItem(row, 2, cell(qs(shownText(p.name))));
        for (int d = 0; d < 7; ++d)
            weekTable_->setItem(row, 3 + d,
                                cell(qs(formatShownHours(p.dayHundredths[std::size_t(d)])), true));
        weekTable_->setItem(row, 10, cell(qs(formatShownHours(p.totalHundredths)), true));
        weekTable_->setItem(row, 11, cell(qs(formatShownHours(p.regularHundredths)), true));
        weekTable_->setItem(row, 12, cell(qs(formatShownHours(p.overtimeHundredths)), true));
        auto* approved = cell(qs(standingApproval(report_, p) ? "yes" : "no"));
        approved->setToolTip(qs(approvalText(report_, p)));
        weekTable_->setItem(row, approvedColumn, approved);
        auto* flags = cell(qs(join(p.flags)));
        flags->setForeground(QColor(0xc0, 0, 0));
        flags->setToolTip(qs(join(p.flags)));
        if (doubleTime)
            weekTable_->setItem(row, 13, cell(qs(formatShownHours(p.doubleTimeHundredths)), true));
        weekTable_->setItem(row, flagsColumn, flags);
    }
    weekTable_->resizeColumnsToContents();
}

void WeekReportScreen::fillJobsTable() {
    jobsTable_->setRowCount(0);
    jobsTable_->setRowCount(int(report_.jobs.size()));
    for (int row = 0; row < int(report_.jobs.size()); ++row) {
        const JobHours& j = report_.jobs[std::size_t(row)];
        auto* job = cell(qs(j.job));
        job->setBackground(WeekTimeline::jobColour(row)); // the picture's colour key
        jobsTable_->setItem(row, 0, job);
        jobsTable_->setItem(row, 1, cell(qs(j.department)));
        jobsTable_->setItem(row, 2, cell(qs(j.description)));
        jobsTable_->setItem(row, 3, cell(qs(formatShownHours(j.hundredths)), true));
    }
    jobsTable_->resizeColumnsToContents();
}

void WeekReportScreen::exportCsv() {
    const std::optional<QString> chosen = services_.fileDialog.getSaveFileName(
        this, QStringLiteral("Export CSV"), qs(ReportCsv::suggestedPath(baseFolder_, report_)),
        QStringLiteral("CSV files (*.csv)"));
    if (!chosen)
        return;
    // The summary where the manager chose; the detail and the jobs beside it.
    const std::vector<ReportCsv::Output> outputs = ReportCsv::exportFiles(chosen->toStdString(), report_);
    std::vector<std::string> programFolders{baseFolder_};
    for (const ReportSource& source : report_.sources)
        programFolders.push_back(source.folder);
    if (Status st = ReportCsv::write(files_, outputs, programFolders); !st) {
        services_.messages.show(this, qs(st.message()));
        return;
    }
    QString written;
    for (const ReportCsv::Output& o : outputs)
        written += QStringLiteral("\r\n") + qs(o.path);
    services_.messages.show(this, QStringLiteral("The week was exported:") + written);
}

void WeekReportScreen::exportPayroll() {
    const std::string format = payrollFormat_->currentText().toStdString();
    const std::string week = formatIsoDate(report_.sunday);
    const std::optional<QString> chosen = services_.fileDialog.getSaveFileName(
        this, QStringLiteral("Export Payroll"),
        qs(pathJoin(baseFolder_, "Payroll " + week + (format == "iif" ? ".iif" : ".csv"))),
        format == "iif" ? QStringLiteral("QuickBooks files (*.iif)") : QStringLiteral("CSV files (*.csv)"));
    if (!chosen)
        return;
    const std::string path = chosen->toStdString();
    if (Status st = PayrollExport::exportWeek(files_, baseFolder_, format, report_, path); !st) {
        services_.messages.show(this, qs(st.message()));
        return;
    }
    services_.messages.show(this, QStringLiteral("The payroll file was written:\r\n") + qs(path));
}

void WeekReportScreen::showRoundingAudit() {
    QString text =
        report_.pay.roundMinutes > 0
            ? QStringLiteral("Punches are rounded to %1 minutes for pay.").arg(report_.pay.roundMinutes)
            : QStringLiteral("Punches are not rounded for pay.");
    text += QStringLiteral("\r\n\r\nName: exact hours, paid hours, minutes gained");
    for (const RoundingAudit::Row& row : RoundingAudit::rows(report_))
        text += QStringLiteral("\r\n%1: %2, %3, %4")
                    .arg(qs(row.name), qs(row.exactHours), qs(row.paidHours), qs(row.minutesGained));
    services_.messages.show(this, text);
}

void WeekReportScreen::editPayrollIds() {
    std::vector<std::string> names;
    for (const PersonWeek& p : report_.people)
        names.push_back(p.name);
    PayrollIdsDialog dialog(services_, files_, baseFolder_, names, this);
    dialog.exec();
}

void WeekReportScreen::printTimeCards() {
    if (report_.people.empty()) {
        services_.messages.show(
            this, QStringLiteral("Nobody punched in this week: there is no time card to print."));
        return;
    }
    const int person = selectedPerson();
    QTextDocument document;
    TimeCards::build(document, report_, person);
    services_.printing.preview(
        this, document, QStringLiteral("Time cards, week ending %1").arg(qs(formatIsoDate(report_.sunday))));
}

int WeekReportScreen::selectedPerson() const {
    const QList<QTableWidgetItem*> selected = weekTable_->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->row();
}

void WeekReportScreen::approve(bool everyone) {
    const int person = selectedPerson();
    if (report_.people.empty() || (!everyone && person < 0)) {
        services_.messages.show(this, QStringLiteral("Select the employee to approve in the table first."));
        return;
    }
    std::vector<std::size_t> people;
    if (!everyone)
        people.push_back(std::size_t(person));
    const ApprovalOutcome outcome =
        approvePeople(files_, report_, people, Environment::journalStamp(services_.clock));
    services_.messages.show(this, qs(approvalMessage(outcome)));
    showWeek(report_.sunday);
}

void WeekReportScreen::acknowledgeFlags() {
    const int person = selectedPerson();
    if (person < 0) {
        services_.messages.show(
            this, QStringLiteral("Select the employee whose flags to acknowledge in the table first."));
        return;
    }
    const PersonWeek& who = report_.people[std::size_t(person)];
    const std::vector<std::string> flags = blockingFlags(report_, who);
    if (flags.empty()) {
        services_.messages.show(this, qs(who.name + " has no flag left that payroll cannot pay on."));
        return;
    }
    for (const std::string& flag : flags) {
        const std::optional<QString> note = services_.prompt.getText(
            this, QStringLiteral("Acknowledge Flag"),
            qs(who.name + ": " + flag + "\r\nWhy may the week be paid as it stands?"));
        if (!note)
            break;
        if (Status st = acknowledgeFlag(files_, report_, std::size_t(person), flag, note->toStdString(),
                                        Environment::journalStamp(services_.clock));
            !st) {
            services_.messages.show(this, qs(st.message()));
            break;
        }
    }
    showWeek(report_.sunday);
}

void WeekReportScreen::closeWeek() {
    const std::string week = "the week ending " + formatIsoDate(report_.sunday);
    if (services_.messages.show(this,
                                qs("Close " + week +
                                   "? Do so once payroll has paid it: the time sheet then does not save "
                                   "it until it is reopened, with a reason."),
                                Messages::Buttons::YesNoCancel) != Messages::Answer::Yes)
        return;
    const Status st = tc::closeWeek(files_, report_, Environment::journalStamp(services_.clock));
    showWeek(report_.sunday);
    services_.messages.show(this, st ? qs("Closed " + week + ".") : qs(st.message()));
}

void WeekReportScreen::reopenWeek() {
    const std::string week = "the week ending " + formatIsoDate(report_.sunday);
    if (!isWeekClosed(report_)) {
        services_.messages.show(this,
                                qs("The week ending " + formatIsoDate(report_.sunday) + " is not closed."));
        return;
    }
    const std::optional<QString> reason =
        services_.prompt.getText(this, QStringLiteral("Reopen Week"), qs("Why is " + week + " reopened?"));
    if (!reason)
        return;
    const Status st =
        tc::reopenWeek(files_, report_, reason->toStdString(), Environment::journalStamp(services_.clock));
    showWeek(report_.sunday);
    services_.messages.show(this, st ? qs("Reopened " + week + ".") : qs(st.message()));
}

} // namespace tc
