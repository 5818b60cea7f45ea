#include "Epoch2Date.h"
#include "Error.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace Brisvane;

namespace {

SerialDate Convert(std::int32_t epoch, std::int32_t offset = 0)
{
    return Epoch2Date(Currency::Widen(epoch), offset);
}

bool IsLeap(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The same calendar reading by a different road, with no calendar library:
// exact integer seconds, floor division into days, then whole years and
// months counted off one at a time from 1970-01-01, a Thursday.
CalendarReading IntegerReading(std::int64_t epoch, std::int64_t offset)
{
    const std::int64_t local = epoch + offset;
    std::int64_t days = local >= 0 ? local / 86'400 : -((-local + 86'399) / 86'400);
    const std::int64_t second = local - days * 86'400;
    CalendarReading r;
    r.Weekday = std::chrono::weekday{static_cast<unsigned>(((days + 4) % 7 + 7) % 7)};
    std::int64_t year = 1970;
    for (; days < 0; days += IsLeap(year) ? 366 : 365)
        --year;
    for (; days >= (IsLeap(year) ? 366 : 365); ++year)
        days -= IsLeap(year) ? 366 : 365;
    r.DayOfYear = static_cast<int>(days);
    const int monthDays[] = {31, IsLeap(year) ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    unsigned month = 1;
    for (; days >= monthDays[month - 1]; ++month)
        days -= monthDays[month - 1];
    r.Date = std::chrono::year{static_cast<int>(year)} / std::chrono::month{month} /
             std::chrono::day{static_cast<unsigned>(days + 1)};
    r.Hour = static_cast<int>(second / 3'600);
    r.Minute = static_cast<int>(second / 60 % 60);
    r.Second = static_cast<int>(second % 60);
    return r;
}

}  // namespace

TEST(Epoch2Date, FormsTheExactValuesOfTheReferenceConversion)
{
    struct Case {
        std::int32_t epoch;
        std::int32_t offset;
        double serial;
    };
    for (const Case c : {Case{86'400, 0, 25'570.0}, Case{1, 0, 25'569.000011574073},
                         Case{1'600'000'000, 0, 44'087.51851851852}, Case{2'147'483'647, 0, 50'424.13480324074},
                         Case{1, -18'000, 25'568.79167824074}, Case{0, 19'800, 25'569.229166666668}}) {
        EXPECT_EQ(Convert(c.epoch, c.offset).Value(), c.serial) << c.epoch << " at offset " << c.offset;
    }
}

TEST(Epoch2Date, ReadsAsTheLocalWallClock)
{
    // Each line worked out by hand from a known day: 1970-01-01 was a
    // Thursday, 2000-01-01 a Saturday, 2021-01-01 a Friday. Weekdays count
    // from Sunday, 0; the day of the year from 1 January, 0.
    struct Case {
        std::int32_t epoch;
        std::int32_t offset;
        std::chrono::year_month_day date;
        int hour, minute, second;
        unsigned weekday;
        int dayOfYear;
    };
    using namespace std::chrono;
    for (const Case c : {
             Case{1, 0, 1970y / 1 / 1, 0, 0, 1, 4, 0},
             Case{1'600'000'000, 0, 2020y / 9 / 13, 12, 26, 40, 0, 256},  // 244 days to 1 September
             Case{2'147'483'647, 0, 2038y / 1 / 19, 3, 14, 7, 2, 18},
             Case{2'147'483'647, 50'400, 2038y / 1 / 19, 17, 14, 7, 2, 18},
             Case{1, -18'000, 1969y / 12 / 31, 19, 0, 1, 3, 364},
             Case{0, 19'800, 1970y / 1 / 1, 5, 30, 0, 4, 0},
             // A leap day (59 days after a Saturday), and a leap year's last.
             Case{951'782'400, 0, 2000y / 2 / 29, 0, 0, 0, 2, 59},
             Case{1'609'459'199, 0, 2020y / 12 / 31, 23, 59, 59, 4, 365},
             // The 32-bit range's first second, 2^31 seconds before 1970.
             Case{-2'147'483'647 - 1, 0, 1901y / 12 / 13, 20, 45, 52, 5, 346},
         }) {
        const CalendarReading r = ReadCalendar(Convert(c.epoch, c.offset));
        EXPECT_EQ(r.Date, c.date) << c.epoch << " at offset " << c.offset;
        EXPECT_EQ(r.Hour, c.hour) << c.epoch << " at offset " << c.offset;
        EXPECT_EQ(r.Minute, c.minute) << c.epoch << " at offset " << c.offset;
        EXPECT_EQ(r.Second, c.second) << c.epoch << " at offset " << c.offset;
        EXPECT_EQ(r.Weekday.c_encoding(), c.weekday) << c.epoch << " at offset " << c.offset;
        EXPECT_EQ(r.DayOfYear, c.dayOfYear) << c.epoch << " at offset " << c.offset;
    }
}

TEST(Epoch2Date, LocalMidnightIsExactlyWholeAndEveryOtherSecondIsNot)
{
    EXPECT_FALSE(Convert(86'400 * 20'000).HasTimeOfDay());
    EXPECT_FALSE(Convert(86'400 - 19'800, 19'800).HasTimeOfDay());
    EXPECT_TRUE(Convert(86'400 * 20'000 + 1).HasTimeOfDay());
    EXPECT_TRUE(Convert(86'400 * 20'000 - 1).HasTimeOfDay());
}

TEST(Epoch2Date, AFailingStepRaisesOverflowInsteadOfReturningZero)
{
    // Unreachable with 32-bit input; the fixed-point sum and the range check
    // still must not turn into a silent 1899-12-30.
    constexpr auto top = std::numeric_limits<std::int64_t>::max();
    try {
        Epoch2Date(Currency{top}, 1);
        ADD_FAILURE() << "a sum past the 64-bit range was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::Overflow);
    }
    try {
        Epoch2Date(Currency{top - 10'000}, 0);  // 9.2e14 s is far past 9999-12-31
        ADD_FAILURE() << "a date past the calendar was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::Overflow);
    }
}

TEST(Epoch2Date, CalendarReadingAgreesWithIntegerArithmetic)
{
    // The exhaustive check over all 2^31 values is a separate program; here a
    // fixed-seed sample of it, with the range ends and the offsets of real
    // zones from UTC-12 to UTC+14.
    std::mt19937 random(20'260'101);
    std::uniform_int_distribution<std::int32_t> anyEpoch(std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max());
    for (const std::int32_t offset : {-43'200, -18'000, -12'600, 0, 3'600, 19'800, 20'700, 34'200, 50'400}) {
        constexpr std::int32_t top = std::numeric_limits<std::int32_t>::max();
        constexpr std::int32_t bottom = std::numeric_limits<std::int32_t>::min();
        std::vector<std::int32_t> epochs = {1, 59, 60, 86'399, 86'400, top, bottom, 0, -1};
        for (int i = 0; i < 100'000; ++i)
            epochs.push_back(anyEpoch(random));
        for (const std::int32_t epoch : epochs)
            ASSERT_EQ(ReadCalendar(Convert(epoch, offset)), IntegerReading(epoch, offset))
                << epoch << " at offset " << offset;
    }
}
