#include "support/FaultyFiles.h"

namespace tc::test {

void FaultyFiles::failAt(Op op, int nth, bool forGood, std::string reason) {
    plans_[std::size_t(op)] = Plan{nth, forGood, std::move(reason)};
}

void FaultyFiles::reset() {
    counts_ = {};
    plans_ = {};
    failures_ = 0;
    log_.clear();
}

bool FaultyFiles::failedAsPlanned() const {
    for (std::size_t op = 0; op < plans_.size(); ++op)
        if (plans_[op].nth > 0 && counts_[op] < plans_[op].nth)
            return false;
    return true;
}

std::vector<FaultyFiles::Op> FaultyFiles::ops(const std::string& path) const {
    std::vector<Op> out;
    for (const Call& call : log_)
        if (path.empty() || call.path == path)
            out.push_back(call.op);
    return out;
}

const char* FaultyFiles::name(Op op) {
    switch (op) {
    case Op::Open:
        return "open";
    case Op::OpenForWriting:
        return "open for writing";
    case Op::Read:
        return "read";
    case Op::Write:
        return "write";
    case Op::Flush:
        return "flush";
    case Op::Close:
        return "close";
    case Op::Rename:
        return "rename";
    case Op::Remove:
        return "remove";
    case Op::SyncFolder:
        return "folder flush";
    case Op::Count_:
        break;
    }
    return "?";
}

bool FaultyFiles::shouldFail(Op op) {
    int n = ++counts_[std::size_t(op)];
    const Plan& plan = plans_[std::size_t(op)];
    bool fail = plan.nth > 0 && (n == plan.nth || (plan.forGood && n > plan.nth));
    if (fail)
        ++failures_;
    return fail;
}

bool FaultyFiles::logged(Op op, const std::string& path, bool fail) {
    log_.push_back({op, path, fail});
    return fail;
}

const std::string& FaultyFiles::pathOf(Handle handle) const {
    static const std::string unknown;
    const auto it = handles_.find(handle);
    return it == handles_.end() ? unknown : it->second;
}

Status FaultyFiles::failure(Op op) {
    return Status::fail(plans_[std::size_t(op)].reason);
}

Status FaultyFiles::open(const std::string& path, OpenMode mode, Handle& handle) {
    const bool failOpen = shouldFail(Op::Open);
    if (mode != OpenMode::Read) {
        const bool failWriting = shouldFail(Op::OpenForWriting);
        if (logged(Op::OpenForWriting, path, failWriting || failOpen))
            return failure(failWriting ? Op::OpenForWriting : Op::Open);
    } else if (logged(Op::Open, path, failOpen)) {
        return failure(Op::Open);
    }
    Status st = inner_.open(path, mode, handle);
    if (st)
        handles_[handle] = path;
    return st;
}

Status FaultyFiles::readToEnd(Handle handle, std::string& out, std::size_t maxBytes) {
    if (logged(Op::Read, pathOf(handle), shouldFail(Op::Read))) {
        out.clear();
        return failure(Op::Read);
    }
    return inner_.readToEnd(handle, out, maxBytes);
}

Status FaultyFiles::readTail(Handle handle, std::size_t maxBytes, std::string& out) {
    if (logged(Op::Read, pathOf(handle), shouldFail(Op::Read))) {
        out.clear();
        return failure(Op::Read);
    }
    return inner_.readTail(handle, maxBytes, out);
}

Status FaultyFiles::write(Handle handle, std::string_view bytes) {
    if (logged(Op::Write, pathOf(handle), shouldFail(Op::Write)))
        return failure(Op::Write);
    return inner_.write(handle, bytes);
}

Status FaultyFiles::flush(Handle handle) {
    if (logged(Op::Flush, pathOf(handle), shouldFail(Op::Flush)))
        return failure(Op::Flush);
    return inner_.flush(handle);
}

Status FaultyFiles::close(Handle handle) {
    const bool fail = logged(Op::Close, pathOf(handle), shouldFail(Op::Close));
    handles_.erase(handle);
    Status st = inner_.close(handle);
    if (fail)
        return failure(Op::Close);
    return st;
}

Status FaultyFiles::rename(const std::string& from, const std::string& to) {
    if (logged(Op::Rename, to, shouldFail(Op::Rename)))
        return failure(Op::Rename);
    return inner_.rename(from, to);
}

Status FaultyFiles::remove(const std::string& path) {
    if (logged(Op::Remove, path, shouldFail(Op::Remove)))
        return failure(Op::Remove);
    return inner_.remove(path);
}

Status FaultyFiles::syncFolder(const std::string& folder) {
    if (logged(Op::SyncFolder, folder, shouldFail(Op::SyncFolder)))
        return failure(Op::SyncFolder);
    return inner_.syncFolder(folder);
}

} // namespace tc::test
