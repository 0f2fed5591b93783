#pragma once

#include "core/journal/Journal.h"
#include "platform/Clock.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>

namespace tc {

// Where the program lives and what screen it has.
class Environment {
  public:
    // Folder of the executable, no trailing separator (tests override it).
    static QString baseFolder();
    static void setBaseFolderForTest(std::optional<QString> folder);

    // Who works at this computer, and its name, for the journals.
    static std::string userName();
    static std::string hostName();
    // Now, with its offset from UTC, and the user and host names.
    static JournalStamp journalStamp(const Clock& clock);

    // The machine's decimal separator, for numbers shown (tests override it).
    static char decimalSeparator();
    static void setDecimalSeparatorForTest(std::optional<char> separator);

    // Screen size in pixels (tests override it).
    static QSize screenSize();
    static void setScreenSizeForTest(std::optional<QSize> size);

    // The screens are laid out in pixels for 1024 x 768; on any other screen
    // positions, sizes and type are scaled so each screen still fills it.
    static double scaleX();
    static double scaleY();
    static QRect scaled(int left, int top, int width, int height);
    static int scaledPointSize(double points);
    // Places a screen laid out for 1024 x 768 over the whole screen.
    static void fillScreen(QWidget* screen);

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
