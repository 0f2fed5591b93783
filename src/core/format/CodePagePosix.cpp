#include "core/format/SystemCodePage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

// The converter of every build but Windows: iconv, with Windows-1252.

namespace tc {

namespace {

bool undefinedIn1252(unsigned char b) {
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// Converts with iconv. `bad` handles what iconv refuses: it appends the
// replacement for the start of `rest` and returns how many bytes it took.
template <typename Bad>
std::optional<std::string> convert(const char* to, const char* from, std::string_view in, Bad bad) {
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1)
        return std::nullopt;
    std::string out(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    size_t used = 0;
    bool failed = false;
    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        size_t outLeft = out.size() - used;
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        used = size_t(outPtr - out.data());
        if (r != (size_t)-1)
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            failed = true;
            break;
        }
        std::string replacement;
        const size_t n = bad(std::string_view(inPtr, inLeft), replacement);
        inPtr += n;
        inLeft -= n;
        if (out.size() - used < replacement.size())
            out.resize(out.size() * 2 + replacement.size());
        std::copy(replacement.begin(), replacement.end(), out.data() + used);
        used += replacement.size();
    }
    iconv_close(cd);
    if (failed)
        return std::nullopt;
    out.resize(used);
    return out;
}

} // namespace

std::optional<std::string> systemUtf8ToAnsi(std::string_view utf8) {
    return convert("WINDOWS-1252", "UTF-8", utf8, [](std::string_view rest, std::string& replacement) {
        const size_t n = badUtf8SequenceLength(rest);
        const unsigned char second = n == 2 ? static_cast<unsigned char>(rest[1]) : 0;
        const bool c1 = static_cast<unsigned char>(rest[0]) == 0xC2 && undefinedIn1252(second);
        replacement = c1 ? std::string(1, char(second)) : std::string("?");
        return n;
    });
}

std::optional<std::string> systemAnsiToUtf8(std::string_view ansi) {
    return convert("UTF-8", "WINDOWS-1252", ansi, [](std::string_view rest, std::string& replacement) {
        const unsigned char b = static_cast<unsigned char>(rest[0]);
        replacement = undefinedIn1252(b) ? std::string{char(0xC2), char(b)} : std::string("\xEF\xBF\xBD");
        return size_t(1);
    });
}

} // namespace tc
