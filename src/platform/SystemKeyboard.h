#pragma once

#include "platform/Keyboard.h"

namespace tc {

// Caps Lock state: GetKeyState(VK_CAPITAL) & 1 on Windows, the X server's
// keyboard indicators elsewhere.
class SystemKeyboard : public Keyboard {
  public:
    bool capsLockOn() const override;
};

} // namespace tc
