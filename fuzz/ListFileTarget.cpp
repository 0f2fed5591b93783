#include "FuzzTargets.h"
#include "MemoryFiles.h"

#include "data/CodePage.h"
#include "data/ListFiles.h"
#include "data/Paths.h"
#include "manage/ButtonDataBoxes.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace tc::fuzz {

namespace {

const std::string kBase = "base";

// What a value read from a list is expected to read back as once the editor
// has written it: line breaks became spaces, the text went through the ANSI
// code page, NULs are gone, and so are blanks at both ends unless the value
// holds a comma (then it is written in double quotes, blanks and all).
std::string reread(const std::string& value) {
    std::string s = value;
    std::replace_if(
        s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    s = ansiToUtf8(utf8ToAnsi(s));
    s.erase(std::remove(s.begin(), s.end(), '\0'), s.end());
    if (s.find(',') != std::string::npos)
        return s;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.back()))
        s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && blank(s[start]))
        ++start;
    return s.substr(start);
}

struct Read {
    Status employees, jobs;
    EmployeeList list;
    std::vector<JobItem> items;
};

Read readBoth(MemoryFiles& files) {
    Read r;
    r.employees = readEmployeeList(files, kBase, r.list);
    r.jobs = readJobListExactly20(files, kBase, r.items);
    return r;
}

// The button data editor's Save of what its boxes show once loaded. A save
// it refuses leaves both lists as they were.
Status saveThroughTheEditor(MemoryFiles& files) {
    ButtonDataBoxes boxes;
    (void)loadButtonDataBoxes(files, kBase, boxes); // the boxes show what could be read either way
    const std::map<std::string, std::string> before = files.files;
    const Status st = saveButtonDataBoxes(files, kBase, boxes);
    if (!st && files.files != before)
        propertyFailed("a refused save changed a list: " + st.message());
    return st;
}

} // namespace

void listFileTarget(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemoryFiles files;
    files.files[employeeListPath(kBase)] = bytes;
    files.files[jobListPath(kBase)] = bytes;

    // The job screen's reader too: it must stop or fail, never run away.
    std::vector<JobItem> screen;
    const Status screenStatus = readJobList(files, kBase, screen);
    if (screen.size() > 20)
        propertyFailed("the job screen read more than 20 jobs");
    if (!screenStatus && screenStatus.message().find(jobListPath(kBase)) == std::string::npos)
        propertyFailed("a job list error does not name the file: " + screenStatus.message());

    // The editor's job boxes, one per line: where every line is a job and
    // its description, they read as the pairs do.
    std::array<std::string, 20> boxes;
    const Status boxStatus = readJobLines(files, kBase, boxes);
    std::vector<JobItem> pairs;
    if (boxStatus && readJobListExactly20(files, kBase, pairs))
        for (std::size_t i = 0; i < 20; ++i)
            if (boxes[i] != jobLineText(pairs[i]))
                propertyFailed("job box " + std::to_string(i + 1) + " differs from the pair read");

    const Read first = readBoth(files);
    if (!first.employees && first.employees.message().find(employeeListPath(kBase)) == std::string::npos)
        propertyFailed("an employee list error does not name the file");
    if (!first.employees || !first.jobs)
        return;

    // Save what was read, read it again. What the editor refuses to save (a
    // double quote no reader can take back, a job box that is not a job and
    // its description) is not expected to read back.
    if (!saveThroughTheEditor(files))
        return;
    const std::string savedEmployees = files.files[employeeListPath(kBase)];
    const std::string savedJobs = files.files[jobListPath(kBase)];
    const Read second = readBoth(files);

    // The header is not the editor's to keep: it is always written anew.

    if (!second.employees || !second.jobs)
        propertyFailed("a saved list cannot be read back: " + second.employees.message() +
                       second.jobs.message());
    if (second.list.header != kEmployeeListHeader)
        propertyFailed("header not written");
    for (std::size_t i = 0; i < 24; ++i)
        if (second.list.names[i] != reread(first.list.names[i]))
            propertyFailed("name " + std::to_string(i + 1) + " changed on save: [" + first.list.names[i] +
                           "] -> [" + second.list.names[i] + "]");
    for (std::size_t i = 0; i < 2; ++i)
        if (second.list.notes[i] != reread(first.list.notes[i]))
            propertyFailed("a clock note changed on save");
    // Where a line was not a job and its description, the editor showed the
    // lines as they stand and saved them so, which puts the later jobs back
    // in step: they do not read back as the pairs read out of step did.
    for (std::size_t i = 0; boxStatus && i < 20; ++i)
        if (second.items[i].first != reread(first.items[i].first) ||
            second.items[i].second != reread(first.items[i].second))
            propertyFailed("job " + std::to_string(i + 1) + " changed on save");

    // A second save writes the very same bytes, once nothing is left that
    // the first save changed (a line break in a quoted value written as a
    // blank at its end, a character the code page lacks written as '?').
    bool settled = true;
    for (std::size_t i = 0; i < 24; ++i)
        settled = settled && first.list.names[i] == second.list.names[i];
    for (std::size_t i = 0; i < 2; ++i)
        settled = settled && first.list.notes[i] == second.list.notes[i];
    for (std::size_t i = 0; i < 20; ++i)
        settled = settled && first.items[i].first == second.items[i].first &&
                  first.items[i].second == second.items[i].second;
    if (!saveThroughTheEditor(files))
        propertyFailed("a saved list cannot be saved again");
    if (settled && (files.files[employeeListPath(kBase)] != savedEmployees ||
                    files.files[jobListPath(kBase)] != savedJobs))
        propertyFailed("a second save wrote different bytes");
    const std::string secondEmployees = files.files[employeeListPath(kBase)];
    const std::string secondJobs = files.files[jobListPath(kBase)];
    const Read third = readBoth(files);
    if (!third.employees || !third.jobs || !saveThroughTheEditor(files))
        propertyFailed("a list saved twice cannot be read and saved again");
    if (files.files[employeeListPath(kBase)] != secondEmployees ||
        files.files[jobListPath(kBase)] != secondJobs)
        propertyFailed("a third save wrote different bytes from the second");
}

} // namespace tc::fuzz
