#pragma once

namespace tc {

// The desktop's taskbar, hidden while the station runs as a kiosk.
class TaskBar {
  public:
    virtual ~TaskBar() = default;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0; // as last set (true at start)
};

} // namespace tc
