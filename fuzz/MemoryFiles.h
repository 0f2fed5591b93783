#pragma once

#include "data/FileAccess.h"

#include <map>
#include <string>

namespace tc::fuzz {

// Files in memory, so a fuzzer can run the real readers and writers a
// hundred thousand times a second. Folders always exist.
class MemoryFiles final : public FileAccess {
  public:
    std::map<std::string, std::string> files;

    Status open(const std::string& path, OpenMode mode, Handle& handle) override;
    Status readToEnd(Handle handle, std::string& out, std::size_t maxBytes) override;
    Status write(Handle handle, std::string_view bytes) override;
    Status flush(Handle) override { return Status::ok(); }
    Status close(Handle handle) override;
    Status rename(const std::string& from, const std::string& to) override;
    Status remove(const std::string& path) override;
    Status syncFolder(const std::string&) override { return Status::ok(); }
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    bool isFolder(const std::string&) override { return true; }
    Status makeFolder(const std::string&) override { return Status::ok(); }

  private:
    std::map<Handle, std::string> open_; // handle -> path
    Handle next_ = 1;
};

} // namespace tc::fuzz
