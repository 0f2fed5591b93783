#pragma once

#include "core/files/FileAccess.h"
#include "core/format/ListFiles.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tc {

// Week files as a report reads them: each file once, however many weeks use
// it (a week's report also reads both neighbours; a run over a year reads
// each file once; the job list beside them is read once too). Only reads:
// nothing here writes or creates a file.
class WeekFileCache {
  public:
    struct File {
        bool exists = false;
        Status status;                            // why an existing file could not be read
        std::shared_ptr<const std::string> bytes; // empty when missing or unreadable
        bool readable() const { return exists && status.isOk(); }
    };

    explicit WeekFileCache(FileAccess& files) : files_(files) {}

    // The file's contents; the reference stays valid until keepOnly() drops
    // it. A file larger than `maxBytes` is not read (its status says so).
    const File& get(const std::string& path, std::size_t maxBytes);
    // Forgets every file but these, so that a run over many weeks holds only
    // the week it works on and its neighbours (and no more).
    void keepOnly(const std::vector<std::string>& paths);
    // The program folder's job list, read once: the pairs that could be read
    // (none when the list is missing). keepOnly() keeps it.
    const std::vector<JobItem>& jobList(const std::string& folder);
    FileAccess& files() { return files_; }

  private:
    FileAccess& files_;
    std::map<std::string, File> read_;
    std::map<std::string, std::vector<JobItem>> jobLists_;
};

} // namespace tc
