#include "core/journal/JournalReplay.h"

#include "core/format/TimeText.h"
#include "core/journal/JournalChecks.h"
#include "core/journal/SealVerification.h"
#include "core/sheet/WeekSave.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace tc {

namespace {

using F = TimeRecord::Field;
using Source = WeekReplay::Source;
constexpr F kEntryFields[] = {F::Action, F::JobNumber, F::ActTime, F::ActDate};

const char* shownName(F f) {
    switch (f) {
    case F::EmpName:
        return "name";
    case F::Action:
        return "action";
    case F::JobNumber:
        return "job";
    case F::ActTime:
        return "time";
    case F::ActDate:
        return "date";
    }
    return "";
}

F fieldNamed(const std::string& name) {
    for (F f : {F::Action, F::JobNumber, F::ActTime, F::ActDate})
        if (name == fieldName(f))
            return f;
    return F::EmpName;
}

// A journal's field text for people: trimmed; "(never written)" when empty.
std::string shownText(std::string_view journalText) {
    const std::string_view t = trimSpaces(journalText);
    return journalText.empty() ? "(never written)" : "\"" + std::string(t) + "\"";
}
std::string shownRaw(std::string_view raw) {
    return shownText(storedFieldText(raw));
}

// "IN 1001.Dept-1 9:05:07 AM Mon-Feb-3": the entry's fields that hold text.
std::string entryText(const TimeRecord& r, int k) {
    std::string out;
    for (F f : kEntryFields) {
        const std::string t(trimSpaces(std::string_view(storedFieldText(r.raw(f, k)))));
        if (!t.empty())
            out += (out.empty() ? "" : " ") + t;
    }
    return out;
}

std::string positionText(const TimeRecord& a, const TimeRecord& b, int p) {
    std::string name(trimSpaces(std::string_view(storedFieldText(a.raw(F::EmpName)))));
    if (name.empty())
        name = trimSpaces(std::string_view(storedFieldText(b.raw(F::EmpName))));
    return "position " + std::to_string(p) + (name.empty() ? "" : " (" + name + ")");
}

char* fieldAt(std::string& bytes, int p, F f, int k) {
    return bytes.data() + std::size_t(p - 1) * TimeRecord::kSize + TimeRecord::offset(f, k);
}

bool putField(std::string& bytes, int p, F f, int k, const std::string& text) {
    std::string stored;
    if (!storedFieldBytes(text, TimeRecord::width(f), stored))
        return false;
    std::memcpy(fieldAt(bytes, p, f, k), stored.data(), stored.size());
    return true;
}

// Name and entry of an existing or punch line into the bytes.
bool putEntry(std::string& bytes, const JournalLine& line, int k) {
    const int p = line.intField(1);
    bool ok = putField(bytes, p, F::EmpName, 0, line.fields[3]);
    for (std::size_t i = 0; i < 4; ++i)
        ok = putField(bytes, p, kEntryFields[i], k, line.fields[4 + i]) && ok;
    return ok;
}

class Replayer {
  public:
    explicit Replayer(WeekReplay& r) : r_(r) {}

    void apply(const JournalLine& line) {
        const auto& f = line.fields;
        switch (line.kind) {
        case JournalKind::Existing:
        case JournalKind::Punch:
        case JournalKind::Found: {
            const int k = line.intField(2);
            if (!putEntry(r_.bytes, line, k))
                unfit(line);
            const std::size_t p = std::size_t(line.intField(1) - 1);
            r_.setBy[p][std::size_t(k)] = line.kind == JournalKind::Punch   ? Source::Punch
                                          : line.kind == JournalKind::Found ? Source::Found
                                                                            : Source::Existing;
            stored_[p][std::size_t(k)] = {r_.setBy[p][std::size_t(k)], entryBytes(line.intField(1), k)};
            break;
        }
        case JournalKind::Save:
        case JournalKind::Restore:
            save_ = shownJournalTime(f[0]);
            break;
        case JournalKind::Field: {
            const F field = fieldNamed(f[2]);
            const int k = line.intField(1);
            expect(line, field, k, f[3]);
            if (!putField(r_.bytes, line.intField(0), field, k, f[4]))
                unfit(line);
            corrected(line, k);
            break;
        }
        case JournalKind::Added:
        case JournalKind::Removed: {
            const bool added = line.kind == JournalKind::Added;
            const int k = line.intField(1);
            for (std::size_t i = 0; i < 4; ++i) {
                expect(line, kEntryFields[i], k, added ? std::string() : f[2 + i]);
                if (!putField(r_.bytes, line.intField(0), kEntryFields[i], k,
                              added ? f[2 + i] : std::string()))
                    unfit(line);
            }
            corrected(line, k);
            break;
        }
        default:
            break;
        }
    }

  private:
    // A save found the field as `old`; when the journal had it otherwise, the
    // file was changed outside the program before that save.
    void expect(const JournalLine& line, F f, int k, const std::string& old) {
        const int p = line.intField(0);
        std::string stored;
        const std::string_view now(fieldAt(r_.bytes, p, f, k), TimeRecord::width(f));
        if (storedFieldBytes(old, TimeRecord::width(f), stored) && stored == now)
            return;
        const TimeRecord record = recordAt(r_.bytes, p);
        r_.unexplained.push_back(
            positionText(record, record, p) + ", " + (k > 0 ? "entry " + std::to_string(k) + ", " : "") +
            shownName(f) + ": the save of " + save_ + " found " + shownText(old) + " where the journal had " +
            shownRaw(now) + " (changed outside the program before that save).");
    }
    void unfit(const JournalLine& line) {
        r_.unexplained.push_back("line " + std::to_string(line.number) +
                                 " of the journal holds a text that does not fit its field.");
    }
    // A correction that puts an entry back as the station stored it leaves
    // it as stored there.
    void corrected(const JournalLine& line, int k) {
        const std::size_t p = std::size_t(line.intField(0) - 1);
        const auto& [source, bytes] = stored_[p][std::size_t(k)];
        r_.setBy[p][std::size_t(k)] =
            source != Source::None && bytes == entryBytes(line.intField(0), k) ? source : Source::Correction;
    }
    std::string entryBytes(int p, int k) {
        std::string out;
        for (F f : kEntryFields)
            out.append(fieldAt(r_.bytes, p, f, k), TimeRecord::width(f));
        return out;
    }

    WeekReplay& r_;
    // What the station's (or the journal's first) line stored in each entry.
    std::array<std::array<std::pair<Source, std::string>, TimeRecord::kEntries + 1>, kPositions> stored_{};
    std::string save_ = "?";
};

bool isSave(const JournalLine& line) {
    return line.kind == JournalKind::Save || line.kind == JournalKind::Restore;
}

// The trimmed texts of fields[from .. from + 3] (an entry's four fields) that hold any.
std::string entryFieldsText(const std::vector<std::string>& f, std::size_t from) {
    std::string out;
    for (std::size_t i = from; i < from + 4; ++i)
        if (const std::string t(trimSpaces(std::string_view(f[i]))); !t.empty())
            out += (out.empty() ? "" : " ") + t;
    return out;
}

// One change of a save, for the history: "position 3, entry 2, time "5:00:00 PM" to "4:30:00 PM"".
std::string changeText(const JournalLine& line) {
    const auto& f = line.fields;
    const std::string where = "position " + f[0];
    if (line.kind == JournalKind::Field) {
        const F field = fieldNamed(f[2]);
        return where + (field == F::EmpName ? "" : ", entry " + f[1]) + ", " + shownName(field) + " " +
               shownText(f[3]) + " to " + shownText(f[4]);
    }
    return where + ", entry " + f[1] + (line.kind == JournalKind::Added ? " added (" : " removed (") +
           entryFieldsText(f, 2) + ")";
}

} // namespace

WeekReplay replayWeek(const JournalText& journal, int stopBefore) {
    WeekReplay r;
    Replayer replayer(r);
    for (const JournalLine& line : journal.lines) {
        if (stopBefore > 0 && line.number >= stopBefore)
            break;
        replayer.apply(line);
    }
    return r;
}

WeekVerification verifyWeek(std::string_view weekBytes, const JournalText* journal,
                            const std::optional<DateTime>& sunday, const std::string* backup) {
    WeekVerification v;
    for (int p = 1; p <= kPositions; ++p)
        v.inUse += recordAt(weekBytes, p).usedEntries();
    if (journal)
        v.notes = journal->problems;
    if (!journal) {
        if (v.inUse > 0)
            v.unexplained.push_back("There is no journal: none of the file's " + std::to_string(v.inUse) +
                                    " punches is explained.");
        return v;
    }
    v.journalFound = true;
    // First what the journal's own lines give away, then the week file
    // compared with the week they rebuild.
    v.unexplained = journalLineDoubts(*journal, sunday);
    const WeekReplay replay = replayWeek(*journal);
    v.unexplained.insert(v.unexplained.end(), replay.unexplained.begin(), replay.unexplained.end());
    for (const JournalLine& line : journal->lines)
        if (line.kind == JournalKind::Existing) {
            v.began = shownJournalTime(line.fields[0]);
            break;
        }
    bool backupAsJournal = backup != nullptr;
    for (int p = 1; p <= kPositions && backupAsJournal; ++p)
        backupAsJournal = recordAt(*backup, p) == recordAt(replay.bytes, p);
    const std::string outside =
        backupAsJournal
            ? " (changed outside the program, or by a save or put-back stopped before its journal "
              "lines were written: the backup holds the week as the journal has it)."
            : " (changed outside the program).";
    const int records = int(weekBytes.size() / TimeRecord::kSize);
    int cutShort = 0; // records missing from the file that held no punch in the journal
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord file = recordAt(weekBytes, p);
        const TimeRecord told = recordAt(replay.bytes, p);
        const std::string who = positionText(file, told, p);
        const auto differs = [&](F f, int k) {
            if (file.raw(f, k) != told.raw(f, k))
                v.unexplained.push_back(who + (k > 0 ? ", entry " + std::to_string(k) : std::string()) +
                                        ", " + shownName(f) + ": the file holds " + shownRaw(file.raw(f, k)) +
                                        ", the journal " + shownRaw(told.raw(f, k)) + outside);
        };
        // A record's first punch writes its name too: when the journal lacks
        // that punch, the message about it covers the name. A record cut off
        // the end of the file that held no punch is named once, below.
        const bool nameOfMissingPunch =
            told.usedEntries() == 0 && !file.isFree(1) &&
            told.raw(F::EmpName, 0).find_first_not_of('\0') == std::string_view::npos;
        const bool emptyRecordCut = p > records && told.usedEntries() == 0 &&
                                    told.view().find_first_not_of('\0') != std::string_view::npos;
        cutShort += emptyRecordCut;
        if (!nameOfMissingPunch && !emptyRecordCut)
            differs(F::EmpName, 0);
        for (int k = 0; k <= TimeRecord::kEntries; ++k) {
            bool same = true;
            for (F f : kEntryFields)
                same = same && file.raw(f, k) == told.raw(f, k);
            const Source by = replay.setBy[std::size_t(p - 1)][std::size_t(k)];
            if (same && k > 0 && !file.isFree(k) && by == Source::Found) {
                v.unexplained.push_back(
                    who + ", entry " + std::to_string(k) + " (" + entryText(file, k) +
                    ") is not in the journal: a put-back found it in the week file and kept "
                    "it (written outside the program, or its journal line could not be "
                    "written).");
            } else if (same && k > 0 && !file.isFree(k)) {
                ++(by == Source::Punch ? v.punches : by == Source::Correction ? v.corrected : v.existing);
            } else if (!same && k > 0 && told.isFree(k)) {
                v.unexplained.push_back(who + ", entry " + std::to_string(k) + " (" + entryText(file, k) +
                                        ") is not in the journal: written outside the program, or its "
                                        "journal line could not be written.");
            } else if (!same && k > 0 && file.isFree(k)) {
                v.unexplained.push_back(
                    who + ", entry " + std::to_string(k) + " (" + entryText(told, k) +
                    ") is in the journal but not in the file (removed outside the program).");
            } else if (!same) {
                for (F f : kEntryFields)
                    differs(f, k);
            }
        }
    }
    if (cutShort > 0)
        v.unexplained.push_back(
            "the file holds " + std::to_string(records) + " of the " + std::to_string(kPositions) +
            " records the journal has (cut short outside the "
            "program); " +
            std::to_string(cutShort) + (cutShort == 1 ? " missing record held" : " missing records held") +
            " no punch.");
    return v;
}

Status verifyWeekFile(FileAccess& files, const std::string& weekFile, WeekVerification& out,
                      std::string_view keptSeal) {
    std::string bytes;
    if (Status st = readWeekFile(files, weekFile, bytes, false); !st)
        return st;
    const std::string path = journalPathOf(weekFile);
    if (!files.exists(path)) {
        out = verifyWeek(bytes, nullptr);
        addSealFindings(out, {}, path, keptSeal);
        return Status::ok();
    }
    std::string text;
    if (Status st = readJournalFile(files, path, text); !st) {
        out = WeekVerification{};
        out.unexplained.push_back(st.message());
        return Status::ok();
    }
    const JournalText journal = parseJournal(text);
    std::string backup;
    const std::string backupPath = backupPathOf(weekFile);
    const bool hasBackup =
        backupPath != weekFile && files.exists(backupPath) && readWeekFile(files, backupPath, backup, false);
    out = verifyWeek(bytes, &journal, weekSundayOfFile(weekFile), hasBackup ? &backup : nullptr);
    addSealFindings(out, text, path, keptSeal);
    return Status::ok();
}

std::string WeekVerification::text(const std::string& weekFile) const {
    std::string out = weekFile + "\n";
    const int told = punches + corrected + existing;
    if (journalFound)
        out += "  " + std::to_string(inUse) + " punches: " + std::to_string(punches) +
               " as stored at the station, " + std::to_string(corrected) + " corrected in the time sheet, " +
               std::to_string(existing) + " there when the journal began" +
               (inUse > told ? ", " + std::to_string(inUse - told) + " not explained" : std::string()) +
               ".\n";
    for (const std::string& note : notes)
        out += "  The journal: " + note + "\n";
    if (!seal.empty())
        out += "  Seal: " + seal + "\n";
    if (keptSealLine > 0)
        out += "  The seal checked is that of line " + std::to_string(keptSealLine) +
               "; everything since was appended after it.\n";
    for (const std::string& u : unexplained)
        out += "  UNEXPLAINED: " + u + "\n";
    if (!passed())
        out += "  " + std::to_string(unexplained.size()) + " unexplained.\n";
    if (!witnessed())
        out += "  " + std::to_string(existing) + (existing == 1 ? " punch was" : " punches were") +
               " not witnessed by the journal: " + (existing == 1 ? "it was" : "they were") +
               " in the week file when the journal began, " + began + ".\n";
    if (passed() && witnessed())
        out += "  Every punch is explained.\n";
    return out;
}

namespace {

// An approval, acknowledgement, closing or reopening as the history says it.
std::string signOffText(const JournalLine& line) {
    const auto& f = line.fields;
    switch (line.kind) {
    case JournalKind::Approve:
        return "Approved " + f[4] + ": " + f[5] + " hours (" + f[6] + " regular, " + f[7] +
               " overtime), seal " + f[8];
    case JournalKind::Acknowledge:
        return "Acknowledged for " + f[4] + ": " + f[5] + " (" + f[6] + ")";
    case JournalKind::Close:
        return "Closed the week, seal " + f[3];
    default:
        return "Reopened the week: " + f[3];
    }
}

} // namespace

std::vector<HistoryItem> weekHistory(const JournalText& journal) {
    std::vector<HistoryItem> items;
    int began = -1; // the item of the journal's beginning
    int entries = 0;
    int details = 0; // changes listed for the last save
    for (const JournalLine& line : journal.lines) {
        const auto& f = line.fields;
        switch (line.kind) {
        case JournalKind::Existing:
            if (began < 0) {
                began = int(items.size());
                items.push_back({shownJournalTime(f[0]), {}, {}, 0});
            }
            entries += line.intField(2) > 0;
            items[std::size_t(began)].what =
                "The journal began; the week file held " + std::to_string(entries) + " punches.";
            break;
        case JournalKind::Found:
            items.push_back({shownJournalTime(f[0]),
                             "Kept by the put-back below, not in the journal: position " + f[1] + ", entry " +
                                 f[2] + ": " + std::string(trimSpaces(std::string_view(f[3]))) + ", " +
                                 entryFieldsText(f, 4),
                             {},
                             0});
            break;
        case JournalKind::Punch:
            items.push_back({shownJournalTime(f[0]),
                             "Punch, position " + f[1] + ", entry " + f[2] + ": " +
                                 std::string(trimSpaces(std::string_view(f[3]))) + ", " +
                                 entryFieldsText(f, 4),
                             "station", 0});
            break;
        case JournalKind::Save:
        case JournalKind::Restore: {
            const std::string what = line.kind == JournalKind::Save
                                         ? "Saved"
                                         : "Put back as before the save of " + shownJournalTime(f[5]) +
                                               (f.size() > 6 ? " on line " + f[6] : std::string());
            items.push_back(
                {shownJournalTime(f[0]),
                 what + " (backup " + f[2] + "); " + f[1] + (f[1] == "1" ? " change" : " changes"),
                 f[3].empty() || f[4].empty() ? f[3] + f[4] : f[3] + " on " + f[4], line.number});
            details = 0;
            break;
        }
        case JournalKind::Field:
        case JournalKind::Added:
        case JournalKind::Removed:
            if (!items.empty() && items.back().saveLine > 0 && ++details <= 5)
                items.back().what += (details == 1 ? ": " : "; ") + changeText(line);
            else if (details == 6)
                items.back().what += "; ...";
            break;
        case JournalKind::Approve:
        case JournalKind::Acknowledge:
        case JournalKind::Close:
        case JournalKind::Reopen:
            items.push_back({shownJournalTime(f[0]), signOffText(line),
                             f[1].empty() || f[2].empty() ? f[1] + f[2] : f[1] + " on " + f[2], 0});
            break;
        default:
            break;
        }
    }
    return items;
}

std::optional<std::string> weekBeforeSave(const JournalText& journal, int saveLine) {
    if (std::none_of(journal.lines.begin(), journal.lines.end(),
                     [saveLine](const JournalLine& l) { return l.number == saveLine && isSave(l); }))
        return std::nullopt;
    WeekReplay r = replayWeek(journal, saveLine);
    for (const JournalLine& line : journal.lines) {
        if (line.number <= saveLine || (line.kind != JournalKind::Punch && line.kind != JournalKind::Found))
            continue;
        const int k = recordAt(r.bytes, line.intField(1)).usedEntries() + 1;
        if (k <= TimeRecord::kEntries)
            (void)putEntry(r.bytes, line, k); // a text that does not fit was told by verify
    }
    return std::move(r.bytes);
}

std::vector<std::pair<int, int>> entriesNotInJournal(std::string_view weekBytes, const WeekReplay& replay) {
    std::vector<std::pair<int, int>> out;
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord file = recordAt(weekBytes, p);
        const TimeRecord told = recordAt(replay.bytes, p);
        for (int k = 1; k <= TimeRecord::kEntries; ++k)
            if (!file.isFree(k) && told.isFree(k))
                out.emplace_back(p, k);
    }
    return out;
}

std::vector<EntryCorrection> lastCorrections(const JournalText& journal) {
    std::map<int, EntryCorrection> last; // by position * 101 + entry
    std::set<int> inThisSave;
    // Each entry's fields before its first change (unknown until changed)
    // and as they are now: an entry put back as it was is no longer corrected.
    struct Track {
        std::array<std::optional<std::string>, 4> was;
        std::array<std::string, 4> now;
    };
    std::map<int, Track> tracks;
    std::string when;
    for (const JournalLine& line : journal.lines) {
        const auto& f = line.fields;
        if (isSave(line)) {
            when = shownJournalTime(f[0]);
            inThisSave.clear();
            continue;
        }
        const bool field = line.kind == JournalKind::Field && f[2] != fieldName(F::EmpName);
        if (!field && line.kind != JournalKind::Added && line.kind != JournalKind::Removed)
            continue;
        const int p = line.intField(0);
        const int k = line.intField(1);
        const int key = p * (TimeRecord::kEntries + 1) + k;
        Track& t = tracks[key];
        for (std::size_t i = 0; i < 4; ++i) {
            if (field && f[2] != fieldName(kEntryFields[i]))
                continue;
            const std::string& old = field                               ? f[3]
                                     : line.kind == JournalKind::Removed ? f[2 + i]
                                                                         : std::string();
            if (!t.was[i])
                t.was[i] = old;
            t.now[i] = field ? f[4] : line.kind == JournalKind::Added ? f[2 + i] : std::string();
        }
        bool asItWas = true;
        for (std::size_t i = 0; i < 4; ++i)
            asItWas = asItWas && (!t.was[i] || *t.was[i] == t.now[i]);
        if (line.kind == JournalKind::Removed || asItWas) {
            last.erase(key);
            inThisSave.erase(key);
            continue;
        }
        EntryCorrection& c = last[key];
        if (inThisSave.insert(key).second)
            c = EntryCorrection{p, k, when, {}};
        if (field)
            c.before += (c.before.empty() ? "" : ", ") + std::string(shownName(fieldNamed(f[2]))) + " " +
                        (f[3].empty() ? "(never written)" : std::string(trimSpaces(std::string_view(f[3]))));
    }
    std::vector<EntryCorrection> out;
    for (auto& [key, c] : last)
        out.push_back(std::move(c));
    return out;
}

std::array<int, kPositions> journalEntryCounts(const JournalText& journal) {
    std::array<int, kPositions> counts = journal.entryLines;
    for (const JournalLine& line : journal.lines)
        if (line.kind == JournalKind::Added || line.kind == JournalKind::Removed)
            counts[std::size_t(line.intField(0) - 1)] += line.kind == JournalKind::Added ? 1 : -1;
    return counts;
}

} // namespace tc
