#include "data/FileAccess.h"

#include "data/Paths.h"

#include <algorithm>
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

std::string notAFile(const std::string& path) {
    return "Cannot open " + path +
           ": it is not a regular file (a folder, a device or a pipe stands at its place).";
}

#ifdef _WIN32
std::wstring widePath(const std::string& utf8) {
    if (utf8.empty())
        return std::wstring();
    int len = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(len), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), len);
    return wide;
}

// The system's own reason for an error code, as one sentence without a line end.
std::string reason(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (n != 0 && buffer) {
        int len = WideCharToMultiByte(CP_UTF8, 0, buffer, int(n), nullptr, 0, nullptr, nullptr);
        text.assign(std::size_t(len), '\0');
        WideCharToMultiByte(CP_UTF8, 0, buffer, int(n), text.data(), len, nullptr, nullptr);
    }
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty())
        text = "Windows error " + std::to_string(code);
    return text;
}

std::string why(const std::string& what, const std::string& path, DWORD code) {
    return "Cannot " + what + " " + path + ": " + reason(code) + ".";
}

class WindowsFiles final : public FileAccess {
public:
    Status open(const std::string& path, OpenMode mode, Handle& handle) override {
        DWORD access = GENERIC_READ;
        DWORD disposition = OPEN_EXISTING;
        switch (mode) {
        case OpenMode::Read: break;
        case OpenMode::CreateTemp:
            access = GENERIC_WRITE;
            disposition = CREATE_NEW;
            break;
        case OpenMode::ReadWrite:
            access = GENERIC_READ | GENERIC_WRITE;
            disposition = OPEN_ALWAYS;
            break;
        }
        // CREATE_NEW fails on anything at the path, a link included.
        HANDLE h = CreateFileW(widePath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return Status::fail(why(mode == OpenMode::Read ? "open" : "open for writing", path, GetLastError()));
        if (GetFileType(h) != FILE_TYPE_DISK) {
            CloseHandle(h);
            return Status::fail(notAFile(path));
        }
        handle = reinterpret_cast<Handle>(h);
        return Status::ok();
    }

    Status readToEnd(Handle handle, std::string& out, std::size_t maxBytes) override {
        out.clear();
        char buf[65536];
        while (out.size() <= maxBytes) {
            DWORD got = 0;
            const DWORD want = DWORD(std::min<std::size_t>(sizeof buf, maxBytes + 1 - out.size()));
            if (!ReadFile(reinterpret_cast<HANDLE>(handle), buf, want, &got, nullptr))
                return Status::fail("Cannot read a file: " + reason(GetLastError()) + ".");
            if (got == 0)
                break;
            out.append(buf, got);
        }
        return Status::ok();
    }

    Status write(Handle handle, std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 20));
            DWORD put = 0;
            if (!WriteFile(reinterpret_cast<HANDLE>(handle), bytes.data(), chunk, &put, nullptr))
                return Status::fail("Cannot write a file: " + reason(GetLastError()) + ".");
            if (put == 0)
                return Status::fail("Cannot write a file: nothing could be written.");
            bytes.remove_prefix(put);
        }
        return Status::ok();
    }

    Status flush(Handle handle) override {
        if (!FlushFileBuffers(reinterpret_cast<HANDLE>(handle)))
            return Status::fail("Cannot flush a file to disk: " + reason(GetLastError()) + ".");
        return Status::ok();
    }

    Status close(Handle handle) override {
        if (!CloseHandle(reinterpret_cast<HANDLE>(handle)))
            return Status::fail("Cannot close a file: " + reason(GetLastError()) + ".");
        return Status::ok();
    }

    Status rename(const std::string& from, const std::string& to) override {
        const std::wstring wfrom = widePath(from);
        const std::wstring wto = widePath(to);
        // A virus scanner, an indexer or the time sheet's own reader may hold
        // the target for a moment; a punch waits for it rather than fail.
        DWORD code = 0;
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (MoveFileExW(wfrom.c_str(), wto.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return Status::ok();
            code = GetLastError();
            if (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED && code != ERROR_LOCK_VIOLATION)
                break;
            Sleep(50);
        }
        return Status::fail(why("replace", to, code));
    }

    Status remove(const std::string& path) override {
        if (!DeleteFileW(widePath(path).c_str())) {
            DWORD code = GetLastError();
            if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND)
                return Status::fail(why("remove", path, code));
        }
        return Status::ok();
    }

    // MOVEFILE_WRITE_THROUGH already made the rename durable.
    Status syncFolder(const std::string&) override { return Status::ok(); }

    bool exists(const std::string& path) override {
        return GetFileAttributesW(widePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool isFolder(const std::string& path) override {
        DWORD attributes = GetFileAttributesW(widePath(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

    Status makeFolder(const std::string& path) override {
        if (!CreateDirectoryW(widePath(path).c_str(), nullptr)) {
            DWORD code = GetLastError();
            if (code != ERROR_ALREADY_EXISTS || !isFolder(path))
                return Status::fail(why("create the folder", path, code));
        }
        return Status::ok();
    }
};
#else
std::string why(const std::string& what, const std::string& path) {
    return "Cannot " + what + " " + path + ": " + std::strerror(errno) + ".";
}

class PosixFiles final : public FileAccess {
public:
    Status open(const std::string& path, OpenMode mode, Handle& handle) override {
        // O_NONBLOCK: opening a FIFO for reading would wait for a writer for ever.
        int flags = O_CLOEXEC | O_NONBLOCK;
        switch (mode) {
        case OpenMode::Read: flags |= O_RDONLY; break;
        case OpenMode::CreateTemp:
            flags |= O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
            break;
        case OpenMode::ReadWrite: flags |= O_RDWR | O_CREAT; break;
        }
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return Status::fail(why(mode == OpenMode::Read ? "open" : "open for writing", path));
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return Status::fail(notAFile(path));
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
                return Status::fail(std::string("Cannot read a file: ") + std::strerror(errno) + ".");
            if (n == 0)
                break;
            out.append(buf, size_t(n));
        }
        return Status::ok();
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
        // rename() would replace a file marked read-only; Windows refuses
        // that, and so does the station everywhere: read-only means "keep".
        if (::access(to.c_str(), F_OK) == 0 && ::access(to.c_str(), W_OK) != 0)
            return Status::fail(why("replace", to));
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
        if (::mkdir(path.c_str(), 0777) != 0 && (errno != EEXIST || !isFolder(path))) {
            if (errno == EEXIST)
                errno = ENOTDIR;
            return Status::fail(why("create the folder", path));
        }
        return Status::ok();
    }
};
#endif

} // namespace

FileAccess& realFiles() {
#ifdef _WIN32
    static WindowsFiles files;
#else
    static PosixFiles files;
#endif
    return files;
}

void setSaveStepHook(SaveStepHook hook) { g_hook = hook; }

void notifySaveStep(SaveStep step, const std::string& path) {
    if (g_hook)
        g_hook(step, path);
}

Status readWholeFile(FileAccess& files, const std::string& path, std::string& out, bool createIfMissing,
                     std::size_t maxBytes) {
    out.clear();
    FileAccess::Handle h;
    // Open for reading first, so a week file marked read-only (a restored
    // backup, say) can still be shown; only a missing file is created.
    Status st = files.open(path, FileAccess::OpenMode::Read, h);
    if (!st && createIfMissing && !files.exists(path))
        st = files.open(path, FileAccess::OpenMode::ReadWrite, h);
    if (!st) {
        // The usual cause at a station: a month folder deleted or moved away.
        const std::string folder = parentFolder(path);
        if (!folder.empty() && !files.isFolder(folder))
            return Status::fail("The folder " + folder + " is missing, so " + path + " cannot be " +
                                (createIfMissing ? "opened or created." : "opened."));
        return st;
    }
    st = files.readToEnd(h, out, maxBytes);
    Status closed = files.close(h);
    if (!st)
        return Status::fail("Cannot read " + path + ". " + st.message());
    if (!closed)
        return Status::fail("Cannot read " + path + ". " + closed.message());
    if (out.size() > maxBytes) {
        out.clear();
        return Status::fail("Cannot read " + path + ": it is larger than " + std::to_string(maxBytes) +
                            " bytes, more than such a file can hold.");
    }
    return Status::ok();
}

Status replaceFile(FileAccess& files, const std::string& path, std::string_view bytes) {
    const std::string temp = path + std::string(kTempSuffix);
    FileAccess::Handle h;
    // What stands at the temporary path is left over or planted: it goes (a
    // link itself, not its target) and the new file must be created afresh.
    Status st = files.remove(temp);
    if (st)
        st = files.open(temp, FileAccess::OpenMode::CreateTemp, h);
    if (!st)
        return Status::fail("Cannot write " + path + ". " + st.message());
    st = files.write(h, bytes);
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
    Status st = replaceFile(files, to, bytes);
    if (st)
        notifySaveStep(SaveStep::BackupMade, to);
    return st;
}

} // namespace tc
