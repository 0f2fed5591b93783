#include "platform/Keyboard.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tc {

namespace {
std::optional<bool> gForced;
}

bool Keyboard::capsLockOn() {
    if (gForced)
        return *gForced;
#ifdef _WIN32
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
#else
    // Qt offers no portable way to read the lock state; without it the
    // password screen simply shows no Caps Lock warning.
    return false;
#endif
}

void Keyboard::setCapsLockForTest(std::optional<bool> on) { gForced = on; }

} // namespace tc
