#include "core/journal/JournalSeal.h"

#include "core/files/Paths.h"
#include "core/journal/Journal.h"
#include "core/journal/Sha256.h"

namespace tc {

namespace {

// Lines a reader passes over: the rest of a torn write, blank lines. They
// hold no event, so the chain does not count them either.
bool passedOver(std::string_view line) {
    return line.empty() || line.ends_with("\\(cut short)");
}

bool isSeal(std::string_view text) {
    // Asked of every line a report reads: a plain loop, no character set search.
    if (text.size() != kSealDigits)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

std::string lastName(const std::string& path) {
    const std::string folder = parentFolder(path);
    return folder.size() < path.size() ? path.substr(folder.empty() ? 0 : folder.size() + 1) : path;
}

std::string digitsOf(std::string_view shown) {
    std::string digits;
    for (char c : shown)
        if (c != '-')
            digits += char(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    return digits;
}

} // namespace

std::string nextSeal(std::string_view previousSeal, std::string_view lineText) {
    std::string bytes;
    bytes.reserve(previousSeal.size() + 1 + lineText.size());
    bytes += previousSeal;
    if (!previousSeal.empty())
        bytes += '\n';
    bytes += lineText;
    return sha256Hex(bytes);
}

std::string journalFileName(const std::string& journalPath) {
    return lastName(journalPath);
}

std::string journalFolderName(const std::string& journalPath) {
    // A week's journal lies in a month folder of the program folder; the
    // lists' journal in the program folder itself.
    const std::string folder = parentFolder(journalPath);
    return lastName(lastName(journalPath) == "lists.journal" ? folder : parentFolder(folder));
}

std::string sealedJournalHeader(const std::string& journalPath) {
    const std::string text = std::string(kSealedJournalHeader) + "\t" +
                             escapedField(journalFileName(journalPath)) + "\t" +
                             escapedField(journalFolderName(journalPath));
    return text + "\t" + nextSeal({}, text) + "\n";
}

std::string sealedLines(std::string_view previousSeal, std::string_view lines, std::string& lastSeal) {
    std::string out;
    out.reserve(lines.size() + (kSealDigits + 1) * 8);
    lastSeal = std::string(previousSeal);
    for (std::size_t from = 0; from < lines.size();) {
        std::size_t end = lines.find('\n', from);
        if (end == std::string_view::npos)
            end = lines.size();
        const std::string_view text = lines.substr(from, end - from);
        from = end + 1;
        if (passedOver(text)) {
            out.append(text).append("\n");
            continue;
        }
        lastSeal = nextSeal(lastSeal, text);
        out.append(text).append("\t").append(lastSeal).append("\n");
    }
    return out;
}

std::string_view sealOfLine(std::string_view line) {
    const std::size_t tab = line.rfind('\t');
    if (tab == std::string_view::npos || !isSeal(line.substr(tab + 1)))
        return {};
    return line.substr(tab + 1);
}

std::string_view withoutSeal(std::string_view line) {
    const std::string_view seal = sealOfLine(line);
    return seal.empty() ? line : line.substr(0, line.size() - seal.size() - 1);
}

bool lastSealIn(std::string_view tail, bool wholeJournal, std::string& seal) {
    // Whole lines end with LF; what follows the last LF is a torn line.
    for (std::size_t end = tail.rfind('\n'); end != std::string_view::npos;) {
        const std::size_t start = end == 0 ? std::string_view::npos : tail.rfind('\n', end - 1);
        const std::size_t from = start == std::string_view::npos ? 0 : start + 1;
        // A line cut by the beginning of the tail is not known whole.
        if (start == std::string_view::npos && !wholeJournal)
            return false;
        const std::string_view line = tail.substr(from, end - from);
        if (!passedOver(line)) {
            seal = std::string(sealOfLine(line));
            return !seal.empty();
        }
        end = start;
    }
    return false;
}

int SealChain::lineWithSeal(std::string_view shown) const {
    const std::string digits = digitsOf(shown);
    for (const auto& [line, seal] : seals)
        if (seal.compare(0, digits.size(), digits) == 0)
            return line;
    return 0;
}

SealChain checkSealChain(std::string_view text) {
    SealChain chain;
    std::string previous;
    int number = 0;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos)
            break; // a torn last line: no reader takes it, nor does the chain
        const std::string_view line = text.substr(from, end - from);
        from = end + 1;
        ++number;
        if (number == 1) {
            if (!line.starts_with(std::string(kSealedJournalHeader) + "\t"))
                return chain;
            chain.sealed = true;
            const std::string_view rest = withoutSeal(line).substr(kSealedJournalHeader.size() + 1);
            const std::size_t tab = rest.find('\t');
            chain.journal = std::string(rest.substr(0, tab));
            chain.folder = tab == std::string_view::npos ? std::string() : std::string(rest.substr(tab + 1));
        } else if (passedOver(line)) {
            continue;
        }
        const std::string_view stored = sealOfLine(line);
        const std::string seal = nextSeal(previous, withoutSeal(line));
        if (chain.brokenLine == 0 && stored != seal) {
            chain.brokenLine = number;
            chain.brokenWhy = stored.empty() ? "it carries no seal"
                              : number == 1
                                  ? "its seal is not that of its own text"
                                  : "its seal does not follow from line " +
                                        std::to_string(chain.seals.back().first) + " and its own text";
        }
        chain.seals.emplace_back(number, seal);
        previous = seal;
    }
    return chain;
}

std::string shownSeal(std::string_view seal) {
    std::string shown;
    for (std::size_t i = 0; i < 16 && i < seal.size(); ++i) {
        if (i > 0 && i % 4 == 0)
            shown += '-';
        const char c = seal[i];
        shown += char(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
    }
    return shown;
}

bool isShownSeal(std::string_view text) {
    const std::string digits = digitsOf(text);
    if (digits.size() != 16 || digits.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    return text.size() == 16 || (text.size() == 19 && text[4] == '-' && text[9] == '-' && text[14] == '-');
}

std::string withoutSeals(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        out += withoutSeal(text.substr(at, end - at));
        if (end < text.size())
            out += '\n';
        at = end + 1;
    }
    return out;
}

} // namespace tc
