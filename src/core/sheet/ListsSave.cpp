#include "core/sheet/ListsSave.h"

#include "core/files/Paths.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalSeal.h"

namespace tc {

namespace {

constexpr std::string_view kRecordHeader = "timeclock-lists-saving\t1\n";
constexpr std::string_view kRecordEnd = "end\n";

std::string tempOf(const std::string& path) {
    return path + std::string(kTempSuffix);
}

// Unlike renameTempFile, a failure keeps the temporary file: past the
// record it is the only copy of the new list.
Status renameKeepingTemp(FileAccess& files, const std::string& path) {
    if (Status st = files.rename(tempOf(path), path); !st)
        return Status::fail("Cannot write " + path + ": " + st.message() + ".");
    files.saveStepDone(SaveStep::Renamed, path);
    (void)files.syncFolder(parentFolder(path));
    return Status::ok();
}

// The renames still to do: a list whose temporary file is there. The record
// is made only once both are whole, so a missing one was renamed already.
Status renameLists(FileAccess& files, const std::string& baseFolder) {
    for (const std::string& path : {employeeListPath(baseFolder), jobListPath(baseFolder)})
        if (files.exists(tempOf(path)))
            if (Status st = renameKeepingTemp(files, path); !st)
                return st;
    return Status::ok();
}

// Appends the lines unless the journal already ends with them (a crash
// after the append, before the record went); "" or why it could not. The
// lines in the journal carry seals that the record's lines do not.
std::string appendOnce(FileAccess& files, const std::string& baseFolder, std::string_view lines) {
    if (lines.empty())
        return {};
    const std::string path = listsJournalPath(baseFolder);
    std::string text;
    if (files.exists(path) && readJournalFile(files, path, text) && withoutSeals(text).ends_with(lines))
        return {};
    const Status st = appendToJournal(files, path, lines);
    return st ? std::string() : st.message();
}

std::string damaged(const std::string& record, const std::string& why) {
    return "An unfinished list save left " + record + ", but " + why +
           ". The lists were left as they are: check them in the list editor, then delete " + record + ".";
}

} // namespace

std::string listsSavingPath(const std::string& baseFolder) {
    return pathJoin(baseFolder, kListsSavingName);
}

Status saveListsTogether(FileAccess& files, const std::string& baseFolder, std::string_view employeeBytes,
                         std::string_view jobBytes, std::string_view journalLines,
                         std::string& journalProblem) {
    journalProblem.clear();
    const std::string employees = employeeListPath(baseFolder);
    const std::string jobs = jobListPath(baseFolder);
    const std::string record = listsSavingPath(baseFolder);
    const std::string notUpdated = "\r\nThe files were not updated.";
    // A folder in a list's place would fail its rename for good, past the
    // point of no return: refused while nothing has changed.
    for (const std::string& path : {employees, jobs})
        if (files.isFolder(path))
            return Status::fail("Cannot write " + path + ": " + kNotARegularFile + "." + notUpdated);
    if (Status st = writeTempFile(files, employees, employeeBytes); !st)
        return Status::fail(st.message() + notUpdated);
    if (Status st = writeTempFile(files, jobs, jobBytes); !st) {
        (void)files.remove(tempOf(employees));
        return Status::fail(st.message() + notUpdated);
    }
    const std::string recordBytes =
        std::string(kRecordHeader) + std::string(journalLines) + std::string(kRecordEnd);
    if (Status st = replaceFile(files, record, recordBytes); !st) {
        (void)files.remove(tempOf(employees));
        (void)files.remove(tempOf(jobs));
        return Status::fail(st.message() + notUpdated);
    }
    if (Status st = renameLists(files, baseFolder); !st)
        return Status::fail(st.message() + "\r\nThe save is not finished yet: " + record +
                            " keeps what is left to do, and the next start of the station or of the "
                            "list editor finishes it.");
    journalProblem = appendOnce(files, baseFolder, journalLines);
    files.saveStepDone(SaveStep::JournalWritten, listsJournalPath(baseFolder));
    (void)files.remove(record);
    return Status::ok();
}

Status finishListSave(FileAccess& files, const std::string& baseFolder) {
    const std::string record = listsSavingPath(baseFolder);
    const std::string temps[] = {tempOf(employeeListPath(baseFolder)), tempOf(jobListPath(baseFolder)),
                                 tempOf(record)};
    if (!files.exists(record)) {
        // A save stopped before its point of no return: the lists are the old ones.
        for (const std::string& temp : temps)
            if (files.exists(temp))
                (void)files.remove(temp);
        return Status::ok();
    }
    if (files.resolvedPath(record) != pathJoin(files.resolvedPath(baseFolder), kListsSavingName))
        return Status::fail(damaged(record, "it is a link"));
    std::string bytes;
    if (Status st = readWholeFile(files, record, bytes, false, kMaxListsSavingBytes); !st)
        return Status::fail(damaged(record, "it cannot be read (" + st.message() + ")"));
    if (!bytes.starts_with(kRecordHeader) || !bytes.ends_with(kRecordEnd) ||
        bytes.size() < kRecordHeader.size() + kRecordEnd.size())
        return Status::fail(damaged(record, "it is damaged"));
    const std::string_view lines = std::string_view(bytes).substr(
        kRecordHeader.size(), bytes.size() - kRecordHeader.size() - kRecordEnd.size());
    if (!lines.empty() && !lines.ends_with('\n'))
        return Status::fail(damaged(record, "it is damaged"));
    if (Status st = renameLists(files, baseFolder); !st)
        return st;
    if (const std::string problem = appendOnce(files, baseFolder, lines); !problem.empty())
        return Status::fail(problem + "\r\nThe lists were saved all the same.");
    (void)files.remove(record);
    return Status::ok();
}

} // namespace tc
