#pragma once

#include "platform/TaskBar.h"

namespace tc {

// The Windows taskbar ("Shell_TrayWnd"): FindWindowA, ShowWindow (0 hide,
// 5 show), EnableWindow. Elsewhere there is no taskbar to hide; the station
// takes the whole screen and stays on top instead, and only the state is kept.
class ShellTaskBar : public TaskBar {
  public:
    void setVisible(bool visible) override;
    bool isVisible() const override;
    // Makes sure the taskbar comes back however the program ends (normal end,
    // fatal signal, unhandled exception).
    static void restoreOnExit();
};

} // namespace tc
