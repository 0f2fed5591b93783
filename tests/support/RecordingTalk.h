#pragma once

#include "core/sheet/WeekSave.h"

#include <string>
#include <vector>

namespace tc::test {

// The manager at the time sheet during a save: answers every question with
// `answer` and keeps what was asked and told, in order.
class RecordingTalk : public SaveTalk {
  public:
    explicit RecordingTalk(bool answer = true) : answer(answer) {}

    bool ask(const std::string& question) override {
        asked.push_back(question);
        return answer;
    }
    void tell(const std::string& message) override { told.push_back(message); }

    // Everything told, one message a line; empty when nothing was.
    std::string toldText() const {
        std::string out;
        for (const std::string& m : told)
            out += (out.empty() ? "" : "\n") + m;
        return out;
    }

    bool answer;
    std::vector<std::string> asked;
    std::vector<std::string> told;
};

} // namespace tc::test
