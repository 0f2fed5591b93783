#include "core/report/WeekReport.h"

#include "core/files/Paths.h"
#include "core/format/CodePage.h"
#include "core/format/ListFiles.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"
#include "core/format/WeekMoments.h"
#include "core/journal/ClockOutClaim.h"
#include "core/journal/Journal.h"
#include "core/report/WeekFileCache.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <variant>

namespace tc {

namespace {

using F = TimeRecord::Field;

constexpr std::string_view kDepartments[] = {".Dept-1", ".Dept-2", ".Dept-3", ".Dept-4",
                                             ".Dept-5", ".Office", ".Other"};

// One record's bytes: a view into the file when the file holds it whole,
// else a copy (a record cut short, or beyond the end, reads NUL where missing).
class RecordBytes {
  public:
    RecordBytes(std::string_view file, int position) {
        const std::size_t start = std::size_t(position - 1) * TimeRecord::kSize;
        if (start + TimeRecord::kSize <= file.size()) {
            view_ = file.substr(start, TimeRecord::kSize);
        } else {
            copy_ = std::make_unique<TimeRecord>(recordAt(file, position));
            view_ = copy_->view();
        }
    }
    std::string_view field(F f, int k = 0) const {
        return {view_.data() + TimeRecord::offset(f, k), TimeRecord::width(f)};
    }
    // The time sheet's test: an Action that was never written begins with NUL
    // once trimmed; an Action of spaces only is a punch without an action.
    bool inUse(int k) const {
        for (char c : field(F::Action, k))
            if (c != ' ')
                return c != '\0';
        return true;
    }
    // The stored name, trimmed; a never-written name is empty.
    std::string_view name() const {
        std::string_view n = trimSpaces(field(F::EmpName));
        return n.substr(0, n.find('\0'));
    }

  private:
    std::string_view view_;
    std::unique_ptr<TimeRecord> copy_;
};

PunchAction actionOf(std::string_view raw) {
    // As the punch recorder stores them (the word, then spaces to the field's
    // 7 bytes), compared whole; anything else is trimmed first.
    static_assert(TimeRecord::width(F::Action) == 7);
    if (std::memcmp(raw.data(), "IN     ", 7) == 0)
        return PunchAction::In;
    if (std::memcmp(raw.data(), "CHANGE ", 7) == 0)
        return PunchAction::Change;
    if (std::memcmp(raw.data(), "LUNCH  ", 7) == 0)
        return PunchAction::Lunch;
    if (std::memcmp(raw.data(), "OUT    ", 7) == 0)
        return PunchAction::Out;
    const std::string_view a = trimSpaces(raw);
    if (a == kActionIn)
        return PunchAction::In;
    if (a == kActionChange)
        return PunchAction::Change;
    if (a == kActionLunch)
        return PunchAction::Lunch;
    if (a == kActionOut)
        return PunchAction::Out;
    return PunchAction::Other;
}

bool opensSpan(PunchAction a) {
    return a == PunchAction::In || a == PunchAction::Change;
}

// ASCII, the usual case, reads the same in ANSI and UTF-8: no conversion.
bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return (c & 0x80) == 0; });
}

std::string textOf(std::string_view ansi) {
    ansi = trimSpaces(ansi);
    return ansiToUtf8(ansi.substr(0, ansi.find('\0')));
}

// Job item and department of a stored job text. A full 20-character field
// may have lost the end of its department (".Offic"): a cut that fits one
// department only is taken as that department.
std::pair<std::string_view, std::string_view> splitJob(std::string_view text) {
    for (std::string_view d : kDepartments)
        if (text.ends_with(d))
            return {text.substr(0, text.size() - d.size()), d.substr(1)};
    const std::size_t dot = text.rfind('.');
    if (text.size() == TimeRecord::width(F::JobNumber) && dot != std::string_view::npos &&
        text.size() - dot >= 2) {
        const std::string_view cut = text.substr(dot);
        std::string_view match;
        int matches = 0;
        for (std::string_view d : kDepartments)
            if (d.substr(0, cut.size()) == cut) {
                match = d;
                ++matches;
            }
        if (matches > 0)
            return {text.substr(0, dot), matches == 1 ? match.substr(1) : cut.substr(1)};
    }
    return {text, {}};
}

int departmentRank(std::string_view department) {
    for (std::size_t i = 0; i < std::size(kDepartments); ++i)
        if (kDepartments[i].substr(1) == department)
            return int(i);
    return department.empty() ? 99 : 50;
}

constexpr F kEntryFields[] = {F::Action, F::JobNumber, F::ActTime, F::ActDate};

// The first (or last) entry in use of a record, 0 when none.
int firstInUse(const RecordBytes& r) {
    for (int k = 1; k <= TimeRecord::kEntries; ++k)
        if (r.inUse(k))
            return k;
    return 0;
}
int lastInUse(const RecordBytes& r) {
    for (int k = TimeRecord::kEntries; k >= 1; --k)
        if (r.inUse(k))
            return k;
    return 0;
}
// The employee's last punch as the station reads it (TimeRecord::lastEntry):
// the entry before the first free one; 0 when it is not in use.
int lastPunch(const RecordBytes& r) {
    int k = 1;
    for (; k <= TimeRecord::kEntries; ++k)
        if (std::all_of(std::begin(kEntryFields), std::end(kEntryFields),
                        [&](F f) { return r.field(f, k).find_first_not_of('\0') == std::string_view::npos; }))
            break;
    return k > 1 && r.inUse(k - 1) ? k - 1 : 0;
}

// A span closed by an IN or CHANGE of a later day lacks its clock-out: the
// employee went home without one, and the night is not paid.
bool missesClockOut(long long opened, PunchAction next, long long at) {
    const auto day = [](long long t) {
        return t >= 0 ? t / kDaySeconds : -((-t + kDaySeconds - 1) / kDaySeconds);
    };
    return opensSpan(next) && day(at) > day(opened);
}

// Equal fields of N bytes (8 < N <= 24), compared as overlapping 8-byte
// words: a call to the library's memcmp costs more than the comparison.
template <std::size_t N> bool sameBytes(const char* a, const char* b) {
    static_assert(N > 8 && N <= 24);
    const auto word = [](const char* p) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        return w;
    };
    return word(a) == word(b) && word(a + N - 8) == word(b + N - 8) &&
           (N <= 16 || word(a + 8) == word(b + 8));
}

// Job indexes by the 20 bytes of a job field, so that an opening punch costs
// one probe of a small open-addressed table rather than trimming and hashing
// text. It holds, for each job, its key (trimmed, cut at a NUL) padded as the
// punch recorder stores it, and any other bytes met that read as that key.
class JobTable {
  public:
    static constexpr std::size_t kWidth = TimeRecord::width(F::JobNumber);
    using Bytes = std::array<char, kWidth>;

    // The job of these 20 bytes; -1 when not met yet.
    int find(const char* bytes) const {
        for (std::size_t i = slotOf(bytes);; i = (i + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[i];
            if (slot.job < 0 || sameBytes<kWidth>(slot.bytes.data(), bytes))
                return slot.job;
        }
    }
    void add(const char* bytes, int job) {
        if (2 * (used_ + 1) > slots_.size()) { // at most half full: probes stay short
            const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slots_.size() * 2));
            ++bits_;
            for (const Slot& slot : old)
                if (slot.job >= 0)
                    place(slot.bytes.data(), slot.job);
        }
        place(bytes, job);
        ++used_;
    }

  private:
    struct Slot {
        Bytes bytes{};
        int job = -1;
    };
    void place(const char* bytes, int job) {
        std::size_t i = slotOf(bytes);
        while (slots_[i].job >= 0)
            i = (i + 1) & (slots_.size() - 1);
        std::memcpy(slots_[i].bytes.data(), bytes, kWidth);
        slots_[i].job = job;
    }
    // Multiplicative hashing of the 20 bytes read as 8 + 8 + 4; the top bits.
    std::size_t slotOf(const char* bytes) const {
        std::uint64_t a, b;
        std::uint32_t c;
        std::memcpy(&a, bytes, 8);
        std::memcpy(&b, bytes + 8, 8);
        std::memcpy(&c, bytes + 16, 4);
        const std::uint64_t k = 0x9E3779B97F4A7C15ULL;
        const std::uint64_t h = (((a * k) ^ b) * k ^ c) * k;
        return std::size_t(h >> (64 - bits_));
    }

    int bits_ = 9; // 512 slots: a week's 20 jobs in 7 departments without growing
    std::vector<Slot> slots_ = std::vector<Slot>(std::size_t(1) << 9);
    std::size_t used_ = 0;
};

// The dates met in one week file, each read once (storedDay): a file holds
// only a few dates, many times over.
class FileDates {
  public:
    static constexpr std::size_t kWidth = TimeRecord::width(F::ActDate);

    FileDates(const DateTime& fileSunday, const DateTime& monday)
        : fileSunday_(fileSunday), monday_(monday) {}

    // storedDay() of the 11 bytes of a stored date.
    std::optional<long long> day(const char* stored) {
        if (count_ > 0 && sameBytes<kWidth>(known_[last_].stored.data(), stored))
            return known_[last_].day;
        return lookUp(stored);
    }

  private:
    std::optional<long long> lookUp(const char* stored) {
        for (std::size_t i = 0; i < count_; ++i)
            if (sameBytes<kWidth>(known_[i].stored.data(), stored)) {
                last_ = i;
                return known_[i].day;
            }
        // Not met yet: it takes the place filled longest ago once all are.
        last_ = next_;
        next_ = (next_ + 1) % known_.size();
        count_ = std::min(count_ + 1, known_.size());
        Known& d = known_[last_];
        std::memcpy(d.stored.data(), stored, kWidth);
        d.day = storedDay(std::string_view(stored, kWidth), fileSunday_, monday_);
        return d.day;
    }

    struct Known {
        std::array<char, kWidth> stored{};
        std::optional<long long> day;
    };
    DateTime fileSunday_;
    DateTime monday_;
    std::array<Known, 16> known_;
    std::size_t count_ = 0; // in use
    std::size_t next_ = 0;  // filled next
    std::size_t last_ = 0;  // met last
};

class Builder {
  public:
    Builder(WeekReport& report, WeekFileCache& cache, const DateTime& now, const ZoneRules& zone)
        : r_(report), cache_(cache),
          now_((dayNumber(now.year, now.month, now.day) -
                dayNumber(report.monday.year, report.monday.month, report.monday.day)) *
                   kDaySeconds +
               now.secondsOfDay()),
          dates_{FileDates(report.sunday.addDays(-7), report.monday), FileDates(report.sunday, report.monday),
                 FileDates(report.sunday.addDays(7), report.monday)} {
        // The changes of the clocks from last week's start to next week's end, from this Monday 00:00.
        const long long monday =
            dayNumber(report.monday.year, report.monday.month, report.monday.day) * kDaySeconds;
        for (ZoneRules::Change c : zone.changes(monday - 8 * kDaySeconds, monday + 15 * kDaySeconds))
            clockChanges_.push_back({c.localAt - monday, c.shift});
    }

    void addSource(int source);
    void finish();

  private:
    struct OpenSpan {
        long long at;
        int job;
    };
    // Names compared as views: a person's key is built only when first met.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };

    int personFor(int source, int position, std::string_view ansiName);
    int jobFor(std::string_view rawJob);
    int firstJobFor(std::string_view rawJob);
    void addRecord(int source, int position, const RecordBytes& rec, int first, int last);
    const WeekFileCache::File* neighbour(int source, int weeks);
    void closeAtWeekEnd(int person, int source, int position, const OpenSpan& open, const RecordBytes& rec,
                        const WeekFileCache::File* next);
    void addSpan(int person, int source, int position, int job, long long opened, long long closed);
    // Shown and flagged, never counted.
    void addOpenSpan(int person, int source, int position, const OpenSpan& open, bool stillIn);
    void addUncountedSpan(int person, int source, int position, int job,
                          std::variant<long long, ReportPunch> start, std::optional<ReportPunch> end,
                          const ReportPunch& doubt, long long placedBefore);
    static bool knownMoment(const ReportPunch& p, long long& at) {
        at = p.at;
        return p.problem != PunchProblem::Unreadable && p.problem != PunchProblem::NoAmPm;
    }
    // A punch's moment in a file `weeks` away from this week's (-1, 0, 1).
    std::optional<long long> moment(const RecordBytes& rec, int k, int weeks) {
        const std::optional<long long> day =
            dates_[std::size_t(weeks + 1)].day(rec.field(F::ActDate, k).data());
        const std::optional<int> time = day ? parseClearTimeOfDay(rec.field(F::ActTime, k)) : std::nullopt;
        if (!time)
            return std::nullopt;
        return *day + *time;
    }
    void flagPunch(PersonWeek& who, const RecordBytes& rec, const ReportPunch& p);
    void readJournal(int source, const std::string& weekPath, std::string_view weekBytes);
    int correctionOf(int position, int entry) const;
    std::string when(long long at) const { return formatDayTime(r_.monday, at); }
    std::string neighbourPath(int source, int weeks) const {
        return weekFilePath(r_.sources[std::size_t(source)].folder, r_.sunday.addDays(7 * weeks));
    }

    WeekReport& r_;
    WeekFileCache& cache_;
    long long now_;
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> people_;
    JobTable jobTable_;
    std::vector<std::string> jobKeys_; // ANSI, by job index
    std::vector<long long> jobSeconds_;
    const WeekFileCache::File* prev_ = nullptr;
    const WeekFileCache::File* next_ = nullptr;
    std::array<FileDates, 3> dates_;              // last week's file, this week's, next week's
    std::vector<ZoneRules::Change> clockChanges_; // localAt from this Monday 00:00
    // How far the clocks moved forward after `from` up to `to` (negative:
    // back); whether they changed at all.
    long long clockShift(long long from, long long to) const {
        long long shift = 0;
        for (const ZoneRules::Change& c : clockChanges_)
            if (c.localAt > from && c.localAt <= to)
                shift += c.shift;
        return shift;
    }
    bool clocksChanged(long long from, long long to) const {
        return std::any_of(clockChanges_.begin(), clockChanges_.end(),
                           [&](const ZoneRules::Change& c) { return c.localAt > from && c.localAt <= to; });
    }
    // This source's corrections in r_.corrections (by position, then entry).
    std::size_t firstCorrection_ = 0;
    std::size_t endCorrection_ = 0;
    // This source's clock-outs told at the station and not yet answered.
    std::vector<ClockOutClaim> claims_;
};

int Builder::personFor(int source, int position, std::string_view ansiName) {
    // The same name at any station is one person; a record without a name is
    // a person of its own (its key, beginning with NUL, is no stored name).
    auto it = people_.find(ansiName);
    if (it == people_.end()) {
        std::string key = ansiName.empty()
                              ? std::string(1, '\0') + std::to_string(source) + ":" + std::to_string(position)
                              : std::string(ansiName);
        it = people_.emplace(std::move(key), int(r_.people.size())).first;
        PersonWeek person;
        person.name = isAscii(ansiName) ? std::string(ansiName) : ansiToUtf8(ansiName);
        r_.people.push_back(std::move(person));
    }
    r_.people[std::size_t(it->second)].records.emplace_back(source, position);
    return it->second;
}

int Builder::jobFor(std::string_view rawJob) {
    const int job = jobTable_.find(rawJob.data());
    return job >= 0 ? job : firstJobFor(rawJob);
}

// Bytes not met yet; trimmed, they may still be a job met before.
int Builder::firstJobFor(std::string_view rawJob) {
    std::string_view key = trimSpaces(rawJob);
    key = key.substr(0, key.find('\0'));
    // Padded with spaces; a key that ends in a space (it was cut at a NUL) with
    // NULs, so that it stays apart from the same key without that space.
    JobTable::Bytes padded;
    padded.fill(!key.empty() && key.back() == ' ' ? '\0' : ' ');
    std::copy(key.begin(), key.end(), padded.begin());
    int job = jobTable_.find(padded.data());
    if (job < 0) {
        job = int(jobKeys_.size());
        jobKeys_.emplace_back(key);
        jobSeconds_.push_back(0);
        jobTable_.add(padded.data(), job);
    }
    if (jobTable_.find(rawJob.data()) < 0) // stored otherwise than as the key
        jobTable_.add(rawJob.data(), job);
    return job;
}

void Builder::addSource(int source) {
    const ReportSource& src = r_.sources[std::size_t(source)];
    const std::string path = weekFilePath(src.folder, r_.sunday);
    r_.weekFiles.push_back(path);
    r_.weekBytes.emplace_back();
    const WeekFileCache::File& file = cache_.get(path, kMaxWeekFileBytes);
    if (!file.exists)
        return;
    if (!file.readable()) {
        r_.problems.push_back({source, file.status.message()});
        return;
    }
    r_.anyWeekFile = true;
    r_.weekBytes.back() = file.bytes;
    const std::string_view bytes = *file.bytes;
    if (bytes.size() % TimeRecord::kSize != 0 || bytes.size() > kPositions * TimeRecord::kSize)
        r_.problems.push_back({source, path + " is damaged: " + std::to_string(bytes.size()) +
                                           " bytes is not a whole week of 4969-byte records. What could be "
                                           "read is shown."});

    readJournal(source, path, bytes);

    prev_ = next_ = nullptr;
    // Each entry in use ends at most one span, and one more may run on past
    // the last: room for all the file's spans at once.
    std::array<std::pair<int, int>, kPositions> used; // first and last entry in use, 0 when none
    std::size_t room = r_.spans.size();
    for (int p = 1; p <= kPositions; ++p) {
        const RecordBytes rec(bytes, p);
        const int first = firstInUse(rec);
        used[std::size_t(p - 1)] = {first, first ? lastInUse(rec) : 0};
        room += std::size_t(first ? used[std::size_t(p - 1)].second - first + 2 : 1);
    }
    r_.spans.reserve(room);
    for (int p = 1; p <= kPositions; ++p) {
        const auto [first, last] = used[std::size_t(p - 1)];
        addRecord(source, p, RecordBytes(bytes, p), first, last);
    }
}

// The journal beside the week file, when there is one: its corrections, and
// a flag where it does not hold as many punches of a record as the file (a
// journal line that could not be written, a change outside the program).
// Only its save lines are read; punch lines are counted and passed over.
void Builder::readJournal(int source, const std::string& weekPath, std::string_view weekBytes) {
    firstCorrection_ = endCorrection_ = r_.corrections.size();
    claims_.clear();
    const std::string path = journalPathOf(weekPath);
    if (!cache_.files().exists(path))
        return;
    const WeekFileCache::File& file = cache_.get(path, kMaxJournalBytes);
    if (!file.readable()) {
        r_.problems.push_back({source, file.status.message()});
        return;
    }
    const JournalText journal = parseJournal(*file.bytes, /*changesOnly=*/true);
    r_.signOffs[std::size_t(source)] = readWeekApprovals(journal, *file.bytes);
    for (const std::string& problem : journal.problems)
        r_.problems.push_back({source, "The journal " + path + ": " + problem});
    const std::array<int, kPositions> kept = journalEntryCounts(journal);
    for (int p = 1; p <= kPositions; ++p) {
        const TimeRecord record = recordAt(weekBytes, p);
        int inUse = 0;
        for (int k = 1; k <= TimeRecord::kEntries; ++k)
            inUse += !record.isFree(k);
        if (inUse != kept[std::size_t(p - 1)])
            r_.problems.push_back(
                {source, "The journal " + path + " holds " + std::to_string(kept[std::size_t(p - 1)]) +
                             " punches of position " + std::to_string(p) + ", the week file " +
                             std::to_string(inUse) + "; timeclock-report --verify names the difference."});
    }
    for (ClockOutClaim& c : clockOutClaims(journal))
        if (c.answer == ClockOutClaim::Answer::Open)
            claims_.push_back(std::move(c));
    std::vector<EntryCorrection> corrections = lastCorrections(journal);
    r_.corrections.insert(r_.corrections.end(), std::make_move_iterator(corrections.begin()),
                          std::make_move_iterator(corrections.end()));
    endCorrection_ = r_.corrections.size();
}

int Builder::correctionOf(int position, int entry) const {
    const auto first = r_.corrections.begin() + std::ptrdiff_t(firstCorrection_);
    const auto end = r_.corrections.begin() + std::ptrdiff_t(endCorrection_);
    const auto it = std::lower_bound(first, end, std::make_pair(position, entry),
                                     [](const EntryCorrection& c, std::pair<int, int> key) {
                                         return std::make_pair(c.position, c.entry) < key;
                                     });
    return it != end && it->position == position && it->entry == entry ? int(it - r_.corrections.begin())
                                                                       : -1;
}

// Last or next week's file of the source, read when first needed; null when
// it cannot be read.
const WeekFileCache::File* Builder::neighbour(int source, int weeks) {
    const WeekFileCache::File*& slot = weeks < 0 ? prev_ : next_;
    if (!slot) {
        slot = &cache_.get(neighbourPath(source, weeks), kMaxWeekFileBytes);
        if (slot->exists && !slot->readable())
            r_.problems.push_back(
                {source, slot->status.message() + " A shift across the end of that week may be missing."});
    }
    return slot->readable() ? slot : nullptr;
}

void Builder::addRecord(int source, int position, const RecordBytes& rec, int first, int last) {
    // A shift begun last week at this position, under this name, that was
    // still open when the week began.
    std::optional<OpenSpan> open;
    if (const WeekFileCache::File* prev = neighbour(source, -1)) {
        const RecordBytes before(*prev->bytes, position);
        const int k = lastPunch(before);
        if (k && before.name() == rec.name() && opensSpan(actionOf(before.field(F::Action, k)))) {
            const std::optional<long long> at = moment(before, k, -1);
            if (at && *at >= -kWeekSeconds && *at < 0)
                open = OpenSpan{*at, jobFor(before.field(F::JobNumber, k))};
        }
    }
    if (first == 0 && !open)
        return;

    const int person = personFor(source, position, rec.name());
    PersonWeek& who = r_.people[std::size_t(person)];
    who.punches.reserve(who.punches.size() + std::size_t(last - first + 1));
    long long lastGood = open ? open->at : LLONG_MIN;
    // An opening punch that cannot be placed: the span it begins is shown, not counted.
    std::optional<ReportPunch> openBad;
    int openBadJob = -1;
    long long lunch = LLONG_MIN; // the last punch was LUNCH at this moment, when not LLONG_MIN
    for (int k = first; k >= 1 && k <= last; ++k) {
        if (!rec.inUse(k))
            continue;
        ReportPunch& p = who.punches.emplace_back(
            ReportPunch{source, position, k, actionOf(rec.field(F::Action, k)), PunchProblem::None, 0});
        const std::optional<long long> at = moment(rec, k, 0);
        if (!at)
            p.problem =
                dates_[1].day(rec.field(F::ActDate, k).data()) && parseTimeOfDay(rec.field(F::ActTime, k))
                    ? PunchProblem::NoAmPm
                    : PunchProblem::Unreadable;
        else if (p.at = *at; *at < 0 || *at >= kWeekSeconds)
            p.problem = PunchProblem::OutsideWeek;
        else if (*at < lastGood)
            p.problem = PunchProblem::OutOfOrder;
        if (p.problem != PunchProblem::None || p.action == PunchAction::Other)
            flagPunch(who, rec, p);
        if (endCorrection_ > firstCorrection_ && (p.correction = correctionOf(position, k)) >= 0)
            who.flags.push_back("punch " + std::to_string(k) + " " + r_.correctionText(p));
        if (lunch != LLONG_MIN && p.problem == PunchProblem::None && opensSpan(p.action) &&
            p.at / kDaySeconds != lunch / kDaySeconds)
            who.flags.push_back("no return from lunch after " + when(lunch));
        lunch = LLONG_MIN;
        // The span ends at the next punch, whatever it is; a punch without a
        // sure moment ends it uncounted.
        if (open && p.problem == PunchProblem::None) {
            if (missesClockOut(open->at, p.action, p.at))
                addOpenSpan(person, source, position, *open, false);
            else
                addSpan(person, source, position, open->job, open->at, p.at);
        } else if (open)
            addUncountedSpan(person, source, position, open->job, open->at, p, p, lastGood);
        else if (openBad)
            addUncountedSpan(person, source, position, openBadJob, *openBad, p, *openBad, lastGood);
        open.reset();
        openBad.reset();
        if (p.problem == PunchProblem::None) {
            lastGood = p.at;
            if (opensSpan(p.action))
                open = OpenSpan{p.at, jobFor(rec.field(F::JobNumber, k))};
            else if (p.action == PunchAction::Lunch)
                lunch = p.at;
        } else if (opensSpan(p.action)) {
            openBad = p;
            openBadJob = jobFor(rec.field(F::JobNumber, k));
        }
    }
    if (open)
        closeAtWeekEnd(person, source, position, *open, rec, neighbour(source, 1));
    else if (openBad)
        addUncountedSpan(person, source, position, openBadJob, *openBad, std::nullopt, *openBad, lastGood);
    // A shift closed at the station by a told clock-out, not paid until the manager accepts it.
    for (const ClockOutClaim& c : claims_)
        if (c.position == position)
            who.flags.push_back("punch " + std::to_string(c.entry) +
                                ": clock-out claimed, not accepted: " + claimText(c));
    // A day that ends at LUNCH; while it may still be that day, the employee may come back.
    if (lunch != LLONG_MIN && !(now_ >= lunch && now_ / kDaySeconds == lunch / kDaySeconds))
        who.flags.push_back("no return from lunch after " + when(lunch));
}

// A span around a punch that cannot be placed: a detail row of 0 hours whose
// flags say which punch and why. Its ends are the moments that are known.
void Builder::addUncountedSpan(int person, int source, int position, int job,
                               std::variant<long long, ReportPunch> start, std::optional<ReportPunch> end,
                               const ReportPunch& doubt, long long placedBefore) {
    WorkedSpan span{person, source, position, job};
    span.doubt = doubt.problem;
    span.doubtEntry = doubt.entry;
    if (const long long* at = std::get_if<long long>(&start))
        span.opened = *at;
    else
        span.fromKnown = knownMoment(std::get<ReportPunch>(start), span.opened);
    span.toKnown = end && knownMoment(*end, span.closed);
    // Where it sorts among the person's spans: at a known end inside the week, else after the last
    // punch placed before it.
    auto inWeek = [](bool known, long long at) { return known && at >= 0 && at < kWeekSeconds; };
    span.from = span.to = inWeek(span.fromKnown, span.opened) ? span.opened
                          : inWeek(span.toKnown, span.closed) ? span.closed
                                                              : std::max(placedBefore, 0LL);
    r_.spans.push_back(span);
}

void Builder::flagPunch(PersonWeek& who, const RecordBytes& rec, const ReportPunch& p) {
    const std::string number = "punch " + std::to_string(p.entry);
    switch (p.problem) {
    case PunchProblem::Unreadable:
        who.flags.push_back(number + " cannot be read (\"" + textOf(rec.field(F::ActTime, p.entry)) +
                            "\", \"" + textOf(rec.field(F::ActDate, p.entry)) +
                            "\"); its hours are not counted");
        break;
    case PunchProblem::NoAmPm:
        who.flags.push_back(number + " has no AM or PM (\"" + textOf(rec.field(F::ActTime, p.entry)) +
                            "\"); its hours are not counted");
        break;
    case PunchProblem::OutsideWeek:
        who.flags.push_back(number + " is dated " + textOf(rec.field(F::ActDate, p.entry)) +
                            ", outside the week; its hours are not counted");
        break;
    case PunchProblem::OutOfOrder:
        who.flags.push_back(number + " (" + when(p.at) +
                            ") is earlier than the punch before it; its hours are not counted");
        break;
    case PunchProblem::None:
        who.flags.push_back(number + " has no action IN, CHANGE, LUNCH or OUT (\"" +
                            textOf(rec.field(F::Action, p.entry)) + "\")");
        break;
    }
}

void Builder::closeAtWeekEnd(int person, int source, int position, const OpenSpan& open,
                             const RecordBytes& rec, const WeekFileCache::File* next) {
    // Closed by the first punch of next week's file at the same position,
    // under the same name: counted here up to the week's end.
    bool nextHasPunch = false;
    if (next) {
        const RecordBytes after(*next->bytes, position);
        const int k = firstInUse(after);
        nextHasPunch = k != 0 && after.name() == rec.name();
        if (nextHasPunch) {
            const std::optional<long long> at = moment(after, k, 1);
            if (at && *at >= kWeekSeconds && *at < 2 * kWeekSeconds &&
                !missesClockOut(open.at, actionOf(after.field(F::Action, k)), *at)) {
                addSpan(person, source, position, open.job, open.at, *at);
                return;
            }
        }
    }
    // Never guessed: shown, not counted. Still running when it may still be.
    addOpenSpan(person, source, position, open, !nextHasPunch && now_ >= open.at && now_ < 2 * kWeekSeconds);
}

void Builder::addOpenSpan(int person, int source, int position, const OpenSpan& open, bool stillIn) {
    WorkedSpan span{person,  source,  position, open.job, std::max(open.at, 0LL), std::max(open.at, 0LL),
                    open.at, open.at, true,     stillIn};
    r_.people[std::size_t(person)].flags.push_back(r_.spanFlags(span));
    r_.spans.push_back(span);
}

void Builder::addSpan(int person, int source, int position, int job, long long opened, long long closed) {
    const long long from = std::max(opened, 0LL);
    const long long to = std::min(closed, kWeekSeconds);
    if (to < from || (to == from && (opened < 0 || closed > kWeekSeconds)))
        return; // no part of it lies in this week
    PersonWeek& who = r_.people[std::size_t(person)];
    const long long passed = std::max(0LL, closed - opened - clockShift(opened, closed));
    if (passed > kLongSpanSeconds)
        who.flags.push_back("over 16 hours: " + when(opened) + " to " + when(closed));
    const bool changed = clocksChanged(opened, closed);
    if (changed)
        who.flags.push_back("the clocks changed between " + when(opened) + " and " + when(closed) + ": " +
                            formatHours(passed) + " hours passed");
    // Split at each midnight: hours belong to the day they are worked on.
    long long counted = 0;
    for (long long t = from; t < to;) {
        const long long day = t / kDaySeconds;
        const long long end = std::min(to, (day + 1) * kDaySeconds);
        const long long seconds = std::max(0LL, end - t - clockShift(t, end));
        who.daySeconds[std::size_t(day)] += seconds;
        counted += seconds;
        t = end;
    }
    who.totalSeconds += counted;
    jobSeconds_[std::size_t(job)] += counted;
    WorkedSpan& span = r_.spans.emplace_back(
        WorkedSpan{person, source, position, job, from, to, opened, closed, false, false});
    span.crossesClockChange = changed;
    span.clockShift = to - from - counted;
}

void Builder::finish() {
    for (PersonWeek& p : r_.people) {
        p.overtimeSeconds = std::max(0LL, p.totalSeconds - r_.overtimeAfterSeconds);
        p.exactSeconds = p.totalSeconds;
    }

    // Jobs by job, then department.
    struct Named {
        std::string_view job; // into the key, or into its UTF-8 text
        std::string_view department;
        int rank;
    };
    std::vector<std::string> converted; // reserved: views into it stay put
    converted.reserve(jobKeys_.size());
    std::vector<Named> named;
    named.reserve(jobKeys_.size());
    std::vector<int> order(jobKeys_.size());
    for (std::size_t i = 0; i < jobKeys_.size(); ++i) {
        const std::string_view text = isAscii(jobKeys_[i]) ? std::string_view(jobKeys_[i])
                                                           : converted.emplace_back(ansiToUtf8(jobKeys_[i]));
        const auto [job, department] = splitJob(text);
        named.push_back({job, department, departmentRank(department)});
        order[i] = int(i);
    }
    std::sort(order.begin(), order.end(), [&named](int a, int b) {
        const Named& x = named[std::size_t(a)];
        const Named& y = named[std::size_t(b)];
        if (const int c = x.job.compare(y.job); c != 0)
            return c < 0;
        return x.rank < y.rank || (x.rank == y.rank && x.department < y.department);
    });
    // Descriptions from today's job lists, the first station's first (a
    // missing list has none).
    std::vector<std::pair<std::string_view, std::string_view>> descriptions;
    for (const ReportSource& src : r_.sources)
        for (const JobItem& item : cache_.jobList(src.folder))
            descriptions.emplace_back(trimSpaces(std::string_view(item.first)),
                                      trimSpaces(std::string_view(item.second)));
    std::vector<int> newIndex(order.size());
    r_.jobs.reserve(order.size());
    std::string_view description;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::size_t was = std::size_t(order[i]);
        const Named& n = named[was];
        if (i == 0 || n.job != r_.jobs.back().job) {
            const auto d = std::find_if(descriptions.begin(), descriptions.end(),
                                        [&n](const auto& jd) { return jd.first == n.job; });
            description = d == descriptions.end() ? std::string_view() : d->second;
        }
        r_.jobs.push_back(
            {std::string(n.job), std::string(n.department), std::string(description), jobSeconds_[was]});
        newIndex[was] = int(i);
    }
    for (WorkedSpan& s : r_.spans)
        s.job = newIndex[std::size_t(s.job)];
    // Spans come out in order unless a person has punches in several records.
    if (std::any_of(r_.people.begin(), r_.people.end(),
                    [](const PersonWeek& p) { return p.records.size() > 1; }))
        std::stable_sort(r_.spans.begin(), r_.spans.end(), [](const WorkedSpan& a, const WorkedSpan& b) {
            return a.person != b.person ? a.person < b.person : a.from < b.from;
        });
}

} // namespace

void shareReportHundredths(WeekReport& report) {
    for (PersonWeek& p : report.people) {
        p.totalHundredths = hundredthsOf(p.totalSeconds);
        const std::vector<long long> days = shareHundredths(
            p.totalHundredths, std::vector<long long>(p.daySeconds.begin(), p.daySeconds.end()));
        std::copy(days.begin(), days.end(), p.dayHundredths.begin());
        const std::vector<long long> parts =
            p.doubleTimeSeconds == 0
                ? shareHundredths(p.totalHundredths, {p.regularSeconds(), p.overtimeSeconds})
                : shareHundredths(p.totalHundredths,
                                  {p.regularSeconds(), p.overtimeSeconds, p.doubleTimeSeconds});
        p.regularHundredths = parts[0];
        p.overtimeHundredths = parts[1];
        p.doubleTimeHundredths = parts.size() > 2 ? parts[2] : 0;
    }
    std::vector<long long> jobSeconds;
    for (const JobHours& j : report.jobs)
        jobSeconds.push_back(j.seconds);
    const std::vector<long long> jobShares = shareHundredths(hundredthsOf(report.totalSeconds()), jobSeconds);
    std::vector<std::vector<std::size_t>> spansOfJob(report.jobs.size());
    for (std::size_t i = 0; i < report.spans.size(); ++i)
        if (report.spans[i].counted())
            spansOfJob[std::size_t(report.spans[i].job)].push_back(i);
    for (std::size_t j = 0; j < report.jobs.size(); ++j) {
        report.jobs[j].hundredths = jobShares[j];
        std::vector<long long> seconds;
        for (std::size_t i : spansOfJob[j])
            seconds.push_back(report.spans[i].paidSeconds());
        const std::vector<long long> shares = shareHundredths(jobShares[j], seconds);
        for (std::size_t n = 0; n < shares.size(); ++n)
            report.spans[spansOfJob[j][n]].hundredths = shares[n];
    }
}

std::string stationName(const std::string& folder) {
    std::string f = folder;
    while (f.size() > 1 && (f.back() == '/' || f.back() == kPathSeparator))
        f.pop_back();
    const std::size_t cut = f.find_last_of(kPathSeparator == '/' ? "/" : "\\/");
    return cut == std::string::npos ? f : f.substr(cut + 1);
}

std::string WeekReport::spanFlags(const WorkedSpan& s) const {
    auto when = [this](long long at) { return formatDayTime(monday, at); };
    if (s.open)
        return (s.stillIn ? "in since " : "no clock-out after ") + when(s.opened);
    std::string flags;
    auto add = [&flags](const std::string& f) { flags += (flags.empty() ? "" : "; ") + f; };
    const std::string punch = "not counted: punch " + std::to_string(s.doubtEntry);
    switch (s.doubt) {
    case PunchProblem::Unreadable:
        return punch + " cannot be read";
    case PunchProblem::OutsideWeek:
        return punch + " is dated outside the week";
    case PunchProblem::OutOfOrder:
        return punch + " is earlier than the punch before it";
    case PunchProblem::NoAmPm:
        return punch + " has no AM or PM";
    case PunchProblem::None:
        break;
    }
    if (s.crossesClockChange)
        add("the clocks changed during it; counted as the time that passed");
    if (s.closed - s.opened > kLongSpanSeconds)
        add("over 16 hours");
    if (s.opened < 0)
        add("began " + when(s.opened) + " last week");
    if (s.closed > kWeekSeconds)
        add("ends " + when(s.closed) + " next week");
    return flags;
}

std::string WeekReport::correctionText(const ReportPunch& punch) const {
    if (punch.correction < 0)
        return {};
    const EntryCorrection& c = corrections[std::size_t(punch.correction)];
    return c.before.empty() ? "added in the time sheet " + c.when
                            : "corrected " + c.when + ", was " + c.before;
}

std::string WeekReport::punchText(const ReportPunch& punch, TimeRecord::Field field) const {
    const auto& bytes = weekBytes[std::size_t(punch.source)];
    if (!bytes)
        return {};
    return textOf(RecordBytes(*bytes, punch.position).field(field, punch.entry));
}

long long WeekReport::totalSeconds() const {
    long long total = 0;
    for (const PersonWeek& p : people)
        total += p.totalSeconds;
    return total;
}

WeekReport makeWeekReport(FileAccess& files, const std::vector<ReportSource>& sources, const DateTime& anyDay,
                          const DateTime& now, long long overtimeAfterSeconds, WeekFileCache* cache,
                          const ZoneRules& zone, const PayRules& pay) {
    WeekReport report;
    report.sunday = weekEndingSunday(anyDay);
    report.sunday.hour = report.sunday.minute = report.sunday.second = 0;
    report.monday = weekMonday(report.sunday);
    report.overtimeAfterSeconds = overtimeAfterSeconds;
    report.sources = sources;
    report.signOffs.resize(sources.size());
    const DateTime nowSunday = weekEndingSunday(now);
    report.currentWeek = nowSunday.year == report.sunday.year && nowSunday.month == report.sunday.month &&
                         nowSunday.day == report.sunday.day;

    report.people.reserve(std::size_t(kPositions) * sources.size());
    WeekFileCache own(files);
    if (cache) { // this week's files and its neighbours may be there already; no other is needed
        std::vector<std::string> needed;
        for (const ReportSource& src : sources)
            for (int weeks = -1; weeks <= 1; ++weeks)
                needed.push_back(weekFilePath(src.folder, report.sunday.addDays(7 * weeks)));
        cache->keepOnly(needed);
    }
    Builder builder(report, cache ? *cache : own, now, zone);
    for (std::size_t s = 0; s < sources.size(); ++s)
        builder.addSource(int(s));
    if (report.anyWeekFile)
        for (std::size_t s = 0; s < sources.size(); ++s)
            if (!report.weekBytes[s] &&
                std::none_of(report.problems.begin(), report.problems.end(),
                             [s](const ReportProblem& p) { return p.source == int(s); }))
                report.problems.push_back({int(s), "There is no file " + report.weekFiles[s] + "."});
    builder.finish();
    applyPayRules(report, pay);
    shareReportHundredths(report);
    return report;
}

} // namespace tc
