#pragma once

#include "data/FileAccess.h"

#include <array>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace tc::test {

// The real file system with failures on demand: the Nth call of an operation
// fails (once, or from then on) with a reason as the operating system gives it,
// and nothing of that call reaches the disk. Failed closes still release the
// handle, as a real close does. Every call is counted and logged in order, so
// a test can see which operations a sequence made, on which files, and that
// the one it planned to fail was really called.
class FaultyFiles final : public FileAccess {
  public:
    enum class Op { Open, OpenForWriting, Read, Write, Flush, Close, Rename, Remove, SyncFolder, Count_ };

    // One call: the operation and the file or folder it was made on (for a
    // read, write, flush or close, the file its handle was opened on; for a
    // rename, the file replaced). An open for writing is logged as
    // OpenForWriting only, though it counts as an Open too.
    struct Call {
        Op op;
        std::string path;
        bool failed = false;
        friend bool operator==(const Call&, const Call&) = default;
        friend void PrintTo(const Call& call, std::ostream* out) {
            *out << name(call.op) << " " << call.path << (call.failed ? " (failed)" : "");
        }
    };

    explicit FaultyFiles(FileAccess& inner = realFiles()) : inner_(inner) {}

    // Makes call number `nth` (1-based, counted since construction or the last
    // reset()) of `op` fail; with `forGood`, every later call fails too.
    void failAt(Op op, int nth, bool forGood = false, std::string reason = "No space left on device");
    // Forgets planned failures, the log and the counts.
    void reset();
    int calls(Op op) const { return counts_[std::size_t(op)]; }
    bool called(Op op) const { return calls(op) > 0; }
    int failures() const { return failures_; }
    // Every failure planned with failAt was reached: the call it names was
    // made. A test whose planned failure was never reached tests nothing.
    bool failedAsPlanned() const;

    const std::vector<Call>& log() const { return log_; }
    // The operations of the log, in order; with `path`, only those on it.
    std::vector<Op> ops(const std::string& path = {}) const;
    static const char* name(Op op);

    Status open(const std::string& path, OpenMode mode, Handle& handle) override;
    Status readToEnd(Handle handle, std::string& out, std::size_t maxBytes) override;
    // Logged and failed as a Read.
    Status readTail(Handle handle, std::size_t maxBytes, std::string& out) override;
    Status write(Handle handle, std::string_view bytes) override;
    Status flush(Handle handle) override;
    Status close(Handle handle) override;
    Status rename(const std::string& from, const std::string& to) override;
    Status remove(const std::string& path) override;
    Status syncFolder(const std::string& folder) override;
    bool exists(const std::string& path) override { return inner_.exists(path); }
    bool isFolder(const std::string& path) override { return inner_.isFolder(path); }
    Status makeFolder(const std::string& path) override { return inner_.makeFolder(path); }

  private:
    struct Plan {
        int nth = 0; // 0: no failure planned
        bool forGood = false;
        std::string reason;
    };
    // Counts the call and says whether it is to fail.
    bool shouldFail(Op op);
    Status failure(Op op);
    // Logs a call of `op` on `path`; returns its failure when it is to fail.
    bool logged(Op op, const std::string& path, bool fail);
    const std::string& pathOf(Handle handle) const;

    FileAccess& inner_;
    std::array<int, std::size_t(Op::Count_)> counts_{};
    std::array<Plan, std::size_t(Op::Count_)> plans_{};
    int failures_ = 0;
    std::vector<Call> log_;
    std::map<Handle, std::string> handles_;
};

} // namespace tc::test
