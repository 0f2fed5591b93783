#include "core/credentials/ManagerPassword.h"

#include "core/credentials/SecretFile.h"
#include "core/credentials/SecretHash.h"
#include "core/files/Paths.h"

namespace tc {

namespace {

std::size_t characters(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string waitText(std::int64_t ms) {
    return "Too many wrong passwords: wait " + std::to_string((ms + 999) / 1000) +
           " seconds before the next try.";
}

} // namespace

std::string ManagerPassword::path(const std::string& baseFolder) {
    return pathJoin(baseFolder, kFileName);
}

Status ManagerPassword::check(FileAccess& files, const std::string& baseFolder, std::string_view typed,
                              bool& matches) {
    matches = false;
    const std::string file = path(baseFolder);
    std::string bytes;
    bool present = false;
    if (Status st = SecretFile::read(files, file, bytes, present); !st)
        return st;
    if (!present) {
        matches = typed == kFirstPassword;
        return Status::ok();
    }
    if (!bytes.empty() && bytes.back() == '\n')
        bytes.pop_back();
    if (bytes.empty() || bytes.find('\n') != std::string::npos)
        return Status::fail("Cannot read " + file + ": it is damaged.");
    matches = SecretHash::matches(bytes, typed);
    return Status::ok();
}

ManagerPassword::Answer ManagerPassword::attempt(FileAccess& files, const std::string& baseFolder,
                                                 std::string_view typed, PasswordDelay& tries,
                                                 std::int64_t nowMs) {
    // A try while guessing must wait is not even looked at.
    if (const std::int64_t ms = tries.waitMs(nowMs))
        return {false, waitText(ms)};
    bool matches = false;
    if (Status st = check(files, baseFolder, typed, matches); !st)
        return {false, st.message()};
    if (matches) {
        tries.right();
        return {true, {}};
    }
    tries.wrong(nowMs);
    std::string message = "Wrong Password";
    if (const std::int64_t ms = tries.waitMs(nowMs))
        message += "\r\n" + waitText(ms);
    return {false, message};
}

Status ManagerPassword::change(FileAccess& files, const std::string& baseFolder, std::string_view old,
                               std::string_view fresh, std::string_view again) {
    bool matches = false;
    if (Status st = check(files, baseFolder, old, matches); !st)
        return st;
    if (!matches)
        return Status::fail("Wrong Password");
    if (fresh != again)
        return Status::fail("The new password and its repetition differ.");
    if (characters(fresh) < kMinimumLength)
        return Status::fail("The new password must have at least " + std::to_string(kMinimumLength) +
                            " characters.");
    const std::optional<std::string> hash = SecretHash::make(fresh);
    if (!hash)
        return Status::fail("The password cannot be made safe for storing (out of memory).");
    if (Status st = SecretFile::write(files, path(baseFolder), *hash + "\n"); !st)
        return Status::fail("The password was NOT changed. " + st.message());
    return Status::ok();
}

} // namespace tc
