#include "core/report/WeekApprovals.h"

#include "core/journal/JournalSeal.h"

namespace tc {

namespace {

std::string who(const std::string& user, const std::string& host) {
    return user.empty() || host.empty() ? user + host : user + " on " + host;
}

std::string stampTime(const JournalStamp& stamp) {
    return formatJournalTime(stamp.when, stamp.utcOffsetSeconds);
}

} // namespace

const ApprovalLine* WeekApprovals::lastApprovalOf(const std::string& name) const {
    for (auto it = approvals.rbegin(); it != approvals.rend(); ++it)
        if (it->name == name)
            return &*it;
    return nullptr;
}

bool WeekApprovals::acknowledged(const std::string& name, const std::string& flag) const {
    for (const AcknowledgeLine& a : acknowledgements)
        if (a.name == name && a.flag == flag)
            return true;
    return false;
}

WeekApprovals readWeekApprovals(const JournalText& journal, std::string_view journalText) {
    WeekApprovals out;
    (void)lastSealIn(journalText, true, out.seal);
    for (const JournalLine& line : journal.lines) {
        const auto& f = line.fields;
        switch (line.kind) {
        case JournalKind::Approve:
            out.approvals.push_back(
                {shownJournalTime(f[0]), f[1], f[2], line.intField(3), f[4], f[5], f[6], f[7], f[8]});
            break;
        case JournalKind::Acknowledge:
            out.acknowledgements.push_back(
                {shownJournalTime(f[0]), f[1], line.intField(3), f[4], f[5], f[6]});
            break;
        case JournalKind::Close:
            out.closed = true;
            out.closedWhen = shownJournalTime(f[0]);
            out.closedBy = who(f[1], f[2]);
            break;
        case JournalKind::Reopen:
            out.closed = false;
            break;
        default:
            break;
        }
    }
    return out;
}

std::string approveLine(const JournalStamp& stamp, const ApprovalLine& a) {
    return journalLine({"approve", stampTime(stamp), escapedField(stamp.user), escapedField(stamp.host),
                        std::to_string(a.position), escapedField(a.name), a.total, a.regular, a.overtime,
                        a.seal});
}

std::string acknowledgeLine(const JournalStamp& stamp, int position, const std::string& name,
                            const std::string& flag, const std::string& note) {
    return journalLine({"acknowledge", stampTime(stamp), escapedField(stamp.user), escapedField(stamp.host),
                        std::to_string(position), escapedField(name), escapedField(flag),
                        escapedField(note)});
}

std::string closeLine(const JournalStamp& stamp, const std::string& seal) {
    return journalLine(
        {"close", stampTime(stamp), escapedField(stamp.user), escapedField(stamp.host), shownSeal(seal)});
}

std::string reopenLine(const JournalStamp& stamp, const std::string& reason) {
    return journalLine({"reopen", stampTime(stamp), escapedField(stamp.user), escapedField(stamp.host),
                        escapedField(reason)});
}

} // namespace tc
