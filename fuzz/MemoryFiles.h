#pragma once

#include "core/files/FileAccess.h"

#include <map>
#include <string>

namespace tc::fuzz {

// Files in memory, so a fuzzer can run the real readers and writers a
// hundred thousand times a second. Folders always exist; a handle is the
// address of the file's bytes.
class MemoryFiles final : public FileAccess {
  public:
    std::map<std::string, std::string> files;

    Status open(const std::string& path, OpenMode mode, Handle& handle) override {
        if (mode == OpenMode::Read ? !files.count(path) : mode == OpenMode::CreateTemp && files.count(path))
            return Status::fail(mode == OpenMode::Read ? "No such file or directory" : "File exists");
        handle = Handle(&(mode == OpenMode::CreateTemp ? files[path] = "" : files[path]));
        return {};
    }
    Status readToEnd(Handle h, std::string& out, std::size_t max) override {
        out = bytes(h).substr(0, max + 1);
        return {};
    }
    Status write(Handle h, std::string_view more) override { return bytes(h).append(more), Status(); }
    Status flush(Handle) override { return {}; }
    Status close(Handle) override { return {}; }
    Status rename(const std::string& from, const std::string& to) override {
        if (!files.count(from))
            return Status::fail("No such file or directory");
        files[to] = std::move(files[from]);
        return files.erase(from), Status();
    }
    Status remove(const std::string& path) override { return files.erase(path), Status(); }
    Status syncFolder(const std::string&) override { return {}; }
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    bool isFolder(const std::string&) override { return true; }
    Status makeFolder(const std::string&) override { return {}; }

  private:
    static std::string& bytes(Handle h) { return *reinterpret_cast<std::string*>(h); }
};

} // namespace tc::fuzz
