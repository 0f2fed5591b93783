// An employee's own week at the station: the report's hours and flags for
// that employee alone.
#include "core/punch/OwnWeek.h"
#include "support/WeekBuilder.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

TEST(OwnWeek, ShowsTheEmployeesDaysTotalAndFlagsAndNothingOfAnyoneElse) {
    ProgramFolder base;
    base.writeWeek(mondayFeb3(),
                   weekBytes({makeRecord("Ann", {{"IN", "1001.Dept-1", "7:00:00 AM", "Mon-Feb-3"},
                                                 {"OUT", "", "3:30:00 PM", "Mon-Feb-3"},
                                                 {"IN", "1001.Dept-1", "7:00:00 AM", "Tue-Feb-4"},
                                                 {"IN", "1001.Dept-1", "7:00:00 AM", "Wed-Feb-5"},
                                                 {"OUT", "", "11:00:00 AM", "Wed-Feb-5"}}),
                              makeRecord("Bob", {{"IN", "1001.Dept-1", "6:00:00 AM", "Mon-Feb-3"},
                                                 {"LUNCH", "", "12:00:00 PM", "Mon-Feb-3"}})}));
    struct Case {
        int position;
        std::string name;
        std::array<std::string, 7> days;
        std::string total;
        std::vector<std::string> flags;
    };
    const std::vector<Case> cases = {
        {1,
         "Ann",
         {"Mon 8.50", "Tue 0.00", "Wed 4.00", "Thu 0.00", "Fri 0.00", "Sat 0.00", "Sun 0.00"},
         "Total 12.50",
         {"no clock-out after Tue 7:00 AM"}},
        {2,
         "Bob",
         {"Mon 6.00", "Tue 0.00", "Wed 0.00", "Thu 0.00", "Fri 0.00", "Sat 0.00", "Sun 0.00"},
         "Total 6.00",
         {"no return from lunch after Mon 12:00 PM"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OwnWeek week =
            ownWeek(StationState(base.path()), PunchInProgress::forEmployee(c.position - 1, c.name),
                    mondayFeb3(12).addDays(3));
        EXPECT_EQ(week.name, c.name);
        EXPECT_EQ(week.days, c.days);
        EXPECT_EQ(week.total, c.total);
        EXPECT_EQ(week.flags, c.flags);
    }
}

} // namespace
} // namespace tc::test
