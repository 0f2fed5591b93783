#include "gui/station/PinPadScreen.h"

#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace tc {

namespace {
constexpr int kLongestPin = 8;
}

PinPadScreen::PinPadScreen(Services& services, const QString& employee, QWidget* station)
    : QWidget(station, Qt::Window | Qt::FramelessWindowHint), services_(services) {
    setObjectName(QStringLiteral("PinPadScreen"));
    setWindowTitle(Messages::applicationTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    Environment::fillScreen(services_.host.screenSize(), this);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    auto* name = new QLabel(employee, this);
    name->setObjectName(QStringLiteral("Name"));
    name->setTextFormat(Qt::PlainText);
    name->setFont(ScreenFonts::arialNarrow(services_.host.screenSize(), 40));
    name->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 24, 896, 72));
    prompt_ = new QLabel(QStringLiteral("Enter your PIN"), this);
    prompt_->setObjectName(QStringLiteral("Prompt"));
    prompt_->setFont(ScreenFonts::arial(services_.host.screenSize(), 20));
    prompt_->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 96, 410, 40));
    dots_ = new QLabel(this);
    dots_->setObjectName(QStringLiteral("Typed"));
    dots_->setFont(ScreenFonts::arial(services_.host.screenSize(), 36, true));
    dots_->setGeometry(Environment::scaled(services_.host.screenSize(), 480, 88, 480, 56));

    // 1 2 3 / 4 5 6 / 7 8 9 / Clear 0 OK, and Cancel below.
    const QString keys[4][3] = {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"Clear", "0", "OK"}};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QString key = keys[row][column];
            auto* b = new QPushButton(key, this);
            b->setObjectName(key.size() == 1 ? QStringLiteral("Digit_") + key : key);
            b->setFont(ScreenFonts::arial(services_.host.screenSize(), 28, true));
            b->setFocusPolicy(Qt::NoFocus);
            b->setGeometry(Environment::scaled(services_.host.screenSize(), 272 + 164 * column,
                                               160 + 112 * row, 152, 100));
            settle_.watch(b);
            connect(b, &QPushButton::clicked, this, [this, key] {
                if (!settle_.pressAccepted())
                    return;
                if (key == QLatin1String("Clear")) {
                    typed_.clear();
                    showTyped();
                } else if (key == QLatin1String("OK")) {
                    finish();
                } else {
                    addDigit(key[0]);
                }
            });
        }
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setFont(ScreenFonts::arial(services_.host.screenSize(), 24));
    cancel->setFocusPolicy(Qt::NoFocus);
    cancel->setGeometry(Environment::scaled(services_.host.screenSize(), 436, 616, 152, 81));
    settle_.watch(cancel);
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (settle_.pressAccepted())
            close();
    });
    auto* change = new QPushButton(QStringLiteral("Change PIN"), this);
    change->setObjectName(QStringLiteral("ChangePin"));
    change->setFont(ScreenFonts::arial(services_.host.screenSize(), 20));
    change->setFocusPolicy(Qt::NoFocus);
    change->setGeometry(Environment::scaled(services_.host.screenSize(), 600, 616, 152, 81));
    settle_.watch(change);
    connect(change, &QPushButton::clicked, this, [this] {
        if (settle_.pressAccepted())
            finish(true);
    });
    settle_.restart();
}

void PinPadScreen::setPrompt(const QString& prompt) {
    prompt_->setText(prompt);
}

void PinPadScreen::startAgain() {
    typed_.clear();
    showTyped();
    settle_.restart();
}

void PinPadScreen::closeAccepted() {
    done_ = true;
    close();
}

void PinPadScreen::addDigit(QChar digit) {
    if (typed_.size() < kLongestPin)
        typed_ += digit;
    showTyped();
}

void PinPadScreen::showTyped() {
    dots_->setText(QString(typed_.size(), QChar(0x25CF)));
}

void PinPadScreen::finish(bool change) {
    if (typed_.isEmpty())
        return;
    const QString pin = typed_;
    typed_.clear();
    showTyped();
    if (change)
        emit changeAsked(pin);
    else
        emit entered(pin);
}

void PinPadScreen::keyPressEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    const QString text = event->text();
    if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'))
        addDigit(text[0]);
    else if (event->key() == Qt::Key_Backspace)
        typed_.chop(1), showTyped();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        finish();
    else if (event->key() == Qt::Key_Escape)
        close();
}

void PinPadScreen::closeEvent(QCloseEvent* event) {
    // However it closes (Cancel, Escape, Exit All), the station hears it once.
    if (!done_) {
        done_ = true;
        emit cancelled();
    }
    event->accept();
}

} // namespace tc
