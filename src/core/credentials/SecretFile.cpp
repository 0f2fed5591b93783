#include "core/credentials/SecretFile.h"

#include <filesystem>
#include <system_error>

namespace tc {

Status SecretFile::read(FileAccess& files, const std::string& path, std::string& out, bool& present) {
    out.clear();
    std::error_code ec;
    const auto kind = std::filesystem::symlink_status(path, ec).type();
    present = kind != std::filesystem::file_type::not_found;
    if (!present)
        return Status::ok();
    // Whoever can plant a link here could make the station trust a hash of
    // his own, or read one it should never see.
    if (kind == std::filesystem::file_type::symlink)
        return Status::fail("Cannot open " + path + ": it is a link, not the file itself.");
    return readWholeFile(files, path, out, false, kMaxBytes);
}

Status SecretFile::write(FileAccess& files, const std::string& path, std::string_view bytes) {
    if (bytes.size() > kMaxBytes)
        return Status::fail("Cannot write " + path + ": it would be larger than " +
                            std::to_string(kMaxBytes) + " bytes.");
    return replaceFile(files, path, bytes);
}

} // namespace tc
