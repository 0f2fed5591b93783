#pragma once

#include "data/FileAccess.h"

#include <array>
#include <string>

namespace tc::test {

// The real file system with failures on demand: the Nth call of an operation
// fails (once, or from then on) with a reason as the operating system gives it,
// and nothing of that call reaches the disk. Failed closes still release the
// handle, as a real close does. Every call is counted.
class FaultyFiles final : public FileAccess {
public:
    enum class Op { Open, OpenForWriting, Read, Write, Flush, Close, Rename, Remove, SyncFolder, Count_ };

    explicit FaultyFiles(FileAccess& inner = realFiles()) : inner_(inner) {}

    // Makes call number `nth` (1-based, counted since construction or the last
    // reset()) of `op` fail; with `forGood`, every later call fails too.
    void failAt(Op op, int nth, bool forGood = false, std::string reason = "No space left on device");
    // Forgets planned failures and sets all counters to zero.
    void reset();
    int calls(Op op) const { return counts_[std::size_t(op)]; }
    int failures() const { return failures_; }

    Status open(const std::string& path, OpenMode mode, Handle& handle) override;
    Status readToEnd(Handle handle, std::string& out, std::size_t maxBytes) override;
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

    FileAccess& inner_;
    std::array<int, std::size_t(Op::Count_)> counts_{};
    std::array<Plan, std::size_t(Op::Count_)> plans_{};
    int failures_ = 0;
};

} // namespace tc::test
