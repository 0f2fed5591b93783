#include "data/Paths.h"
#include "data/TimeText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

using namespace tc;

namespace {

std::string expectedPath(const std::string& month, const std::string& name) {
    return pathJoin(pathJoin("base", month), name);
}

// Puts the process in a non-English locale when the machine has one, so a
// name taken from the locale (strftime, std::put_time) would show up.
class ForeignLocale {
  public:
    ForeignLocale() {
        for (const char* name :
             {"de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8", "de_DE", "German_Germany.1252"}) {
            try {
                std::locale::global(std::locale(name));
                std::setlocale(LC_ALL, name);
                active = name;
                return;
            } catch (const std::exception&) {
            }
        }
    }
    ~ForeignLocale() {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
    std::string active;
};

} // namespace

TEST(WeekNaming, WeekEndsOnSundayAndLivesInTheSundaysMonth) {
    const DateTime lastSecond = makeDateTime(2025, 2, 2, 23, 59, 59);
    EXPECT_EQ(weekFilePath("base", lastSecond), expectedPath("Feb", "Week Ending Sunday Feb 2 2025.dat"));
    EXPECT_EQ(weekFilePath("base", lastSecond.addSeconds(1)),
              expectedPath("Feb", "Week Ending Sunday Feb 9 2025.dat"));

    // The last days of a month belong to the next month's folder.
    EXPECT_EQ(weekFilePath("base", makeDateTime(2025, 1, 29, 8)),
              expectedPath("Feb", "Week Ending Sunday Feb 2 2025.dat"));
    // ... and of a year, to the next year's name.
    EXPECT_EQ(weekFilePath("base", makeDateTime(2025, 12, 29, 7, 30)),
              expectedPath("Jan", "Week Ending Sunday Jan 4 2026.dat"));
    EXPECT_EQ(weekFileName(makeDateTime(2025, 3, 1)), "Week Ending Sunday Mar 2 2025.dat");
    EXPECT_EQ(monthFolderPath("base", 12), pathJoin("base", "Dec"));
}

TEST(WeekNaming, NamesAreEnglishWhateverTheLocale) {
    ForeignLocale locale;
    RecordProperty("locale", locale.active.empty() ? "none available" : locale.active);
    EXPECT_EQ(weekFileName(makeDateTime(2025, 10, 1)), "Week Ending Sunday Oct 5 2025.dat");
    EXPECT_EQ(formatDate(makeDateTime(2026, 1, 5)), "Mon-Jan-5");
    EXPECT_EQ(formatDate(makeDateTime(2025, 12, 31)), "Wed-Dec-31");
    EXPECT_EQ(formatTime(makeDateTime(2025, 10, 1, 15, 4, 5)), "3:04:05 PM");
}

TEST(TimeText, ClockTextsAndParsing) {
    EXPECT_EQ(formatTime(makeDateTime(2025, 1, 1, 12, 30, 0)), "12:30:00 PM");
    EXPECT_EQ(formatTime(makeDateTime(2025, 1, 1, 9, 5, 7)), "9:05:07 AM");
    EXPECT_EQ(formatTime(makeDateTime(2025, 1, 1, 0, 0, 0)), "12:00:00 AM");
    EXPECT_EQ(formatTime(makeDateTime(2025, 1, 1, 12, 0, 0)), "12:00:00 PM");
    EXPECT_EQ(formatTime(makeDateTime(2025, 1, 1, 23, 59, 59)), "11:59:59 PM");

    EXPECT_EQ(parseTimeOfDay("12:30:00 PM"), 45000);
    EXPECT_EQ(parseTimeOfDay("9:05:07 AM "), 32707);
    EXPECT_EQ(parseTimeOfDay("12:00:00 AM"), 0);
    EXPECT_EQ(parseTimeOfDay("9:05pm"), 21 * 3600 + 300);
    EXPECT_EQ(parseTimeOfDay(" 13:45 "), 13 * 3600 + 45 * 60);
    EXPECT_EQ(parseTimeOfDay("00:00:00"), 0);
    for (const char* refused : {"", "   ", "13:00 PM", "0:30 AM", "9:5", "9:05:7", "24:00", "9:60", "9:05:60",
                                "noon", "9:05 XM", "9:05:07 AM x", "9", "-1:00"})
        EXPECT_FALSE(parseTimeOfDay(refused).has_value()) << '"' << refused << '"';
    EXPECT_FALSE(parseTimeOfDay(std::string_view("9:05\0AM", 7)).has_value());
}

TEST(TimeText, PeriodsInHundredthsOfAnHour) {
    const int h = 3600;
    // Most periods lie within one day; the dates only matter when the time goes back.
    auto periodHundredths = [](int from, int to, const char* fromDate = "Mon-Feb-3",
                               const char* toDate = "Mon-Feb-3") {
        return tc::periodHundredths(from, to, fromDate, toDate);
    };
    EXPECT_EQ(periodHundredths(12 * h + 1800, 16 * h + 1800), 400);
    EXPECT_EQ(formatHundredths(400), "4");
    long long day = periodHundredths(8 * h, 12 * h) + periodHundredths(12 * h + 1800, 16 * h + 1800);
    EXPECT_EQ(day, 800);
    EXPECT_EQ(formatHundredths(day), "8");
    EXPECT_EQ(periodHundredths(8 * h, 8 * h + 20 * 60), 33);
    EXPECT_EQ(formatHundredths(33), "0.33");
    EXPECT_EQ(formatHundredths(periodHundredths(7 * h, 11 * h + 1800)), "4.5");
    EXPECT_EQ(formatHundredths(450, ','), "4,5");
    EXPECT_EQ(periodHundredths(22 * h, 6 * h, "Mon-Feb-3", "Tue-Feb-4"), 800);
    EXPECT_EQ(periodHundredths(8 * h, 9 * h, "Mon-Feb-3", "Tue-Feb-4"),
              100); // a later time: dates not compared
    EXPECT_EQ(periodHundredths(9 * h, 9 * h), 0);
    // The clock set back on the same date (autumn change, a corrected clock): no hours, not a day.
    EXPECT_EQ(periodHundredths(1 * h + 50 * 60 + 5, 1 * h + 10 * 60 + 1, "Sun-Oct-26", "Sun-Oct-26 "), 0);
    EXPECT_EQ(periodHundredths(10 * h, 10 * h - 90), 0);
    EXPECT_EQ(formatHundredths(799), "7.99");
    EXPECT_EQ(formatHundredths(5), "0.05");
}
