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

// The same calendar reading by a different road: exact integer seconds,
// floor division into days, and the standard library's civil calendar.
CalendarReading IntegerReading(std::int64_t epoch, std::int64_t offset)
{
    using namespace std::chrono;
    const std::int64_t local = epoch + offset;
    const std::int64_t days = local >= 0 ? local / 86'400 : -((-local + 86'399) / 86'400);
    const std::int64_t second = local - days * 86'400;
    const year_month_day date{sys_days{std::chrono::days{days}}};
    CalendarReading r;
    r.Date = date;
    r.Hour = static_cast<int>(second / 3'600);
    r.Minute = static_cast<int>(second / 60 % 60);
    r.Second = static_cast<int>(second % 60);
    r.Weekday = weekday{sys_days{std::chrono::days{days}}};
    r.DayOfYear = static_cast<int>((sys_days{date} - sys_days{date.year() / January / 1}).count());
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
    struct Case {
        std::int32_t epoch;
        std::int32_t offset;
        std::chrono::year_month_day date;
        int hour, minute, second;
    };
    using namespace std::chrono;
    for (const Case c :
         {Case{1, 0, 1970y / 1 / 1, 0, 0, 1}, Case{1'600'000'000, 0, 2020y / 9 / 13, 12, 26, 40},
          Case{2'147'483'647, 0, 2038y / 1 / 19, 3, 14, 7}, Case{2'147'483'647, 50'400, 2038y / 1 / 19, 17, 14, 7},
          Case{1, -18'000, 1969y / 12 / 31, 19, 0, 1}, Case{0, 19'800, 1970y / 1 / 1, 5, 30, 0}}) {
        const CalendarReading r = ReadCalendar(Convert(c.epoch, c.offset));
        EXPECT_EQ(r.Date, c.date) << c.epoch << " at offset " << c.offset;
        EXPECT_EQ(r.Hour, c.hour) << c.epoch << " at offset " << c.offset;
        EXPECT_EQ(r.Minute, c.minute) << c.epoch << " at offset " << c.offset;
        EXPECT_EQ(r.Second, c.second) << c.epoch << " at offset " << c.offset;
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
