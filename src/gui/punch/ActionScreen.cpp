#include "gui/punch/ActionScreen.h"

#include "core/format/TimeText.h"
#include "core/punch/ActionRules.h"
#include "core/punch/LastActionSummary.h"
#include "core/punch/StationState.h"
#include "gui/punch/JobScreen.h"
#include "gui/punch/OwnWeekScreen.h"
#include "gui/punch/PunchScreens.h"
#include "gui/station/StationControl.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"
#include "platform/ScreenText.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tc {

namespace {

// The caption and the place of one action button; the five stand on one row.
struct ActionButtonLayout {
    const char* caption;
    int left;
    int width;
};
constexpr ActionButtonLayout kButtons[kActionButtons] = {{"Clock IN", 64, 153},
                                                         {"Change Job", 224, 201},
                                                         {"Lunch", 432, 153},
                                                         {"Clock Out", 592, 177},
                                                         {"Exit", 776, 153}};

QPlainTextEdit* makeBox(QWidget* parent, const char* name, const QRect& geometry, const QFont& font) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFont(font);
    box->setGeometry(geometry);
    return box;
}

void setBox(QPlainTextEdit* box, const std::string& text) {
    const QString t = QString::fromStdString(text);
    box->setProperty("Text", t); // as the routine made it, CR LF included
    box->setPlainText(ScreenText::forBox(t));
}

} // namespace

ActionScreen::ActionScreen(Services& services, StationState& state, StationControl& station,
                           PunchInProgress punch)
    // Owned by the station so it stays above it (the station stays on top).
    : QWidget(station.stationWindow(), Qt::Window | Qt::FramelessWindowHint), services_(services),
      state_(state), station_(station), punch_(std::move(punch)) {
    setObjectName(QStringLiteral("ActionScreen"));
    setWindowTitle(Messages::applicationTitle());
    buildControls();
}

void ActionScreen::buildControls() {
    Environment::fillScreen(services_.host.screenSize(), this);
    setAutoFillBackground(true);

    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("nameAndClock_%1").arg(i));
        l->setProperty("index", i);
        l->setTextFormat(Qt::PlainText);
        l->setFont(ScreenFonts::arialNarrow(services_.host.screenSize(), 48));
        nameAndClock_[std::size_t(i)] = l;
    }
    nameAndClock_[0]->setText(QStringLiteral("Label1"));
    nameAndClock_[0]->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 56, 880, 97));
    nameAndClock_[1]->setText(QStringLiteral("0:00 Am"));
    nameAndClock_[1]->setAlignment(Qt::AlignCenter);
    nameAndClock_[1]->setGeometry(Environment::scaled(services_.host.screenSize(), 344, 680, 337, 81));

    lastPunchBox_ =
        makeBox(this, "lastPunchBox", Environment::scaled(services_.host.screenSize(), 64, 168, 433, 409),
                ScreenFonts::arial(services_.host.screenSize(), 18, true));
    setBox(lastPunchBox_, "Text1");
    weekHoursBox_ =
        makeBox(this, "weekHoursBox", Environment::scaled(services_.host.screenSize(), 504, 168, 425, 409),
                ScreenFonts::arial(services_.host.screenSize(), 18));
    setBox(weekHoursBox_, "");

    for (int i = 0; i < kActionButtons; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(kButtons[i].caption), this);
        b->setObjectName(QStringLiteral("actionButton_%1").arg(i));
        b->setProperty("index", i);
        b->setFont(ScreenFonts::arial(services_.host.screenSize(), 24));
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(
            Environment::scaled(services_.host.screenSize(), kButtons[i].left, 592, kButtons[i].width, 81));
        connect(b, &QPushButton::clicked, this, [this, i] { onAction(i); });
        settle_.watch(b);
        actionButtons_[std::size_t(i)] = b;
    }

    ownWeek_ = new QPushButton(QStringLiteral("My Week"), this);
    ownWeek_->setObjectName(QStringLiteral("OwnWeek"));
    ownWeek_->setFont(ScreenFonts::arial(services_.host.screenSize(), 24));
    ownWeek_->setFocusPolicy(Qt::NoFocus);
    ownWeek_->setGeometry(Environment::scaled(services_.host.screenSize(), 776, 680, 153, 81));
    connect(ownWeek_, &QPushButton::clicked, this, &ActionScreen::showOwnWeek);
    settle_.watch(ownWeek_);

    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName(QStringLiteral("clockTimer"));
    connect(clockTimer_, &QTimer::timeout, this, &ActionScreen::showTime);
}

void ActionScreen::load() {
    nameAndClock_[0]->setText(QString::fromStdString(punch_.employee));
    const DateTime now = services_.clock.now();
    const ActionButtons enabled = permittedActions(state_, punch_, now);
    for (int i = 0; i < kActionButtons; ++i)
        actionButtons_[std::size_t(i)]->setEnabled(enabled[std::size_t(i)]);
    const SummaryTexts summary = lastActionSummary(state_, punch_, now, services_.host.decimalSeparator());
    setBox(lastPunchBox_, summary.lastPunch);
    setBox(weekHoursBox_, summary.weekHours);
    clockTimer_->start(100);
    // The week could not be read (the program folder gone): the employee is
    // told why only Clock IN is offered and the summary is empty.
    if (!summary.problem)
        services_.messages.show(this, QString::fromStdString(summary.problem.message()),
                                Messages::Buttons::OkOnly);
    settle_.restart();
}

void ActionScreen::onAction(int index) {
    if (done_ || !settle_.pressAccepted())
        return;
    PunchInProgress punch = punch_; // no job nor department yet
    switch (index) {
    case ClockIn:
        punch.action = std::string(kActionIn);
        openJobScreen(punch);
        break;
    case ChangeJob:
        punch.action = std::string(kActionChange);
        openJobScreen(punch);
        break;
    case Lunch:
    case ClockOut:
        punch.action = std::string(index == Lunch ? kActionLunch : kActionOut);
        done_ = true;
        punchscreens::storePunch(services_, this, state_, station_, punch);
        exitToStation();
        break;
    case ExitButton:
        exitToStation();
        break;
    default:
        break;
    }
}

void ActionScreen::openJobScreen(const PunchInProgress& punch) {
    // Still open: brought back rather than a second one opened. Its punch has
    // this action: Clock IN and Change Job are never offered together.
    if (job_) {
        job_->show();
        job_->raise();
        job_->settle();
        return;
    }
    job_ = new JobScreen(services_, state_, *this, punch);
    job_->show();
    job_->raise();
    job_->activateWindow();
    job_->load();
}

void ActionScreen::exitToStation() {
    done_ = true;
    station_.backFromPunch();
    if (job_)
        punchscreens::unload(job_);
    punchscreens::unload(this);
}

void ActionScreen::closeEvent(QCloseEvent* event) {
    if (!done_)
        exitToStation(); // closes this screen again, then with done_ set
    event->accept();
}

JobScreen* ActionScreen::jobScreen() const {
    return job_;
}

void ActionScreen::jobScreenClosed() {
    job_ = nullptr;
    settle_.restart(); // in front again
}

void ActionScreen::showOwnWeek() {
    if (done_ || !settle_.pressAccepted())
        return;
    auto* week = new OwnWeekScreen(services_, station_.stationWindow(),
                                   ownWeek(state_, punch_, services_.clock.now()));
    // In front again when it closes: a press meant for it does not land here.
    connect(week, &QObject::destroyed, this, [this] { settle_.restart(); });
    week->show();
    week->raise();
    week->activateWindow();
}

void ActionScreen::showTime() {
    clockTimer_->setInterval(1000);
    nameAndClock_[1]->setText(QString::fromStdString(formatTime(services_.clock.now())));
}

} // namespace tc
