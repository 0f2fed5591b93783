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

#ifndef _WIN32
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

// Converts with iconv, replacing what cannot be converted: `onBad` is the
// replacement and `skip` says how many input bytes the bad character takes.
template <typename Skip>
std::string convert(const char* to, const char* from, std::string_view in, std::string_view onBad, Skip skip) {
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1)
        return std::string(in); // no converter: keep the bytes rather than lose them
    std::string out;
    out.resize(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (r != (size_t)-1)
            break;
        if (errno == E2BIG) {
            size_t used = size_t(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL: replace one character and go on.
        size_t n = std::min(inLeft, skip(static_cast<unsigned char>(*inPtr)));
        // A broken sequence ends at the first byte that is not a continuation
        // byte: a stray lead byte must not swallow the comma or line end after it.
        for (size_t i = 1; i < n; ++i)
            if ((static_cast<unsigned char>(inPtr[i]) & 0xC0) != 0x80) {
                n = i;
                break;
            }
        inPtr += n;
        inLeft -= n;
        if (outLeft < onBad.size() + 1) {
            size_t used = size_t(outPtr - out.data());
            out.resize(out.size() * 2 + onBad.size());
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        }
        std::copy(onBad.begin(), onBad.end(), outPtr);
        outPtr += onBad.size();
        outLeft -= onBad.size();
    }
    iconv_close(cd);
    out.resize(size_t(outPtr - out.data()));
    return out;
}
#endif

} // namespace

std::string utf8ToAnsi(std::string_view utf8) {
    if (isAscii(utf8))
        return std::string(utf8);
#ifdef _WIN32
    int wlen = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(size_t(wlen), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), wlen);
    BOOL usedDefault = FALSE;
    int len = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wlen, nullptr, 0, "?", &usedDefault);
    std::string out(size_t(len), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wlen, out.data(), len, "?", &usedDefault);
    return out;
#else
    return convert("WINDOWS-1252", "UTF-8", utf8, "?", utf8SequenceLength);
#endif
}

std::string ansiToUtf8(std::string_view ansi) {
    if (isAscii(ansi))
        return std::string(ansi);
#ifdef _WIN32
    int wlen = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring wide(size_t(wlen), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), wide.data(), wlen);
    int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wlen, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(len), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wlen, out.data(), len, nullptr, nullptr);
    return out;
#else
    return convert("UTF-8", "WINDOWS-1252", ansi, "\xEF\xBF\xBD", [](unsigned char) { return size_t(1); });
#endif
}

} // namespace tc
