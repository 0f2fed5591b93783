#include "platform/SystemKeyboard.h"

#ifdef _WIN32
#include <windows.h>
#elif defined(TIMECLOCK_HAVE_X11)
#include <QGuiApplication>
#include <X11/XKBlib.h>
#endif

namespace tc {

bool SystemKeyboard::capsLockOn() const {
#ifdef _WIN32
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
#elif defined(TIMECLOCK_HAVE_X11)
    // Bit 0 of the core keyboard's indicator state is the Caps Lock light.
    // Without an X server (offscreen, Wayland) no warning is shown.
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    unsigned int state = 0;
    if (x11 && x11->display() && XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) == 0)
        return (state & 1u) != 0;
    return false;
#else
    return false;
#endif
}

} // namespace tc
