#pragma once

#include <string>
#include <string_view>

namespace tc::test {

// A sealed journal's text with the seal taken off the end of each line, so a
// test can compare its events byte for byte; the chain itself is checked on
// its own (checkSealChain).
inline std::string withoutSeals(std::string_view journal) {
    std::string out;
    for (std::size_t from = 0; from < journal.size();) {
        std::size_t end = journal.find('\n', from);
        if (end == std::string_view::npos)
            end = journal.size();
        std::string_view line = journal.substr(from, end - from);
        const std::size_t tab = line.rfind('\t');
        if (tab != std::string_view::npos && line.size() - tab - 1 == 64 &&
            line.find_first_not_of("0123456789abcdef", tab + 1) == std::string_view::npos)
            line = line.substr(0, tab);
        out.append(line);
        if (end < journal.size())
            out += '\n';
        from = end + 1;
    }
    return out;
}

} // namespace tc::test
