#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace tc {

// One station per program folder: two stations writing the same week files
// would each overwrite the other's punches. The lock is a file in the folder
// ("timeclock.lock") naming the process and computer that hold it.
//
// A lock whose owner cannot be running is stale and is taken over: a process
// of this computer that has ended (killed, crashed, power cut, a restart
// since), or a lock file that names no owner at all (empty or garbage: a
// station never leaves one so). A lock held by another computer (a shared
// folder) cannot be judged from here: it is refused, naming that computer.
class InstanceLock {
  public:
    enum class Outcome {
        Locked,        // this process holds the lock now
        Running,       // a live station on this computer holds it
        OtherComputer, // a station on another computer holds it (or held it and was not ended)
        Failed         // the lock could not be made: disk full, read-only folder, a folder in its place...
    };
    struct Result {
        Outcome outcome = Outcome::Failed;
        QString message; // what the person is told; empty when Locked
        explicit operator bool() const { return outcome == Outcome::Locked; }
    };

    explicit InstanceLock(const QString& folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Result acquire();
    // True when this process now holds the folder's lock.
    bool tryLock() { return bool(acquire()); }
    bool isLocked() const;
    QString lockFilePath() const { return path_; }

    static QString lockFileName() { return QStringLiteral("timeclock.lock"); }

  private:
    Result refusedOrFailed(bool mayTakeOver = true);
    // Why a new file cannot be made at the lock's path, in the system's words.
    QString whyNoFile() const;

    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace tc
