#include "manage/WeekFileCache.h"

namespace tc {

const WeekFileCache::File& WeekFileCache::get(const std::string& path) {
    auto it = read_.find(path);
    if (it != read_.end())
        return it->second;
    File file;
    auto bytes = std::make_shared<std::string>();
    // Never created: a report of a week nobody punched must not make its file.
    Status st = readWholeFile(files_, path, *bytes, false);
    file.exists = st.isOk() || files_.exists(path);
    if (st)
        file.bytes = std::move(bytes);
    else
        file.status = st;
    order_.push_back(path);
    return read_.emplace(path, std::move(file)).first->second;
}

void WeekFileCache::trim(std::size_t keep) {
    while (order_.size() > keep) {
        read_.erase(order_.front());
        order_.pop_front();
    }
}

const std::vector<JobItem>& WeekFileCache::jobList(const std::string& folder) {
    auto [it, added] = jobLists_.try_emplace(folder);
    if (added)
        readJobList(files_, folder, it->second); // a missing or short list gives what could be read
    return it->second;
}

} // namespace tc
