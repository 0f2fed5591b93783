#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tc {

// Files hold text in the ANSI code page: Windows's own on Windows, Windows-1252
// elsewhere, so a week file moves between machines unchanged. Where Windows's
// ANSI code page is UTF-8 or a multi-byte one the files use Windows-1252 too:
// every field of a week file is a width in bytes, one byte a character.
// In memory text is UTF-8. Conversion goes through the operating system's
// converter (iconv, or MultiByteToWideChar/WideCharToMultiByte).
//
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// stand for the control characters of the same number, both ways, as
// Windows's own converter has it, so such a byte survives a read and a write.

// nullopt when the converter itself failed (none available, or it refused the
// call): the caller tells the person. A character the code page lacks becomes
// '?'. NUL bytes pass through.
std::optional<std::string> utf8ToAnsiChecked(std::string_view utf8);
std::optional<std::string> ansiToUtf8Checked(std::string_view ansi);

// The same, where a failed conversion cannot be reported: each character that
// could not be converted becomes '?' (to ANSI) or U+FFFD (to UTF-8).
std::string utf8ToAnsi(std::string_view utf8);
std::string ansiToUtf8(std::string_view ansi);

// The code page the files use, given Windows's ANSI code page and the most
// bytes one of its characters takes.
unsigned fileCodePageFor(unsigned ansiCodePage, unsigned maxCharBytes);

} // namespace tc
