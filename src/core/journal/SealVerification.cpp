#include "core/journal/SealVerification.h"

#include "core/journal/JournalSeal.h"
#include "core/report/WeekApprovals.h"

namespace tc {

void addSealFindings(WeekVerification& v, std::string_view journalText, const std::string& journalPath,
                     std::string_view keptSeal) {
    const bool hadUnexplained = !v.unexplained.empty();
    const SealChain chain = checkSealChain(journalText);
    if (!chain.sealed) {
        v.seal = journalText.empty() ? "not sealed: there is no journal."
                                     : "not sealed: the journal was begun before seals.";
        if (!keptSeal.empty())
            v.unexplained.push_back("The seal " + std::string(keptSeal) +
                                    " cannot be checked: the journal is not sealed.");
        return;
    }
    v.seal = shownSeal(chain.weekSeal());
    if (chain.brokenLine > 0)
        v.unexplained.push_back("The journal's line " + std::to_string(chain.brokenLine) +
                                " does not follow from the one before (" + chain.brokenWhy +
                                "): the journal was changed.");
    if (chain.journal != escapedField(journalFileName(journalPath)))
        v.unexplained.push_back("The journal was begun as \"" + chain.journal + "\", not as this week's.");
    if (!keptSeal.empty()) {
        const int line = chain.lineWithSeal(keptSeal);
        if (line == 0)
            v.unexplained.push_back("The week never had the seal " + std::string(keptSeal) +
                                    ": its journal was rewritten since that seal was given.");
        else if (chain.brokenLine > 0 && chain.brokenLine > line)
            v.unexplained.push_back("The seal " + std::string(keptSeal) + " is that of line " +
                                    std::to_string(line) + ", but what follows it was changed.");
        else if (chain.brokenLine == 0)
            v.keptSealLine = line;
    }
    const WeekApprovals approvals = readWeekApprovals(parseJournal(journalText));
    if (approvals.closed && hadUnexplained)
        v.unexplained.push_back("The week was closed " + approvals.closedWhen + " by " + approvals.closedBy +
                                "; the program saves no closed week, so it was changed by hand outside it.");
}

} // namespace tc
