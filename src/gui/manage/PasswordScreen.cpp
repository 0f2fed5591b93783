#include "gui/manage/PasswordScreen.h"

#include "core/credentials/ManagerPassword.h"
#include "core/punch/StationState.h"
#include "gui/manage/CredentialsScreen.h"
#include "gui/manage/EditorFactory.h"
#include "gui/manage/ManagementWindows.h"
#include "gui/manage/PasswordChangeScreen.h"
#include "gui/station/StationControl.h"
#include "platform/Environment.h"
#include "platform/Keyboard.h"
#include "platform/Messages.h"
#include "platform/MonotonicClock.h"
#include "platform/ScreenFonts.h"
#include "platform/TaskBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <exception>

namespace tc {

namespace {

// Screens that are open: shown top-level windows (menus, tooltips and the like excluded).
QList<QWidget*> openScreens() {
    QList<QWidget*> screens;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && (type == Qt::Window || type == Qt::Dialog))
            screens.append(w);
    }
    return screens;
}

} // namespace

PasswordScreen* PasswordScreen::showManagement(Services& services, StationState& state,
                                               StationControl* station, EditorFactory& editors,
                                               ManagementWindows& open) {
    // Open already, though minimised (still visible to Qt) or on another
    // desktop: the same screen comes back, or Management and Exit All would
    // be out of reach.
    if (open.passwordScreen && open.passwordScreen->isVisible()) {
        Environment::bringBack(open.passwordScreen);
        return open.passwordScreen;
    }
    auto* screen = new PasswordScreen(services, state, station, editors, open);
    screen->show();
    screen->raise();
    screen->activateWindow();
    screen->passwordBox_->setFocus();
    return screen;
}

PasswordScreen::PasswordScreen(Services& services, StationState& state, StationControl* station,
                               EditorFactory& editors, ManagementWindows& open)
    : QWidget(station ? station->stationWindow() : nullptr, Qt::Window), services_(services), state_(state),
      station_(station), editors_(editors), open_(open) {
    open_.passwordScreen = this;
    Environment::keepAboveStation(this);
    setObjectName(QStringLiteral("PasswordScreen"));
    setWindowTitle(QStringLiteral("PassWord Area"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ScreenFonts::arial(services_.host.screenSize(), 8));
    setFixedSize(Environment::scaled(services_.host.screenSize(), 0, 0, 217, 316).size());

    capsLockTip_ = new QLabel(QStringLiteral("Caps Lock is on"), this);
    capsLockTip_->setObjectName(QStringLiteral("capsLockTip"));
    capsLockTip_->setGeometry(Environment::scaled(services_.host.screenSize(), 120, 120, 88, 17));
    capsLockTip_->setAutoFillBackground(true);
    QPalette tip = capsLockTip_->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    capsLockTip_->setPalette(tip);
    capsLockTip_->hide();

    auto* label2 = new QLabel(QStringLiteral("Password"), this);
    label2->setObjectName(QStringLiteral("passwordLabel"));
    label2->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 136, 49, 25));

    passwordBox_ = new QLineEdit(this);
    passwordBox_->setObjectName(QStringLiteral("passwordBox"));
    passwordBox_->setGeometry(Environment::scaled(services_.host.screenSize(), 80, 136, 121, 25));
    passwordBox_->setEchoMode(QLineEdit::Password);
    passwordBox_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    passwordBox_->installEventFilter(this);

    clockDataOption_ = new QRadioButton(QStringLiteral("Edit Clock Data"), this);
    clockDataOption_->setObjectName(QStringLiteral("clockDataOption"));
    clockDataOption_->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 176, 161, 17));
    clockDataOption_->setChecked(true);
    buttonDataOption_ = new QRadioButton(QStringLiteral("Change Button Data"), this);
    buttonDataOption_->setObjectName(QStringLiteral("buttonDataOption"));
    buttonDataOption_->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 192, 161, 25));
    credentialsOption_ = new QRadioButton(QStringLiteral("Employee PINs and Cards"), this);
    credentialsOption_->setObjectName(QStringLiteral("credentialsOption"));
    credentialsOption_->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 216, 185, 25));
    passwordOption_ = new QRadioButton(QStringLiteral("Change Password"), this);
    passwordOption_->setObjectName(QStringLiteral("passwordOption"));
    passwordOption_->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 240, 185, 25));

    auto* exitAll = new QPushButton(QStringLiteral("Exit All"), this);
    exitAll->setObjectName(QStringLiteral("exitAllButton"));
    exitAll->setGeometry(Environment::scaled(services_.host.screenSize(), 16, 280, 57, 25));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(Environment::scaled(services_.host.screenSize(), 80, 280, 57, 25));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(Environment::scaled(services_.host.screenSize(), 144, 280, 57, 25));
    // The buttons must not take the focus from the password box, or Enter
    // would land on them.
    for (QPushButton* b : {exitAll, ok, cancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connect(ok, &QPushButton::clicked, this, &PasswordScreen::okPressed);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(exitAll, &QPushButton::clicked, this, &PasswordScreen::exitAllPressed);

    passwordBox_->setFocus();
}

bool PasswordScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == passwordBox_) {
        const auto isEnter = [](QEvent* e) {
            auto* key = static_cast<QKeyEvent*>(e);
            return !key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
        };
        if (event->type() == QEvent::FocusIn) {
            if (services_.keyboard.capsLockOn())
                capsLockTip_->show();
        } else if (event->type() == QEvent::FocusOut) {
            enterPressedHere_ = false;
        } else if (event->type() == QEvent::KeyPress && isEnter(event)) {
            enterPressedHere_ = true;
        } else if (event->type() == QEvent::KeyRelease) {
            // Only an Enter pressed here too: the Enter that closes "Wrong
            // Password" is released here as well, and must not ask again.
            if (isEnter(event) && enterPressedHere_) {
                enterPressedHere_ = false;
                okPressed();
            }
            if (!services_.keyboard.capsLockOn())
                capsLockTip_->hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool PasswordScreen::passwordAccepted() {
    const ManagerPassword::Answer answer =
        ManagerPassword::attempt(*state_.files, state_.baseFolder, passwordBox_->text().toStdString(),
                                 state_.passwordTries, services_.monotonic.milliseconds());
    if (!answer.accepted)
        services_.messages.show(this, QString::fromStdString(answer.message));
    return answer.accepted;
}

void PasswordScreen::okPressed() {
    if (!passwordAccepted()) {
        passwordBox_->clear();
        return;
    }
    if (credentialsOption_->isChecked())
        openWindow(new CredentialsScreen(services_, state_, parentWidget()));
    else if (passwordOption_->isChecked())
        openWindow(new PasswordChangeScreen(services_, state_, parentWidget()));
    else
        openEditor(buttonDataOption_->isChecked());
}

void PasswordScreen::openWindow(QWidget* window) {
    Environment::keepAboveStation(window);
    window->show();
    window->raise();
    window->activateWindow();
    close();
}

void PasswordScreen::openEditor(bool buttonData) {
    QPointer<QWidget>& slot = buttonData ? open_.listEditor : open_.timeSheet;
    try {
        // An editor that is already open is brought to the front with what it
        // holds, not loaded a second time over the same files.
        if (!slot || !slot->isVisible()) {
            using Editor = EditorFactory::Editor;
            slot = editors_.make(services_, buttonData ? Editor::ListEditor : Editor::TimeSheetScreen,
                                 *state_.files, state_.baseFolder, parentWidget());
            Environment::keepAboveStation(slot);
        }
        slot->show();
        slot->raise();
        slot->activateWindow();
    } catch (const std::exception&) {
        // The station goes on; the taskbar comes back so the computer stays usable.
        services_.taskBar.setVisible(true);
    }
    close();
}

void PasswordScreen::exitAllPressed() {
    if (!passwordAccepted())
        return;
    closeAllScreens(true);
}

bool PasswordScreen::closeAllScreens(bool modalFirst) {
    QWidget* const stationWindow = station_ ? station_->stationWindow() : nullptr;
    if (modalFirst) {
        QWidget* active = QApplication::activeModalWidget();
        if (!active)
            active = QApplication::activeWindow();
        if (active) {
            const QList<QWidget*> screens = openScreens();
            for (auto it = screens.rbegin(); it != screens.rend(); ++it) {
                if (*it == active && *it != stationWindow && !(*it)->close())
                    return false;
            }
        }
    }
    // The station goes last: closing it ends the program, and every other
    // screen must be gone by then.
    for (QWidget* w : openScreens()) {
        if (w != stationWindow && !w->close())
            return false;
    }
    // The station refuses to close (it is the kiosk) until told that the
    // program is being ended on purpose.
    if (station_ && stationWindow->isVisible()) {
        station_->allowClose();
        if (!stationWindow->close())
            return false;
        // The program is ending: the computer gets its taskbar back now, not
        // only when the station is finally destroyed.
        services_.taskBar.setVisible(true);
    }
    return openScreens().isEmpty();
}

} // namespace tc
