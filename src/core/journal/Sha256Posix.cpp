#include "core/journal/Sha256.h"

#include <openssl/evp.h>

#include <cstdlib>

// The hash of the Linux build: OpenSSL's libcrypto.

namespace tc {

std::string sha256Hex(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    // EVP_Digest fails only when the library cannot allocate: a seal must
    // never be made up, so the program stops rather than write a wrong one.
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1 || length != 32)
        std::abort();
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(64);
    for (unsigned int i = 0; i < length; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 15];
    }
    return hex;
}

} // namespace tc
