#include "MemoryFiles.h"

namespace tc::fuzz {

Status MemoryFiles::open(const std::string& path, OpenMode mode, Handle& handle) {
    if (mode == OpenMode::Read && !files.count(path))
        return Status::fail("No such file or directory");
    if (mode == OpenMode::CreateTemp && files.count(path))
        return Status::fail("File exists");
    if (mode == OpenMode::CreateTemp)
        files[path].clear();
    else
        files[path]; // ReadWrite creates a missing file
    handle = next_++;
    open_[handle] = path;
    return Status::ok();
}

Status MemoryFiles::readToEnd(Handle handle, std::string& out, std::size_t maxBytes) {
    out = files[open_.at(handle)].substr(0, maxBytes + 1);
    return Status::ok();
}

Status MemoryFiles::write(Handle handle, std::string_view bytes) {
    files[open_.at(handle)].append(bytes);
    return Status::ok();
}

Status MemoryFiles::close(Handle handle) {
    open_.erase(handle);
    return Status::ok();
}

Status MemoryFiles::rename(const std::string& from, const std::string& to) {
    auto it = files.find(from);
    if (it == files.end())
        return Status::fail("No such file or directory");
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[to] = std::move(bytes);
    return Status::ok();
}

Status MemoryFiles::remove(const std::string& path) {
    files.erase(path);
    return Status::ok();
}

} // namespace tc::fuzz
