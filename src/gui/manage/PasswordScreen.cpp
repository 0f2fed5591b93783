#include "gui/manage/PasswordScreen.h"

#include "core/credentials/ManagerPassword.h"
#include "core/punch/AppState.h"
#include "gui/manage/CredentialsScreen.h"
#include "gui/manage/EditorFactory.h"
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

QPointer<PasswordScreen> gPassFM;
QPointer<QWidget> gButtonData;
QPointer<QWidget> gTimeManage;

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

PasswordScreen* PasswordScreen::showManagement(Services& services, AppState& state, StationControl* station,
                                               EditorFactory& editors) {
    // Open already, though minimised (still visible to Qt) or on another
    // desktop: the same screen comes back, or Management and Exit All would
    // be out of reach.
    if (gPassFM && gPassFM->isVisible()) {
        Environment::bringBack(gPassFM);
        return gPassFM;
    }
    auto* screen = new PasswordScreen(services, state, station, editors);
    screen->show();
    screen->raise();
    screen->activateWindow();
    screen->Text2_->setFocus();
    return screen;
}

PasswordScreen* PasswordScreen::current() {
    return gPassFM && gPassFM->isVisible() ? gPassFM.data() : nullptr;
}

PasswordScreen::PasswordScreen(Services& services, AppState& state, StationControl* station,
                               EditorFactory& editors)
    : QWidget(station ? station->stationWindow() : nullptr, Qt::Window), services_(services), state_(state),
      station_(station), editors_(editors) {
    gPassFM = this;
    Environment::keepAboveStation(this);
    setObjectName(QStringLiteral("PasswordScreen"));
    setWindowTitle(QStringLiteral("PassWord Area"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ScreenFonts::arial(services_.host.screenSize(), 8));
    setFixedSize(Environment::scaled(services_.host.screenSize(), 0, 0, 217, 316).size());

    Label1_ = new QLabel(QStringLiteral("Caps Lock is on"), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setGeometry(Environment::scaled(services_.host.screenSize(), 120, 120, 88, 17));
    Label1_->setAutoFillBackground(true);
    QPalette tip = Label1_->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    Label1_->setPalette(tip);
    Label1_->hide();

    auto* label2 = new QLabel(QStringLiteral("Password"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 136, 49, 25));

    Text2_ = new QLineEdit(this);
    Text2_->setObjectName(QStringLiteral("Text2"));
    Text2_->setGeometry(Environment::scaled(services_.host.screenSize(), 80, 136, 121, 25));
    Text2_->setEchoMode(QLineEdit::Password);
    Text2_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    Text2_->installEventFilter(this);

    Option2_ = new QRadioButton(QStringLiteral("Edit Clock Data"), this);
    Option2_->setObjectName(QStringLiteral("Option2"));
    Option2_->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 176, 161, 17));
    Option2_->setChecked(true);
    Option1_ = new QRadioButton(QStringLiteral("Change Button Data"), this);
    Option1_->setObjectName(QStringLiteral("Option1"));
    Option1_->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 192, 161, 25));
    Option3_ = new QRadioButton(QStringLiteral("Employee PINs and Cards"), this);
    Option3_->setObjectName(QStringLiteral("Option3"));
    Option3_->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 216, 185, 25));
    Option4_ = new QRadioButton(QStringLiteral("Change Password"), this);
    Option4_->setObjectName(QStringLiteral("Option4"));
    Option4_->setGeometry(Environment::scaled(services_.host.screenSize(), 24, 240, 185, 25));

    auto* exitAll = new QPushButton(QStringLiteral("Exit All"), this);
    exitAll->setObjectName(QStringLiteral("Command3"));
    exitAll->setGeometry(Environment::scaled(services_.host.screenSize(), 16, 280, 57, 25));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setGeometry(Environment::scaled(services_.host.screenSize(), 80, 280, 57, 25));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
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

    Text2_->setFocus();
}

bool PasswordScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text2_) {
        const auto isEnter = [](QEvent* e) {
            auto* key = static_cast<QKeyEvent*>(e);
            return !key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
        };
        if (event->type() == QEvent::FocusIn) {
            if (services_.keyboard.capsLockOn())
                Label1_->show();
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
                Label1_->hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool PasswordScreen::passwordAccepted() {
    PasswordDelay& tries = state_.passwordTries;
    const std::int64_t now = services_.monotonic.milliseconds();
    const auto waitText = [](std::int64_t ms) {
        return QStringLiteral("Too many wrong passwords: wait %1 seconds before the next try.")
            .arg((ms + 999) / 1000);
    };
    // A try while the station makes guessing wait is not even looked at.
    if (const std::int64_t ms = tries.waitMs(now)) {
        services_.messages.show(this, waitText(ms));
        return false;
    }
    bool matches = false;
    if (const Status st =
            ManagerPassword::check(*state_.files, state_.baseFolder, Text2_->text().toStdString(), matches);
        !st) {
        services_.messages.show(this, QString::fromStdString(st.message()));
        return false;
    }
    if (matches) {
        tries.right();
        return true;
    }
    tries.wrong(now);
    QString text = QStringLiteral("Wrong Password");
    if (const std::int64_t ms = tries.waitMs(now))
        text += QStringLiteral("\r\n") + waitText(ms);
    services_.messages.show(this, text);
    return false;
}

void PasswordScreen::okPressed() {
    if (!passwordAccepted()) {
        Text2_->clear();
        return;
    }
    if (Option3_->isChecked())
        openWindow(new CredentialsScreen(services_, state_, parentWidget()));
    else if (Option4_->isChecked())
        openWindow(new PasswordChangeScreen(services_, state_, parentWidget()));
    else
        openEditor(Option1_->isChecked());
}

void PasswordScreen::openWindow(QWidget* window) {
    Environment::keepAboveStation(window);
    window->show();
    window->raise();
    window->activateWindow();
    close();
}

void PasswordScreen::openEditor(bool buttonData) {
    QPointer<QWidget>& slot = buttonData ? gButtonData : gTimeManage;
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
    FormsSafeUnload(true);
}

bool PasswordScreen::FormsSafeUnload(bool bFormsModal) {
    QWidget* const stationWindow = station_ ? station_->stationWindow() : nullptr;
    if (bFormsModal) {
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
