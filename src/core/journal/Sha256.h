#pragma once

#include <string>
#include <string_view>

namespace tc {

// The SHA-256 of `bytes` as 64 lowercase hexadecimal digits, by the
// operating system's kept library (OpenSSL's libcrypto, or Windows CNG):
// Sha256Posix.cpp or Sha256Windows.cpp, one of which the build takes.
std::string sha256Hex(std::string_view bytes);

} // namespace tc
