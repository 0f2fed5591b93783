#include "platform/Environment.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>

#ifdef TIMECLOCK_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace tc {

namespace {
constexpr double kLayoutWidth = 1024.0;
constexpr double kLayoutHeight = 768.0;

double scaleX(QSize screen) {
    return screen.width() / kLayoutWidth;
}

double scaleY(QSize screen) {
    return screen.height() / kLayoutHeight;
}
} // namespace

std::string Environment::userName() {
    QString user = qEnvironmentVariable("USERNAME"); // Windows
    if (user.isEmpty())
        user = qEnvironmentVariable("USER");
    return user.toStdString();
}

std::string Environment::hostName() {
    return QSysInfo::machineHostName().toStdString();
}

JournalStamp Environment::journalStamp(const Clock& clock) {
    return JournalStamp{clock.now(), clock.utcOffsetSeconds(), userName(), hostName()};
}

QRect Environment::scaled(QSize screen, int left, int top, int width, int height) {
    const double sx = scaleX(screen);
    const double sy = scaleY(screen);
    // Scale both edges, not the size, so neighbouring controls keep their gaps.
    const int l = int(std::lround(left * sx));
    const int t = int(std::lround(top * sy));
    const int r = int(std::lround((left + width) * sx));
    const int b = int(std::lround((top + height) * sy));
    return QRect(l, t, r - l, b - t);
}

int Environment::scaledPointSize(QSize screen, double points) {
    // Type grows with the smaller factor so a caption still fits its control.
    const double s = std::min(scaleX(screen), scaleY(screen));
    return std::max(1, int(std::lround(points * s)));
}

void Environment::fillScreen(QSize screen, QWidget* window) {
    QPoint origin(0, 0);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        origin = primary->geometry().topLeft();
    window->setGeometry(QRect(origin, screen));
}

namespace {

// Undoes a minimise of the window it watches, once the window manager is done.
class NeverMinimised : public QObject {
  public:
    explicit NeverMinimised(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QStringLiteral("NeverMinimised"));
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::WindowStateChange && window_->isMinimized())
            QTimer::singleShot(0, window_, [w = window_] { Environment::bringBack(w); });
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* window_;
};

} // namespace

void Environment::keepAboveStation(QWidget* window) {
    window->setWindowFlags(window->windowFlags() | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowCloseButtonHint);
    window->setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    if (!window->findChild<QObject*>(QStringLiteral("NeverMinimised"), Qt::FindDirectChildrenOnly))
        window->installEventFilter(new NeverMinimised(window));
}

void Environment::bringBack(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    showOnEveryDesktop(window);
    window->raise();
    window->activateWindow();
}

void Environment::showOnEveryDesktop(QWidget* window) {
#ifdef TIMECLOCK_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return; // offscreen, Wayland: nothing to ask
    const Window id = Window(window->winId());
    const Atom desktop = XInternAtom(display, "_NET_WM_DESKTOP", False);
    unsigned long all = 0xFFFFFFFFul;
    // Read by the window manager when the window is mapped...
    XChangeProperty(display, id, desktop, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&all), 1);
    // ...and asked of it for a window already on the screen.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = desktop;
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(all);
    event.xclient.data.l[1] = 1; // from an application
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XFlush(display);
#else
    (void)window; // Windows: the station is topmost on the desktop it runs on
#endif
}

} // namespace tc
