#include "core/sheet/ListTexts.h"

#include "core/format/CodePageCheck.h"
#include "core/format/ListFiles.h"
#include "core/sheet/ListsSave.h"

#include <vector>

namespace tc {

namespace {

const std::string kNotSaved = " The files were not updated.";

// Characters the code page lacks, said in a way that fits every box;
// empty when there are none.
std::string codePageProblem(const std::string& value) {
    const std::string lacking = charactersOutsideCodePage(value);
    if (lacking.empty())
        return {};
    return " contains characters that the list files cannot store (" + lacking +
           "); they would be saved as \"?\". Please write them another way.";
}

bool hasQuote(const std::string& value) {
    return value.find('"') != std::string::npos;
}

// An emptied job box is an empty slot (a lone comma), so the jobs after it stay in step.
std::vector<std::string> jobFields(const std::string& box) {
    return listFields(box.find_first_not_of(' ') == std::string::npos ? std::string(",") : box);
}

std::string refusal(const ListTexts& boxes) {
    for (std::size_t i = 0; i < boxes.names.size(); ++i) {
        const std::string box = "Employee name " + std::to_string(i + 1);
        if (hasQuote(boxes.names[i]))
            return box +
                   " contains a double quote; the employee list cannot hold it, and every later name would "
                   "move to the wrong button. Please remove it." +
                   kNotSaved;
        if (const std::string problem = codePageProblem(boxes.names[i]); !problem.empty())
            return box + problem + kNotSaved;
    }
    for (std::size_t i = 0; i < boxes.notes.size(); ++i) {
        const std::string box = "Clock note " + std::to_string(i + 1);
        if (hasQuote(boxes.notes[i]))
            return box + " contains a double quote; the employee list cannot hold it. Please remove it." +
                   kNotSaved;
        if (const std::string problem = codePageProblem(boxes.notes[i]); !problem.empty())
            return box + problem + kNotSaved;
    }
    for (std::size_t i = 0; i < boxes.jobs.size(); ++i) {
        const std::string box = "Job " + std::to_string(i + 1);
        const std::vector<std::string> fields = jobFields(boxes.jobs[i]);
        if (fields.size() != 2)
            return box +
                   " must be a job number, a comma and a description (an empty job is a single comma); "
                   "otherwise every later job would be read out of step. A job or description that holds a "
                   "comma goes in double quotes." +
                   kNotSaved;
        for (const std::string& item : fields) {
            if (hasQuote(item))
                return box + " contains a double quote; the job list cannot hold it. Please remove it." +
                       kNotSaved;
            if (const std::string problem = codePageProblem(item); !problem.empty())
                return box + problem + kNotSaved;
        }
    }
    return {};
}

// The lists journal's lines of a save.
std::string listChangeLines(const ListsJournal& journal, const ListTexts& after) {
    std::string lines;
    int count = 0;
    const auto changes = [&](const char* kind, const auto& was, const auto& is) {
        for (std::size_t i = 0; i < was.size(); ++i)
            if (was[i] != is[i]) {
                lines +=
                    journalLine({kind, std::to_string(i + 1), escapedField(was[i]), escapedField(is[i])});
                ++count;
            }
    };
    changes("name", journal.before.names, after.names);
    changes("note", journal.before.notes, after.notes);
    changes("job", journal.before.jobs, after.jobs);
    const JournalStamp& s = journal.stamp;
    return journalLine({"lists", formatJournalTime(s.when, s.utcOffsetSeconds), std::to_string(count),
                        escapedField(s.user), escapedField(s.host)}) +
           lines;
}

} // namespace

Status loadButtonDataBoxes(FileAccess& files, const std::string& baseFolder, ListTexts& boxes) {
    // A missing or short list must not lock the manager out of the one screen
    // that can repair it: the boxes show what could be read, the rest blank,
    // and Save writes both files complete again.
    const Status finished = finishListSave(files, baseFolder);
    EmployeeList employees;
    const Status employeeStatus = readEmployeeList(files, baseFolder, employees);
    boxes.names = employees.names;
    boxes.notes = employees.notes;
    const Status jobStatus = readJobLines(files, baseFolder, boxes.jobs);

    std::string problems;
    if (!finished)
        problems = finished.message();
    for (const Status* st : {&employeeStatus, &jobStatus})
        if (!*st)
            problems += (problems.empty() ? "" : "\r\n\r\n") + st->message();
    if (problems.empty())
        return Status::ok();
    if (employeeStatus && jobStatus)
        return Status::fail(problems);
    return Status::fail(problems +
                        "\r\n\r\nThe boxes show what could be read. Save writes both files complete, "
                        "once every job box holds a job and its description.");
}

Status saveButtonDataBoxes(FileAccess& files, const std::string& baseFolder, ListTexts& boxes,
                           ListsJournal* journal) {
    if (const std::string refused = refusal(boxes); !refused.empty())
        return Status::fail(refused);

    EmployeeList employees;
    employees.names = boxes.names;
    employees.notes = boxes.notes;
    std::array<std::string, kJobs> jobs;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const std::vector<std::string> fields = jobFields(boxes.jobs[i]);
        jobs[i] = jobLineText({fields[0], fields[1]});
    }
    std::string employeeBytes, jobBytes, journalProblem;
    if (Status st = buttonDataBytes(baseFolder, employees, jobs, employeeBytes, jobBytes); !st)
        return Status::fail(st.message() + "\r\nThe files were not updated.");
    ListTexts saved = boxes;
    saved.jobs = jobs;
    const std::string lines = journal ? listChangeLines(*journal, saved) : std::string();
    if (Status st = saveListsTogether(files, baseFolder, employeeBytes, jobBytes, lines, journalProblem); !st)
        return st;
    boxes.jobs = jobs;
    if (journal)
        journal->problem = journalProblem;
    return Status::ok();
}

} // namespace tc
