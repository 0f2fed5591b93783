#pragma once

#include "platform/FileDialogs.h"
#include "platform/InputDialogPrompt.h"
#include "platform/MessageBoxes.h"
#include "platform/PrintPreview.h"
#include "platform/Services.h"
#include "platform/ShellTaskBar.h"
#include "platform/SteadyClock.h"
#include "platform/SystemClipboard.h"
#include "platform/SystemClock.h"
#include "platform/SystemHost.h"
#include "platform/SystemKeyboard.h"

namespace tc {

// The real services of this computer, made once by the station's main and
// handed to every screen as one bundle.
class SystemServices {
  public:
    SystemServices() = default;
    SystemServices(const SystemServices&) = delete;
    SystemServices& operator=(const SystemServices&) = delete;

    Services& services() { return services_; }

  private:
    SystemClock clock_;
    SteadyClock monotonic_;
    MessageBoxes messages_;
    SystemClipboard clipboard_;
    FileDialogs fileDialog_;
    PrintPreview printing_;
    InputDialogPrompt prompt_;
    ShellTaskBar taskBar_;
    SystemKeyboard keyboard_;
    SystemHost host_;
    Services services_{clock_,    monotonic_, messages_, clipboard_, fileDialog_,
                       printing_, prompt_,    taskBar_,  keyboard_,  host_};
};

} // namespace tc
