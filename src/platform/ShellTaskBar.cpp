#include "platform/ShellTaskBar.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tc {

namespace {

// The state a signal handler reads: there is one taskbar per desktop.
std::atomic<bool> gVisible{true};
std::atomic<bool> gHandlersInstalled{false};
std::terminate_handler gPreviousTerminate = nullptr;

void applyToTaskBar(bool visible) {
#ifdef _WIN32
    HWND tray = FindWindowA("Shell_TrayWnd", "");
    if (tray) {
        ShowWindow(tray, visible ? 5 : 0);
        EnableWindow(tray, visible ? TRUE : FALSE);
    }
#else
    (void)visible; // no taskbar to hide; the station covers the screen instead
#endif
}

// Only does something when the taskbar was hidden, so a normal end that has
// already shown it does not touch it twice.
void showAgain() {
    if (!gVisible.exchange(true))
        applyToTaskBar(true);
}

extern "C" void onFatalSignal(int sig) {
    showAgain();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void onTerminate() {
    showAgain();
    if (gPreviousTerminate)
        gPreviousTerminate();
    std::abort();
}

#ifdef _WIN32
BOOL WINAPI onConsoleEvent(DWORD) {
    showAgain();
    return FALSE; // let the default handling end the program
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS*) {
    showAgain();
    return EXCEPTION_CONTINUE_SEARCH;
}
#endif

} // namespace

void ShellTaskBar::setVisible(bool visible) {
    gVisible = visible;
    applyToTaskBar(visible);
}

bool ShellTaskBar::isVisible() const {
    return gVisible;
}

void ShellTaskBar::restoreOnExit() {
    if (gHandlersInstalled.exchange(true))
        return;
    // A station that ends in any way must not leave the computer without its taskbar.
    std::atexit(showAgain);
    gPreviousTerminate = std::set_terminate(onTerminate);
    for (int sig : {SIGSEGV, SIGABRT, SIGTERM, SIGINT, SIGFPE, SIGILL})
        std::signal(sig, onFatalSignal);
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
    SetUnhandledExceptionFilter(onUnhandledException);
#endif
}

} // namespace tc
