#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tc {

// The operating system's converter behind CodePage.h: CodePagePosix.cpp or
// CodePageWindows.cpp, one of which the build takes. Called for text that is
// not plain ASCII; nullopt when the converter itself failed.
std::optional<std::string> systemUtf8ToAnsi(std::string_view utf8);
std::optional<std::string> systemAnsiToUtf8(std::string_view ansi);

// The length of the broken UTF-8 sequence at the start of `in`: it ends at
// the first byte that is not a continuation byte.
std::size_t badUtf8SequenceLength(std::string_view in);

} // namespace tc
