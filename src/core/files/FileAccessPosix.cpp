#include "core/files/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The file access of every build but Windows.

namespace tc {

namespace {

// The reason for the last failed call.
Status failed() {
    return Status::fail(std::strerror(errno));
}

class PosixFiles final : public FileAccess {
  public:
    Status open(const std::string& path, OpenMode mode, Handle& handle) override {
        // O_NONBLOCK: opening a FIFO for reading would wait for a writer for ever.
        int flags = O_CLOEXEC | O_NONBLOCK;
        switch (mode) {
        case OpenMode::Read:
            flags |= O_RDONLY;
            break;
        case OpenMode::CreateTemp:
            flags |= O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
            break;
        case OpenMode::ReadWrite:
            flags |= O_RDWR | O_CREAT;
            break;
        case OpenMode::Append:
            // A journal is never written through a link planted at its path.
            flags |= O_RDWR | O_CREAT | O_APPEND | O_NOFOLLOW;
            break;
        }
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return failed();
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return Status::fail(kNotARegularFile);
        }
        if (mode == OpenMode::Append && st.st_nlink > 1) {
            ::close(fd);
            return Status::fail(kHardLinked);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        handle = fd;
        return Status::ok();
    }

    Status readToEnd(Handle handle, std::string& out, std::size_t maxBytes) override {
        out.clear();
        char buf[65536];
        while (out.size() <= maxBytes) {
            ssize_t n = ::read(int(handle), buf, std::min(sizeof buf, maxBytes + 1 - out.size()));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return failed();
            if (n == 0)
                break;
            out.append(buf, size_t(n));
        }
        return Status::ok();
    }

    Status readTail(Handle handle, std::size_t maxBytes, std::string& out) override {
        out.clear();
        struct stat st;
        if (::fstat(int(handle), &st) != 0)
            return failed();
        const std::size_t n = std::min(maxBytes, std::size_t(st.st_size));
        out.resize(n);
        for (std::size_t got = 0; got < n;) {
            ssize_t r = ::pread(int(handle), out.data() + got, n - got, st.st_size - off_t(n) + off_t(got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0) {
                out.clear();
                return r < 0 ? failed() : Status::fail("the file became shorter while it was read");
            }
            got += std::size_t(r);
        }
        return Status::ok();
    }

    Status readHead(Handle handle, std::size_t maxBytes, std::string& out) override {
        out.resize(maxBytes);
        std::size_t got = 0;
        while (got < maxBytes) {
            ssize_t r = ::pread(int(handle), out.data() + got, maxBytes - got, off_t(got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0) {
                out.clear();
                return failed();
            }
            if (r == 0)
                break;
            got += std::size_t(r);
        }
        out.resize(got);
        return Status::ok();
    }

    Status write(Handle handle, std::string_view bytes) override {
        while (!bytes.empty()) {
            ssize_t n = ::write(int(handle), bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return failed();
            bytes.remove_prefix(size_t(n));
        }
        return Status::ok();
    }

    Status flush(Handle handle) override {
        if (::fsync(int(handle)) != 0)
            return failed();
        return Status::ok();
    }

    Status close(Handle handle) override {
        if (::close(int(handle)) != 0 && errno != EINTR)
            return failed();
        return Status::ok();
    }

    Status rename(const std::string& from, const std::string& to) override {
        // rename() would replace a file marked read-only; Windows refuses
        // that, and so does the station everywhere: read-only means "keep".
        if (::access(to.c_str(), F_OK) == 0 && ::access(to.c_str(), W_OK) != 0)
            return failed();
        if (::rename(from.c_str(), to.c_str()) != 0)
            return failed();
        return Status::ok();
    }

    Status remove(const std::string& path) override {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            return failed();
        return Status::ok();
    }

    Status syncFolder(const std::string& folder) override {
        int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return failed();
        int rc = ::fsync(fd);
        int err = errno;
        ::close(fd);
        if (rc != 0) {
            errno = err;
            return failed();
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
        if (::mkdir(path.c_str(), 0777) != 0 && (errno != EEXIST || !isFolder(path))) {
            if (errno == EEXIST)
                errno = ENOTDIR;
            return failed();
        }
        return Status::ok();
    }
};

} // namespace

FileAccess& realFiles() {
    static PosixFiles files;
    return files;
}

} // namespace tc
