#include "support/FaultyFiles.h"

namespace tc::test {

void FaultyFiles::failAt(Op op, int nth, bool forGood, std::string reason) {
    plans_[std::size_t(op)] = Plan{nth, forGood, std::move(reason)};
}

void FaultyFiles::reset() {
    counts_ = {};
    plans_ = {};
    failures_ = 0;
}

bool FaultyFiles::shouldFail(Op op) {
    int n = ++counts_[std::size_t(op)];
    const Plan& plan = plans_[std::size_t(op)];
    bool fail = plan.nth > 0 && (n == plan.nth || (plan.forGood && n > plan.nth));
    if (fail)
        ++failures_;
    return fail;
}

Status FaultyFiles::failure(Op op) {
    return Status::fail(plans_[std::size_t(op)].reason);
}

Status FaultyFiles::open(const std::string& path, OpenMode mode, Handle& handle) {
    bool failOpen = shouldFail(Op::Open);
    if (mode != OpenMode::Read && shouldFail(Op::OpenForWriting))
        return failure(Op::OpenForWriting);
    if (failOpen)
        return failure(Op::Open);
    return inner_.open(path, mode, handle);
}

Status FaultyFiles::readToEnd(Handle handle, std::string& out, std::size_t maxBytes) {
    if (shouldFail(Op::Read)) {
        out.clear();
        return failure(Op::Read);
    }
    return inner_.readToEnd(handle, out, maxBytes);
}

Status FaultyFiles::write(Handle handle, std::string_view bytes) {
    if (shouldFail(Op::Write))
        return failure(Op::Write);
    return inner_.write(handle, bytes);
}

Status FaultyFiles::flush(Handle handle) {
    if (shouldFail(Op::Flush))
        return failure(Op::Flush);
    return inner_.flush(handle);
}

Status FaultyFiles::close(Handle handle) {
    bool fail = shouldFail(Op::Close);
    Status st = inner_.close(handle);
    if (fail)
        return failure(Op::Close);
    return st;
}

Status FaultyFiles::rename(const std::string& from, const std::string& to) {
    if (shouldFail(Op::Rename))
        return failure(Op::Rename);
    return inner_.rename(from, to);
}

Status FaultyFiles::remove(const std::string& path) {
    if (shouldFail(Op::Remove))
        return failure(Op::Remove);
    return inner_.remove(path);
}

Status FaultyFiles::syncFolder(const std::string& folder) {
    if (shouldFail(Op::SyncFolder))
        return failure(Op::SyncFolder);
    return inner_.syncFolder(folder);
}

} // namespace tc::test
