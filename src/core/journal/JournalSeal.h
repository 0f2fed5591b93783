#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tc {

// The seals of a journal. Each line of a sealed journal ends with TAB and a
// seal: the SHA-256 (64 lowercase hexadecimal digits) of the previous line's
// seal, LF, and the line's own text. The first line names the format, the
// journal's own file name (so its week, and nothing is appended to a file
// that names another journal) and the program folder's name, and its seal is
// over that text alone:
//
//   timeclock-journal  2  Week Ending Sunday Feb 9 2025.journal  Back Door  <seal>
//
// A line changed, removed, inserted or moved no longer follows from the one
// before, so whoever rewrites a week must rewrite every seal after it, and
// then the week's seal (the last line's) differs from the one printed on its
// cards and written in its CSV files. Journals begun before seals (version
// 1) stay unsealed: lines appended to them carry none.
inline constexpr std::string_view kSealedJournalHeader = "timeclock-journal\t2";
inline constexpr std::size_t kSealDigits = 64;

// The seal of a line that follows `previousSeal` (empty for the first line).
std::string nextSeal(std::string_view previousSeal, std::string_view lineText);

// The first line of a new sealed journal at `journalPath`, sealed, with its LF.
std::string sealedJournalHeader(const std::string& journalPath);
// The journal's file name and its program folder's name, as its first line keeps them.
std::string journalFileName(const std::string& journalPath);
std::string journalFolderName(const std::string& journalPath);

// `lines` (each ended by LF) with a seal at the end of each, chained from
// `previousSeal`; `lastSeal` becomes the last line's seal.
std::string sealedLines(std::string_view previousSeal, std::string_view lines, std::string& lastSeal);

// The seal at the end of a line's text (without its LF); empty when it has none.
std::string_view sealOfLine(std::string_view line);
// The line's text without its seal.
std::string_view withoutSeal(std::string_view line);
// A journal's text as its lines were before their seals were added.
std::string withoutSeals(std::string_view text);

// How a sealed journal continues: reads `tail`, the end of the journal, for
// the seal of its last whole line (`wholeJournal`: the tail is all of it).
// False when that line carries no seal (a journal begun before seals) or no
// whole line is in the tail.
bool lastSealIn(std::string_view tail, bool wholeJournal, std::string& seal);

// A journal's chain, line by line.
struct SealChain {
    bool sealed = false; // the first line is a sealed journal's
    std::string journal; // as the first line names them
    std::string folder;
    int brokenLine = 0; // the first line that does not follow from the one before; 0: none
    std::string brokenWhy;
    // The seal of each line, worked out from the text (a line's number, its seal).
    std::vector<std::pair<int, std::string>> seals;
    // The journal's seal: the last line's, worked out; empty when not sealed.
    std::string weekSeal() const { return seals.empty() ? std::string() : seals.back().second; }
    // The line whose seal begins with the shown seal's 16 digits; 0: none.
    int lineWithSeal(std::string_view shown) const;
};
SealChain checkSealChain(std::string_view journalText);

// "3F2A-09C1-77B0-D4E5": the first 16 digits, upper case, in groups of four.
std::string shownSeal(std::string_view seal);
// True when `text` is a shown seal (letter case and the dashes aside).
bool isShownSeal(std::string_view text);

} // namespace tc
