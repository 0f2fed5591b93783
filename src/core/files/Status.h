#pragma once

#include <string>
#include <utility>

namespace tc {

// Outcome of an operation that can fail for reasons the person at the screen
// must be told about. The message is complete English text, ready to show.
class [[nodiscard]] Status {
  public:
    Status() = default;
    static Status ok() { return Status(); }
    static Status fail(std::string message) {
        Status s;
        s.failed_ = true;
        s.message_ = std::move(message);
        return s;
    }

    bool isOk() const { return !failed_; }
    explicit operator bool() const { return !failed_; }
    const std::string& message() const { return message_; }

  private:
    bool failed_ = false;
    std::string message_;
};

} // namespace tc
