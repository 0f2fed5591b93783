#include "FuzzTargets.h"
#include "MemoryFiles.h"

#include "core/files/Paths.h"
#include "core/format/ListFiles.h"
#include "core/sheet/ListTexts.h"

#include <array>
#include <map>
#include <vector>

namespace tc::fuzz {

namespace {

const std::string kBase = "base";

// The button data editor opened on the lists and saved, as a manager does
// to mend a damaged list: the boxes show what could be read.
Status openAndSave(MemoryFiles& files) {
    ListTexts boxes;
    (void)loadButtonDataBoxes(files, kBase, boxes);
    const std::map<std::string, std::string> before = files.files;
    const Status saved = saveButtonDataBoxes(files, kBase, boxes);
    if (!saved && files.files != before)
        propertyFailed("a refused save changed a list: " + saved.message());
    return saved;
}

// A saved list holds exactly the fields of its lines: none moved to another line or button.
std::size_t fieldCount(const std::string& bytes) {
    FieldReader reader(bytes);
    std::size_t count = 0;
    for (std::string field; reader.next(field);)
        ++count;
    return count;
}

} // namespace

// One input as both lists. The station's readers stop and name the file;
// what the editor saves reads back whole, and saving it again settles: the
// third save writes the bytes of the second (the first may still mend
// blanks, line breaks and quotes that the writer does not give back).
void listFileTarget(const std::uint8_t* data, std::size_t size) {
    MemoryFiles files;
    const std::string employees = employeeListPath(kBase), jobs = jobListPath(kBase);
    files.files[employees] = files.files[jobs] = std::string(reinterpret_cast<const char*>(data), size);

    EmployeeList list;
    std::vector<JobItem> pairs;
    const Status employeeStatus = readEmployeeList(files, kBase, list);
    const Status jobStatus = readJobList(files, kBase, pairs);
    if (pairs.size() > 20)
        propertyFailed("the job screen read more than 20 jobs");
    if ((!employeeStatus && employeeStatus.message().find(employees) == std::string::npos) ||
        (!jobStatus && jobStatus.message().find(jobs) == std::string::npos))
        propertyFailed("a list error names no file: " + employeeStatus.message() + jobStatus.message());
    // Where every line is a job and its description, the editor's boxes show the job screen's jobs.
    std::array<std::string, 20> lines;
    if (readJobLines(files, kBase, lines))
        for (std::size_t j = 0; j < lines.size(); ++j)
            if (j >= pairs.size() || lines[j] != jobLineText(pairs[j]))
                propertyFailed("job box " + std::to_string(j + 1) + " is not the job screen's job");

    if (!openAndSave(files))
        return;
    if (!readEmployeeList(files, kBase, list) || list.header != kEmployeeListHeader ||
        !readJobLines(files, kBase, lines) || fieldCount(files.files[employees]) != 1 + 24 + 2 ||
        fieldCount(files.files[jobs]) != 2 * 20)
        propertyFailed("a saved list does not read back whole, each field on its line");
    if (!openAndSave(files))
        propertyFailed("a saved list cannot be saved again");
    const std::map<std::string, std::string> second = files.files;
    if (!openAndSave(files) || files.files != second)
        propertyFailed("a third save wrote other bytes than the second");
}

} // namespace tc::fuzz
