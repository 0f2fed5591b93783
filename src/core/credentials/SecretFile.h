#pragma once

#include "core/files/FileAccess.h"

#include <string>
#include <string_view>

namespace tc {

// The files that hold hashes (PINs, cards, the management password), with
// the guards of every other program file: a regular file only, never read
// through a link planted at its path, never larger than such a file can be,
// and replaced whole through the file-access seam.
class SecretFile {
  public:
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    // A missing file is no error: `present` is false and `out` empty.
    static Status read(FileAccess& files, const std::string& path, std::string& out, bool& present);
    static Status write(FileAccess& files, const std::string& path, std::string_view bytes);
};

} // namespace tc
