#include "core/credentials/CredentialStore.h"

#include "core/credentials/SecretFile.h"
#include "core/credentials/SecretHash.h"
#include "core/files/Paths.h"

#include <cctype>
#include <vector>

namespace tc {

namespace {

constexpr std::string_view kHeader = "timeclock-credentials\t1";

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

bool isCard(std::string_view text) {
    if (text.empty() || text.size() > 32)
        return false;
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

std::string CredentialStore::path(const std::string& baseFolder) {
    return pathJoin(baseFolder, kFileName);
}

bool CredentialStore::isPin(std::string_view text) {
    if (text.size() < 4 || text.size() > 8)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

Status CredentialStore::load(FileAccess& files, const std::string& baseFolder) {
    pinHashes_.clear();
    cards_.clear();
    const std::string file = path(baseFolder);
    std::string bytes;
    bool present = false;
    if (Status st = SecretFile::read(files, file, bytes, present); !st || !present)
        return st;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const auto damaged = [&] {
            pinHashes_.clear();
            cards_.clear();
            return Status::fail("Cannot read " + file + ": line " + std::to_string(lineNumber) +
                                " is damaged.");
        };
        if (lineNumber == 1) {
            if (line != kHeader)
                return damaged();
            continue;
        }
        const std::vector<std::string> f = splitTabs(line);
        if (f.size() != 3 || f[1].empty())
            return damaged();
        if (f[0] == "pin" && !f[2].empty())
            pinHashes_[f[1]] = f[2];
        else if (f[0] == "card" && isCard(f[2]))
            cards_[f[1]] = f[2];
        else
            return damaged();
    }
    return Status::ok();
}

Status CredentialStore::save(FileAccess& files, const std::string& baseFolder) const {
    std::string bytes(kHeader);
    bytes += '\n';
    for (const auto& [name, hash] : pinHashes_)
        bytes += "pin\t" + name + "\t" + hash + "\n";
    for (const auto& [name, card] : cards_)
        bytes += "card\t" + name + "\t" + card + "\n";
    return SecretFile::write(files, path(baseFolder), bytes);
}

Status CredentialStore::checkName(const std::string& name) const {
    if (name.empty() || name.find_first_of("\t\r\n") != std::string::npos)
        return Status::fail(
            "This employee's name cannot be kept with a PIN or card (it is empty or holds a TAB).");
    return Status::ok();
}

bool CredentialStore::hasPin(const std::string& name) const {
    return pinHashes_.count(name) != 0;
}

bool CredentialStore::pinMatches(const std::string& name, std::string_view pin) const {
    const auto it = pinHashes_.find(name);
    return it != pinHashes_.end() && isPin(pin) && SecretHash::matches(it->second, pin);
}

Status CredentialStore::setPin(const std::string& name, std::string_view pin) {
    if (Status st = checkName(name); !st)
        return st;
    if (!isPin(pin))
        return Status::fail("A PIN is 4 to 8 digits.");
    const std::optional<std::string> hash = SecretHash::make(pin);
    if (!hash)
        return Status::fail("The PIN cannot be made safe for storing (out of memory).");
    pinHashes_[name] = *hash;
    return Status::ok();
}

void CredentialStore::removePin(const std::string& name) {
    pinHashes_.erase(name);
}

std::optional<std::string> CredentialStore::nameForCard(std::string_view card) const {
    for (const auto& [name, number] : cards_)
        if (number == card)
            return name;
    return std::nullopt;
}

std::string CredentialStore::cardOf(const std::string& name) const {
    const auto it = cards_.find(name);
    return it == cards_.end() ? std::string() : it->second;
}

Status CredentialStore::setCard(const std::string& name, std::string_view card) {
    if (Status st = checkName(name); !st)
        return st;
    if (!isCard(card))
        return Status::fail("A card number is 1 to 32 letters and digits.");
    if (const auto holder = nameForCard(card); holder && *holder != name)
        return Status::fail("This card is already given to " + *holder + ".");
    cards_[name] = std::string(card);
    return Status::ok();
}

void CredentialStore::removeCard(const std::string& name) {
    cards_.erase(name);
}

} // namespace tc
