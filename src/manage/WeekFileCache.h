#pragma once

#include "data/FileAccess.h"

#include <map>
#include <memory>
#include <string>

namespace tc {

// Week files as a report reads them: each file once, however many weeks use
// it (a week's report also reads both neighbours; a run over a year reads
// each file once). Only reads: nothing here writes or creates a file.
class WeekFileCache {
  public:
    struct File {
        bool exists = false;
        Status status;                            // why an existing file could not be read
        std::shared_ptr<const std::string> bytes; // empty when missing or unreadable
        bool readable() const { return exists && status.isOk(); }
    };

    explicit WeekFileCache(FileAccess& files) : files_(files) {}

    const File& get(const std::string& path);
    FileAccess& files() { return files_; }

  private:
    FileAccess& files_;
    std::map<std::string, File> read_;
};

} // namespace tc
