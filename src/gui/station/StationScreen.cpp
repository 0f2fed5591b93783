#include "gui/station/StationScreen.h"

#include "core/credentials/ManagerPassword.h"
#include "core/files/MonthFolders.h"
#include "core/format/ListFiles.h"
#include "core/format/TimeText.h"
#include "core/punch/StationState.h"
#include "core/sheet/ListsSave.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"
#include "platform/ScreenText.h"
#include "platform/TaskBar.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace tc {

namespace {

QString faceStyle(const QColor& c) {
    // A style sheet, not the palette: only then is the face colour drawn on
    // every widget style.
    const QColor pressed = c.darker(115);
    return QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px outset #a0a0a0; "
                          "border-radius: 2px; padding: 0px; }"
                          "QPushButton:pressed { background-color: %2; border-style: inset; }")
        .arg(c.name(), pressed.name());
}

} // namespace

StationScreen::StationScreen(Services& services, StationState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), services_(services),
      state_(state) {
    setObjectName(QStringLiteral("StationScreen"));
    setWindowTitle(Messages::applicationTitle());
    buildControls();
}

StationScreen::~StationScreen() {
    // However the station goes away, the computer gets its taskbar back.
    services_.taskBar.setVisible(true);
}

void StationScreen::buildControls() {
    Environment::fillScreen(services_.host.screenSize(), this);
    setAutoFillBackground(true);

    buttonFont_ = ScreenFonts::arial(services_.host.screenSize(), 22);
    for (int i = 0; i < kPositions; ++i) {
        auto* b = new QPushButton(QStringLiteral("Command1"), this);
        b->setObjectName(QStringLiteral("employeeButton_%1").arg(i));
        b->setProperty("index", i);
        b->setFont(buttonFont_);
        b->setFocusPolicy(Qt::NoFocus);
        const int column = i / 8;
        const int row = i % 8;
        static constexpr int kLeft[3] = {32, 344, 656};
        b->setGeometry(
            Environment::scaled(services_.host.screenSize(), kLeft[column], 16 + 80 * row, 300, 73));
        connect(b, &QPushButton::clicked, this, [this, i] { onEmployeeButton(i); });
        settle_.watch(b);
        employeeButtons_[std::size_t(i)] = b;
        setButtonCaption(i, QStringLiteral("Command1"));
        setButtonColour(i, lightGrey());
    }

    managementButton_ = new QPushButton(QStringLiteral("Management"), this);
    managementButton_->setObjectName(QStringLiteral("managementButton"));
    managementButton_->setFont(ScreenFonts::arial(services_.host.screenSize(), 14, true));
    managementButton_->setFocusPolicy(Qt::NoFocus);
    managementButton_->setGeometry(Environment::scaled(services_.host.screenSize(), 664, 656, 177, 81));
    connect(managementButton_, &QPushButton::clicked, this, [this] {
        if (settle_.pressAccepted())
            emit managementPressed();
    });
    settle_.watch(managementButton_);

    clockLabel_ = new QLabel(QStringLiteral("Label1"), this);
    clockLabel_->setObjectName(QStringLiteral("clockLabel"));
    clockLabel_->setFont(ScreenFonts::arialNarrow(services_.host.screenSize(), 48));
    clockLabel_->setAlignment(Qt::AlignCenter);
    clockLabel_->setGeometry(Environment::scaled(services_.host.screenSize(), 320, 656, 337, 81));

    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(QStringLiteral(" "), this);
        l->setObjectName(QStringLiteral("noteLabel_%1").arg(i));
        l->setProperty("index", i);
        l->setFont(ScreenFonts::arial(services_.host.screenSize(), 12, true));
        l->setTextFormat(Qt::PlainText);
        l->setGeometry(Environment::scaled(services_.host.screenSize(), 104, 656 + 25 * i, 209, 25));
        noteLabels_[std::size_t(i)] = l;
    }

    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName(QStringLiteral("clockTimer"));
    connect(clockTimer_, &QTimer::timeout, this, &StationScreen::showTime);
}

void StationScreen::load() {
    if (loaded_)
        return;
    loaded_ = true;
    firstRunSetup();
    // A list save killed part way is finished (or undone) before the names are read.
    if (const Status st = finishListSave(*state_.files, state_.baseFolder); !st)
        services_.messages.show(this, QString::fromStdString(st.message()));
    loadButtonNames();
    setWeekFile(state_, services_.clock.now());
    // The board is silent on failure; at start-up a week file that cannot be
    // read (a folder, pipe or device at its place, a file too large) is told,
    // and the station runs on.
    if (const Status st = drawStatusBoard(); !st)
        services_.messages.show(this, QString::fromStdString(st.message()));
    services_.taskBar.setVisible(false);
    clockTimer_->start(100);
}

void StationScreen::firstRunSetup() {
    const FirstRunFolders folders = prepareMonthFolders(*state_.files, state_.baseFolder);
    if (!folders.firstRun)
        return;
    if (!folders.status)
        services_.messages.show(this, QString::fromStdString(folders.status.message()));
    const QString password = QStringLiteral("Password = ") + QLatin1String(ManagerPassword::kFirstPassword);
    services_.messages.show(this, password, Messages::Buttons::OkCritical);
    services_.messages.show(this,
                            QStringLiteral("Wright it down!\r\n") + password +
                                QStringLiteral("\r\nThis pass word will not be repeted"),
                            Messages::Buttons::OkCritical);
    const QSize screen = services_.host.screenSize();
    if (screen.width() != 1024 && screen.height() != 768)
        services_.messages.show(this,
                                QStringLiteral("Optimal screen resolution should be set to\r\n1024 By 768"),
                                Messages::Buttons::OkOnly);
}

void StationScreen::loadButtonNames() {
    EmployeeList list;
    const Status st = readEmployeeList(*state_.files, state_.baseFolder, list);
    // A missing or short list still gives a working station: the names that
    // could be read stand on their buttons and the rest are blank.
    for (int i = 0; i < kPositions; ++i) {
        state_.employeeNames[std::size_t(i)] = list.names[std::size_t(i)];
        setButtonCaption(i, QString::fromStdString(list.names[std::size_t(i)]));
    }
    for (int i = 0; i < 2; ++i)
        noteLabels_[std::size_t(i)]->setText(QString::fromStdString(list.notes[std::size_t(i)]));
    if (!st)
        services_.messages.show(this, QString::fromStdString(st.message()));
}

void StationScreen::updateStatusBoard() {
    (void)drawStatusBoard();
}

Status StationScreen::drawStatusBoard() {
    StatusBoard board;
    if (Status st = readStatusBoard(state_, board); !st)
        return st;
    for (int i = 0; i < kPositions; ++i) {
        const BoardButton& b = board[std::size_t(i)];
        switch (b.colour) {
        case BoardColour::Yellow:
            setButtonColour(i, yellow());
            break;
        case BoardColour::Red:
            setButtonColour(i, red());
            break;
        case BoardColour::LightGrey:
            setButtonColour(i, lightGrey());
            break;
        case BoardColour::Unchanged:
            break;
        }
        setButtonCaption(i, QString::fromStdString(b.caption));
    }
    return Status::ok();
}

void StationScreen::showStation() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    Environment::showOnEveryDesktop(this);
    raise();
    activateWindow();
}

void StationScreen::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A kiosk is never minimised (a window manager's menu, a key): it comes
    // back at once, full screen.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        QTimer::singleShot(0, this, &StationScreen::showStation);
}

void StationScreen::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden from outside while it runs: shown again. Hidden on purpose
    // (Exit All closing it) it stays hidden.
    if (event->spontaneous() && !closeAllowed_)
        QTimer::singleShot(0, this, &StationScreen::showStation);
}

void StationScreen::backFromPunch() {
    punchInProgress_ = false;
    settle_.restart();
    showStation();
}

QColor StationScreen::buttonColour(int index) const {
    return employeeButtons_[std::size_t(index)]->property("BackColor").value<QColor>();
}

QString StationScreen::buttonCaption(int index) const {
    return employeeButtons_[std::size_t(index)]->property("Caption").toString();
}

void StationScreen::setButtonColour(int index, const QColor& colour) {
    QPushButton* b = employeeButtons_[std::size_t(index)];
    if (b->property("BackColor").value<QColor>() == colour && !b->styleSheet().isEmpty())
        return;
    b->setProperty("BackColor", colour);
    b->setStyleSheet(faceStyle(colour));
}

void StationScreen::setButtonCaption(int index, const QString& caption) {
    QPushButton* b = employeeButtons_[std::size_t(index)];
    b->setProperty("Caption", caption);
    b->setText(ScreenText::forButton(caption));
    // A long name is shown whole, in smaller type, never cut at both ends.
    const QSize room = b->size() - QSize(12, 6);
    b->setFont(ScreenFonts::fitted(buttonFont_, ScreenText::forBox(caption), room));
}

void StationScreen::onEmployeeButton(int index) {
    if (punchInProgress_ || !settle_.pressAccepted())
        return;
    // A button without a name belongs to nobody: its punches would be paid to no one.
    if (trimSpaces(state_.employeeNames[std::size_t(index)]).empty())
        return;
    emit employeePressed(index);
}

void StationScreen::showTime() {
    clockTimer_->setInterval(1000);
    clockLabel_->setText(QString::fromStdString(formatTime(services_.clock.now())));
}

void StationScreen::closeEvent(QCloseEvent* event) {
    if (closeAllowed_)
        event->accept();
    else
        event->ignore();
}

} // namespace tc
