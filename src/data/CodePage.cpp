#include "data/CodePage.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

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

// A broken sequence ends at the first byte that is not a continuation byte: a
// stray lead byte must not swallow the comma or line end after it.
size_t badSequenceLength(std::string_view in) {
    size_t n = std::min(in.size(), utf8SequenceLength(static_cast<unsigned char>(in[0])));
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(in[i]) & 0xC0) != 0x80)
            return i;
    return n;
}

#ifdef _WIN32
UINT fileCodePage() {
    static const UINT cp = [] {
        const UINT acp = GetACP();
        CPINFO info{};
        return GetCPInfo(acp, &info) ? UINT(fileCodePageFor(acp, info.MaxCharSize)) : UINT(1252);
    }();
    return cp;
}

std::optional<std::wstring> toWide(UINT cp, std::string_view in) {
    if (in.empty())
        return std::wstring();
    const int wlen = MultiByteToWideChar(cp, 0, in.data(), int(in.size()), nullptr, 0);
    if (wlen <= 0)
        return std::nullopt;
    std::wstring wide(size_t(wlen), L'\0');
    if (MultiByteToWideChar(cp, 0, in.data(), int(in.size()), wide.data(), wlen) != wlen)
        return std::nullopt;
    return wide;
}

std::optional<std::string> fromWide(UINT cp, const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    // UTF-8 takes neither flags nor a default character; a single-byte code
    // page is asked for '?' where it lacks a character, never a look-alike.
    const bool utf8 = cp == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = utf8 ? nullptr : "?";
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    const int len = WideCharToMultiByte(cp, flags, wide.data(), int(wide.size()), nullptr, 0, fallback, used);
    if (len <= 0)
        return std::nullopt;
    std::string out(size_t(len), '\0');
    if (WideCharToMultiByte(cp, flags, wide.data(), int(wide.size()), out.data(), len, fallback, used) != len)
        return std::nullopt;
    return out;
}
#else
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
#endif

// What a failed conversion leaves: ASCII kept, every other character marked.
std::string marked(std::string_view in, bool fromUtf8, std::string_view mark) {
    std::string out;
    for (size_t i = 0; i < in.size();) {
        if (static_cast<unsigned char>(in[i]) < 0x80) {
            out += in[i++];
            continue;
        }
        out += mark;
        i += fromUtf8 ? badSequenceLength(in.substr(i)) : 1;
    }
    return out;
}

} // namespace

unsigned fileCodePageFor(unsigned ansiCodePage, unsigned maxCharBytes) {
    return ansiCodePage == 65001 || maxCharBytes > 1 ? 1252 : ansiCodePage;
}

std::optional<std::string> utf8ToAnsiChecked(std::string_view utf8) {
    if (isAscii(utf8))
        return std::string(utf8);
#ifdef _WIN32
    const std::optional<std::wstring> wide = toWide(CP_UTF8, utf8);
    return wide ? fromWide(fileCodePage(), *wide) : std::nullopt;
#else
    return convert("WINDOWS-1252", "UTF-8", utf8, [](std::string_view rest, std::string& replacement) {
        const size_t n = badSequenceLength(rest);
        const unsigned char second = n == 2 ? static_cast<unsigned char>(rest[1]) : 0;
        const bool c1 = static_cast<unsigned char>(rest[0]) == 0xC2 && undefinedIn1252(second);
        replacement = c1 ? std::string(1, char(second)) : std::string("?");
        return n;
    });
#endif
}

std::optional<std::string> ansiToUtf8Checked(std::string_view ansi) {
    if (isAscii(ansi))
        return std::string(ansi);
#ifdef _WIN32
    const std::optional<std::wstring> wide = toWide(fileCodePage(), ansi);
    return wide ? fromWide(CP_UTF8, *wide) : std::nullopt;
#else
    return convert("UTF-8", "WINDOWS-1252", ansi, [](std::string_view rest, std::string& replacement) {
        const unsigned char b = static_cast<unsigned char>(rest[0]);
        replacement = undefinedIn1252(b) ? std::string{char(0xC2), char(b)} : std::string("\xEF\xBF\xBD");
        return size_t(1);
    });
#endif
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
