#pragma once

#include "platform/Services.h"
#include "support/fakes/FakeClipboard.h"
#include "support/fakes/FakeClock.h"
#include "support/fakes/FakeFileDialog.h"
#include "support/fakes/FakeHost.h"
#include "support/fakes/FakeKeyboard.h"
#include "support/fakes/FakeMessages.h"
#include "support/fakes/FakeMonotonicClock.h"
#include "support/fakes/FakePrinting.h"
#include "support/fakes/FakeTaskBar.h"
#include "support/fakes/FakeTextPrompt.h"

namespace tc {

// One fake of each service, handed to the screens under test as their bundle.
class FakeServices {
  public:
    FakeServices() = default;
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    FakeClock clock;
    FakeMonotonicClock monotonic;
    FakeMessages messages;
    FakeClipboard clipboard;
    FakeFileDialog fileDialog;
    FakePrinting printing;
    FakeTextPrompt prompt;
    FakeTaskBar taskBar;
    FakeKeyboard keyboard;
    FakeHost host;
    Services services{clock,    monotonic, messages, clipboard, fileDialog,
                      printing, prompt,    taskBar,  keyboard,  host};
};

} // namespace tc
