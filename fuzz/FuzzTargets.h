#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tc::fuzz {

// Each target takes one input, runs it through the real code and checks a
// property: what loads and is saved again loads to the same thing.
void listFileTarget(const std::uint8_t* data, std::size_t size);
void weekFileTarget(const std::uint8_t* data, std::size_t size);
void pasteTarget(const std::uint8_t* data, std::size_t size);
void journalTarget(const std::uint8_t* data, std::size_t size);

// A broken property ends the process (libFuzzer keeps the input; the corpus
// replay names the file).
[[noreturn]] inline void propertyFailed(const std::string& what) {
    std::fprintf(stderr, "property broken: %s\n", what.c_str());
    std::abort();
}

} // namespace tc::fuzz
