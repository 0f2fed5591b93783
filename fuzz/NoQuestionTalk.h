#pragma once

#include "FuzzTargets.h"
#include "manage/WeekSave.h"

#include <string>

namespace tc::fuzz {

// The manager at a save that has nothing to ask: any question breaks the
// property `what`. The sheet is left as it was.
class NoQuestionTalk : public SaveTalk {
  public:
    explicit NoQuestionTalk(std::string what) : what_(std::move(what)) {}

    bool ask(const std::string& question) override { propertyFailed(what_ + " asks: " + question); }
    void tell(const std::string& message) override { told += message + "\n"; }
    void showSaved(TimeSheet&, std::string_view) override {}

    std::string told;

  private:
    std::string what_;
};

} // namespace tc::fuzz
