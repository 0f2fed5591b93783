#pragma once

#include <optional>

namespace tc {

// Caps Lock state: GetKeyState(VK_CAPITAL) & 1 on Windows, the keyboard's
// state elsewhere. Tests force it.
class Keyboard {
  public:
    static bool capsLockOn();
    static void setCapsLockForTest(std::optional<bool> on);
};

} // namespace tc
