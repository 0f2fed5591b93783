#include "support/FaultyFiles.h"

#include <algorithm>

namespace tc::test {

int FaultyFiles::calls(Op op) const {
    return int(std::count_if(log_.begin(), log_.end(), [op](const Call& c) { return c.op == op; }));
}

Status FaultyFiles::call(Op op, const std::string& path, const std::function<Status()>& real) {
    log_.push_back({op, path});
    const int n = calls(op);
    if (plan_.nth > 0 && op == plan_.op && (n == plan_.nth || (plan_.forGood && n > plan_.nth)))
        return Status::fail(plan_.reason);
    return real();
}

Status FaultyFiles::open(const std::string& path, OpenMode mode, Handle& handle) {
    return call(mode == OpenMode::Read ? Op::Open : Op::OpenForWriting, path, [&] {
        Status st = inner_.open(path, mode, handle);
        if (st)
            handles_[handle] = path;
        return st;
    });
}

Status FaultyFiles::close(Handle h) {
    const Status closed = inner_.close(h);
    const std::string path = handles_[h];
    handles_.erase(h);
    return call(Op::Close, path, [&] { return closed; });
}

} // namespace tc::test
