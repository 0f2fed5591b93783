#include "core/journal/Sha256.h"

#include <windows.h>

#include <bcrypt.h>
#include <cstdlib>

// The hash of the Windows build: the system's CNG.

namespace tc {

std::string sha256Hex(std::string_view bytes) {
    unsigned char digest[32];
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    NTSTATUS status = BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    if (status >= 0) {
        status = BCryptHash(algorithm, nullptr, 0, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                            ULONG(bytes.size()), digest, sizeof digest);
        BCryptCloseAlgorithmProvider(algorithm, 0);
    }
    // A seal must never be made up: the program stops rather than write a wrong one.
    if (status < 0)
        std::abort();
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(64);
    for (unsigned char b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return hex;
}

} // namespace tc
