#pragma once

#include "core/journal/Journal.h"
#include "platform/Clock.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

namespace tc {

// Who runs the program, and how its windows are laid out and kept in view.
class Environment {
  public:
    // Who works at this computer, and its name, for the journals.
    static std::string userName();
    static std::string hostName();
    // Now, with its offset from UTC, and the user and host names.
    static JournalStamp journalStamp(const Clock& clock);

    // The screens are laid out in pixels for 1024 x 768; on any other screen
    // positions, sizes and type are scaled so each screen still fills it.
    static QRect scaled(QSize screen, int left, int top, int width, int height);
    static int scaledPointSize(QSize screen, double points);
    // Places a window laid out for 1024 x 768 over the whole screen.
    static void fillScreen(QSize screen, QWidget* window);

    // The station stays on top of every other window. What must be seen in
    // front of it (the password screen, the editors, their dialogs) is kept
    // on top as well: a window manager stacks it above the station then, and
    // not in the normal layer beneath it. It has no minimise button, and
    // minimised all the same (a window manager's key or menu) it comes back
    // at once: beneath the station it could never be reached again. Call
    // before the window is shown.
    static void keepAboveStation(QWidget* window);
    // Brings a window back to the front: restored when minimised, shown when
    // hidden, on the desktop in view.
    static void bringBack(QWidget* window);
    // The kiosk is on every virtual desktop, so switching desktops never
    // shows an empty one (a window manager's _NET_WM_DESKTOP "all").
    static void showOnEveryDesktop(QWidget* window);
};

} // namespace tc
