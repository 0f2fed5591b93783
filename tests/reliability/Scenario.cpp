#include "Scenario.h"

#include "data/TimeText.h"
#include "data/WeekFile.h"
#include "manage/ButtonDataBoxes.h"
#include "manage/TimeSheet.h"
#include "support/WeekBuilder.h"

namespace tc::test {

using F = TimeRecord::Field;

PlannedPunch plannedPunch(long counter) {
    static const char* const kWalk[] = {"IN", "LUNCH", "IN", "CHANGE", "OUT"};
    static const char* const kDepts[] = {".Dept-1", ".Dept-2", ".Office", ".Other"};
    constexpr long kPerWeek = 2400;
    PlannedPunch p;
    p.position = int(counter % 24) + 1;
    const long round = (counter % kPerWeek) / 24;
    p.name = "Emp " + std::to_string(p.position);
    p.action = kWalk[round % 5];
    if (p.action == "IN" || p.action == "CHANGE") {
        p.job = std::to_string(100 + counter % 37);
        p.dept = kDepts[counter % 4];
    }
    // Monday Jan 6 2025 00:00, then one minute per punch; a new week every 2400.
    p.when =
        makeDateTime(2025, 1, 6).addDays(int(7 * (counter / kPerWeek))).addSeconds((counter % kPerWeek) * 60);
    return p;
}

void choose(AppState& state, const PlannedPunch& punch) {
    state.ButtonNumber = std::int16_t(punch.position);
    state.CurName = punch.name;
    state.CurAction = punch.action;
    state.CurJob = punch.job;
    state.CurDept = punch.dept;
}

bool recordHolds(const TimeRecord& record, const PlannedPunch& punch) {
    TimeRecord want;
    want.set(F::Action, 1, punch.action);
    want.set(F::JobNumber, 1, punch.job + punch.dept);
    want.set(F::ActTime, 1, formatTime(punch.when));
    want.set(F::ActDate, 1, formatDate(punch.when));
    for (int k = 1; k <= TimeRecord::kEntries; ++k) {
        bool same = true;
        for (F f : {F::Action, F::JobNumber, F::ActTime, F::ActDate})
            same = same && record.raw(f, k) == want.raw(f, 1);
        if (same)
            return true;
    }
    return false;
}

std::string weekFileProblem(std::string_view bytes) {
    if (bytes.size() % TimeRecord::kSize != 0)
        return "length " + std::to_string(bytes.size()) + " is not a whole number of records";
    if (bytes.size() > kPositions * TimeRecord::kSize)
        return "more than 24 records";
    const int records = int(bytes.size() / TimeRecord::kSize);
    for (int n = 1; n <= records; ++n) {
        const TimeRecord r = recordAt(bytes, n);
        const int used = r.usedEntries();
        for (int k = 1; k <= TimeRecord::kEntries; ++k) {
            const std::string where = "record " + std::to_string(n) + " entry " + std::to_string(k);
            if (k > used) {
                for (F f : {F::Action, F::JobNumber, F::ActTime, F::ActDate})
                    if (r.raw(f, k).find_first_not_of('\0') != std::string_view::npos)
                        return where + " is past the last punch but not empty";
                continue;
            }
            const std::string_view action = trimSpaces(r.raw(F::Action, k));
            if (action != kActionIn && action != kActionChange && action != kActionLunch &&
                action != kActionOut)
                return where + " has no action word";
            if (!parseTimeOfDay(r.raw(F::ActTime, k)))
                return where + " has no readable time";
            if (r.raw(F::ActDate, k).front() == '\0')
                return where + " has no date";
        }
        if (used > 0 && r.raw(F::EmpName).front() == '\0')
            return "record " + std::to_string(n) + " has punches but no name";
    }
    return {};
}

ButtonTexts buttonTexts(long n) {
    ButtonTexts t;
    const std::string g = std::to_string(n);
    for (std::size_t i = 0; i < t.names.size(); ++i)
        t.names[i] = "Name " + std::to_string(i + 1) + " gen " + g;
    t.notes = {"Note A " + g, "Note B " + g};
    for (std::size_t j = 0; j < t.jobs.size(); ++j)
        t.jobs[j] = std::to_string(200 + j) + ",Job " + std::to_string(j) + " gen " + g;
    return t;
}

Status saveButtonTexts(FileAccess& files, const std::string& baseFolder, long n) {
    const ButtonTexts t = buttonTexts(n);
    ButtonDataBoxes boxes{t.names, t.jobs, t.notes};
    return saveButtonDataBoxes(files, baseFolder, boxes);
}

std::string employeeListBytes(const ButtonTexts& texts) {
    return employeeListBytes(texts.names, texts.notes);
}

std::string jobListBytes(const ButtonTexts& texts) {
    return jobListBytes(texts.jobs);
}

namespace {

std::string sampleWeekWith(const std::string& firstJob) {
    std::vector<TimeRecord> records;
    for (int p = 1; p <= 3; ++p)
        records.push_back(makeRecord("Worker " + std::to_string(p),
                                     {{"IN", p == 1 ? firstJob : "101.Dept-1", "7:00:00 AM", "Mon-Jan-6"},
                                      {"LUNCH", "", "11:30:00 AM", "Mon-Jan-6"},
                                      {"IN", "101.Dept-1", "12:00:00 PM", "Mon-Jan-6"},
                                      {"OUT", "", "3:30:00 PM", "Mon-Jan-6"}}));
    records.resize(kPositions, placeholderRecord());
    return weekBytes(records);
}

} // namespace

std::string sampleWeek() {
    return sampleWeekWith("101.Dept-1");
}
std::string sampleWeekSaved(long n) {
    return sampleWeekWith("save " + std::to_string(n));
}

SaveOutcome saveSheet(FileAccess& files, const std::string& path, long n, SaveTalk& talk) {
    std::string loaded;
    if (Status st = readWholeFile(realFiles(), path, loaded, false); !st) {
        talk.tell(st.message());
        return SaveOutcome::Failed;
    }
    TimeSheet sheet;
    sheet.load(loaded);
    sheet.setCell(1, TimeSheet::JobNumber, "save " + std::to_string(n));
    return saveWeek(files, path, sheet, talk);
}

} // namespace tc::test
