#pragma once

#include "core/files/FileAccess.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tc::test {

// The real file system with one failure on demand: the Nth call of an
// operation fails (once, or from then on) with a reason as the operating
// system gives it, and nothing of that call reaches the disk (a failed close
// still releases the handle, as a real one does). Every call is logged in
// order with the file it was made on (for a read, write, flush or close, the
// file its handle was opened on; for a rename, the file replaced).
class FaultyFiles final : public FileAccess {
  public:
    // Open is an open for reading; OpenForWriting any other.
    enum class Op { Open, OpenForWriting, Read, Write, Flush, Close, Rename, Remove, SyncFolder };
    struct Call {
        Op op;
        std::string path;
        friend bool operator==(const Call&, const Call&) = default;
    };

    explicit FaultyFiles(FileAccess& inner = realFiles()) : inner_(inner) {}

    // Call `nth` (1-based, counted since construction or reset()) of `op`
    // fails; with `forGood`, every later one too. Replaces an earlier plan.
    void failAt(Op op, int nth, bool forGood = false, std::string reason = "No space left on device") {
        plan_ = {op, nth, forGood, std::move(reason)};
    }
    void reset() {
        plan_ = {};
        log_.clear();
    }
    int calls(Op op) const;
    bool called(Op op) const { return calls(op) > 0; }
    // The planned call was made: a failure never reached tests nothing.
    bool failedAsPlanned() const { return calls(plan_.op) >= plan_.nth; }
    const std::vector<Call>& log() const { return log_; }

    Status open(const std::string& path, OpenMode mode, Handle& handle) override;
    Status readToEnd(Handle h, std::string& out, std::size_t max) override {
        return call(Op::Read, handles_[h], [&] { return inner_.readToEnd(h, out, max); });
    }
    Status readTail(Handle h, std::size_t max, std::string& out) override {
        return call(Op::Read, handles_[h], [&] { return inner_.readTail(h, max, out); });
    }
    Status readHead(Handle h, std::size_t max, std::string& out) override {
        return call(Op::Read, handles_[h], [&] { return inner_.readHead(h, max, out); });
    }
    Status write(Handle h, std::string_view bytes) override {
        return call(Op::Write, handles_[h], [&] { return inner_.write(h, bytes); });
    }
    Status flush(Handle h) override {
        return call(Op::Flush, handles_[h], [&] { return inner_.flush(h); });
    }
    Status close(Handle h) override;
    Status rename(const std::string& from, const std::string& to) override {
        return call(Op::Rename, to, [&] { return inner_.rename(from, to); });
    }
    Status remove(const std::string& path) override {
        return call(Op::Remove, path, [&] { return inner_.remove(path); });
    }
    Status syncFolder(const std::string& folder) override {
        return call(Op::SyncFolder, folder, [&] { return inner_.syncFolder(folder); });
    }
    // Told each step of a replacement: a crash test's child process exits in it.
    std::function<void(SaveStep, const std::string&)> onSaveStep;
    void saveStepDone(SaveStep step, const std::string& path) override {
        if (onSaveStep)
            onSaveStep(step, path);
    }
    bool exists(const std::string& path) override { return inner_.exists(path); }
    bool isFolder(const std::string& path) override { return inner_.isFolder(path); }
    Status makeFolder(const std::string& path) override { return inner_.makeFolder(path); }

  private:
    struct Plan {
        Op op = Op::Open;
        int nth = 0; // 0: no failure planned
        bool forGood = false;
        std::string reason;
    };
    // Logs the call; makes it fail as planned, or makes it for real.
    Status call(Op op, const std::string& path, const std::function<Status()>& real);

    FileAccess& inner_;
    Plan plan_;
    std::vector<Call> log_;
    std::map<Handle, std::string> handles_;
};

} // namespace tc::test
