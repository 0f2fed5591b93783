#pragma once

#include <string>
#include <string_view>

namespace tc {

// The characters of a UTF-8 text that the files' ANSI code page cannot hold
// (they would be stored as '?' or as a look-alike), each once, in order and
// separated by spaces; empty when the text can be stored as it is.
std::string charactersOutsideCodePage(std::string_view utf8);

} // namespace tc
