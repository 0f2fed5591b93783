#pragma once

#include "data/DateTime.h"
#include "data/FileAccess.h"
#include "data/Paths.h"
#include "data/TimeRecord.h"
#include "data/WeekFile.h"
#include "support/TempDir.h"

#include <filesystem>
#include <initializer_list>
#include <string>

namespace tc::test {

struct Punch {
    std::string action, job, time, date;
};

// A record holding the given punches in entries 1, 2, ...
inline TimeRecord recordWith(const std::string& name, std::initializer_list<Punch> punches) {
    TimeRecord r;
    r.setName(name);
    int k = 1;
    for (const Punch& p : punches) {
        r.set(TimeRecord::Field::Action, k, p.action);
        r.set(TimeRecord::Field::JobNumber, k, p.job);
        r.set(TimeRecord::Field::ActTime, k, p.time);
        r.set(TimeRecord::Field::ActDate, k, p.date);
        ++k;
    }
    return r;
}

// A record whose 100 entries are all used, the last one carrying `lastAction`.
inline TimeRecord fullRecord(const std::string& name, const std::string& lastAction) {
    TimeRecord r;
    r.setName(name);
    for (int k = 1; k <= TimeRecord::kEntries; ++k) {
        r.set(TimeRecord::Field::Action, k, k % 2 ? "IN" : "OUT");
        r.set(TimeRecord::Field::JobNumber, k, k % 2 ? "1001.Dept-1" : "");
        r.set(TimeRecord::Field::ActTime, k, k % 2 ? "8:00:00 AM" : "9:00:00 AM");
        r.set(TimeRecord::Field::ActDate, k, "Mon-Feb-3");
    }
    r.set(TimeRecord::Field::Action, 100, lastAction);
    return r;
}

// A base folder with the twelve month folders, as after the first run.
class BaseFolder {
  public:
    BaseFolder() {
        for (int m = 1; m <= 12; ++m)
            std::filesystem::create_directory(monthFolderPath(dir.path(), m));
    }
    const std::string& path() const { return dir.path(); }
    std::string weekFile(const DateTime& now) const { return weekFilePath(dir.path(), now); }
    void putRecord(const DateTime& now, int position, const TimeRecord& r) const {
        std::string bytes = fileExists(weekFile(now)) ? readFile(weekFile(now)) : std::string();
        tc::putRecord(bytes, position, r);
        writeFile(weekFile(now), bytes);
    }
    TimeRecord record(const DateTime& now, int position) const {
        return recordAt(readFile(weekFile(now)), position);
    }

    TempDir dir;
};

// Days of the week used throughout: the week ending Sunday 2 February 2025,
// and the week after it.
inline DateTime mondayFeb3(int h = 8, int m = 0, int s = 0) {
    return makeDateTime(2025, 2, 3, h, m, s);
}
inline DateTime sundayFeb2(int h = 8, int m = 0, int s = 0) {
    return makeDateTime(2025, 2, 2, h, m, s);
}

} // namespace tc::test
