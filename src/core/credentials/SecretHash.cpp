#include "core/credentials/SecretHash.h"

#include <sodium.h>

namespace tc {

namespace {

constexpr unsigned long long kOps = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr std::size_t kMemory = crypto_pwhash_MEMLIMIT_INTERACTIVE;

bool started() {
    static const bool kStarted = sodium_init() >= 0;
    return kStarted;
}

} // namespace

std::optional<std::string> SecretHash::make(std::string_view secret) {
    if (!started())
        return std::nullopt;
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, secret.data(), secret.size(), kOps, kMemory) != 0)
        return std::nullopt;
    return std::string(out);
}

bool SecretHash::matches(const std::string& hash, std::string_view secret) {
    if (!started() || hash.empty() || hash.size() >= crypto_pwhash_STRBYTES)
        return false;
    if (crypto_pwhash_str_needs_rehash(hash.c_str(), kOps, kMemory) != 0)
        return false;
    return crypto_pwhash_str_verify(hash.c_str(), secret.data(), secret.size()) == 0;
}

} // namespace tc
