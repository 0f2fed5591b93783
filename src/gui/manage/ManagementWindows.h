#pragma once

#include <QPointer>
#include <QWidget>

namespace tc {

class PasswordScreen;

// The management windows open at the station, each at most once: the
// password screen and the two editors it opens. The station's wiring owns
// them for the whole run and hands them to the password screen, so Management
// brings back the one already open rather than a second over the same files.
struct ManagementWindows {
    QPointer<PasswordScreen> passwordScreen;
    QPointer<QWidget> listEditor;
    QPointer<QWidget> timeSheet;
};

} // namespace tc
