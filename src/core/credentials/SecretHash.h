#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tc {

// Salted, slow hashes of PINs and passwords (Argon2id, libsodium's string
// form: the salt and the cost travel inside the hash). Only hashes are ever
// stored; a PIN or a password never reaches a file, the journal or a message.
class SecretHash {
  public:
    // nullopt when libsodium cannot start or is out of memory.
    static std::optional<std::string> make(std::string_view secret);
    // True only for a hash this program made (same algorithm and cost) that
    // matches. A hash of another cost is refused unread: a planted one could
    // ask for any amount of memory.
    static bool matches(const std::string& hash, std::string_view secret);
};

} // namespace tc
