#include "core/format/SystemCodePage.h"

#include "core/format/CodePage.h"

#include <windows.h>

// The converter of the Windows build: Windows's own, with its ANSI code page.

namespace tc {

namespace {

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

} // namespace

std::optional<std::string> systemUtf8ToAnsi(std::string_view utf8) {
    const std::optional<std::wstring> wide = toWide(CP_UTF8, utf8);
    return wide ? fromWide(fileCodePage(), *wide) : std::nullopt;
}

std::optional<std::string> systemAnsiToUtf8(std::string_view ansi) {
    const std::optional<std::wstring> wide = toWide(fileCodePage(), ansi);
    return wide ? fromWide(CP_UTF8, *wide) : std::nullopt;
}

} // namespace tc
