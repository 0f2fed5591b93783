#include "core/sheet/SavePlan.h"

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
    std::string lost;
    for (const SaveConflict& c : conflicts)
        for (const std::string& punch : c.stationPunches)
            lost += (lost.empty() ? "" : "; ") +
                    (c.name.empty() ? "position " + std::to_string(c.position) : c.name) + ", " + punch;
    return "The punches of these employees were changed both here and at the station since the file was "
           "opened: " +
           conflictNames() + "." +
           (lost.empty() ? "" : " Saving now removes these punches stored at the station: " + lost + ".") +
           " Save anyway?";
}

std::string SavePlan::moveQuestion() const {
    std::string names;
    for (const PunchMove& m : moves) {
        if (!names.empty())
            names += ", ";
        const std::string where =
            "position " + std::to_string(m.from) + " into the record of position " + std::to_string(m.to);
        names += m.name.empty() ? where : m.name + " (" + where + ")";
    }
    return "Saving now would put punches of these employees into another employee's record: " + names +
           ". The rows of neighbours with the same name cannot be told apart once they are pasted, and a "
           "blank row removed or added moves every employee below it. Save anyway?";
}

std::string SavePlan::unsavedRowsQuestion() const {
    std::string list;
    for (std::size_t i = 0; i < unsavedRows.size() && i < 10; ++i)
        list += (i > 0 ? ", " : "") + std::to_string(unsavedRows[i]);
    if (unsavedRows.size() > 10)
        list += ", and " + std::to_string(unsavedRows.size() - 10) + " more";
    return (unsavedRows.size() == 1 ? "Row " + list + " holds" : "Rows " + list + " hold") +
           " data that no employee record takes (a record holds at most 100 punches, and rows below the last "
           "employee are not read). That data will not be saved. Save anyway?";
}

std::string SavePlan::oddCellsQuestion() const {
    std::string cells;
    for (const OddCell& c : oddCells)
        cells += "\r\nrow " + std::to_string(c.cell.row) + ", " + c.column + ": \"" + c.text + "\"";
    return "These cells do not hold a time (with AM or PM) or a date such as Mon-Feb-3:" + cells +
           "\r\nThe week report counts no hours at a time without AM or PM, nor at one it cannot read. Save "
           "them as typed?";
}

} // namespace tc
