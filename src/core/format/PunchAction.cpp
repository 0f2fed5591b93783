#include "core/format/PunchAction.h"

#include "core/format/TimeRecord.h"
#include "core/format/TimeText.h"

namespace tc {

PunchAction punchActionOf(std::string_view word) {
    word = trimSpaces(word);
    if (word == kActionIn)
        return PunchAction::In;
    if (word == kActionChange)
        return PunchAction::Change;
    if (word == kActionLunch)
        return PunchAction::Lunch;
    if (word == kActionOut)
        return PunchAction::Out;
    return PunchAction::Other;
}

bool meansAtWork(PunchAction action) {
    return action == PunchAction::In || action == PunchAction::Change;
}

bool meansAtWork(std::string_view word) {
    return meansAtWork(punchActionOf(word));
}

} // namespace tc
