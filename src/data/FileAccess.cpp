#include "data/FileAccess.h"

#include "data/Paths.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tc {

namespace {

SaveStepHook g_hook = nullptr;

#ifndef _WIN32
std::string why(const std::string& what, const std::string& path) {
    return "Cannot " + what + " " + path + ": " + std::strerror(errno) + ".";
}

class PosixFiles final : public FileAccess {
public:
    Status open(const std::string& path, OpenMode mode, Handle& handle) override {
        int flags = O_CLOEXEC;
        switch (mode) {
        case OpenMode::Read: flags |= O_RDONLY; break;
        case OpenMode::CreateTemp: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
        case OpenMode::ReadWrite: flags |= O_RDWR | O_CREAT; break;
        }
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return Status::fail(why(mode == OpenMode::Read ? "open" : "open for writing", path));
        handle = fd;
        return Status::ok();
    }

    Status readToEnd(Handle handle, std::string& out) override {
        out.clear();
        char buf[65536];
        for (;;) {
            ssize_t n = ::read(int(handle), buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return Status::fail(std::string("Cannot read a file: ") + std::strerror(errno) + ".");
            if (n == 0)
                return Status::ok();
            out.append(buf, size_t(n));
        }
    }

    Status write(Handle handle, std::string_view bytes) override {
        while (!bytes.empty()) {
            ssize_t n = ::write(int(handle), bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return Status::fail(std::string("Cannot write a file: ") + std::strerror(errno) + ".");
            bytes.remove_prefix(size_t(n));
        }
        return Status::ok();
    }

    Status flush(Handle handle) override {
        if (::fsync(int(handle)) != 0)
            return Status::fail(std::string("Cannot flush a file to disk: ") + std::strerror(errno) + ".");
        return Status::ok();
    }

    Status close(Handle handle) override {
        if (::close(int(handle)) != 0 && errno != EINTR)
            return Status::fail(std::string("Cannot close a file: ") + std::strerror(errno) + ".");
        return Status::ok();
    }

    Status rename(const std::string& from, const std::string& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0)
            return Status::fail(why("replace", to));
        return Status::ok();
    }

    Status remove(const std::string& path) override {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            return Status::fail(why("remove", path));
        return Status::ok();
    }

    Status syncFolder(const std::string& folder) override {
        int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return Status::fail(why("open the folder", folder));
        int rc = ::fsync(fd);
        int err = errno;
        ::close(fd);
        if (rc != 0) {
            errno = err;
            return Status::fail(why("flush the folder", folder));
        }
        return Status::ok();
    }

    bool exists(const std::string& path) override {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0;
    }

    bool isFolder(const std::string& path) override {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    Status makeFolder(const std::string& path) override {
        if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
            return Status::fail(why("create the folder", path));
        return Status::ok();
    }
};
#endif

} // namespace

#ifndef _WIN32
FileAccess& realFiles() {
    static PosixFiles files;
    return files;
}
#endif

void setSaveStepHook(SaveStepHook hook) { g_hook = hook; }

void notifySaveStep(SaveStep step, const std::string& path) {
    if (g_hook)
        g_hook(step, path);
}

Status readWholeFile(FileAccess& files, const std::string& path, std::string& out, bool createIfMissing) {
    out.clear();
    FileAccess::Handle h;
    Status st = files.open(path, createIfMissing ? FileAccess::OpenMode::ReadWrite : FileAccess::OpenMode::Read, h);
    if (!st)
        return st;
    st = files.readToEnd(h, out);
    Status closed = files.close(h);
    if (!st)
        return Status::fail("Cannot read " + path + ". " + st.message());
    return closed;
}

Status replaceFile(FileAccess& files, const std::string& path, std::string_view bytes) {
    const std::string temp = path + std::string(kTempSuffix);
    FileAccess::Handle h;
    if (Status st = files.open(temp, FileAccess::OpenMode::CreateTemp, h); !st)
        return Status::fail("Cannot write " + path + ". " + st.message());
    Status st = files.write(h, bytes);
    if (st) {
        notifySaveStep(SaveStep::TempWritten, path);
        st = files.flush(h);
    }
    Status closed = files.close(h);
    if (st && !closed)
        st = closed;
    if (st) {
        notifySaveStep(SaveStep::TempFlushed, path);
        st = files.rename(temp, path);
    }
    if (!st) {
        files.remove(temp);
        return Status::fail("Cannot write " + path + ". " + st.message());
    }
    notifySaveStep(SaveStep::Renamed, path);
    // The new contents are in place; a failed folder flush only weakens
    // durability against a power cut, so it is not reported as a lost write.
    files.syncFolder(parentFolder(path));
    return Status::ok();
}

Status copyFile(FileAccess& files, const std::string& from, const std::string& to) {
    std::string bytes;
    if (Status st = readWholeFile(files, from, bytes, false); !st)
        return st;
    return replaceFile(files, to, bytes);
}

} // namespace tc
