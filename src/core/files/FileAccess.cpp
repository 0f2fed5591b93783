#include "core/files/FileAccess.h"

#include "core/files/Paths.h"

#include <filesystem>

namespace tc {

Status FileAccess::readTail(Handle handle, std::size_t maxBytes, std::string& out) {
    Status st = readToEnd(handle, out, kAnySize);
    if (st && out.size() > maxBytes)
        out.erase(0, out.size() - maxBytes);
    return st;
}

std::string FileAccess::resolvedPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path given(std::u8string(path.begin(), path.end()));
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(std::filesystem::absolute(given, ec), ec);
    if (ec)
        return path;
    const std::u8string text = resolved.u8string();
    return std::string(text.begin(), text.end());
}

Status FileAccess::readHead(Handle handle, std::size_t maxBytes, std::string& out) {
    Status st = readToEnd(handle, out, maxBytes);
    if (st && out.size() > maxBytes)
        out.resize(maxBytes);
    return st;
}

Status readWholeFile(FileAccess& files, const std::string& path, std::string& out, bool createIfMissing,
                     std::size_t maxBytes) {
    out.clear();
    FileAccess::Handle h;
    // Open for reading first, so a week file marked read-only (a restored
    // backup, say) can still be shown; only a missing file is created.
    Status st = files.open(path, FileAccess::OpenMode::Read, h);
    const bool create = !st && createIfMissing && !files.exists(path);
    if (create)
        st = files.open(path, FileAccess::OpenMode::ReadWrite, h);
    if (!st) {
        // The usual cause at a station: a month folder deleted or moved away.
        const std::string folder = parentFolder(path);
        if (!folder.empty() && !files.isFolder(folder))
            return Status::fail("The folder " + folder + " is missing, so " + path + " cannot be " +
                                (createIfMissing ? "opened or created." : "opened."));
        return Status::fail((create ? "Cannot create " : "Cannot open ") + path + ": " + st.message() + ".");
    }
    st = files.readToEnd(h, out, maxBytes);
    Status closed = files.close(h);
    if (!st)
        return Status::fail("Cannot read " + path + ": " + st.message() + ".");
    if (!closed)
        return Status::fail("Cannot read " + path + ": " + closed.message() + ".");
    if (out.size() > maxBytes) {
        out.clear();
        return Status::fail("Cannot read " + path + ": it is larger than " + std::to_string(maxBytes) +
                            " bytes, more than such a file can hold.");
    }
    return Status::ok();
}

Status writeTempFile(FileAccess& files, const std::string& path, std::string_view bytes) {
    const std::string temp = path + std::string(kTempSuffix);
    FileAccess::Handle h;
    // What stands at the temporary path is left over or planted: it goes (a
    // link itself, not its target) and the new file must be created afresh.
    Status st = files.remove(temp);
    if (st)
        st = files.open(temp, FileAccess::OpenMode::CreateTemp, h);
    if (!st)
        return Status::fail("Cannot write " + path + ": the temporary file beside it cannot be made (" +
                            st.message() + ").");
    st = files.write(h, bytes);
    if (st) {
        files.saveStepDone(SaveStep::TempWritten, path);
        st = files.flush(h);
    }
    Status closed = files.close(h);
    if (st && !closed)
        st = closed;
    if (!st) {
        // The failure to tell is this one; a temporary file that cannot be
        // removed now is removed by the next replacement of this file.
        (void)files.remove(temp);
        return Status::fail("Cannot write " + path + ": " + st.message() + ".");
    }
    files.saveStepDone(SaveStep::TempFlushed, path);
    return Status::ok();
}

Status renameTempFile(FileAccess& files, const std::string& path) {
    const std::string temp = path + std::string(kTempSuffix);
    if (Status st = files.rename(temp, path); !st) {
        (void)files.remove(temp);
        return Status::fail("Cannot write " + path + ": " + st.message() + ".");
    }
    files.saveStepDone(SaveStep::Renamed, path);
    // The new contents are in place; a failed folder flush only weakens
    // durability against a power cut, so it is not reported as a lost write.
    (void)files.syncFolder(parentFolder(path));
    return Status::ok();
}

Status replaceFile(FileAccess& files, const std::string& path, std::string_view bytes) {
    if (Status st = writeTempFile(files, path, bytes); !st)
        return st;
    return renameTempFile(files, path);
}

Status replaceFiles(FileAccess& files, const std::vector<FileContents>& contents) {
    for (std::size_t i = 0; i < contents.size(); ++i)
        if (Status st = writeTempFile(files, contents[i].path, contents[i].bytes); !st) {
            for (std::size_t j = 0; j < i; ++j)
                (void)files.remove(contents[j].path + std::string(kTempSuffix));
            return Status::fail(st.message() + " Nothing was written.");
        }
    for (std::size_t i = 0; i < contents.size(); ++i)
        if (Status st = renameTempFile(files, contents[i].path); !st) {
            for (std::size_t j = i + 1; j < contents.size(); ++j)
                (void)files.remove(contents[j].path + std::string(kTempSuffix));
            return st;
        }
    return Status::ok();
}

Status copyFile(FileAccess& files, const std::string& from, const std::string& to) {
    std::string bytes;
    if (Status st = readWholeFile(files, from, bytes, false); !st)
        return st;
    Status st = replaceFile(files, to, bytes);
    if (st)
        files.saveStepDone(SaveStep::BackupMade, to);
    return st;
}

} // namespace tc
