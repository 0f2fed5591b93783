#include "core/format/WeekFile.h"

#include <cstring>

namespace tc {

TimeRecord recordAt(std::string_view fileBytes, int n) {
    const std::size_t start = std::size_t(n - 1) * TimeRecord::kSize;
    if (n < 1 || start >= fileBytes.size())
        return TimeRecord();
    return TimeRecord::fromBytes(fileBytes.substr(start, TimeRecord::kSize));
}

void putRecord(std::string& fileBytes, int n, const TimeRecord& record) {
    const std::size_t start = std::size_t(n - 1) * TimeRecord::kSize;
    if (fileBytes.size() < start + TimeRecord::kSize)
        fileBytes.resize(start + TimeRecord::kSize, '\0');
    std::memcpy(fileBytes.data() + start, record.bytes().data(), TimeRecord::kSize);
}

Status readWeekFile(FileAccess& files, const std::string& path, std::string& out, bool createIfMissing) {
    return readWholeFile(files, path, out, createIfMissing, kMaxWeekFileBytes);
}

Status readRecord(FileAccess& files, const std::string& path, int n, TimeRecord& out) {
    std::string bytes;
    Status st = readWeekFile(files, path, bytes, true);
    out = st ? recordAt(bytes, n) : TimeRecord();
    return st;
}

Status writeRecord(FileAccess& files, const std::string& path, int n, const TimeRecord& record) {
    std::string bytes;
    if (Status st = readWeekFile(files, path, bytes, true); !st)
        return st;
    putRecord(bytes, n, record);
    return replaceFile(files, path, bytes);
}

} // namespace tc
