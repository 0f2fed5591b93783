#pragma once

#include "core/journal/Journal.h"

#include <string>
#include <string_view>
#include <vector>

namespace tc {

// One approve line of a week's journal.
struct ApprovalLine {
    std::string when; // shown, "2025-02-10 09:00:00"
    std::string user;
    std::string host;
    int position = 0;
    std::string name;
    std::string total; // hours as shown, "40.00"
    std::string regular;
    std::string overtime;
    std::string seal; // the week's seal when it was approved, shown
};

// One acknowledge line: a flag payroll cannot pay on, let through with a note.
struct AcknowledgeLine {
    std::string when;
    std::string user;
    int position = 0;
    std::string name;
    std::string flag;
    std::string note;
};

// What a week's journal says of its approval and closing, and its seal.
struct WeekApprovals {
    std::string seal; // the last line's seal (64 digits); empty when not sealed
    std::vector<ApprovalLine> approvals;
    std::vector<AcknowledgeLine> acknowledgements;
    bool closed = false;
    std::string closedWhen; // of the last close, shown
    std::string closedBy;   // "ann on office-pc"
    // The last approval of `name` (trimmed as the report shows it); null when none.
    const ApprovalLine* lastApprovalOf(const std::string& name) const;
    bool acknowledged(const std::string& name, const std::string& flag) const;
};

// Reads the approve, acknowledge, close and reopen lines of a journal;
// `journalText` gives the seal of its last line.
WeekApprovals readWeekApprovals(const JournalText& journal, std::string_view journalText = {});

// The lines, for the journal's writer.
std::string approveLine(const JournalStamp& stamp, const ApprovalLine& approval);
std::string acknowledgeLine(const JournalStamp& stamp, int position, const std::string& name,
                            const std::string& flag, const std::string& note);
std::string closeLine(const JournalStamp& stamp, const std::string& seal);
std::string reopenLine(const JournalStamp& stamp, const std::string& reason);

} // namespace tc
