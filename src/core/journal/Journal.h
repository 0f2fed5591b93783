#pragma once

#include "core/files/FileAccess.h"
#include "core/format/DateTime.h"
#include "core/format/TimeRecord.h"
#include "core/format/WeekFile.h"

#include <array>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// The journals: append-only text files that keep every punch and every
// change of a week file (beside it, "<week>.journal") and of the lists
// ("lists.journal" in the program folder). UTF-8, LF, one event a line,
// fields separated by TAB; the first line names the format, its version and
// the journal itself ("timeclock-journal 1 Week Ending Sunday Feb 9 2025.journal",
// TAB-separated), so nothing is appended to a file linked in at its path.
// A field holding a TAB, CR, LF, backslash or NUL keeps it as \t \r \n \\ \0.
// A week file's field is written as stored, padding included, converted
// from the code page, so a replay rebuilds the exact bytes; an empty field
// is one never written (all NUL).
//
//   existing  when  position  entry  name  action  job  time  date
//   punch     when  position  entry  name  action  job  time  date
//   found     when  position  entry  name  action  job  time  date   (a punch a put-back kept that
//                                                                    the journal had no line for)
//   save      when  changes  backup  user  host
//   restore   when  changes  backup  user  host  when-of-the-save-undone  its-line
//   field     position  entry  EmpName|Action|JobNumber|ActTime|ActDate  old  new
//   added     position  entry  action  job  time  date          (the new entry)
//   removed   position  entry  action  job  time  date          (the entry as it was)
//   lists     when  changes  user  host
//   name      position  old  new    note  1|2  old  new    job  1..20  old  new
//   approve      when  user  host  position  name  total  regular  overtime  seal
//   acknowledge  when  user  host  position  name  flag  note
//   close        when  user  host  seal
//   reopen       when  user  host  reason
//   claim        when-told  position  entry  name  YYYY-MM-DD HH:MM:SS|unknown
//   accepted     when  position  entry  when-told  user  host
//   rejected     when  position  entry  when-told  note  user  host
//
// A save, restore or lists line is followed by its `changes` lines. Entry 0
// of an `existing` or `field` line is the record's name (and the unused
// entry 0 of the arrays, written only by hand).
// A journal begun before seals; new ones are sealed (JournalSeal.h).
inline constexpr std::string_view kJournalHeader = "timeclock-journal\t1";

// When and by whom an event happened: the local time with its offset from
// UTC, and the computer's user and host (empty for a punch). The platform
// supplies all four; nothing in the core reads a clock or the environment.
struct JournalStamp {
    DateTime when;
    int utcOffsetSeconds = 0;
    std::string user;
    std::string host;
};

// "2025-02-03T09:05:07-05:00"
std::string formatJournalTime(const DateTime& when, int utcOffsetSeconds);
// "2025-02-03 09:05:07": the local time of a journal time, for people.
std::string shownJournalTime(std::string_view journalTime);

// "…/Feb/Week Ending Sunday Feb 2 2025.journal" beside "….dat"; any other
// name gets ".journal" added, so two files never share a journal.
std::string journalPathOf(const std::string& weekFile);
std::string listsJournalPath(const std::string& baseFolder);

enum class JournalKind : unsigned char {
    Existing,
    Punch,
    Save,
    Restore,
    Field,
    Added,
    Removed,
    Lists,
    Name,
    Note,
    Job,
    Found,
    Approve,
    Acknowledge,
    Close,
    Reopen,
    Claim,
    Accepted,
    Rejected
};

// One line that could be read: its kind and its fields after the kind,
// unescaped (UTF-8; the numbers checked).
struct JournalLine {
    JournalKind kind;
    int number = 0; // line number in the file, from 1
    std::vector<std::string> fields;
    int intField(std::size_t i) const { return std::stoi(fields[i]); }
};

struct JournalText {
    std::vector<JournalLine> lines;
    // Lines ignored (a torn last line, a line that cannot be read), a save
    // short of its lines, a first line that is not a journal's.
    std::vector<std::string> problems;
    // The punch and existing lines of entries 1..100, by position (index 0
    // is position 1), read or passed over.
    std::array<int, kPositions> entryLines{};
};

// Reads a journal's text; never fails: what cannot be read is left out and
// said in `problems`. With `changesOnly`, punch and existing lines are
// passed over unread (the week report wants the corrections alone).
JournalText parseJournal(std::string_view text, bool changesOnly = false);

// A stored field as a journal keeps it: empty when never written (all NUL),
// else its text converted from the code page, escaped.
std::string storedFieldText(std::string_view raw);
// The stored bytes of a journal's field text (unescaped); false when it does
// not make exactly `width` bytes.
bool storedFieldBytes(std::string_view text, std::size_t width, std::string& out);
const char* fieldName(TimeRecord::Field f);

// UTF-8 text as a journal's field keeps it (escaped).
std::string escapedField(std::string_view utf8);
// One line: the fields (escaped already) joined by TAB, ended by LF.
std::string journalLine(std::initializer_list<std::string_view> fields);

// A punch stored in entry `entry` of the record at `position`.
std::string punchLine(const JournalStamp& stamp, int position, int entry, const TimeRecord& record);
// A punch in entry `entry` of the record at `position` that the journal had
// no line for, kept by a put-back.
std::string foundLine(const JournalStamp& stamp, int position, int entry, const TimeRecord& record);
// What a week file holds when its journal begins: an `existing` line for
// each entry in use (and for a record holding a name only, its entry 0).
std::string existingLines(const JournalStamp& stamp, std::string_view weekBytes);
// The field, added and removed lines that turn `before` into `after`;
// `count` is set to their number.
std::string weekChangeLines(std::string_view before, std::string_view after, int& count);

// Far more than a week's punches and saves ever make; a larger file is not
// read (a link to a device, a file filled by something else).
inline constexpr std::size_t kMaxJournalBytes = std::size_t(64) << 20;
// Reads a journal whole, at most kMaxJournalBytes.
Status readJournalFile(FileAccess& files, const std::string& path, std::string& text);

// Appends `lines` and flushes them to the disk before it returns. A new (or
// empty) journal first gets the format line and `opening()`; a journal that
// ends inside a line (a write cut short) first gets that line ended with
// TAB "\(cut short)", so the torn line is never read and stays apart from
// the new ones. Never touches any other file: one whose first line does not
// name this journal is not written.
Status appendToJournal(FileAccess& files, const std::string& path, std::string_view lines,
                       const std::function<std::string()>& opening = {});

} // namespace tc
