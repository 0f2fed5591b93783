#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>

namespace tc {

InstanceLock::InstanceLock(const QString& folder)
    : path_(QDir(QDir::fromNativeSeparators(folder)).filePath(lockFileName())),
      lock_(std::make_unique<QLockFile>(path_)) {
    // Never stale by age: a station runs for weeks. A lock whose process is
    // gone (killed, crashed, power cut) is still recognised as stale by its PID.
    lock_->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::tryLock() {
    if (lock_->isLocked())
        return true;
    return lock_->tryLock(0);
}

bool InstanceLock::isLocked() const { return lock_->isLocked(); }

} // namespace tc
