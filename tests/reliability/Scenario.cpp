#include "Scenario.h"

#include "core/files/Paths.h"
#include "core/format/ListFiles.h"
#include "core/format/WeekFile.h"
#include "core/journal/Journal.h"
#include "core/punch/PunchRecorder.h"
#include "core/sheet/ListTexts.h"
#include "core/sheet/ListsSave.h"
#include "support/RecordText.h"
#include "support/RecordingTalk.h"

#include <filesystem>

namespace tc::test {

namespace {

const DateTime kNow = makeDateTime(2025, 1, 7, 9, 5, 7); // week ending Sunday Jan 12 2025

// The week the writers work on, as the time sheet saves it.
std::string sampleWeek() {
    std::vector<TimeRecord> records;
    for (int p = 1; p <= 3; ++p)
        records.push_back(
            rec("Worker " + std::to_string(p) +
                "|IN 7:00a Mon-Jan-6 101.Dept-1|LUNCH 11:30a|IN 12:00p Mon-Jan-6 101.Dept-1|OUT 3:30p"));
    records.resize(kPositions, placeholderRecord());
    return weekBytes(records);
}

std::string weekOf(const std::string& base) {
    return weekFilePath(base, kNow);
}

std::string punchOut(FileAccess& files, const std::string& base) {
    StationState state(base, files);
    return recordPunch(state, {1, "Worker 2", "OUT", "", "", {}}, kNow).message();
}

// The manager corrects a job in the week as it was loaded.
std::string saveSheet(FileAccess& files, const std::string& base) {
    TimeSheet sheet;
    sheet.load(sampleWeek());
    sheet.setCell(1, TimeSheet::JobNumber, "fixed");
    RecordingTalk talk;
    if (saveWeek(files, weekOf(base), sheet, talk) != SaveOutcome::Saved)
        return talk.toldText();
    // A week saved tells of its backup, then "done", and of nothing else
    // unless its journal could not be written.
    std::string said;
    for (const std::string& m : talk.told)
        if (!m.ends_with("As Backup.") && m != "done")
            said += m;
    return said;
}

std::string saveButtonData(FileAccess& files, const std::string& base) {
    ListTexts boxes;
    for (std::size_t i = 0; i < boxes.names.size(); ++i)
        boxes.names[i] = "Name " + std::to_string(i + 1);
    for (std::size_t j = 0; j < boxes.jobs.size(); ++j)
        boxes.jobs[j] = std::to_string(200 + j) + ",Job " + std::to_string(j);
    boxes.notes = {"Note A", "Note B"};
    ListsJournal journal;
    const Status st = saveButtonDataBoxes(files, base, boxes, &journal);
    return st ? journal.problem : st.message();
}

} // namespace

const std::array<Writer, 3> kWriters = {{
    {"punch", [](auto& base) -> Paths { return {weekOf(base)}; },
     [](auto& base) { return journalPathOf(weekOf(base)); }, punchOut, "NOT recorded", nullptr, nullptr},
    {"time-sheet save",
     [](auto& base) -> Paths {
         return {backupPathOf(weekOf(base)), weekOf(base)};
     },
     [](auto& base) { return journalPathOf(weekOf(base)); }, saveSheet, "The week was not saved", nullptr,
     nullptr},
    {"button data save",
     [](auto& base) -> Paths {
         return {employeeListPath(base), jobListPath(base)};
     },
     [](auto& base) { return listsJournalPath(base); }, saveButtonData, "The files were not updated.",
     listsSavingPath, "The save is not finished yet"},
}};

void prepare(const ProgramFolder& base) {
    base.writeWeek(kNow, sampleWeek());
    base.writeLists(employeeListBytes(workerNames(), {"Note one", "Note two"}),
                    jobListBytes(std::vector<std::string>(20, "101,Roof")));
}

Paths contents(const Paths& files) {
    std::vector<std::string> out;
    for (const std::string& f : files)
        out.push_back(readFile(f));
    return out;
}

int leftovers(const std::string& base) {
    int n = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base))
        n += entry.path().string().ends_with(kTempSuffix);
    return n;
}

} // namespace tc::test
