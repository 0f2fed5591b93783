#include "support/WeekBuilder.h"

#include "core/files/Paths.h"
#include "core/format/WeekFile.h"
#include "core/journal/JournalSeal.h"

#include <filesystem>

namespace tc::test {

using F = TimeRecord::Field;

TimeRecord makeRecord(const std::string& name, const std::vector<Punch>& punches) {
    TimeRecord r;
    r.setName(name);
    int k = 1;
    for (const Punch& p : punches) {
        r.set(F::Action, k, p.action);
        r.set(F::JobNumber, k, p.job);
        r.set(F::ActTime, k, p.time);
        r.set(F::ActDate, k, p.date);
        ++k;
    }
    return r;
}

TimeRecord fullRecord(const std::string& name, const std::string& lastAction) {
    TimeRecord r;
    r.setName(name);
    for (int k = 1; k <= TimeRecord::kEntries; ++k) {
        r.set(F::Action, k, k % 2 ? "IN" : "OUT");
        r.set(F::JobNumber, k, k % 2 ? "1001.Dept-1" : "");
        r.set(F::ActTime, k, k % 2 ? "8:00:00 AM" : "9:00:00 AM");
        r.set(F::ActDate, k, "Mon-Feb-3");
    }
    r.set(F::Action, 100, lastAction);
    return r;
}

TimeRecord placeholderRecord() {
    TimeRecord r;
    r.setName("");
    return r;
}

std::string weekBytes(const std::vector<TimeRecord>& records) {
    std::string bytes;
    for (const TimeRecord& r : records)
        bytes.append(r.view());
    return bytes;
}

std::string pad(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

std::string employeeListBytes(std::span<const std::string> names, std::span<const std::string> notes,
                              std::string_view header) {
    std::string out = std::string(header) + "\r\n";
    for (const std::string& name : names)
        out += name + "\r\n";
    for (const std::string& note : notes)
        out += note + "\r\n";
    return out;
}

std::string employeeListBytes(std::span<const std::string> names, std::initializer_list<std::string> notes,
                              std::string_view header) {
    return employeeListBytes(names, std::span(notes.begin(), notes.size()), header);
}

std::string jobListBytes(std::span<const std::string> lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::string jobListBytes(std::initializer_list<std::string> lines) {
    return jobListBytes(std::span(lines.begin(), lines.size()));
}

std::vector<std::string> workerNames(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back("Worker " + std::to_string(i));
    return names;
}

ProgramFolder::ProgramFolder() {
    for (int m = 1; m <= 12; ++m)
        std::filesystem::create_directory(monthFolderPath(dir.path(), m));
}

std::string ProgramFolder::weekFile(const DateTime& now) const {
    return weekFilePath(dir.path(), now);
}

void ProgramFolder::writeWeek(const DateTime& now, const std::string& bytes) const {
    writeFile(weekFile(now), bytes);
}

void ProgramFolder::putRecord(const DateTime& now, int position, const TimeRecord& record) const {
    std::string bytes = fileExists(weekFile(now)) ? readFile(weekFile(now)) : std::string();
    tc::putRecord(bytes, position, record);
    writeFile(weekFile(now), bytes);
}

TimeRecord ProgramFolder::record(const DateTime& now, int position) const {
    return recordAt(readFile(weekFile(now)), position);
}

void ProgramFolder::writeLists(const std::string& employeeList, const std::string& jobList) const {
    writeFile(employeeListPath(dir.path()), employeeList);
    writeFile(jobListPath(dir.path()), jobList);
}

DateTime mondayFeb3(int h, int m, int s) {
    return makeDateTime(2025, 2, 3, h, m, s);
}
DateTime sundayFeb2(int h, int m, int s) {
    return makeDateTime(2025, 2, 2, h, m, s);
}

std::string unsealedJournal(const std::string& path) {
    std::string text = withoutSeals(readFile(path));
    if (text.starts_with(kSealedJournalHeader)) // "...<TAB>journal name<TAB>folder\n"
        text.erase(text.rfind('\t', text.find('\n')), text.find('\n') - text.rfind('\t', text.find('\n')));
    return text;
}

} // namespace tc::test
