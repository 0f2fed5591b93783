#include "gui/manage/TimeSheetScreen.h"

#include "core/files/Paths.h"
#include "core/sheet/ClaimAnswers.h"
#include "core/sheet/WeekFileCheck.h"
#include "core/sheet/WeekSave.h"
#include "gui/manage/ClockOutClaimsScreen.h"
#include "gui/manage/TimeSheetModel.h"
#include "gui/manage/WeekHistoryScreen.h"
#include "gui/report/WeekReportScreen.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <algorithm>
#include <cmath>

namespace tc {

namespace {

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int kColumnTwips[TimeSheet::kColumns] = {2500, 1300, 2800, 2100, 2100, 1200};

const QString kSavedAsTip =
    QStringLiteral("Files are saved as week ending sunday in the month of that sunday.");

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

} // namespace

QString TimeSheetScreen::blankRowsNote() {
    return QStringLiteral("Note:") + QString(63, QLatin1Char(' ')) +
           QStringLiteral("Do not remove blank lines") + QString(27, QLatin1Char(' ')) +
           QStringLiteral("Do not Add blank lines or add lines for employees who have no data.");
}

QString TimeSheetScreen::openFilter() {
    return QStringLiteral("Data Files (*.dat)|*.dat|Back Up Files (*.bak)|*.bak");
}

QString TimeSheetScreen::qtFilter(const QString& filter) {
    // Pairs of "description|pattern"; Qt takes the patterns from the
    // parentheses of each description, one description per ";;".
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << (description.contains(QLatin1Char('('))
                        ? description
                        : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

TimeSheetScreen::TimeSheetScreen(Services& services, FileAccess& files, std::string baseFolder,
                                 QWidget* parent)
    : QMainWindow(parent), services_(services), files_(files), baseFolder_(std::move(baseFolder)) {
    setObjectName(QStringLiteral("TimeSheetScreen"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ScreenFonts::arial(services_.host.screenSize(), 8));

    auto* area = new QWidget(this);
    setCentralWidget(area);

    model_ = new TimeSheetModel(this);
    grid_ = new QTableView(area);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setGeometry(Environment::scaled(services_.host.screenSize(), 8, 8, 830, 560));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(
        Environment::scaled(services_.host.screenSize(), 0, 0, 0, 20).height());
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < TimeSheet::kColumns; ++c) {
        const int px = int(std::lround(kColumnTwips[c] / 15.0));
        grid_->setColumnWidth(c, Environment::scaled(services_.host.screenSize(), 0, 0, px, 0).width());
    }

    auto* label1 = makeLabel(area, QStringLiteral("editFieldLabel"), QStringLiteral("Edit Field"),
                             Environment::scaled(services_.host.screenSize(), 8, 580, 65, 21));
    label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editField_ = new QLineEdit(QStringLiteral("Select cell & edit hear."), area);
    editField_->setObjectName(QStringLiteral("editField"));
    editField_->setGeometry(Environment::scaled(services_.host.screenSize(), 80, 576, 600, 25));
    setEditFieldGrey();
    connect(editField_, &QLineEdit::textChanged, this, [this] {
        QPalette p = editField_->palette();
        p.setColor(QPalette::Text, Qt::black);
        editField_->setPalette(p);
    });
    auto* replace = makeButton(area, QStringLiteral("replaceButton"), QStringLiteral("Replace"),
                               Environment::scaled(services_.host.screenSize(), 688, 574, 80, 29));

    // "This weeks file name is", CR LF, then the file name without its folder.
    const DateTime now = services_.clock.now();
    makeLabel(area, QStringLiteral("weekFileNote"),
              QStringLiteral("This weeks file name is\r\n") + fromUtf8(weekFileName(now)),
              Environment::scaled(services_.host.screenSize(), 848, 8, 168, 41));
    auto* open = makeButton(area, QStringLiteral("openButton"), QStringLiteral("Open"),
                            Environment::scaled(services_.host.screenSize(), 848, 56, 80, 33));
    auto* save = makeButton(area, QStringLiteral("saveButton"), QStringLiteral("Save"),
                            Environment::scaled(services_.host.screenSize(), 936, 56, 80, 33));
    open->setToolTip(kSavedAsTip);
    save->setToolTip(kSavedAsTip);
    auto* copy = makeButton(area, QStringLiteral("copyAllButton"), QStringLiteral("Copy All"),
                            Environment::scaled(services_.host.screenSize(), 848, 96, 80, 33));
    auto* paste = makeButton(area, QStringLiteral("pasteAllButton"), QStringLiteral("Paste All"),
                             Environment::scaled(services_.host.screenSize(), 936, 96, 80, 33));
    auto* add = makeButton(area, QStringLiteral("addRowButton"), QStringLiteral("Add Row"),
                           Environment::scaled(services_.host.screenSize(), 848, 136, 80, 33));
    auto* remove = makeButton(area, QStringLiteral("removeRowButton"), QStringLiteral("Remove Row"),
                              Environment::scaled(services_.host.screenSize(), 936, 136, 80, 33));
    auto* exit = makeButton(area, QStringLiteral("exitButton"), QStringLiteral("Exit"),
                            Environment::scaled(services_.host.screenSize(), 848, 176, 80, 33));
    makeLabel(area, QStringLiteral("durationNote"), QStringLiteral("Dur. = hour . % of hour"),
              Environment::scaled(services_.host.screenSize(), 848, 224, 168, 33));
    makeLabel(area, QStringLiteral("formatNote"),
              QStringLiteral(
                  "Use correct time format, when editing. Use [Copy All] to copy data to clipboard then open "
                  "and paste into Excel or MSWorks."),
              Environment::scaled(services_.host.screenSize(), 848, 264, 168, 97));
    makeLabel(area, QStringLiteral("blankRowsNote"), blankRowsNote(),
              Environment::scaled(services_.host.screenSize(), 848, 368, 168, 97));

    connect(open, &QPushButton::clicked, this, &TimeSheetScreen::openFile);
    connect(replace, &QPushButton::clicked, this, &TimeSheetScreen::replaceCell);
    connect(save, &QPushButton::clicked, this, &TimeSheetScreen::saveFile);
    connect(copy, &QPushButton::clicked, this, &TimeSheetScreen::copyAll);
    connect(paste, &QPushButton::clicked, this, &TimeSheetScreen::pasteAll);
    connect(add, &QPushButton::clicked, this, &TimeSheetScreen::addRow);
    connect(remove, &QPushButton::clicked, this, &TimeSheetScreen::removeRow);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    QAction* mnuReport = file->addAction(QStringLiteral("&Week Report..."));
    mnuReport->setObjectName(QStringLiteral("weekReportAction"));
    connect(mnuReport, &QAction::triggered, this, [this] {
        auto* report = new WeekReportScreen(
            services_, files_, baseFolder_,
            [this] { return model_->sheet().hasUnsavedChanges() ? openedFile_ : std::string(); }, this);
        Environment::keepAboveStation(report);
        report->show();
    });
    QAction* mnuHistory = file->addAction(QStringLiteral("&History..."));
    mnuHistory->setObjectName(QStringLiteral("historyAction"));
    connect(mnuHistory, &QAction::triggered, this, &TimeSheetScreen::showHistory);
    QAction* mnuClaims = file->addAction(QStringLiteral("&Clock-Out Claims..."));
    mnuClaims->setObjectName(QStringLiteral("claimsAction"));
    connect(mnuClaims, &QAction::triggered, this, &TimeSheetScreen::showClaims);
    QAction* mnuExit = file->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName(QStringLiteral("exitAction"));
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    // A click shows the cell's text, even on the cell that is already current;
    // a move with the keyboard does too. The program's own moves do not.
    connect(grid_, &QAbstractItemView::clicked, this, [this](const QModelIndex& at) {
        currentRow_ = TimeSheetModel::toSheetRow(at.row());
        currentCol_ = at.column();
        showCurrentInEditField();
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& at) {
                if (programMove_ || !at.isValid())
                    return;
                currentRow_ = TimeSheetModel::toSheetRow(at.row());
                currentCol_ = at.column();
                showCurrentInEditField();
            });

    const QRect client = Environment::scaled(services_.host.screenSize(), 0, 0, 1024, 612);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    setCurrent(1, 0);
}

TimeSheetScreen::~TimeSheetScreen() = default;

void TimeSheetScreen::setEditFieldGrey() {
    QPalette p = editField_->palette();
    p.setColor(QPalette::Text, QColor(128, 128, 128)); // an inactive window caption's grey
    editField_->setPalette(p);
}

void TimeSheetScreen::setCurrent(int sheetRow, int column) {
    currentRow_ = std::clamp(sheetRow, 0, model_->sheet().rowCount() - 1);
    currentCol_ = std::clamp(column, 0, TimeSheet::kColumns - 1);
    programMove_ = true;
    if (currentRow_ >= 1) {
        const QModelIndex at = model_->index(TimeSheetModel::toModelRow(currentRow_), currentCol_);
        grid_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    } else {
        // The heading row is the header: current, but nothing in the grid is selected.
        grid_->selectionModel()->clear();
    }
    programMove_ = false;
}

void TimeSheetScreen::selectCell(int sheetRow, int column) {
    if (sheetRow < 1 || sheetRow >= model_->sheet().rowCount() || column < 0 || column >= TimeSheet::kColumns)
        return;
    setCurrent(sheetRow, column);
    showCurrentInEditField();
}

void TimeSheetScreen::showCurrentInEditField() {
    editField_->setText(model_->cellText(currentRow_, currentCol_));
}

void TimeSheetScreen::openFile() {
    const std::optional<QString> chosen = services_.fileDialog.getOpenFileName(
        this, QStringLiteral("Open File"), QString::fromStdString(baseFolder_), qtFilter(openFilter()));
    if (!chosen) {
        services_.messages.show(this, QStringLiteral("Dialog Cancelled"));
        return;
    }
    const std::string path = chosen->toStdString();
    std::string bytes;
    // Only a week file is opened: Save writes a week over whatever is open.
    // A file that cannot be read must not show as an empty week either:
    // saving that would write 24 empty records over the employees' punches.
    if (Status st = checkWeekFileForEditing(files_, baseFolder_, path, bytes); !st) {
        services_.messages.show(this, fromUtf8(st.message()));
        return;
    }
    openedFile_ = path;
    model_->load(bytes);
    setCurrent(1, 0);
    setEditFieldGrey();
    editField_->setText(QStringLiteral("Select cell & edit here."));
}

void TimeSheetScreen::replaceCell() {
    // The heading row is not edited (it is current only right after "Paste All").
    if (currentRow_ < 1)
        return;
    model_->setCellText(currentRow_, currentCol_, editField_->text());
}

// The questions and messages of a save, on this screen; the saved week is
// shown with the current cell where it was.
class TimeSheetScreen::ScreenTalk : public SaveTalk {
  public:
    explicit ScreenTalk(TimeSheetScreen& screen) : screen_(screen) {}
    bool ask(const std::string& question) override {
        return screen_.services_.messages.show(&screen_, fromUtf8(question),
                                               Messages::Buttons::YesNoCancelDefaultNo) ==
               Messages::Answer::Yes;
    }
    void tell(const std::string& message) override {
        screen_.services_.messages.show(&screen_, fromUtf8(message));
    }
    void showSaved(TimeSheet&, std::string_view written) override {
        const int row = screen_.currentRow_;
        const int column = screen_.currentCol_;
        screen_.model_->load(written);
        screen_.setCurrent(row, column);
    }

  private:
    TimeSheetScreen& screen_;
};

void TimeSheetScreen::saveFile() {
    ScreenTalk talk(*this);
    saveWeek(files_, openedFile_, model_->sheetForSave(), talk, Environment::journalStamp(services_.clock));
}

void TimeSheetScreen::showHistory() {
    if (openedFile_.empty()) {
        services_.messages.show(this,
                                QStringLiteral("Open a week first: the history shown is the open week's."));
        return;
    }
    auto* history = new WeekHistoryScreen(
        services_, files_, openedFile_, [this](int saveLine) { putBack(saveLine); }, this);
    Environment::keepAboveStation(history);
    history->show();
}

void TimeSheetScreen::showClaims() {
    if (openedFile_.empty()) {
        services_.messages.show(this,
                                QStringLiteral("Open a week first: the claims shown are the open week's."));
        return;
    }
    // Accepted here, the OUT is saved as this screen saves, and the grid shows it.
    auto* claims = new ClockOutClaimsScreen(
        services_, files_, {openedFile_},
        [this](const ClockOutClaimsScreen::Item& item) {
            if (model_->sheet().hasUnsavedChanges()) {
                services_.messages.show(this,
                                        QStringLiteral("Save the changes made here first: accepting a claim "
                                                       "saves the week."));
                return false;
            }
            ScreenTalk talk(*this);
            return acceptClaim(files_, item.weekFile, item.claim, talk,
                               Environment::journalStamp(services_.clock)) == SaveOutcome::Saved;
        },
        this);
    Environment::keepAboveStation(claims);
    claims->show();
}

void TimeSheetScreen::putBack(int saveLine) {
    const QString question =
        QStringLiteral(
            "Put the week back as it was before that save? Later saves are undone as well; punches "
            "stored at the station since then are kept.") +
        (model_->sheet().hasUnsavedChanges() ? QStringLiteral(" The changes not saved here are discarded.")
                                             : QString());
    if (services_.messages.show(this, question, Messages::Buttons::YesNoCancelDefaultNo) !=
        Messages::Answer::Yes)
        return;
    ScreenTalk talk(*this);
    restoreWeek(files_, openedFile_, model_->sheetForSave(), talk, Environment::journalStamp(services_.clock),
                saveLine);
}

void TimeSheetScreen::copyAll() {
    services_.clipboard.clear();
    services_.clipboard.setText(fromUtf8(model_->sheet().copyAllText()));
    setCurrent(1, 1);
    services_.messages.show(this, QStringLiteral("Data has been placed on the clipboard."));
}

void TimeSheetScreen::pasteAll() {
    grid_->setUpdatesEnabled(false);
    const int leftOut = model_->pasteAll(services_.clipboard.text());
    setCurrent(0, 1);
    grid_->setUpdatesEnabled(true);
    if (leftOut > 0)
        services_.messages.show(
            this, QStringLiteral("The pasted text is longer than a full week of %1 rows: %2 more %3 "
                                 "holding data %4 not pasted. Nothing has been saved.")
                      .arg(TimeSheet::kFullWeekRows)
                      .arg(leftOut)
                      .arg(leftOut == 1 ? QStringLiteral("line") : QStringLiteral("lines"))
                      .arg(leftOut == 1 ? QStringLiteral("was") : QStringLiteral("were")));
}

void TimeSheetScreen::addRow() {
    model_->addRow(currentRow_);
    setCurrent(currentRow_, currentCol_);
}

void TimeSheetScreen::removeRow() {
    if (currentRow_ < 1) {
        services_.messages.show(
            this, QStringLiteral("Select the row to remove first; the heading row cannot be removed."));
        return;
    }
    const Messages::Answer answer = services_.messages.show(
        this, QStringLiteral("Blank rows are place holders are you sure you want to remove?"),
        Messages::Buttons::YesNoCancelDefaultNo, QStringLiteral("Warning"));
    if (answer != Messages::Answer::Yes)
        return;
    model_->removeRow(currentRow_);
    setCurrent(currentRow_, currentCol_);
}

} // namespace tc
