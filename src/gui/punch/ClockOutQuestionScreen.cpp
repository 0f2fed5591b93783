#include "gui/punch/ClockOutQuestionScreen.h"

#include "core/punch/ActionRules.h"
#include "core/punch/StationState.h"
#include "core/report/ReportSettings.h"
#include "gui/punch/PunchScreens.h"
#include "gui/station/StationControl.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

namespace tc {

namespace {

QTime timeOf(const DateTime& t) {
    return QTime(t.hour, t.minute, t.second);
}

} // namespace

bool ClockOutQuestionScreen::askIfForgotten(Services& services, StationState& state, StationControl& station,
                                            const PunchInProgress& punch) {
    const DateTime now = services.clock.now();
    LastPunch last;
    if (!findLastPunch(state, punch, now, last))
        return false; // the action screen says why the week cannot be read
    // A settings file that cannot be read is told on the report screen; the question keeps its default.
    ReportSettings settings;
    (void)readReportSettings(*state.files, state.baseFolder, settings);
    std::optional<ForgottenClockOut> shift =
        forgottenClockOut(last, punch.position, now, settings.askClockOutAfterSeconds);
    if (!shift)
        return false;
    auto* screen = new ClockOutQuestionScreen(services, state, station, punch, std::move(*shift));
    screen->show();
    screen->raise();
    screen->activateWindow();
    screen->settle_.restart();
    return true;
}

ClockOutQuestionScreen::ClockOutQuestionScreen(Services& services, StationState& state,
                                               StationControl& station, PunchInProgress punch,
                                               ForgottenClockOut shift)
    : QWidget(station.stationWindow(), Qt::Window | Qt::FramelessWindowHint), services_(services),
      state_(state), station_(station), punch_(std::move(punch)), shift_(std::move(shift)) {
    setObjectName(QStringLiteral("ClockOutQuestionScreen"));
    setWindowTitle(Messages::applicationTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
}

void ClockOutQuestionScreen::buildControls() {
    Environment::fillScreen(services_.host.screenSize(), this);
    setAutoFillBackground(true);

    auto* name = new QLabel(QString::fromStdString(punch_.employee), this);
    name->setObjectName(QStringLiteral("Name"));
    name->setTextFormat(Qt::PlainText);
    name->setFont(ScreenFonts::arialNarrow(services_.host.screenSize(), 48));
    name->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 56, 880, 97));

    auto* question = new QLabel(QString::fromStdString(shift_.question()), this);
    question->setObjectName(QStringLiteral("Question"));
    question->setTextFormat(Qt::PlainText);
    question->setWordWrap(true);
    question->setFont(ScreenFonts::arial(services_.host.screenSize(), 28, true));
    question->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 168, 880, 160));

    // Limited to the shift's day, from its last punch on: no other time can be told.
    picker_ = new QTimeEdit(this);
    picker_->setObjectName(QStringLiteral("LeftAt"));
    picker_->setDisplayFormat(QStringLiteral("h:mm AP"));
    picker_->setTimeRange(timeOf(shift_.earliest), timeOf(shift_.latest));
    picker_->setTime(timeOf(shift_.earliest));
    picker_->setFont(ScreenFonts::arial(services_.host.screenSize(), 36));
    // Arrows a finger can hit: the station has no mouse.
    picker_->setStyleSheet(QStringLiteral("QTimeEdit::up-button, QTimeEdit::down-button { width: 72px; }"));
    picker_->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 360, 400, 97));
    connect(picker_, &QTimeEdit::timeChanged, this, [this] { leftAt_->setEnabled(true); });

    struct Choice {
        const char* name;
        const char* caption;
        int left;
        int width;
    };
    const Choice choices[] = {{"KeepTime", "I left at this time", 64, 320},
                              {"DontKnow", "I don't know", 400, 240},
                              {"Exit", "Exit", 776, 153}};
    for (const Choice& c : choices) {
        auto* b = new QPushButton(QString::fromLatin1(c.caption), this);
        b->setObjectName(QString::fromLatin1(c.name));
        b->setFont(ScreenFonts::arial(services_.host.screenSize(), 24));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setGeometry(Environment::scaled(services_.host.screenSize(), c.left, 592, c.width, 81));
        settle_.watch(b);
        const std::string which = c.name;
        connect(b, &QPushButton::clicked, this, [this, which] {
            if (done_ || !settle_.pressAccepted())
                return;
            if (which == "Exit")
                leave();
            else
                answer(which == "KeepTime");
        });
        if (which == "KeepTime")
            leftAt_ = b;
    }
    // A time the employee has not set is never kept.
    leftAt_->setEnabled(false);
}

void ClockOutQuestionScreen::answer(bool known) {
    std::optional<DateTime> left;
    if (known) {
        const QTime t = picker_->time();
        DateTime d = shift_.earliest;
        d.hour = t.hour();
        d.minute = t.minute();
        d.second = t.second();
        left = d;
    }
    const JournalStamp told{services_.clock.now(), services_.clock.utcOffsetSeconds(), {}, {}};
    if (Status st = tellClockOut(*state_.files, shift_, left, told); !st) {
        services_.messages.show(this, QString::fromStdString(st.message()), Messages::Buttons::OkOnly);
        leave();
        return;
    }
    done_ = true;
    close();
    showActionScreen(services_, state_, station_, punch_);
}

void ClockOutQuestionScreen::leave() {
    done_ = true;
    station_.backFromPunch();
    close();
}

void ClockOutQuestionScreen::closeEvent(QCloseEvent* event) {
    if (!done_)
        leave();
    event->accept();
}

} // namespace tc
