#include "Error.h"
#include "SerialDate.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace Brisvane;

namespace {

CalendarReading Reading(int y, unsigned mo, unsigned d, int h, int mi, int s)
{
    CalendarReading r;
    r.Date = std::chrono::year{y} / std::chrono::month{mo} / std::chrono::day{d};
    r.Hour = h;
    r.Minute = mi;
    r.Second = s;
    return r;
}

// Compares the date and clock fields only.
void ExpectReads(double serial, const CalendarReading& want)
{
    const CalendarReading got = ReadCalendar(SerialDate::FromDouble(serial));
    EXPECT_EQ(got.Date, want.Date) << std::fixed << serial;
    EXPECT_EQ(got.Hour * 3600 + got.Minute * 60 + got.Second, want.Hour * 3600 + want.Minute * 60 + want.Second)
        << std::fixed << serial << " read " << got.Hour << ':' << got.Minute << ':' << got.Second;
}

}  // namespace

TEST(SerialDate, RangeCheckAcceptsStrictlyInsideTheCalendar)
{
    for (const double ok : {-657'434.99999, 0.0, 1.0, 25'569.0, 2'958'465.99998})
        EXPECT_NO_THROW(SerialDate::FromDouble(ok)) << ok;
    for (const double bad : {-657'435.0, 2'958'466.0, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity()}) {
        try {
            SerialDate::FromDouble(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.Kind(), ErrorKind::Overflow) << bad;
        }
    }
}

TEST(SerialDate, ReadsToTheNearestSecondWithCarry)
{
    ExpectReads(0.0, Reading(1899, 12, 30, 0, 0, 0));
    ExpectReads(2.0, Reading(1900, 1, 1, 0, 0, 0));
    ExpectReads(25'570.0, Reading(1970, 1, 2, 0, 0, 0));
    ExpectReads(25'569.5, Reading(1970, 1, 1, 12, 0, 0));
    ExpectReads(25'569.000011574073, Reading(1970, 1, 1, 0, 0, 1));  // 0.99999992 s rounds up
    ExpectReads(25'569.999988425927, Reading(1970, 1, 1, 23, 59, 59));
    ExpectReads(50'424.13480324074, Reading(2038, 1, 19, 3, 14, 7));  // not 03:14:06
    ExpectReads(25'569.9999999, Reading(1970, 1, 2, 0, 0, 0));        // 86,399.99 s carries into the next day
    ExpectReads(2'958'465.99998, Reading(9999, 12, 31, 23, 59, 58));
    ExpectReads(-657'434.0, Reading(100, 1, 1, 0, 0, 0));
    ExpectReads(60.0, Reading(1900, 2, 28, 0, 0, 0));  // 1900 is no leap year
    ExpectReads(36'585.0, Reading(2000, 2, 29, 0, 0, 0));
}

TEST(SerialDate, WeekdayAndDayOfYearFollowTheDate)
{
    const CalendarReading r = ReadCalendar(SerialDate::FromDouble(44'087.5));  // 2020-09-13, a Sunday
    EXPECT_EQ(r.Weekday, std::chrono::Sunday);
    EXPECT_EQ(r.DayOfYear, 256);
}
