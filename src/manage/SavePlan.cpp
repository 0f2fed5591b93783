#include "manage/SavePlan.h"

namespace tc {

std::string SavePlan::conflictNames() const {
    std::string out;
    for (const SaveConflict& c : conflicts) {
        if (!out.empty())
            out += ", ";
        out += c.name.empty() ? "position " + std::to_string(c.position) : c.name;
    }
    return out;
}

std::string SavePlan::conflictQuestion() const {
    return "The punches of these employees were changed both here and at the station since the file was "
           "opened: " +
           conflictNames() + ". Save anyway?";
}

} // namespace tc
