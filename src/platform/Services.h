#pragma once

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/Host.h"
#include "platform/Keyboard.h"
#include "platform/Messages.h"
#include "platform/MonotonicClock.h"
#include "platform/Printing.h"
#include "platform/TaskBar.h"
#include "platform/TextPrompt.h"

namespace tc {

// What the screens use of the computer around them, handed to each screen
// when it is made: the station's wiring hands in the real ones, the tests
// their fakes.
struct Services {
    Clock& clock;
    MonotonicClock& monotonic;
    Messages& messages;
    Clipboard& clipboard;
    FileDialog& fileDialog;
    Printing& printing;
    TextPrompt& prompt;
    TaskBar& taskBar;
    Keyboard& keyboard;
    Host& host;
};

} // namespace tc
