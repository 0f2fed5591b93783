#pragma once

#include "core/format/DateTime.h"
#include "core/format/TimeRecord.h"
#include "support/TempDir.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The week files and list files tests start from, built in one place:
// records from punches, whole week files from records, list files from
// names, notes and job lines, and a program folder to write them into.
//
//   ProgramFolder base;
//   base.writeWeek(mondayFeb3(), weekBytes({makeRecord("Ann", {{"IN", "101.Dept-1", "8:00:00 AM",
//                                                                "Mon-Feb-3"}})}));
//   base.writeLists(employeeListBytes(workerNames(), {"Note one", "Note two"}), jobListBytes({"101,Roof"}));

namespace tc::test {

// One punch as the station stores it.
struct Punch {
    std::string action;
    std::string job;
    std::string time;
    std::string date;
};

// A record as the station writes it: the name and the punches in entries 1,
// 2, ...; every later entry never written (NUL).
TimeRecord makeRecord(const std::string& name, const std::vector<Punch>& punches);
// A record whose 100 entries are all used, the last one carrying `lastAction`.
TimeRecord fullRecord(const std::string& name, const std::string& lastAction);
// A position without an employee as the time sheet saves it: a name of 20
// blanks, no punch.
TimeRecord placeholderRecord();

// The records one after another, record 1 first: a week file's bytes.
std::string weekBytes(const std::vector<TimeRecord>& records);
// Text left aligned in a field of `width` characters.
std::string pad(std::string s, std::size_t width);

// An employee list as the button data editor writes it: the header, then
// each name and each note on a line of its own, CR LF. Fewer than 24 names or
// 2 notes make a short list.
std::string employeeListBytes(std::span<const std::string> names, std::span<const std::string> notes,
                              std::string_view header = "Quarnel Data 1.2");
std::string employeeListBytes(std::span<const std::string> names, std::initializer_list<std::string> notes,
                              std::string_view header = "Quarnel Data 1.2");
// A job list: each line ("1001,Roof repair") followed by CR LF.
std::string jobListBytes(std::span<const std::string> lines);
std::string jobListBytes(std::initializer_list<std::string> lines);
// "Worker 1" to "Worker <count>".
std::vector<std::string> workerNames(int count = 24);

// A program folder in a fresh temporary folder, with the twelve month
// folders as after the first run; removed with everything in it at the end.
class ProgramFolder {
  public:
    ProgramFolder();

    const std::string& path() const { return dir.path(); }
    std::string file(const std::string& name) const { return dir.file(name); }
    std::string weekFile(const DateTime& now) const;

    // Writes the whole week file of the week holding `now`.
    void writeWeek(const DateTime& now, const std::string& bytes) const;
    // Puts one record into that week file, which keeps its other records.
    void putRecord(const DateTime& now, int position, const TimeRecord& record) const;
    TimeRecord record(const DateTime& now, int position) const;
    // Writes the employee list and the job list beside the program.
    void writeLists(const std::string& employeeList, const std::string& jobList) const;

    TempDir dir;
};

// Days of the week used throughout the punch tests: the week ending Sunday
// 2 February 2025, and the Monday after it.
DateTime mondayFeb3(int h = 8, int m = 0, int s = 0);
DateTime sundayFeb2(int h = 8, int m = 0, int s = 0);

// A journal file's lines without their seals, and its first line without the
// program folder's name: the journals of two folders that went through the
// same steps read the same.
std::string unsealedJournal(const std::string& path);

} // namespace tc::test
