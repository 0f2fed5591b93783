#include "core/format/CodePage.h"

#include "core/format/SystemCodePage.h"

#include <algorithm>

namespace tc {

namespace {

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the UTF-8 sequence that starts with byte b (1 for a stray byte).
size_t utf8SequenceLength(unsigned char b) {
    if (b >= 0xF0 && b < 0xF8)
        return 4;
    if (b >= 0xE0)
        return b < 0xF0 ? 3 : 1;
    if (b >= 0xC0)
        return 2;
    return 1;
}

// What a failed conversion leaves: ASCII kept, every other character marked.
std::string marked(std::string_view in, bool fromUtf8, std::string_view mark) {
    std::string out;
    for (size_t i = 0; i < in.size();) {
        if (static_cast<unsigned char>(in[i]) < 0x80) {
            out += in[i++];
            continue;
        }
        out += mark;
        i += fromUtf8 ? badUtf8SequenceLength(in.substr(i)) : 1;
    }
    return out;
}

} // namespace

// A broken sequence ends at the first byte that is not a continuation byte: a
// stray lead byte must not swallow the comma or line end after it.
size_t badUtf8SequenceLength(std::string_view in) {
    size_t n = std::min(in.size(), utf8SequenceLength(static_cast<unsigned char>(in[0])));
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(in[i]) & 0xC0) != 0x80)
            return i;
    return n;
}

unsigned fileCodePageFor(unsigned ansiCodePage, unsigned maxCharBytes) {
    return ansiCodePage == 65001 || maxCharBytes > 1 ? 1252 : ansiCodePage;
}

std::optional<std::string> utf8ToAnsiChecked(std::string_view utf8) {
    if (isAscii(utf8))
        return std::string(utf8);
    return systemUtf8ToAnsi(utf8);
}

std::optional<std::string> ansiToUtf8Checked(std::string_view ansi) {
    if (isAscii(ansi))
        return std::string(ansi);
    return systemAnsiToUtf8(ansi);
}

std::string utf8ToAnsi(std::string_view utf8) {
    std::optional<std::string> ansi = utf8ToAnsiChecked(utf8);
    return ansi ? std::move(*ansi) : marked(utf8, true, "?");
}

std::string ansiToUtf8(std::string_view ansi) {
    std::optional<std::string> utf8 = ansiToUtf8Checked(ansi);
    return utf8 ? std::move(*utf8) : marked(ansi, false, "\xEF\xBF\xBD");
}

} // namespace tc
