#pragma once

#include "core/files/Status.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// Steps of a whole-file replacement, for tests that stop a writer part way.
enum class SaveStep { TempWritten, TempFlushed, Renamed, BackupMade, JournalWritten };

// The one narrow door through which the program touches files. Everything
// that writes (punches, time-sheet saves, list saves, backups) goes through
// it, so tests can make the Nth write, flush, close or rename fail, and the
// real implementation can use the platform's durable calls (fsync / rename on
// POSIX, FlushFileBuffers / MoveFileEx with write-through on Windows).
//
// Every failure returns a Status whose message is the reason alone, in the
// operating system's own words ("No space left on device"): no file name, no
// full stop. The sequences below put it into a sentence that names the file
// once, as does any caller of makeFolder.
class FileAccess {
  public:
    using Handle = std::intptr_t;

    // Read and ReadWrite open regular files only: a folder, device or pipe
    // is refused without waiting on it (a FIFO planted at a week file's path
    // must not stop the station).
    enum class OpenMode {
        Read,       // existing file, reading
        CreateTemp, // a new file, writing; fails when anything, a link included, is at the path
        ReadWrite,  // create when missing, read and write, no truncation
        Append      // create when missing, read and write; every write goes to the end (the journals);
                    // a file with another name (a hard link) is refused
    };

    virtual ~FileAccess() = default;

    virtual Status open(const std::string& path, OpenMode mode, Handle& handle) = 0;
    // Reads from the current position to the end of the file, but stops
    // once more than `maxBytes` are read (so `out` then holds maxBytes + 1).
    virtual Status readToEnd(Handle handle, std::string& out, std::size_t maxBytes) = 0;
    // Reads the last `maxBytes` bytes of the file (all of a shorter one), for
    // a writer that appends and must know how the file ends. Called right
    // after open, before any write; this fallback reads the whole file.
    virtual Status readTail(Handle handle, std::size_t maxBytes, std::string& out);
    // Reads the first `maxBytes` bytes of the file (all of a shorter one),
    // for a writer that appends and must know which file it appends to.
    // Called right after open, before any write; this fallback reads from
    // the current position.
    virtual Status readHead(Handle handle, std::size_t maxBytes, std::string& out);
    virtual Status write(Handle handle, std::string_view bytes) = 0;
    // Makes what was written durable (fsync / FlushFileBuffers).
    virtual Status flush(Handle handle) = 0;
    virtual Status close(Handle handle) = 0;
    // Replaces `to` by `from` in one step (rename / MoveFileEx with
    // MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
    virtual Status rename(const std::string& from, const std::string& to) = 0;
    virtual Status remove(const std::string& path) = 0;
    // Makes a rename inside `folder` durable (fsync of the folder; nothing on Windows).
    virtual Status syncFolder(const std::string& folder) = 0;

    // The path with every link and "." or ".." in it resolved, as far as it
    // exists; the path itself when it cannot be resolved.
    virtual std::string resolvedPath(const std::string& path);

    virtual bool exists(const std::string& path) = 0;
    virtual bool isFolder(const std::string& path) = 0;
    virtual Status makeFolder(const std::string& path) = 0;

    // Told after each step of a replacement of `path`. Nothing to do for
    // the real files; a crash test's child process exits in it.
    virtual void saveStepDone(SaveStep /*step*/, const std::string& /*path*/) {}
};

// The real file system: FileAccessPosix.cpp or FileAccessWindows.cpp, one of
// which the build takes.
FileAccess& realFiles();

// The reason an open gives when a folder, a device or a pipe stands where a
// regular file should be.
inline constexpr const char* kNotARegularFile =
    "it is not a regular file (a folder, a device or a pipe stands at its place)";

// The reason an append gives when the file also has another name: a hard
// link would carry the lines into some other file.
inline constexpr const char* kHardLinked = "the file there also has another name (a hard link)";

// Suffix of the temporary file written beside the target. Never read as
// data: no reader or open dialog matches it, and a leftover is removed by
// the next replacement of the same file.
inline constexpr std::string_view kTempSuffix = ".tmp~";

// Reads the whole file. A missing file is created empty when
// `createIfMissing` (the station's readers do so, as the week's first read
// makes the week's file); otherwise it is an error. A file larger than
// `maxBytes` is not read: the error names it.
inline constexpr std::size_t kAnySize = static_cast<std::size_t>(-1) - 1;
Status readWholeFile(FileAccess& files, const std::string& path, std::string& out, bool createIfMissing,
                     std::size_t maxBytes = kAnySize);

// Replaces the file's contents so that a crash or power cut at any moment
// leaves either the old file or the new one: write a temporary file beside
// it, flush it, rename it over the target, flush the folder. On failure the
// target is untouched and the temporary file is removed. A stale temporary
// file is removed first (a link itself, never what it points to) and the new
// one created exclusively, so nothing planted at its path is written through.
Status replaceFile(FileAccess& files, const std::string& path, std::string_view bytes);

// The two halves of replaceFile, for a writer that must make several files
// whole before it renames any: the temporary file beside `path`, written and
// flushed (removed again on failure); then renamed over `path`, its folder
// flushed (the temporary file removed on failure).
Status writeTempFile(FileAccess& files, const std::string& path, std::string_view bytes);
Status renameTempFile(FileAccess& files, const std::string& path);

// Replaces several files as one: each is written to its temporary file and
// flushed, and only when all of them are whole are they renamed into place.
// When one cannot be written, every temporary file goes, no file is touched
// and the message names the file that failed.
struct FileContents {
    std::string path;
    std::string_view bytes;
};
Status replaceFiles(FileAccess& files, const std::vector<FileContents>& contents);

// Copies `from` to `to` (replacing `to`) with the same guarantees; the copy
// is the backup of a save, so the save-step hook hears BackupMade after it.
Status copyFile(FileAccess& files, const std::string& from, const std::string& to);

} // namespace tc
