// The real GetTimeZoneInformation, as Wine answers it for the zone named in
// TZ when the test process starts (the test suite runs this file once per
// zone). UTC and Asia/Kolkata have no daylight time; the POSIX rule
// EST5EDT,0/0,J365/25 is on it all year.

#include "ZoneSource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

using namespace Brisvane;

TEST(WindowsZoneSource, AnswersForTheZoneOfTheProcess)
{
    const char* tz = std::getenv("TZ");
    const std::string zone = tz ? tz : "";
    ZoneAnswer expected;
    if (zone == "Asia/Kolkata")
        expected = ZoneAnswer{ZoneState::NoDaylightRules, -330, 0, ""};
    else if (zone == "UTC")
        expected = ZoneAnswer{ZoneState::NoDaylightRules, 0, 0, ""};
    else if (zone == "EST5EDT,0/0,J365/25")
        expected = ZoneAnswer{ZoneState::Daylight, 300, -60, ""};
    else
        GTEST_SKIP() << "no expectation for TZ=" << zone;
    // For a few hours of the rule's 31 December evening (early on 1 January
    // UTC), Wine answers standard time.
    const std::chrono::year_month_day today{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    const std::chrono::month_day day = today.month() / today.day();
    if (expected.State == ZoneState::Daylight && (day == std::chrono::December / 31 || day == std::chrono::January / 1))
        GTEST_SKIP() << "Wine answers standard time for TZ=" << zone << " around the turn of the year";

    const ZoneAnswer answer = SystemZoneSource{}.Query(std::chrono::system_clock::now());
    EXPECT_EQ(answer.State, expected.State);
    EXPECT_EQ(answer.Bias, expected.Bias);
    if (expected.State == ZoneState::Daylight) {  // read only then
        EXPECT_EQ(answer.DaylightBias, expected.DaylightBias);
    }
    // Asked twice: the function is bound once and used again.
    EXPECT_EQ(SystemZoneSource{}.Query(std::chrono::system_clock::now()).Bias, expected.Bias);
}
