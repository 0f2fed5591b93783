#pragma once

#include "platform/TaskBar.h"

namespace tc {

// Keeps whether the taskbar would be shown; touches the desktop's not at all.
class FakeTaskBar : public TaskBar {
  public:
    void setVisible(bool visible) override { visible_ = visible; }
    bool isVisible() const override { return visible_; }

  private:
    bool visible_ = true;
};

} // namespace tc
