#include "core/journal/Journal.h"

#include "core/files/Paths.h"
#include "core/format/CodePage.h"
#include "core/format/ListFiles.h"
#include "core/format/WeekFile.h"
#include "core/journal/JournalSeal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tc {

namespace {

using F = TimeRecord::Field;
constexpr F kEntryFields[] = {F::Action, F::JobNumber, F::ActTime, F::ActDate};

// Ends a line that a write left unfinished, so that no reader takes it for
// whole: "\(" is no escape, so the line can never be read as an event.
constexpr std::string_view kCutShort = "\t\\(cut short)";

struct KindInfo {
    std::string_view name;
    JournalKind kind;
    std::size_t fields; // after the kind
};
constexpr KindInfo kKinds[] = {
    {"existing", JournalKind::Existing, 8}, {"punch", JournalKind::Punch, 8},
    {"save", JournalKind::Save, 5},         {"restore", JournalKind::Restore, 7},
    {"field", JournalKind::Field, 5},       {"added", JournalKind::Added, 6},
    {"removed", JournalKind::Removed, 6},   {"lists", JournalKind::Lists, 4},
    {"name", JournalKind::Name, 3},         {"note", JournalKind::Note, 3},
    {"job", JournalKind::Job, 3},           {"found", JournalKind::Found, 8},
    {"approve", JournalKind::Approve, 9},   {"acknowledge", JournalKind::Acknowledge, 7},
    {"close", JournalKind::Close, 4},       {"reopen", JournalKind::Reopen, 4},
    {"claim", JournalKind::Claim, 5},       {"accepted", JournalKind::Accepted, 6},
    {"rejected", JournalKind::Rejected, 7}};

std::string_view kindName(JournalKind kind) {
    for (const KindInfo& k : kKinds)
        if (k.kind == kind)
            return k.name;
    return {};
}

std::string escapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool unescaped(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case '0':
            out += '\0';
            break;
        default:
            return false;
        }
    }
    return true;
}

bool inRange(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int n = std::atoi(text.c_str());
    return n >= low && n <= high;
}

bool isFieldName(const std::string& name) {
    for (F f : {F::EmpName, F::Action, F::JobNumber, F::ActTime, F::ActDate})
        if (name == fieldName(f))
            return true;
    return false;
}

// The numbers of a line that was split into the right number of fields.
bool numbersFit(const JournalLine& line) {
    const auto& f = line.fields;
    switch (line.kind) {
    case JournalKind::Existing:
    case JournalKind::Punch:
    case JournalKind::Found:
        return inRange(f[1], 1, kPositions) &&
               inRange(f[2], line.kind == JournalKind::Existing ? 0 : 1, TimeRecord::kEntries);
    case JournalKind::Restore:
        return inRange(f[1], 0, 1 << 20) && (f.size() < 7 || inRange(f[6], 1, 1 << 30));
    case JournalKind::Save:
    case JournalKind::Lists:
        return inRange(f[1], 0, 1 << 20);
    case JournalKind::Field:
        return inRange(f[0], 1, kPositions) && inRange(f[1], 0, TimeRecord::kEntries) && isFieldName(f[2]);
    case JournalKind::Added:
    case JournalKind::Removed:
        return inRange(f[0], 1, kPositions) && inRange(f[1], 1, TimeRecord::kEntries);
    case JournalKind::Name:
        return inRange(f[0], 1, kPositions);
    case JournalKind::Note:
        return inRange(f[0], 1, 2);
    case JournalKind::Job:
        return inRange(f[0], 1, kJobs);
    case JournalKind::Approve:
    case JournalKind::Acknowledge:
        return inRange(f[3], 1, kPositions);
    case JournalKind::Close:
    case JournalKind::Reopen:
        return true;
    case JournalKind::Claim:
    case JournalKind::Accepted:
    case JournalKind::Rejected:
        return inRange(f[1], 1, kPositions) && inRange(f[2], 1, TimeRecord::kEntries);
    }
    return false;
}

bool readLine(std::string_view text, int number, JournalLine& line) {
    const std::size_t tab = text.find('\t');
    const std::string_view kind = text.substr(0, tab);
    const KindInfo* info = nullptr;
    for (const KindInfo& k : kKinds)
        if (k.name == kind)
            info = &k;
    if (!info || tab == std::string_view::npos)
        return false;
    line.kind = info->kind;
    line.number = number;
    line.fields.clear();
    std::string field;
    for (std::size_t from = tab + 1;;) {
        const std::size_t end = text.find('\t', from);
        if (!unescaped(text.substr(from, end == std::string_view::npos ? end : end - from), field))
            return false;
        line.fields.push_back(field);
        if (end == std::string_view::npos)
            break;
        from = end + 1;
    }
    // A restore line written before it named the save's line has one field less.
    return (line.fields.size() == info->fields ||
            (line.kind == JournalKind::Restore && line.fields.size() == info->fields - 1)) &&
           numbersFit(line);
}

// Counts a punch or existing line by its position and entry alone, unread
// beyond them (the week report passes over thousands of them).
bool countEntryLine(std::string_view piece, std::array<int, kPositions>& counts) {
    std::size_t at = piece.find('\t');
    at = at == std::string_view::npos ? at : piece.find('\t', at + 1); // past the time
    const auto number = [&](int high) {
        int n = 0;
        std::size_t digits = 0;
        for (++at; at < piece.size() && piece[at] >= '0' && piece[at] <= '9' && digits < 4; ++at, ++digits)
            n = n * 10 + (piece[at] - '0');
        return digits > 0 && at < piece.size() && piece[at] == '\t' && n <= high ? n : -1;
    };
    if (at == std::string_view::npos)
        return false;
    const int position = number(kPositions);
    const int entry = position >= 1 ? number(TimeRecord::kEntries) : -1;
    if (entry < 0)
        return false;
    if (entry > 0)
        ++counts[std::size_t(position - 1)];
    return true;
}

bool isChange(JournalKind group, JournalKind kind) {
    if (group == JournalKind::Lists)
        return kind == JournalKind::Name || kind == JournalKind::Note || kind == JournalKind::Job;
    return kind == JournalKind::Field || kind == JournalKind::Added || kind == JournalKind::Removed;
}

std::string entryLine(JournalKind kind, const std::string& when, int position, int entry,
                      const TimeRecord& record) {
    return journalLine(
        {kindName(kind), when, std::to_string(position), std::to_string(entry),
         storedFieldText(record.raw(F::EmpName)), storedFieldText(record.raw(F::Action, entry)),
         storedFieldText(record.raw(F::JobNumber, entry)), storedFieldText(record.raw(F::ActTime, entry)),
         storedFieldText(record.raw(F::ActDate, entry))});
}

std::string entryChangeLine(JournalKind kind, int position, int entry, const TimeRecord& record) {
    return journalLine(
        {kindName(kind), std::to_string(position), std::to_string(entry),
         storedFieldText(record.raw(F::Action, entry)), storedFieldText(record.raw(F::JobNumber, entry)),
         storedFieldText(record.raw(F::ActTime, entry)), storedFieldText(record.raw(F::ActDate, entry))});
}

} // namespace

std::string formatJournalTime(const DateTime& t, int offset) {
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

std::string shownJournalTime(std::string_view journalTime) {
    std::string shown(journalTime.substr(0, 19));
    if (shown.size() > 10 && shown[10] == 'T')
        shown[10] = ' ';
    return shown;
}

std::string journalPathOf(const std::string& weekFile) {
    const std::size_t n = weekFile.size();
    if (n >= 4 && weekFile[n - 4] == '.' &&
        (weekFile.compare(n - 3, 3, "dat") == 0 || weekFile.compare(n - 3, 3, "DAT") == 0))
        return weekFile.substr(0, n - 4) + ".journal";
    return weekFile + ".journal";
}

std::string listsJournalPath(const std::string& baseFolder) {
    return pathJoin(baseFolder, "lists.journal");
}

const char* fieldName(F f) {
    switch (f) {
    case F::EmpName:
        return "EmpName";
    case F::Action:
        return "Action";
    case F::JobNumber:
        return "JobNumber";
    case F::ActTime:
        return "ActTime";
    case F::ActDate:
        return "ActDate";
    }
    return "";
}

std::string storedFieldText(std::string_view raw) {
    if (raw.find_first_not_of('\0') == std::string_view::npos)
        return {};
    return escapedText(ansiToUtf8(raw));
}

bool storedFieldBytes(std::string_view text, std::size_t width, std::string& out) {
    if (text.empty()) {
        out.assign(width, '\0');
        return true;
    }
    std::string utf8;
    if (!unescaped(text, utf8))
        return false;
    std::optional<std::string> ansi = utf8ToAnsiChecked(utf8);
    if (!ansi || ansi->size() != width)
        return false;
    out = std::move(*ansi);
    return true;
}

std::string escapedField(std::string_view utf8) {
    return escapedText(utf8);
}

std::string journalLine(std::initializer_list<std::string_view> fields) {
    std::string line;
    for (std::string_view f : fields) {
        if (!line.empty())
            line += '\t';
        line += f;
    }
    return line + '\n';
}

std::string punchLine(const JournalStamp& stamp, int position, int entry, const TimeRecord& record) {
    return entryLine(JournalKind::Punch, formatJournalTime(stamp.when, stamp.utcOffsetSeconds), position,
                     entry, record);
}

std::string foundLine(const JournalStamp& stamp, int position, int entry, const TimeRecord& record) {
    return entryLine(JournalKind::Found, formatJournalTime(stamp.when, stamp.utcOffsetSeconds), position,
                     entry, record);
}

std::string existingLines(const JournalStamp& stamp, std::string_view weekBytes) {
    const std::string when = formatJournalTime(stamp.when, stamp.utcOffsetSeconds);
    std::string lines;
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord record = recordAt(weekBytes, p);
        if (record.view().find_first_not_of('\0') == std::string_view::npos)
            continue;
        const std::size_t before = lines.size();
        for (int k = 1; k <= TimeRecord::kEntries; ++k)
            if (!record.isFree(k))
                lines += entryLine(JournalKind::Existing, when, p, k, record);
        if (lines.size() == before || !record.isFree(0))
            lines += entryLine(JournalKind::Existing, when, p, 0, record);
    }
    return lines;
}

std::string weekChangeLines(std::string_view before, std::string_view after, int& count) {
    std::string lines;
    count = 0;
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord was = recordAt(before, p);
        const TimeRecord is = recordAt(after, p);
        if (was == is)
            continue;
        const auto field = [&](F f, int k) {
            if (was.raw(f, k) == is.raw(f, k))
                return;
            lines += journalLine({"field", std::to_string(p), std::to_string(k), fieldName(f),
                                  storedFieldText(was.raw(f, k)), storedFieldText(is.raw(f, k))});
            ++count;
        };
        field(F::EmpName, 0);
        for (int k = 0; k <= TimeRecord::kEntries; ++k) {
            if (k > 0 && was.isFree(k) != is.isFree(k)) {
                lines += was.isFree(k) ? entryChangeLine(JournalKind::Added, p, k, is)
                                       : entryChangeLine(JournalKind::Removed, p, k, was);
                ++count;
                continue;
            }
            for (F f : kEntryFields)
                field(f, k);
        }
    }
    return lines;
}

JournalText parseJournal(std::string_view text, bool changesOnly) {
    JournalText out;
    if (text.empty())
        return out;
    const std::size_t firstEnd = text.find('\n');
    const std::string_view firstLine = text.substr(0, firstEnd);
    // The format line, then (since it was added) a TAB and the journal's own
    // name; a sealed journal's line goes on with its folder and seal.
    if ((firstLine != kJournalHeader &&
         firstLine.substr(0, kJournalHeader.size() + 1) != std::string(kJournalHeader) + "\t" &&
         !firstLine.starts_with(std::string(kSealedJournalHeader) + "\t")) ||
        firstEnd == std::string_view::npos) {
        out.problems.push_back(
            "its first line is not \"timeclock-journal 1\" (not a journal, or one of a later version); it is "
            "not read.");
        return out;
    }
    // The save, restore or lists line whose changes are being read (an
    // index: the lines grow), and how many of them are still to come.
    std::size_t group = 0;
    int groupLeft = 0;
    const auto endGroup = [&] {
        if (groupLeft > 0) {
            const JournalLine& g = out.lines[group];
            out.problems.push_back("the " + std::string(kindName(g.kind)) + " on line " +
                                   std::to_string(g.number) + " lacks " + std::to_string(groupLeft) +
                                   " of its " + g.fields[1] + " lines.");
        }
        groupLeft = 0;
    };
    JournalLine line;
    int number = 1;
    for (std::size_t from = firstEnd + 1; from < text.size();) {
        ++number;
        const std::size_t end = text.find('\n', from);
        std::string_view piece = text.substr(from, end == std::string_view::npos ? end : end - from);
        from = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            out.problems.push_back("line " + std::to_string(number) +
                                   " is torn (the journal ends inside it); it is ignored.");
            break;
        }
        if (piece.empty())
            continue;
        if (piece.ends_with(kCutShort)) {
            out.problems.push_back("line " + std::to_string(number) +
                                   " was cut short (a write that failed or was stopped); it is ignored.");
            continue;
        }
        // Counted by their position and entry alone, seal and all.
        if (changesOnly && (piece.starts_with("punch\t") || piece.starts_with("existing\t"))) {
            endGroup();
            if (!countEntryLine(piece, out.entryLines))
                out.problems.push_back("line " + std::to_string(number) + " cannot be read; it is ignored.");
            continue;
        }
        piece = withoutSeal(piece);
        if (!readLine(piece, number, line)) {
            out.problems.push_back("line " + std::to_string(number) + " cannot be read; it is ignored.");
            continue;
        }
        if ((line.kind == JournalKind::Punch || line.kind == JournalKind::Existing ||
             line.kind == JournalKind::Found) &&
            line.intField(2) > 0)
            ++out.entryLines[std::size_t(line.intField(1) - 1)];
        if (groupLeft > 0 && isChange(out.lines[group].kind, line.kind))
            --groupLeft;
        else
            endGroup();
        out.lines.push_back(line);
        if (line.kind == JournalKind::Save || line.kind == JournalKind::Restore ||
            line.kind == JournalKind::Lists) {
            group = out.lines.size() - 1;
            groupLeft = line.intField(1);
        }
    }
    endGroup();
    return out;
}

namespace {

// Whether a journal's first bytes are those of the journal called `name`:
// its sealed first line (the folder aside, so a renamed program folder still
// takes punches; verify tells of it), its unsealed one, the bare format line
// of a journal begun before the line named it, or a first line torn by a crash.
bool namesThisJournal(std::string_view head, std::string_view unsealedLine, std::string_view sealedHeader,
                      const std::string& name) {
    const std::size_t end = head.find('\n');
    if (end == std::string_view::npos)
        return unsealedLine.substr(0, head.size()) == head || sealedHeader.substr(0, head.size()) == head;
    const std::string_view line = head.substr(0, end);
    return line == unsealedLine || line == kJournalHeader ||
           line.starts_with(std::string(kSealedJournalHeader) + "\t" + escapedField(name) + "\t");
}

} // namespace

Status readJournalFile(FileAccess& files, const std::string& path, std::string& text) {
    return readWholeFile(files, path, text, false, kMaxJournalBytes);
}

Status appendToJournal(FileAccess& files, const std::string& path, std::string_view lines,
                       const std::function<std::string()>& opening) {
    FileAccess::Handle h;
    Status st = files.open(path, FileAccess::OpenMode::Append, h);
    if (!st)
        return Status::fail("Cannot write the journal " + path + ": " + st.message() + ".");
    // The first line names the journal: a hard link to another file (a week
    // file, another week's journal) planted at this path is never appended to.
    const std::string folder = parentFolder(path);
    const std::string name = path.substr(folder.empty() ? 0 : folder.size() + 1);
    const std::string unsealedLine = std::string(kJournalHeader) + "\t" + name;
    const std::string sealedHeader = sealedJournalHeader(path);
    // Enough of the end to hold the last whole line and its seal, past a torn one.
    constexpr std::size_t kTailBytes = 16384;
    std::string tail, head;
    st = files.readTail(h, kTailBytes, tail);
    if (st && !tail.empty())
        st = files.readHead(h, std::max(unsealedLine.size(), sealedHeader.size()) + 1, head);
    if (st && !tail.empty() && !namesThisJournal(head, unsealedLine, sealedHeader, name)) {
        (void)files.close(h);
        return Status::fail("Cannot write the journal " + path +
                            ": the file there is not this journal (its first line does not name it).");
    }
    if (st) {
        std::string bytes;
        std::string seal;
        if (tail.empty()) {
            bytes = sealedHeader;
            (void)lastSealIn(bytes, true, seal);
            bytes += sealedLines(seal, (opening ? opening() : std::string()) + std::string(lines), seal);
        } else {
            if (tail.back() != '\n')
                bytes = std::string(kCutShort) + "\n";
            if (lastSealIn(tail, tail.size() < kTailBytes, seal))
                bytes += sealedLines(seal, lines, seal);
            else
                bytes += lines;
        }
        st = files.write(h, bytes);
    }
    if (st)
        st = files.flush(h);
    Status closed = files.close(h);
    if (st && !closed)
        st = closed;
    if (!st)
        return Status::fail("Cannot write the journal " + path + ": " + st.message() + ".");
    // A new journal's name in its folder must survive a power cut too.
    if (tail.empty())
        (void)files.syncFolder(parentFolder(path));
    return Status::ok();
}

} // namespace tc
