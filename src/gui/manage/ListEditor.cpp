#include "gui/manage/ListEditor.h"

#include "core/sheet/ListTexts.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace tc {

namespace {

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QLineEdit* makeBox(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

QString ListEditor::positionWarning() {
    return QStringLiteral("Note:") + QString(60, QLatin1Char(' ')) +
           QStringLiteral(
               "This Program records Employee information based on button location. If an employee's "
               "location changes after weekly data accumulation has begun any new data will be placed "
               "in incorrect locations.") +
           QString(25, QLatin1Char(' ')) +
           QStringLiteral("CHANGE EMPLOYEE BUTTON LOCATION ONLY ON SUNDAYS NIGHTS OR MONDAY PRE-CLOCK IN.") +
           QString(2, QLatin1Char(' ')) + QStringLiteral("Job Data may be changed at anytime.");
}

ListEditor::ListEditor(Services& services, FileAccess& files, std::string baseFolder, QWidget* parent)
    : QMainWindow(parent), services_(services), files_(files), baseFolder_(std::move(baseFolder)) {
    setObjectName(QStringLiteral("ListEditor"));
    setWindowTitle(QStringLiteral("Button Data"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ScreenFonts::arial(services_.host.screenSize(), 8));

    auto* area = new QWidget(this);
    setCentralWidget(area);

    auto* shape1 = new QFrame(area);
    shape1->setObjectName(QStringLiteral("namesFrame"));
    shape1->setFrameShape(QFrame::Box);
    shape1->setGeometry(Environment::scaled(services_.host.screenSize(), 4, 40, 396, 306));
    auto* shape2 = new QFrame(area);
    shape2->setObjectName(QStringLiteral("jobsFrame"));
    shape2->setFrameShape(QFrame::Box);
    shape2->setGeometry(Environment::scaled(services_.host.screenSize(), 4, 408, 524, 258));

    makeLabel(area, QStringLiteral("namesHeading"), QStringLiteral("Employee Names "),
              Environment::scaled(services_.host.screenSize(), 40, 24, 161, 17));
    makeLabel(area, QStringLiteral("jobsHeading"), QStringLiteral("Job Names , Numbers"),
              Environment::scaled(services_.host.screenSize(), 40, 392, 217, 17));
    makeLabel(area, QStringLiteral("notesHeading"), QStringLiteral("Clock Notes"),
              Environment::scaled(services_.host.screenSize(), 424, 24, 185, 17));

    for (int i = 0; i < kPositions; ++i) {
        const int column = i / 12;
        const int top = 48 + 24 * (i % 12);
        const int left = column == 0 ? 40 : 232;
        nameNumbers_[i] =
            makeLabel(area, QStringLiteral("nameNumber_%1").arg(i), QString(),
                      Environment::scaled(services_.host.screenSize(), left - 32, top + 4, 28, 17));
        nameNumbers_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        nameBoxes_[i] = makeBox(area, QStringLiteral("nameBox_%1").arg(i),
                                Environment::scaled(services_.host.screenSize(), left, top, 161, 25));
    }
    for (int i = 0; i < kJobs; ++i) {
        const int column = i / 10;
        const int top = 416 + 24 * (i % 10);
        const int left = column == 0 ? 40 : 304;
        jobNumbers_[i] =
            makeLabel(area, QStringLiteral("jobNumber_%1").arg(i), QString(),
                      Environment::scaled(services_.host.screenSize(), left - 32, top + 4, 28, 17));
        jobNumbers_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        jobBoxes_[i] = makeBox(area, QStringLiteral("jobBox_%1").arg(i),
                               Environment::scaled(services_.host.screenSize(), left, top, 217, 27));
    }
    for (int i = 0; i < 2; ++i) {
        noteBoxes_[i] = makeBox(area, QStringLiteral("noteBox_%1").arg(i),
                                Environment::scaled(services_.host.screenSize(), 424, 48 + 32 * i, 185, 25));
        noteBoxes_[i]->setMaxLength(15);
    }

    auto* label5 = makeLabel(area, QStringLiteral("positionWarning"), positionWarning(),
                             Environment::scaled(services_.host.screenSize(), 416, 112, 193, 241));
    label5->setWordWrap(true);
    label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* save = makeButton(area, QStringLiteral("saveButton"), QStringLiteral("Save"),
                            Environment::scaled(services_.host.screenSize(), 416, 360, 65, 33));
    auto* reload = makeButton(area, QStringLiteral("reloadButton"), QStringLiteral("Reload"),
                              Environment::scaled(services_.host.screenSize(), 480, 360, 65, 33));
    auto* exit = makeButton(area, QStringLiteral("exitButton"), QStringLiteral("Exit"),
                            Environment::scaled(services_.host.screenSize(), 544, 360, 65, 33));
    connect(save, &QPushButton::clicked, this, [this] { saveButtonData(); });
    connect(reload, &QPushButton::clicked, this, [this] { reloadWithMessage(); });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    QAction* mnuSave = file->addAction(QStringLiteral("&Save"));
    mnuSave->setObjectName(QStringLiteral("saveAction"));
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* mnuLoad = file->addAction(QStringLiteral("Re&load"));
    mnuLoad->setObjectName(QStringLiteral("reloadAction"));
    mnuLoad->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction* mnuExit = file->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName(QStringLiteral("exitAction"));
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(mnuSave, &QAction::triggered, this, [this] { saveButtonData(); });
    connect(mnuLoad, &QAction::triggered, this, [this] { loadButtonData(); });
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    menuActions_ = {mnuSave, mnuLoad, mnuExit};
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);

    const QRect client = Environment::scaled(services_.host.screenSize(), 0, 0, 632, 676);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());

    resetButtonData();
    loadButtonData();
}

void ListEditor::resetButtonData() {
    for (int i = 0; i < kPositions; ++i) {
        nameBoxes_[i]->clear();
        nameNumbers_[i]->setText(QString::number(i + 1));
    }
    for (int i = 0; i < kJobs; ++i) {
        jobBoxes_[i]->clear();
        jobNumbers_[i]->setText(QString::number(i + 1));
    }
}

ListTexts ListEditor::boxes() const {
    ListTexts boxes;
    for (int i = 0; i < kPositions; ++i)
        boxes.names[i] = nameBoxes_[i]->text().toStdString();
    for (int i = 0; i < kJobs; ++i)
        boxes.jobs[i] = jobBoxes_[i]->text().toStdString();
    for (int i = 0; i < 2; ++i)
        boxes.notes[i] = noteBoxes_[i]->text().toStdString();
    return boxes;
}

bool ListEditor::loadButtonData() {
    ListTexts boxes;
    const Status st = loadButtonDataBoxes(files_, baseFolder_, boxes);
    loaded_ = boxes;
    for (int i = 0; i < kPositions; ++i)
        nameBoxes_[i]->setText(fromUtf8(boxes.names[i]));
    for (int i = 0; i < kJobs; ++i)
        jobBoxes_[i]->setText(fromUtf8(boxes.jobs[i]));
    for (int i = 0; i < 2; ++i)
        noteBoxes_[i]->setText(fromUtf8(boxes.notes[i]));
    if (!st)
        services_.messages.show(this, fromUtf8(st.message()));
    return st.isOk();
}

void ListEditor::reloadWithMessage() {
    if (loadButtonData())
        services_.messages.show(this, QStringLiteral("File Has Been Reloaded."));
}

bool ListEditor::saveButtonData() {
    ListTexts boxes = this->boxes();
    ListsJournal journal{loaded_, Environment::journalStamp(services_.clock), {}};
    if (Status st = saveButtonDataBoxes(files_, baseFolder_, boxes, &journal); !st) {
        services_.messages.show(this, fromUtf8(st.message()));
        return false;
    }
    loaded_ = boxes;
    // The job boxes show the lines written (an emptied box is now a lone comma).
    for (int i = 0; i < kJobs; ++i)
        if (const QString written = fromUtf8(boxes.jobs[i]); written != jobBoxes_[i]->text())
            jobBoxes_[i]->setText(written);
    if (!journal.problem.empty())
        services_.messages.show(this, fromUtf8(journal.problem + "\r\nThe lists were saved all the same."));
    services_.messages.show(
        this, QStringLiteral("Files Have Been Updated. Restart is necessary for Employee Names to rebuild."));
    return true;
}

bool ListEditor::eventFilter(QObject* watched, QEvent* event) {
    // A text box takes Ctrl+X for Cut (and would take any other key it
    // knows); the menu's shortcuts come first on this screen.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : menuActions_)
            if (action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tc
