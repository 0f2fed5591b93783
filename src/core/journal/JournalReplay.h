#pragma once

#include "core/files/FileAccess.h"
#include "core/format/WeekFile.h"
#include "core/journal/Journal.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// A week file as its journal tells it, rebuilt line by line.
struct WeekReplay {
    // Found: a punch a put-back kept that the journal had no line for.
    enum class Source : unsigned char { None, Existing, Punch, Correction, Found };
    std::string bytes = std::string(kMaxWeekFileBytes, '\0');
    // What wrote each entry last, by position (index 0 is position 1) and
    // entry (index 0: the name and the unused entry 0).
    std::array<std::array<Source, TimeRecord::kEntries + 1>, kPositions> setBy{};
    // What the journal cannot account for: a save that found a field other
    // than the journal had it (the file was changed outside the program
    // before that save), a text that does not fit its field.
    std::vector<std::string> unexplained;
};

// Replays the lines before line `stopBefore` of the file (all when 0).
WeekReplay replayWeek(const JournalText& journal, int stopBefore = 0);

// The week file compared with its journal: every entry is explained by a
// punch, a correction or its being there when the journal began, or named.
// An entry known only from the journal's beginning was not witnessed: the
// journal cannot tell it from one written by hand before it began.
struct WeekVerification {
    bool journalFound = false;
    int inUse = 0;     // entries in use in the week file
    int punches = 0;   // entries as the station stored them
    int corrected = 0; // entries a time-sheet save wrote last
    int existing = 0;  // entries there when the journal began (not witnessed)
    std::string began; // when the journal began, when it began on a week holding punches
    std::vector<std::string> unexplained;
    std::vector<std::string> notes; // the journal's own problems (torn lines)
    std::string seal;               // the week's seal, shown, or why there is none
    int keptSealLine = 0;           // the line that had the seal checked against, when found
    bool passed() const { return unexplained.empty(); }
    bool witnessed() const { return existing == 0; }
    std::string text(const std::string& weekFile) const;
};
// `journal` is null when there is none; `sunday` ends the file's week, when
// known (its punch lines must lie in it).
// `backup` is the week's backup (.wkb), when there is one: when it holds the
// week as the journal has it and the file does not, a save or put-back may
// have been stopped between the file and its journal lines.
WeekVerification verifyWeek(std::string_view weekBytes, const JournalText* journal,
                            const std::optional<DateTime>& sunday = std::nullopt,
                            const std::string* backup = nullptr);
// Reads the week file and its journal; fails when the week file cannot be read.
// `keptSeal` ("XXXX-XXXX-XXXX-XXXX", may be empty) is a seal the week must have had.
Status verifyWeekFile(FileAccess& files, const std::string& weekFile, WeekVerification& out,
                      std::string_view keptSeal = {});

// A journal as the time sheet's history lists it.
struct HistoryItem {
    std::string when; // "2025-02-04 10:00:00"
    std::string what;
    std::string who;
    int saveLine = 0; // the line of a save or restore (which can be undone); 0 for others
};
std::vector<HistoryItem> weekHistory(const JournalText& journal);

// The entries in use in `weekBytes` that the journal has no line for, by
// position and entry: a put-back keeps them.
std::vector<std::pair<int, int>> entriesNotInJournal(std::string_view weekBytes, const WeekReplay& replay);

// The week as it was just before the save (or restore) on line `saveLine`,
// with the punches stored after that save (and those a put-back found
// since) put back at the end of their records, as the station would have
// stored them. Saves after it are undone
// too. nullopt when no save begins on that line.
std::optional<std::string> weekBeforeSave(const JournalText& journal, int saveLine);

// The last save that changed each entry: when, and what it was before.
struct EntryCorrection {
    int position = 0;
    int entry = 0;
    std::string when;   // shown
    std::string before; // "time 5:00:00 PM", "job 1001.Dept-1, time 5:00:00 PM"; empty when it was added
};
// By position, then entry.
std::vector<EntryCorrection> lastCorrections(const JournalText& journal);
// The entries in use the journal says each record holds (index 0 is
// position 1): its punch and existing lines, plus added, less removed.
std::array<int, kPositions> journalEntryCounts(const JournalText& journal);

} // namespace tc
