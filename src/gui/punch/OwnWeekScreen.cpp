#include "gui/punch/OwnWeekScreen.h"

#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/MonotonicClock.h"
#include "platform/ScreenFonts.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tc {

OwnWeekScreen::OwnWeekScreen(Services& services, QWidget* stationWindow, const OwnWeek& week)
    : QWidget(stationWindow, Qt::Window | Qt::FramelessWindowHint), services_(services) {
    setObjectName(QStringLiteral("OwnWeekScreen"));
    setWindowTitle(Messages::applicationTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    Environment::fillScreen(services_.host.screenSize(), this);
    setAutoFillBackground(true);

    auto* name = new QLabel(QString::fromStdString(week.name), this);
    name->setObjectName(QStringLiteral("Name"));
    name->setTextFormat(Qt::PlainText);
    name->setFont(ScreenFonts::arialNarrow(services_.host.screenSize(), 48));
    name->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 56, 880, 97));

    QString days;
    for (const std::string& d : week.days)
        days += QString::fromStdString(d) + QLatin1Char('\n');
    days += QString::fromStdString(week.total);
    auto* hours = new QLabel(days, this);
    hours->setObjectName(QStringLiteral("Hours"));
    hours->setTextFormat(Qt::PlainText);
    hours->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hours->setFont(ScreenFonts::arial(services_.host.screenSize(), 22, true));
    hours->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 168, 300, 409));

    QString flagText;
    for (const std::string& f : week.flags)
        flagText += QString::fromStdString(f) + QLatin1Char('\n');
    auto* flags = new QPlainTextEdit(flagText.trimmed(), this);
    flags->setObjectName(QStringLiteral("Flags"));
    flags->setReadOnly(true);
    flags->setFocusPolicy(Qt::NoFocus);
    flags->setFont(ScreenFonts::arial(services_.host.screenSize(), 18));
    flags->setStyleSheet(QStringLiteral("color: #c00000"));
    flags->setGeometry(Environment::scaled(services_.host.screenSize(), 384, 168, 545, 409));

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseWeek"));
    close->setFont(ScreenFonts::arial(services_.host.screenSize(), 24));
    close->setFocusPolicy(Qt::NoFocus);
    close->setGeometry(Environment::scaled(services_.host.screenSize(), 776, 592, 153, 81));
    settle_.watch(close);
    connect(close, &QPushButton::clicked, this, [this] {
        if (settle_.pressAccepted())
            this->close();
    });

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &OwnWeekScreen::closeIfShownLongEnough);
    timer_->start(1000);
    shownAt_ = services_.monotonic.milliseconds();
    settle_.restart();
}

void OwnWeekScreen::closeIfShownLongEnough() {
    if (services_.monotonic.milliseconds() - shownAt_ >= kShownMilliseconds)
        close();
}

} // namespace tc
