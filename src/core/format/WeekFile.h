#pragma once

#include "core/files/FileAccess.h"
#include "core/format/TimeRecord.h"

#include <string>
#include <string_view>

namespace tc {

// A week file is a plain run of 4969-byte records, record n (1-based) for
// button position n. These work on the file's bytes in memory; the file is
// read and replaced whole (it is at most 24 records, about 119 kB).
inline constexpr int kPositions = 24;

// Record n of the file's bytes; what lies beyond the end reads as NUL.
TimeRecord recordAt(std::string_view fileBytes, int n);
// Puts record n into the bytes, extending them with NUL records when needed.
void putRecord(std::string& fileBytes, int n, const TimeRecord& record);

// The most a week file holds: 24 records (119256 bytes).
inline constexpr std::size_t kMaxWeekFileBytes = std::size_t(kPositions) * TimeRecord::kSize;

// Reads a whole week file. Only a regular file of at most 24 records is
// read; anything else (a folder, device, pipe or a file too large to be a
// week) is refused with a message naming it, without waiting on it. A
// missing file is created empty when `createIfMissing` (the folder must exist).
Status readWeekFile(FileAccess& files, const std::string& path, std::string& out, bool createIfMissing);

// Reads record n. A missing file is created empty (the folder must exist).
Status readRecord(FileAccess& files, const std::string& path, int n, TimeRecord& out);
// Writes record n, crash-safe: the file is either as it was or holds the
// whole new record, and it is on disk when this returns successfully.
Status writeRecord(FileAccess& files, const std::string& path, int n, const TimeRecord& record);

} // namespace tc
