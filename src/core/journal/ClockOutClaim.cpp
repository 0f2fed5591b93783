#include "core/journal/ClockOutClaim.h"

#include "core/format/TimeText.h"
#include "core/format/WeekMoments.h"

#include <cstdio>

namespace tc {

namespace {

constexpr const char* kUnknown = "unknown";

// "2025-02-03 16:30:00" exactly, a day of the calendar and a time of day;
// a journal changed by hand to anything else claims no time, so accepting
// it can never store a punch at an impossible moment.
std::optional<DateTime> readClaimedTime(const std::string& text) {
    if (text.size() != 19 || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const std::optional<DateTime> day = parseIsoDate(std::string_view(text).substr(0, 10));
    const auto twoDigits = [&](std::size_t at) {
        const char a = text[at], b = text[at + 1];
        return a >= '0' && a <= '9' && b >= '0' && b <= '9' ? (a - '0') * 10 + (b - '0') : 99;
    };
    const int hour = twoDigits(11), minute = twoDigits(14), second = twoDigits(17);
    if (!day || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return makeDateTime(day->year, day->month, day->day, hour, minute, second);
}

} // namespace

std::string claimedTimeText(const std::optional<DateTime>& left) {
    if (!left)
        return kUnknown;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", left->year, left->month, left->day,
                  left->hour, left->minute, left->second);
    return text;
}

std::string claimText(const ClockOutClaim& claim) {
    return (claim.left ? "left " + formatDate(*claim.left) + " " + formatTime(*claim.left)
                       : std::string("left at a time not known")) +
           " (told " + shownJournalTime(claim.told) + ")";
}

std::string claimLine(const ClockOutClaim& claim) {
    return journalLine({"claim", claim.told, std::to_string(claim.position), std::to_string(claim.entry),
                        escapedField(claim.name), claimedTimeText(claim.left)});
}

std::string acceptedLine(const JournalStamp& stamp, const ClockOutClaim& claim) {
    return journalLine({"accepted", formatJournalTime(stamp.when, stamp.utcOffsetSeconds),
                        std::to_string(claim.position), std::to_string(claim.entry), claim.told,
                        escapedField(stamp.user), escapedField(stamp.host)});
}

std::string rejectedLine(const JournalStamp& stamp, const ClockOutClaim& claim, const std::string& note) {
    return journalLine({"rejected", formatJournalTime(stamp.when, stamp.utcOffsetSeconds),
                        std::to_string(claim.position), std::to_string(claim.entry), claim.told,
                        escapedField(note), escapedField(stamp.user), escapedField(stamp.host)});
}

std::vector<ClockOutClaim> clockOutClaims(const JournalText& journal) {
    std::vector<ClockOutClaim> claims;
    for (const JournalLine& line : journal.lines) {
        const auto& f = line.fields;
        if (line.kind == JournalKind::Claim) {
            ClockOutClaim c;
            c.told = f[0];
            c.position = line.intField(1);
            c.entry = line.intField(2);
            c.name = f[3];
            c.left = readClaimedTime(f[4]);
            c.line = line.number;
            // A claimed time that cannot be read is no time at all.
            claims.push_back(c);
        } else if (line.kind == JournalKind::Accepted || line.kind == JournalKind::Rejected) {
            for (ClockOutClaim& c : claims)
                if (c.told == f[3] && c.position == line.intField(1) && c.entry == line.intField(2) &&
                    c.answer == ClockOutClaim::Answer::Open) {
                    c.answer = line.kind == JournalKind::Accepted ? ClockOutClaim::Answer::Accepted
                                                                  : ClockOutClaim::Answer::Rejected;
                    if (line.kind == JournalKind::Rejected)
                        c.note = f[4];
                }
        }
    }
    return claims;
}

} // namespace tc
