#pragma once

#include "platform/Keyboard.h"

namespace tc {

// Caps Lock as the test sets it (off at first).
class FakeKeyboard : public Keyboard {
  public:
    bool capsLockOn() const override { return capsLock_; }
    void setCapsLock(bool on) { capsLock_ = on; }

  private:
    bool capsLock_ = false;
};

} // namespace tc
