#include "app/StationApp.h"
#include "app/SystemServices.h"
#include "platform/InstanceLock.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application name stays the executable's own: the single-instance
    // lock compares it with the running process's name to tell a live lock
    // from one left by a killed station.
    tc::ShellTaskBar::restoreOnExit();
    tc::SystemServices system;

    // A second station on the same folder would overwrite the first one's punches.
    const QString folder = system.services().host.baseFolder();
    tc::InstanceLock lock(folder);
    if (const tc::InstanceLock::Result locked = lock.acquire(); !locked) {
        system.services().messages.show(nullptr, locked.message);
        return 1;
    }

    tc::StationApp station(system.services(), folder.toStdString());
    station.start();
    return app.exec();
}
