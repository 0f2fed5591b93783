#include "core/format/CodePageCheck.h"

#include "core/format/CodePage.h"

namespace tc {

namespace {

// Bytes of the UTF-8 sequence that begins with `lead` (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xC0 && lead < 0xE0)
        return 2;
    return 1;
}

bool survivesCodePage(std::string_view utf8) {
    return ansiToUtf8(utf8ToAnsi(utf8)) == utf8;
}

} // namespace

std::string charactersOutsideCodePage(std::string_view utf8) {
    // Nearly every text converts whole; only then is each character tried.
    if (survivesCodePage(utf8))
        return {};
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::string_view ch = utf8.substr(i, sequenceLength(static_cast<unsigned char>(utf8[i])));
        i += ch.size();
        if (static_cast<unsigned char>(ch.front()) < 0x80 || survivesCodePage(ch))
            continue;
        const std::string found(ch);
        if (out.empty() || (" " + out + " ").find(" " + found + " ") == std::string::npos)
            out += (out.empty() ? "" : " ") + found;
    }
    return out;
}

} // namespace tc
