#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tc::fuzz {

// Each target takes one input, runs it through the real code and checks a
// property: what loads and is saved again loads to the same thing. A broken
// property ends the process through propertyFailed (libFuzzer keeps the
// input; the corpus replay reports the file).
void listFileTarget(const std::uint8_t* data, std::size_t size);
void weekFileTarget(const std::uint8_t* data, std::size_t size);
void pasteTarget(const std::uint8_t* data, std::size_t size);

[[noreturn]] void propertyFailed(const std::string& what);

} // namespace tc::fuzz
