#include "core/files/FolderIdentity.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>

namespace tc {

namespace {

namespace fs = std::filesystem;

fs::path pathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The folder's absolute path with links, "." and ".." resolved as far as it
// exists, without a separator at the end; on Windows in lower case, as the
// file system does not tell the letters apart.
fs::path::string_type resolvedKey(const std::string& folder) {
    std::error_code ec;
    fs::path p = fs::absolute(pathOf(folder), ec);
    if (ec)
        p = pathOf(folder);
    const fs::path resolved = fs::weakly_canonical(p, ec);
    p = (ec ? p : resolved).lexically_normal();
    fs::path::string_type key = p.native();
    while (key.size() > 1 && (key.back() == '/' || key.back() == fs::path::preferred_separator))
        key.pop_back();
#ifdef _WIN32
    std::transform(key.begin(), key.end(), key.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
#endif
    return key;
}

} // namespace

bool sameFolder(const std::string& a, const std::string& b) {
#ifndef _WIN32
    // The same device and inode: also a folder reached through a hard-to-resolve path.
    std::error_code ec;
    if (fs::equivalent(pathOf(a), pathOf(b), ec) && !ec)
        return true;
#endif
    return resolvedKey(a) == resolvedKey(b);
}

DistinctFolders distinctFolders(const std::vector<std::string>& folders) {
    DistinctFolders out;
    for (const std::string& folder : folders) {
        const auto same =
            std::find_if(out.folders.begin(), out.folders.end(),
                         [&folder](const std::string& kept) { return sameFolder(kept, folder); });
        if (same == out.folders.end())
            out.folders.push_back(folder);
        else
            out.repeated.emplace_back(folder, *same);
    }
    return out;
}

} // namespace tc
