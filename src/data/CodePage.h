#pragma once

#include <string>
#include <string_view>

namespace tc {

// Files hold text in the ANSI code page: Windows's own on Windows,
// Windows-1252 elsewhere, so a week file moves between machines unchanged.
// In memory text is UTF-8. Conversion goes through the operating system's
// converter (iconv, or MultiByteToWideChar/WideCharToMultiByte).

// A character the code page lacks becomes '?'. NUL bytes pass through.
std::string utf8ToAnsi(std::string_view utf8);
// A byte the code page leaves undefined becomes U+FFFD (iconv), or on Windows
// the control character of the same number, which converts back to the same
// byte. NUL bytes pass through.
std::string ansiToUtf8(std::string_view ansi);

} // namespace tc
