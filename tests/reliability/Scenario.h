#pragma once

// Shared pieces of the reliability tests: punches worked out from a counter
// (so a parent process knows what a killed child stored from the counter it
// acknowledged), a structural check of a week file, and the list-file bytes a
// given generation of the button data editor writes.

#include "data/DateTime.h"
#include "data/TimeRecord.h"
#include "manage/WeekSave.h"
#include "station/AppState.h"

#include <array>
#include <string>
#include <string_view>

namespace tc::test {

struct PlannedPunch {
    int position = 1;
    std::string name;
    std::string action;
    std::string job;
    std::string dept;
    DateTime when;
};

// Punch number `counter` (0, 1, 2 ...): positions 1..24 in turn, each
// walking IN, LUNCH, IN, CHANGE, OUT; one minute apart, 2400 punches a week,
// so no record overflows and every (week, position) has unique times.
PlannedPunch plannedPunch(long counter);
// Puts the punch into the state the screens would have filled.
void choose(AppState& state, const PlannedPunch& punch);
// True when one of the record's entries is exactly this punch.
bool recordHolds(const TimeRecord& record, const PlannedPunch& punch);

// Empty when `bytes` is a sound week file as the station writes it: whole
// records, at most 24, every record's entries used from 1 without gaps, each
// used entry an action word with a readable time; otherwise what is wrong.
std::string weekFileProblem(std::string_view bytes);

// Generation `n` of the button data editor's texts, and the list files it
// makes of them (see WeekBuilder.h).
struct ButtonTexts {
    std::array<std::string, 24> names;
    std::array<std::string, 2> notes;
    std::array<std::string, 20> jobs;
};
ButtonTexts buttonTexts(long n);
// Generation `n` saved through the button data editor's own Save.
Status saveButtonTexts(FileAccess& files, const std::string& baseFolder, long n);
std::string employeeListBytes(const ButtonTexts& texts);
std::string jobListBytes(const ButtonTexts& texts);

// A full week file (24 records) with a few punches at positions 1..3 and
// placeholders elsewhere, in the form the time sheet saves.
std::string sampleWeek();
// sampleWeek() with the job of position 1's first punch set to "save <n>":
// what the n-th save of an editing manager stores.
std::string sampleWeekSaved(long n);
// That edit made to the week at `path` as it is on disk, then saved through
// the time sheet's own Save (backup and replacement through `files`).
SaveOutcome saveSheet(FileAccess& files, const std::string& path, long n, SaveTalk& talk);

} // namespace tc::test
