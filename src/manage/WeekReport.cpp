#include "manage/WeekReport.h"

#include "data/CodePage.h"
#include "data/ListFiles.h"
#include "data/Paths.h"
#include "data/TimeText.h"
#include "data/WeekFile.h"
#include "manage/WeekFileCache.h"
#include "manage/WeekMoments.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>

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
        return view_.substr(TimeRecord::offset(f, k), TimeRecord::width(f));
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

std::string textOf(std::string_view ansi) {
    ansi = trimSpaces(ansi);
    return ansiToUtf8(ansi.substr(0, ansi.find('\0')));
}

// Job item and department of a stored job text. A full 20-character field
// may have lost the end of its department (".Offic"): a cut that fits one
// department only is taken as that department.
std::pair<std::string, std::string> splitJob(const std::string& text) {
    for (std::string_view d : kDepartments)
        if (text.size() >= d.size() && text.compare(text.size() - d.size(), d.size(), d) == 0)
            return {text.substr(0, text.size() - d.size()), std::string(d.substr(1))};
    const std::size_t dot = text.rfind('.');
    if (text.size() == TimeRecord::width(F::JobNumber) && dot != std::string::npos &&
        text.size() - dot >= 2) {
        const std::string cut = text.substr(dot);
        std::string_view match;
        int matches = 0;
        for (std::string_view d : kDepartments)
            if (d.substr(0, cut.size()) == cut) {
                match = d;
                ++matches;
            }
        if (matches > 0)
            return {text.substr(0, dot), matches == 1 ? std::string(match.substr(1)) : cut.substr(1)};
    }
    return {text, std::string()};
}

int departmentRank(const std::string& department) {
    for (std::size_t i = 0; i < std::size(kDepartments); ++i)
        if (kDepartments[i].substr(1) == department)
            return int(i);
    return department.empty() ? 99 : 50;
}

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

class Builder {
  public:
    Builder(WeekReport& report, WeekFileCache& cache, const DateTime& now)
        : r_(report), cache_(cache),
          now_((dayNumber(now.year, now.month, now.day) -
                dayNumber(report.monday.year, report.monday.month, report.monday.day)) *
                   kDaySeconds +
               now.secondsOfDay()) {}

    void addSource(int source);
    void finish(FileAccess& files);

  private:
    struct OpenSpan {
        long long at;
        int job;
    };

    int personFor(int source, int position, std::string_view ansiName);
    int jobFor(std::string_view rawJob);
    void addRecord(int source, int position, const RecordBytes& rec);
    const WeekFileCache::File* neighbour(int source, int weeks);
    void closeAtWeekEnd(int person, int source, int position, const OpenSpan& open, const RecordBytes& rec,
                        const WeekFileCache::File* next);
    void addSpan(int person, int source, int position, int job, long long opened, long long closed);
    std::optional<long long> moment(const RecordBytes& rec, int k, int weeks);
    std::string when(long long at) const { return formatDayTime(r_.monday, at); }
    std::string neighbourPath(int source, int weeks) const {
        return weekFilePath(r_.sources[std::size_t(source)].folder, r_.sunday.addDays(7 * weeks));
    }

    WeekReport& r_;
    WeekFileCache& cache_;
    long long now_;
    std::unordered_map<std::string, int> people_;
    std::unordered_map<std::string_view, int> jobIndex_; // views into jobKeys_
    std::deque<std::string> jobKeys_;                    // stays where it is as it grows
    std::vector<long long> jobSeconds_;
    const WeekFileCache::File* prev_ = nullptr;
    const WeekFileCache::File* next_ = nullptr;
    // The last date read: a week file holds only a few dates, many times over.
    std::string date_;
    int dateWeeks_ = 0;
    std::optional<long long> dateDay_;
};

// A punch's moment in a file `weeks` away from this week's (-1, 0, 1).
std::optional<long long> Builder::moment(const RecordBytes& rec, int k, int weeks) {
    const std::string_view date = rec.field(F::ActDate, k);
    if (date_.empty() || weeks != dateWeeks_ || date != date_) {
        date_.assign(date);
        dateWeeks_ = weeks;
        dateDay_ = storedDay(date, r_.sunday.addDays(7 * weeks), r_.monday);
    }
    const std::optional<int> time = dateDay_ ? parseTimeOfDay(rec.field(F::ActTime, k)) : std::nullopt;
    if (!time)
        return std::nullopt;
    return *dateDay_ + *time;
}

int Builder::personFor(int source, int position, std::string_view ansiName) {
    // The same name at any station is one person; a record without a name is
    // a person of its own.
    std::string key = ansiName.empty()
                          ? std::string(1, '\0') + std::to_string(source) + ":" + std::to_string(position)
                          : std::string(ansiName);
    auto [it, added] = people_.try_emplace(std::move(key), int(r_.people.size()));
    if (added) {
        PersonWeek person;
        person.name = ansiToUtf8(ansiName);
        r_.people.push_back(std::move(person));
    }
    r_.people[std::size_t(it->second)].records.emplace_back(source, position);
    return it->second;
}

int Builder::jobFor(std::string_view rawJob) {
    std::string_view key = trimSpaces(rawJob);
    key = key.substr(0, key.find('\0'));
    if (auto it = jobIndex_.find(key); it != jobIndex_.end())
        return it->second;
    const int job = int(jobKeys_.size());
    jobKeys_.emplace_back(key);
    jobIndex_.emplace(jobKeys_.back(), job);
    jobSeconds_.push_back(0);
    return job;
}

void Builder::addSource(int source) {
    const ReportSource& src = r_.sources[std::size_t(source)];
    const std::string path = weekFilePath(src.folder, r_.sunday);
    r_.weekFiles.push_back(path);
    r_.weekBytes.emplace_back();
    const WeekFileCache::File& file = cache_.get(path);
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

    prev_ = next_ = nullptr;
    for (int p = 1; p <= kPositions; ++p)
        addRecord(source, p, RecordBytes(bytes, p));
}

// Last or next week's file of the source, read when first needed; null when
// it cannot be read.
const WeekFileCache::File* Builder::neighbour(int source, int weeks) {
    const WeekFileCache::File*& slot = weeks < 0 ? prev_ : next_;
    if (!slot) {
        slot = &cache_.get(neighbourPath(source, weeks));
        if (slot->exists && !slot->readable())
            r_.problems.push_back(
                {source, slot->status.message() + " A shift across the end of that week may be missing."});
    }
    return slot->readable() ? slot : nullptr;
}

void Builder::addRecord(int source, int position, const RecordBytes& rec) {
    // A shift begun last week at this position, under this name, that was
    // still open when the week began.
    std::optional<OpenSpan> open;
    if (const WeekFileCache::File* prev = neighbour(source, -1)) {
        const RecordBytes before(*prev->bytes, position);
        const int k = lastInUse(before);
        if (k && before.name() == rec.name() && opensSpan(actionOf(before.field(F::Action, k)))) {
            const std::optional<long long> at = moment(before, k, -1);
            if (at && *at >= -kWeekSeconds && *at < 0)
                open = OpenSpan{*at, jobFor(before.field(F::JobNumber, k))};
        }
    }
    const int first = firstInUse(rec);
    if (first == 0 && !open)
        return;

    const int person = personFor(source, position, rec.name());
    PersonWeek& who = r_.people[std::size_t(person)];
    const int last = lastInUse(rec);
    who.punches.reserve(who.punches.size() + std::size_t(last - first + 1));
    long long lastGood = open ? open->at : LLONG_MIN;
    for (int k = first; k >= 1 && k <= last; ++k) {
        if (!rec.inUse(k))
            continue;
        ReportPunch p{source, position, k, actionOf(rec.field(F::Action, k)), PunchProblem::None, 0};
        const std::optional<long long> at = moment(rec, k, 0);
        const auto number = [k] { return "punch " + std::to_string(k); };
        if (!at) {
            p.problem = PunchProblem::Unreadable;
            who.flags.push_back(number() + " cannot be read (\"" + textOf(rec.field(F::ActTime, k)) +
                                "\", \"" + textOf(rec.field(F::ActDate, k)) +
                                "\"); its hours are not counted");
        } else if (p.at = *at; *at < 0 || *at >= kWeekSeconds) {
            p.problem = PunchProblem::OutsideWeek;
            who.flags.push_back(number() + " is dated " + textOf(rec.field(F::ActDate, k)) +
                                ", outside the week; its hours are not counted");
        } else if (*at < lastGood) {
            p.problem = PunchProblem::OutOfOrder;
            who.flags.push_back(number() + " (" + when(*at) +
                                ") is earlier than the punch before it; its hours are not counted");
        }
        if (p.action == PunchAction::Other && p.problem == PunchProblem::None)
            who.flags.push_back(number() + " has no action IN, CHANGE, LUNCH or OUT (\"" +
                                textOf(rec.field(F::Action, k)) + "\")");
        // The span ends at the next punch, whatever it is; a punch without a
        // sure moment ends it uncounted.
        if (open && p.problem == PunchProblem::None)
            addSpan(person, source, position, open->job, open->at, p.at);
        open.reset();
        if (p.problem == PunchProblem::None) {
            lastGood = p.at;
            if (opensSpan(p.action))
                open = OpenSpan{p.at, jobFor(rec.field(F::JobNumber, k))};
        }
        r_.people[std::size_t(person)].punches.push_back(p);
    }
    if (open)
        closeAtWeekEnd(person, source, position, *open, rec, neighbour(source, 1));
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
            if (at && *at >= kWeekSeconds && *at < 2 * kWeekSeconds) {
                addSpan(person, source, position, open.job, open.at, *at);
                return;
            }
        }
    }
    // Never guessed: shown, not counted. Still running when it may still be.
    const bool stillIn = !nextHasPunch && now_ >= open.at && now_ < 2 * kWeekSeconds;
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
    if (closed - opened > kLongSpanSeconds)
        who.flags.push_back("over 16 hours: " + when(opened) + " to " + when(closed));
    // Split at each midnight: hours belong to the day they are worked on.
    for (long long t = from; t < to;) {
        const long long day = t / kDaySeconds;
        const long long end = std::min(to, (day + 1) * kDaySeconds);
        who.daySeconds[std::size_t(day)] += end - t;
        t = end;
    }
    who.totalSeconds += to - from;
    jobSeconds_[std::size_t(job)] += to - from;
    r_.spans.push_back({person, source, position, job, from, to, opened, closed, false, false});
}

void Builder::finish(FileAccess& files) {
    for (PersonWeek& p : r_.people)
        p.overtimeSeconds = std::max(0LL, p.totalSeconds - r_.overtimeAfterSeconds);

    // Descriptions from today's job lists, the first station's first.
    std::unordered_map<std::string, std::string> descriptions;
    for (const ReportSource& src : r_.sources) {
        std::vector<JobItem> items;
        // A missing or damaged list leaves its jobs without descriptions; the
        // hours stand without them.
        (void)readJobList(files, src.folder, items);
        for (const JobItem& item : items)
            descriptions.try_emplace(trimSpaces(item.first), trimSpaces(item.second));
    }
    std::vector<int> order(jobKeys_.size());
    for (std::size_t i = 0; i < jobKeys_.size(); ++i) {
        order[i] = int(i);
        auto [job, department] = splitJob(ansiToUtf8(jobKeys_[i]));
        auto d = descriptions.find(job);
        r_.jobs.push_back(
            {job, department, d == descriptions.end() ? std::string() : d->second, jobSeconds_[i]});
    }
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        const JobHours& x = r_.jobs[std::size_t(a)];
        const JobHours& y = r_.jobs[std::size_t(b)];
        if (x.job != y.job)
            return x.job < y.job;
        return departmentRank(x.department) < departmentRank(y.department) ||
               (departmentRank(x.department) == departmentRank(y.department) && x.department < y.department);
    });
    std::vector<JobHours> sorted;
    std::vector<int> newIndex(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newIndex[std::size_t(order[i])] = int(i);
        sorted.push_back(std::move(r_.jobs[std::size_t(order[i])]));
    }
    r_.jobs = std::move(sorted);
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
    if (s.closed - s.opened > kLongSpanSeconds)
        add("over 16 hours");
    if (s.opened < 0)
        add("began " + when(s.opened) + " last week");
    if (s.closed > kWeekSeconds)
        add("ends " + when(s.closed) + " next week");
    return flags;
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
                          const DateTime& now, long long overtimeAfterSeconds, WeekFileCache* cache) {
    WeekReport report;
    report.sunday = weekEndingSunday(anyDay);
    report.sunday.hour = report.sunday.minute = report.sunday.second = 0;
    report.monday = weekMonday(report.sunday);
    report.overtimeAfterSeconds = overtimeAfterSeconds;
    report.sources = sources;
    const DateTime nowSunday = weekEndingSunday(now);
    report.currentWeek = nowSunday.year == report.sunday.year && nowSunday.month == report.sunday.month &&
                         nowSunday.day == report.sunday.day;

    WeekFileCache own(files);
    if (cache)
        cache->trim(3 * sources.size()); // this week's neighbours may be among them
    Builder builder(report, cache ? *cache : own, now);
    for (std::size_t s = 0; s < sources.size(); ++s)
        builder.addSource(int(s));
    if (report.anyWeekFile)
        for (std::size_t s = 0; s < sources.size(); ++s)
            if (!report.weekBytes[s] &&
                std::none_of(report.problems.begin(), report.problems.end(),
                             [s](const ReportProblem& p) { return p.source == int(s); }))
                report.problems.push_back({int(s), "There is no file " + report.weekFiles[s] + "."});
    builder.finish(files);
    return report;
}

} // namespace tc
