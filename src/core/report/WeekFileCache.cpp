#include "core/report/WeekFileCache.h"

#include "core/format/WeekFile.h"

#include <algorithm>

namespace tc {

const WeekFileCache::File& WeekFileCache::get(const std::string& path, std::size_t maxBytes) {
    auto it = read_.find(path);
    if (it != read_.end())
        return it->second;
    File file;
    auto bytes = std::make_shared<std::string>();
    // A whole week in one block, never grown and copied as it is read.
    bytes->reserve(std::min(maxBytes, kMaxWeekFileBytes));
    // Never created: a report of a week nobody punched must not make its file.
    Status st = readWholeFile(files_, path, *bytes, false, maxBytes);
    file.exists = st.isOk() || files_.exists(path);
    if (st)
        file.bytes = std::move(bytes);
    else
        file.status = st;
    return read_.emplace(path, std::move(file)).first->second;
}

void WeekFileCache::keepOnly(const std::vector<std::string>& paths) {
    std::erase_if(read_, [&paths](const auto& file) {
        return std::find(paths.begin(), paths.end(), file.first) == paths.end();
    });
}

const std::vector<JobItem>& WeekFileCache::jobList(const std::string& folder) {
    auto [it, added] = jobLists_.try_emplace(folder);
    // A missing or damaged list leaves its jobs without descriptions; the
    // hours stand without them.
    if (added)
        (void)readJobList(files_, folder, it->second);
    return it->second;
}

} // namespace tc
