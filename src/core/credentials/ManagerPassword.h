#pragma once

#include "core/files/FileAccess.h"
#include "core/punch/PasswordDelay.h"

#include <cstdint>

#include <string>
#include <string_view>

namespace tc {

// The management password. Until the manager changes it, it is the one shown
// at the first start; once changed, only its hash is kept, in
// "timeclock.password" beside the program. Deleting that file brings back
// the first one (the owner's way back in; the station never says so).
class ManagerPassword {
  public:
    static constexpr const char* kFirstPassword = "qm482";
    static constexpr const char* kFileName = "timeclock.password";
    static constexpr std::size_t kMinimumLength = 8;
    static std::string path(const std::string& baseFolder);

    // Whether `typed` is the password (exactly: case and blanks count). A
    // hash file that cannot be trusted (a link, a pipe, too large, damaged)
    // lets nobody in, and the Status names it.
    static Status check(FileAccess& files, const std::string& baseFolder, std::string_view typed,
                        bool& matches);

    // A try at the management password: heard only when `tries` lets it be,
    // counted right or wrong, and answered with what the manager is told
    // (empty when accepted).
    struct Answer {
        bool accepted = false;
        std::string message;
    };
    static Answer attempt(FileAccess& files, const std::string& baseFolder, std::string_view typed,
                          PasswordDelay& tries, std::int64_t nowMs);

    // Old password, then the new one twice. Refused, with the reason, when
    // the old one is wrong, the two differ or the new one is too short.
    static Status change(FileAccess& files, const std::string& baseFolder, std::string_view old,
                         std::string_view fresh, std::string_view again);
};

} // namespace tc
