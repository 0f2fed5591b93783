#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace tc {

// One station per program folder: two stations writing the same week files
// would each overwrite the other's punches. The lock is a file in the folder
// ("timeclock.lock"); a lock left behind by a station that was killed is
// recognised by its dead process and taken over.
class InstanceLock {
public:
    explicit InstanceLock(const QString& folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the folder's lock.
    bool tryLock();
    bool isLocked() const;
    QString lockFilePath() const { return path_; }

    static QString lockFileName() { return QStringLiteral("timeclock.lock"); }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace tc
