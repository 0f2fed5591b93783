#include "gui/station/EmployeeGate.h"

#include "core/credentials/CredentialStore.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/punch/StationState.h"
#include "gui/station/PinPadScreen.h"
#include "gui/station/StationControl.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/MonotonicClock.h"

#include <QKeyEvent>
#include <QWidget>

namespace tc {

namespace {

// The time of day at which a lock of `ms` more milliseconds ends.
QString lockedUntil(const Clock& clock, std::int64_t ms) {
    return QString::fromStdString(formatTime(clock.now().addSeconds((ms + 999) / 1000)));
}

} // namespace

EmployeeGate::EmployeeGate(Services& services, StationState& state, StationControl& station, QWidget* board)
    : QObject(board), services_(services), state_(state), station_(station), board_(board) {
    board_->installEventFilter(this);
}

void EmployeeGate::load() {
    settings_ = StationSettings();
    if (const Status st = readStationSettings(*state_.files, state_.baseFolder, settings_); !st)
        services_.messages.show(board_, QString::fromStdString(st.message()));
}

void EmployeeGate::tellAndEnd(const QString& message) {
    services_.messages.show(pad_ ? static_cast<QWidget*>(pad_) : board_, message);
    if (pad_)
        pad_->closeAccepted();
    pad_.clear(); // it goes once this press is handled; the next name may come at once
    station_.backFromPunch();
}

void EmployeeGate::pass(const std::string& employee, std::function<void()> next) {
    if (!settings_.pins) {
        next();
        return;
    }
    if (station_.punchInProgress() || pad_)
        return;
    // No other name is taken while this one gives the PIN.
    station_.setPunchInProgress(true);
    CredentialStore store;
    if (const Status st = store.load(*state_.files, state_.baseFolder); !st)
        return tellAndEnd(QString::fromStdString(st.message()));
    if (!store.hasPin(employee))
        return tellAndEnd(QStringLiteral("No PIN is set for %1. The manager sets it under Management.")
                              .arg(QString::fromStdString(employee)));
    if (const std::int64_t ms = lockout_.lockedForMs(employee, services_.monotonic.milliseconds()))
        return tellAndEnd(QStringLiteral("%1 is locked after five wrong PINs until %2.")
                              .arg(QString::fromStdString(employee), lockedUntil(services_.clock, ms)));
    pad_ = new PinPadScreen(services_, QString::fromStdString(employee), station_.stationWindow());
    asking_ = Asking::Pin;
    connect(pad_, &PinPadScreen::entered, this, [this, employee, next](const QString& pin) {
        if (asking_ == Asking::Pin)
            pinEntered(employee, pin, false, next);
        else
            newPinEntered(employee, pin);
    });
    connect(pad_, &PinPadScreen::changeAsked, this, [this, employee, next](const QString& pin) {
        if (asking_ == Asking::Pin)
            pinEntered(employee, pin, true, next);
    });
    connect(pad_, &PinPadScreen::cancelled, this, [this] {
        pad_.clear();
        station_.backFromPunch();
    });
    pad_->show();
    pad_->raise();
    pad_->activateWindow();
}

void EmployeeGate::pinEntered(const std::string& employee, const QString& pin, bool change,
                              const std::function<void()>& next) {
    CredentialStore store;
    if (const Status st = store.load(*state_.files, state_.baseFolder); !st)
        return tellAndEnd(QString::fromStdString(st.message()));
    const std::int64_t now = services_.monotonic.milliseconds();
    if (store.pinMatches(employee, pin.toStdString())) {
        lockout_.right(employee);
        if (change) {
            asking_ = Asking::NewPin;
            pad_->setPrompt(QStringLiteral("Your new PIN, 4 to 8 digits"));
            pad_->startAgain();
            return;
        }
        pad_->closeAccepted();
        pad_.clear();
        // The action screen takes over the punch from here.
        station_.setPunchInProgress(false);
        next();
        return;
    }
    if (lockout_.wrong(employee, now))
        return tellAndEnd(
            QStringLiteral("Wrong PIN. Nothing was stored.\r\n%1 is locked after five wrong PINs until %2.")
                .arg(QString::fromStdString(employee),
                     lockedUntil(services_.clock, lockout_.lockedForMs(employee, now))));
    services_.messages.show(pad_, QStringLiteral("Wrong PIN. Nothing was stored."));
    pad_->startAgain();
}

void EmployeeGate::newPinEntered(const std::string& employee, const QString& pin) {
    if (asking_ == Asking::NewPin) {
        if (!CredentialStore::isPin(pin.toStdString())) {
            services_.messages.show(pad_, QStringLiteral("A PIN is 4 to 8 digits."));
            pad_->startAgain();
            return;
        }
        newPin_ = pin;
        asking_ = Asking::NewPinAgain;
        pad_->setPrompt(QStringLiteral("The new PIN again"));
        pad_->startAgain();
        return;
    }
    const QString first = newPin_;
    newPin_.clear();
    if (pin != first)
        return tellAndEnd(QStringLiteral("The two new PINs differ. Your PIN is unchanged."));
    CredentialStore store;
    Status st = store.load(*state_.files, state_.baseFolder);
    if (st)
        st = store.setPin(employee, pin.toStdString());
    if (st)
        st = store.save(*state_.files, state_.baseFolder);
    tellAndEnd(st ? QStringLiteral("Your PIN is changed.")
                  : QStringLiteral("Your PIN is unchanged. ") + QString::fromStdString(st.message()));
}

bool EmployeeGate::eventFilter(QObject* watched, QEvent* event) {
    if (watched != board_ || event->type() != QEvent::KeyPress || !settings_.cards)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const std::int64_t now = services_.monotonic.milliseconds();
    const QString text = key->text();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (const std::optional<std::string> card = typing_.enter(now))
            cardRead(*card);
    } else if (text.size() == 1 && text[0].unicode() < 128 && text[0].isLetterOrNumber()) {
        typing_.key(char(text[0].unicode()), now);
    } else {
        typing_.reset();
    }
    return true;
}

void EmployeeGate::cardRead(const std::string& card) {
    // The board only: a card read while a punch is being made chooses nobody.
    if (station_.punchInProgress() || pad_)
        return;
    CredentialStore store;
    if (const Status st = store.load(*state_.files, state_.baseFolder); !st) {
        services_.messages.show(board_, QString::fromStdString(st.message()));
        return;
    }
    const std::optional<std::string> name = store.nameForCard(card);
    for (int position = 0; name && position < kPositions; ++position) {
        if (state_.employeeNames[std::size_t(position)] != *name)
            continue;
        emit cardChosen(position);
        return;
    }
    services_.messages.show(board_, QStringLiteral("Unknown card. Nothing was stored."));
}

} // namespace tc
