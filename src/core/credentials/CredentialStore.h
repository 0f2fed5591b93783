#pragma once

#include "core/files/FileAccess.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tc {

// The employees' PINs (as hashes) and card numbers, in "timeclock.pins"
// beside the program:
//
//   timeclock-credentials TAB 1
//   pin TAB <name> TAB <Argon2id hash>
//   card TAB <name> TAB <card number>
//
// An employee is known by the name on his or her button, so a name given to
// another person on the list does not hand over the PIN of the one before.
class CredentialStore {
  public:
    static constexpr const char* kFileName = "timeclock.pins";
    static std::string path(const std::string& baseFolder);

    // A missing file is an empty store. A damaged one is named, not half read.
    Status load(FileAccess& files, const std::string& baseFolder);
    Status save(FileAccess& files, const std::string& baseFolder) const;

    bool hasPin(const std::string& name) const;
    bool pinMatches(const std::string& name, std::string_view pin) const;
    // 4 to 8 digits; anything else is refused with the reason.
    Status setPin(const std::string& name, std::string_view pin);
    void removePin(const std::string& name);

    // The employee whose card this is, if any.
    std::optional<std::string> nameForCard(std::string_view card) const;
    std::string cardOf(const std::string& name) const;
    // Letters and digits, 1 to 32; a card another employee holds is refused.
    Status setCard(const std::string& name, std::string_view card);
    void removeCard(const std::string& name);

    static bool isPin(std::string_view text);

  private:
    Status checkName(const std::string& name) const;

    std::map<std::string, std::string> pinHashes_; // name -> hash
    std::map<std::string, std::string> cards_;     // name -> card number
};

} // namespace tc
