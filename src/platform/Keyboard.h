#pragma once

namespace tc {

// The keyboard's lock keys.
class Keyboard {
  public:
    virtual ~Keyboard() = default;
    virtual bool capsLockOn() const = 0;
};

} // namespace tc
