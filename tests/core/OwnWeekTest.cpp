// An employee's own week at the station: the report's hours and flags for
// that employee alone.
#include "core/punch/OwnWeek.h"
#include "support/RecordText.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

TEST(OwnWeek, ShowsTheEmployeesDaysTotalAndFlagsAndNothingOfAnyoneElse) {
    ProgramFolder base;
    base.writeWeek(mondayFeb3(),
                   week({"Ann|IN 7:00a Mon-Feb-3 1001.Dept-1|OUT 3:30p|IN 7:00a Tue-Feb-4 1001.Dept-1|"
                         "IN 7:00a Wed-Feb-5 1001.Dept-1|OUT 11:00a",
                         "Bob|IN 6:00a Mon-Feb-3 1001.Dept-1|LUNCH 12:00p"}));
    const struct {
        int position;
        std::string name, days, total;
        std::vector<std::string> flags;
    } cases[] = {
        {1,
         "Ann",
         "Mon 8.50|Tue 0.00|Wed 4.00|Thu 0.00|Fri 0.00|Sat 0.00|Sun 0.00|",
         "Total 12.50",
         {"no clock-out after Tue 7:00 AM"}},
        {2,
         "Bob",
         "Mon 6.00|Tue 0.00|Wed 0.00|Thu 0.00|Fri 0.00|Sat 0.00|Sun 0.00|",
         "Total 6.00",
         {"no return from lunch after Mon 12:00 PM"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const OwnWeek week =
            ownWeek(StationState(base.path()), PunchInProgress::forEmployee(c.position - 1, c.name),
                    mondayFeb3(12).addDays(3));
        std::string days;
        for (const std::string& day : week.days)
            days += day + "|";
        EXPECT_EQ(week.name + days + week.total, c.name + c.days + c.total);
        EXPECT_EQ(week.flags, c.flags);
    }
}

} // namespace
} // namespace tc::test
