#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

namespace tc {

InstanceLock::InstanceLock(const QString& folder)
    : path_(QDir(QDir::fromNativeSeparators(folder)).filePath(lockFileName())),
      lock_(std::make_unique<QLockFile>(path_)) {
    // Never stale by age: a station runs for weeks. A lock whose process is
    // gone (killed, crashed, power cut) is still recognised as stale by its PID.
    lock_->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::isLocked() const {
    return lock_->isLocked();
}

InstanceLock::Result InstanceLock::acquire() {
    if (lock_->isLocked())
        return {Outcome::Locked, QString()};
    // Qt reads whatever stands at the path, through a link and to its end: a
    // pipe would hang the start, a link to a device read for ever. As with
    // the week files, only a regular file of a lock's size is read.
    const QFileInfo info(path_);
    if (info.isSymLink() || (info.exists() && !info.isFile() && !info.isDir()))
        return {
            Outcome::Failed,
            QStringLiteral("The time clock cannot start: %1 is not a regular file (a link, a pipe or a "
                           "device stands where its lock file belongs). Remove it and start the time clock "
                           "again.")
                .arg(QDir::toNativeSeparators(path_))};
    // Far more than any station writes: damaged, so no owner can be running.
    constexpr qint64 kMaxLockBytes = 4096;
    if (info.isFile() && info.size() > kMaxLockBytes && !QFile::remove(path_))
        return {Outcome::Failed,
                QStringLiteral("The time clock cannot start: the damaged lock file %1 cannot be removed.")
                    .arg(QDir::toNativeSeparators(path_))};
    if (lock_->tryLock(0))
        return {Outcome::Locked, QString()};
    return refusedOrFailed();
}

InstanceLock::Result InstanceLock::refusedOrFailed(bool mayTakeOver) {
    const QString shown = QDir::toNativeSeparators(path_);
    if (lock_->error() != QLockFile::LockFailedError)
        return {Outcome::Failed,
                QStringLiteral("The time clock cannot start: its lock file %1 cannot be made (%2).")
                    .arg(shown, whyNoFile())};

    if (QFileInfo(path_).isDir())
        return {Outcome::Failed,
                QStringLiteral("The time clock cannot start: a folder %1 stands where its lock file belongs. "
                               "Remove that folder and start the time clock again.")
                    .arg(shown)};

    qint64 pid = 0;
    QString host;
    QString app;
    if (!lock_->getLockInfo(&pid, &host, &app)) {
        // Empty or garbage: no station leaves a lock file so (it writes its
        // owner at once, and removes the file when it cannot), so no owner
        // can be running. Taken over.
        if (mayTakeOver && (lock_->removeStaleLockFile() || !QFileInfo::exists(path_))) {
            if (lock_->tryLock(0))
                return {Outcome::Locked, QString()};
            return refusedOrFailed(false);
        }
        return {Outcome::Failed,
                QStringLiteral("The time clock cannot start: the damaged lock file %1 cannot be removed.")
                    .arg(shown)};
    }

    // Qt has already taken over a lock of this computer whose process ended.
    if (host.isEmpty() || host == QSysInfo::machineHostName())
        return {Outcome::Running, QStringLiteral("The time clock is already running from this folder.")};
    return {Outcome::OtherComputer,
            QStringLiteral(
                "The time clock is already running from this folder on the computer %1 (process %2), "
                "or was not ended properly there. Only one station may use a folder. If the time clock "
                "no longer runs on %1, delete %3 and start it again.")
                .arg(host)
                .arg(pid)
                .arg(shown)};
}

QString InstanceLock::whyNoFile() const {
    QFile probe(path_);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return probe.errorString();
    // Made after all: the disk takes no content (full).
    const bool written = probe.write("0\n") == 2 && probe.flush();
    const QString why = written ? QStringLiteral("unknown error") : probe.errorString();
    probe.close();
    probe.remove();
    return why;
}

} // namespace tc
