#pragma once

#include <string>
#include <vector>

namespace tc {

// Whether two paths name the same folder, however they are written: "F",
// "F/", "./F", the absolute path or a link to it (on Windows also in other
// letter case). Folders that do not exist compare by their resolved paths.
bool sameFolder(const std::string& a, const std::string& b);

// The folders given, each named once, in the order first given; `repeated`
// says which were left out, and which earlier one each is.
struct DistinctFolders {
    std::vector<std::string> folders;
    std::vector<std::pair<std::string, std::string>> repeated; // (left out, same as)
};
DistinctFolders distinctFolders(const std::vector<std::string>& folders);

} // namespace tc
