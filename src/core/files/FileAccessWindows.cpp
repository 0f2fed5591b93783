#include "core/files/FileAccess.h"

#include <algorithm>
#include <windows.h>

// The file access of the Windows build.

namespace tc {

namespace {

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
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (n != 0 && buffer) {
        int len = WideCharToMultiByte(CP_UTF8, 0, buffer, int(n), nullptr, 0, nullptr, nullptr);
        text.assign(std::size_t(len), '\0');
        WideCharToMultiByte(CP_UTF8, 0, buffer, int(n), text.data(), len, nullptr, nullptr);
    }
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty())
        text = "Windows error " + std::to_string(code);
    return text;
}

Status failed(DWORD code) {
    return Status::fail(reason(code));
}

class WindowsFiles final : public FileAccess {
  public:
    Status open(const std::string& path, OpenMode mode, Handle& handle) override {
        DWORD access = GENERIC_READ;
        DWORD disposition = OPEN_EXISTING;
        switch (mode) {
        case OpenMode::Read:
            break;
        case OpenMode::CreateTemp:
            access = GENERIC_WRITE;
            disposition = CREATE_NEW;
            break;
        case OpenMode::ReadWrite:
        case OpenMode::Append:
            access = GENERIC_READ | GENERIC_WRITE;
            disposition = OPEN_ALWAYS;
            break;
        }
        // CREATE_NEW fails on anything at the path, a link included.
        HANDLE h = CreateFileW(widePath(path).c_str(), access,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return failed(GetLastError());
        if (GetFileType(h) != FILE_TYPE_DISK) {
            CloseHandle(h);
            return Status::fail(kNotARegularFile);
        }
        BY_HANDLE_FILE_INFORMATION info{};
        if (mode == OpenMode::Append && GetFileInformationByHandle(h, &info) && info.nNumberOfLinks > 1) {
            CloseHandle(h);
            return Status::fail(kHardLinked);
        }
        // One writer appends to a journal at a time (the station's own
        // process), so the end found now stays the end.
        if (mode == OpenMode::Append && !SetFilePointerEx(h, LARGE_INTEGER{}, nullptr, FILE_END)) {
            const DWORD code = GetLastError();
            CloseHandle(h);
            return failed(code);
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
                return failed(GetLastError());
            if (got == 0)
                break;
            out.append(buf, got);
        }
        return Status::ok();
    }

    Status readTail(Handle handle, std::size_t maxBytes, std::string& out) override {
        out.clear();
        const HANDLE h = reinterpret_cast<HANDLE>(handle);
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(h, &size))
            return failed(GetLastError());
        const std::size_t n = std::min<std::size_t>(maxBytes, std::size_t(size.QuadPart));
        out.resize(n);
        LARGE_INTEGER at{};
        at.QuadPart = size.QuadPart - LONGLONG(n);
        DWORD got = 0;
        if (n > 0 && (!SetFilePointerEx(h, at, nullptr, FILE_BEGIN) ||
                      !ReadFile(h, out.data(), DWORD(n), &got, nullptr))) {
            out.clear();
            return failed(GetLastError());
        }
        if (got != n) {
            out.clear();
            return Status::fail("the file became shorter while it was read");
        }
        if (!SetFilePointerEx(h, LARGE_INTEGER{}, nullptr, FILE_END))
            return failed(GetLastError());
        return Status::ok();
    }

    Status readHead(Handle handle, std::size_t maxBytes, std::string& out) override {
        out.clear();
        const HANDLE h = reinterpret_cast<HANDLE>(handle);
        if (!SetFilePointerEx(h, LARGE_INTEGER{}, nullptr, FILE_BEGIN))
            return failed(GetLastError());
        Status st = readToEnd(handle, out, maxBytes);
        if (st && out.size() > maxBytes)
            out.resize(maxBytes);
        // Every write of an appending writer goes to the end.
        if (!SetFilePointerEx(h, LARGE_INTEGER{}, nullptr, FILE_END))
            return failed(GetLastError());
        return st;
    }

    Status write(Handle handle, std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 20));
            DWORD put = 0;
            if (!WriteFile(reinterpret_cast<HANDLE>(handle), bytes.data(), chunk, &put, nullptr))
                return failed(GetLastError());
            if (put == 0)
                return Status::fail("nothing could be written");
            bytes.remove_prefix(put);
        }
        return Status::ok();
    }

    Status flush(Handle handle) override {
        if (!FlushFileBuffers(reinterpret_cast<HANDLE>(handle)))
            return failed(GetLastError());
        return Status::ok();
    }

    Status close(Handle handle) override {
        if (!CloseHandle(reinterpret_cast<HANDLE>(handle)))
            return failed(GetLastError());
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
            if (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED &&
                code != ERROR_LOCK_VIOLATION)
                break;
            Sleep(50);
        }
        return failed(code);
    }

    Status remove(const std::string& path) override {
        if (!DeleteFileW(widePath(path).c_str())) {
            DWORD code = GetLastError();
            if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND)
                return failed(code);
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
                return failed(code);
        }
        return Status::ok();
    }
};

} // namespace

FileAccess& realFiles() {
    static WindowsFiles files;
    return files;
}

} // namespace tc
