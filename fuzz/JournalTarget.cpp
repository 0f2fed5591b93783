#include "FuzzTargets.h"

#include "core/journal/Journal.h"
#include "core/journal/JournalChecks.h"
#include "core/journal/JournalReplay.h"
#include "core/journal/JournalSeal.h"
#include "core/report/WeekApprovals.h"

namespace tc::fuzz {

// Any text as a week's journal (edited by hand, cut short, another file): it
// is read, replayed, listed and each of its saves put back without a fault,
// and the week it rebuilds is explained by it, but for what its own lines
// give away; its seals are checked and its approvals and closing read, and a
// chain said whole holds a seal per line.
void journalTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const JournalText journal = parseJournal(text);
    (void)parseJournal(text, /*changesOnly=*/true);
    const WeekReplay replay = replayWeek(journal);
    const WeekVerification v = verifyWeek(replay.bytes, &journal);
    // Verify adds what the journal's own lines give away (a stamp that is not its time and date).
    if (v.unexplained.size() != journalLineDoubts(journal, std::nullopt).size() + replay.unexplained.size())
        propertyFailed("the week a journal rebuilds is not explained by it: " + v.unexplained.back());
    (void)weekHistory(journal);
    (void)readWeekApprovals(journal, text);
    const SealChain chain = checkSealChain(text);
    if (chain.sealed && chain.brokenLine == 0 && chain.lineWithSeal(shownSeal(chain.weekSeal())) == 0)
        propertyFailed("the week's own seal is not found in its chain");
    (void)lastCorrections(journal);
    for (const JournalLine& line : journal.lines)
        if (line.kind == JournalKind::Save || line.kind == JournalKind::Restore)
            (void)weekBeforeSave(journal, line.number);
}

} // namespace tc::fuzz
